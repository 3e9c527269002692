// output.dll's editor run where only the DejaVu fonts are installed (a Wine
// prefix of its own): neither the face the effect asks for nor any face that
// GDI+'s generic families name is there, and the effect's text still shows.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor_window.h"
#include "plugin_fixture.h"

namespace {

int CALLBACK addFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names)
{
    reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(font->lfFaceName);
    return 1;
}

std::vector<std::wstring> installedFamilies()
{
    std::vector<std::wstring> names;
    HDC screen = GetDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &all, addFamily, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
    return names;
}

struct Area {
    int left, top, right, bottom;
};

int pixelsIn(const WindowPixels& pixels, Area area, const std::function<bool(int r, int g, int b)>& wanted)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t p = pixels.at(x, y);
            count += wanted(WindowPixels::red(p), WindowPixels::green(p), WindowPixels::blue(p)) ? 1 : 0;
        }
    return count;
}

// Far fewer than the pixels of one glyph.
constexpr int kFewestTextPixels = 8;

class EditorTextTest : public PluginTest {
protected:
    void SetUp() override
    {
        const std::vector<std::wstring> families = installedFamilies();
        ASSERT_FALSE(families.empty());
        for (const std::wstring& family : families)
            ASSERT_EQ(family.rfind(L"DejaVu", 0), 0u) << "the prefix shows other fonts than DejaVu";
        PluginTest::SetUp();
        start();
        window = std::make_unique<EditorWindow>(host);
    }
    void TearDown() override { window.reset(); }

    std::unique_ptr<EditorWindow> window;
};

TEST_F(EditorTextTest, TheVersionTextAndTheButtonLabelsAreDrawn)
{
    ASSERT_TRUE(window->open()) << window->problem();
    ASSERT_TRUE(window->idleUntilPainted());
    ASSERT_TRUE(window->idleUntilPainted());
    const WindowPixels pixels = window->capture();
    ASSERT_EQ(pixels.width, 700);

    // The version text starts at (310, 90) in (0, 0, 0.95) at alpha 0.95;
    // above the logo, from y = 100 on, the background is black.
    const int versionInk
        = pixelsIn(pixels, {305, 85, 400, 100}, [](int r, int g, int b) { return b > 64 && r < 16 && g < 16; });
    EXPECT_GE(versionInk, kFewestTextPixels);

    // The AutoWidth label is drawn at (280, 248) in the button's own colour,
    // (0.5, 0.5, 0) at alpha 0.5: over the button's fill, 64, 64, 0, it is
    // brighter.
    const int labelInk
        = pixelsIn(pixels, {280, 250, 320, 264}, [](int r, int g, int b) { return r > 72 && g > 72 && b < 16; });
    EXPECT_GE(labelInk, kFewestTextPixels);
}

} // namespace
