// Copies of output.dll's editor window taken from another thread while the
// editor repaints, as screen recorders and hosts' thumbnails take them: each
// copy must show a whole frame, never one drawn halfway.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "editor_window.h"
#include "plugin_fixture.h"

namespace {

constexpr int kCopies = 300;
// Fewer repaints than this during the copies would leave little for a copy
// to catch halfway.
constexpr uint64_t kMinimumRepaints = 10;

// The logo's square, whose overlay pulses from frame to frame. Everything
// else looks the same in every whole frame while no audio plays.
constexpr RECT kPulsingLogo{300, 100, 400, 200};

bool isInside(const RECT& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Pixels of the copy, outside the logo, that differ from the whole frame.
int differingPixels(const WindowPixels& copy, const WindowPixels& whole)
{
    if (copy.width != whole.width || copy.height != whole.height)
        return whole.width * whole.height;
    int differing = 0;
    for (int y = 0; y < whole.height; ++y) {
        for (int x = 0; x < whole.width; ++x) {
            if (!isInside(kPulsingLogo, x, y) && copy.at(x, y) != whole.at(x, y))
                ++differing;
        }
    }
    return differing;
}

bool isBlack(uint32_t pixel)
{
    return pixel == 0;
}

// Pixels of the version text's line that are mostly blue, as the text is.
int bluePixelsOfTheVersionText(const WindowPixels& pixels)
{
    int blue = 0;
    for (int y = 90; y < 100; ++y) {
        for (int x = 310; x < 420; ++x) {
            const uint32_t pixel = pixels.at(x, y);
            if (WindowPixels::blue(pixel) > 128 && WindowPixels::red(pixel) < 64 && WindowPixels::green(pixel) < 64)
                ++blue;
        }
    }
    return blue;
}

class EditorCopiesTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        start();
        window = std::make_unique<EditorWindow>(host);
        ASSERT_TRUE(window->open()) << window->problem();
        ASSERT_TRUE(window->idleUntilPainted());
    }
    void TearDown() override { window.reset(); }

    std::unique_ptr<EditorWindow> window;
};

TEST_F(EditorCopiesTest, CopiesTakenWhileTheEditorRepaintsShowWholeFrames)
{
    window->repaintNow();
    const WindowPixels whole = window->capture();
    ASSERT_EQ(whole.width, 700);
    ASSERT_EQ(whole.height, 300);
    // The whole frame has its three buttons and its version text.
    for (int x : {300, 360, 400})
        ASSERT_FALSE(isBlack(whole.at(x, 284))) << "no button at " << x;
    ASSERT_GT(bluePixelsOfTheVersionText(whole), 20);

    std::atomic<bool> repainting{false};
    std::atomic<bool> copiesDone{false};
    int partialCopies = 0;
    int mostDifferingPixels = 0;
    std::thread copier([&] {
        while (!repainting)
            Sleep(0);
        for (int i = 0; i < kCopies; ++i) {
            const int differing = differingPixels(window->capture(), whole);
            if (differing > 0)
                ++partialCopies;
            mostDifferingPixels = std::max(mostDifferingPixels, differing);
        }
        copiesDone = true;
    });
    const uint64_t paintsBefore = window->paintCount();
    repainting = true;
    // The pump answers what the copying thread's calls send to this one.
    while (!copiesDone) {
        window->repaintNow();
        window->pump();
    }
    copier.join();

    EXPECT_GE(window->paintCount() - paintsBefore, kMinimumRepaints);
    EXPECT_EQ(partialCopies, 0) << "of " << kCopies << " copies; at most " << mostDifferingPixels
                                << " pixels outside the logo differed from the whole frame";
}

} // namespace
