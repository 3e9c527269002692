#include "gui/frame.h"

#include "gui/offscreen_context.h"

#include "frame_test_support.h"
#include "gdiplus_test_support.h"
#include "module_handle.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace test {
namespace {

constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kBlue{0, 0, 255, 255};

// This executable runs as on Windows XP (its CTest fixture sets Wine's
// version for it), where windows are not composited and the frame paints
// through a back buffer.
class BackBufferTest : public testing::Test {
protected:
    BackBufferTest() : host(300, 200)
    {
        hInstance = GetModuleHandleW(nullptr);
        frame = new TestFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
        view = new RecordingView(CRect(0, 0, 300, 200), kRed);
        frame->addView(view);
        window = static_cast<HWND>(frame->getSystemWindow());
    }
    ~BackBufferTest() override
    {
        frame->forget();
        pumpMessages();
        EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
    }

    void SetUp() override
    {
        OSVERSIONINFOW version = {};
        version.dwOSVersionInfoSize = sizeof(version);
        GetVersionExW(&version);
        ASSERT_LE(version.dwMajorVersion, 5u) << "the version override for this executable is missing";
    }

    void paintNow()
    {
        UpdateWindow(window);
        pumpMessages();
    }

    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
    HostWindow host;
    TestFrame* frame;
    RecordingView* view;
    HWND window;
};

TEST_F(BackBufferTest, WindowIsNotCompositedAndPaintsThroughTheBackBuffer)
{
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);
    paintNow();
    COffscreenContext* buffer = frame->backBufferField();
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(frame->getBackBuffer(), buffer);
    EXPECT_EQ(buffer->getNbReference(), 1);
    EXPECT_EQ(buffer->getWidth(), 300);
    EXPECT_EQ(buffer->getHeight(), 200);
    EXPECT_EQ(pixelOf(*buffer->getBitmap(), 50, 50), 0xFFFF0000u);
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kRed));
}

TEST_F(BackBufferTest, OnlyThePaintedRectangleIsCopiedToTheScreen)
{
    paintNow();
    COffscreenContext* buffer = frame->backBufferField();
    ASSERT_NE(buffer, nullptr);
    view->fill = kBlue;
    const RECT part = {10, 10, 30, 30};
    InvalidateRect(window, &part, FALSE);
    paintNow();
    EXPECT_EQ(frame->backBufferField(), buffer);
    EXPECT_EQ(screenPixel(host.handle(), 15, 15), rgbOf(kBlue));
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kRed));
    EXPECT_EQ(pixelOf(*buffer->getBitmap(), 50, 50), 0xFFFF0000u);
}

TEST_F(BackBufferTest, ANewSizeDropsTheBackBufferAndTheNextPaintMakesIt)
{
    paintNow();
    EXPECT_FALSE(frame->setSize(300, 200));
    EXPECT_NE(frame->backBufferField(), nullptr);
    ASSERT_TRUE(frame->setSize(250, 150));
    EXPECT_EQ(frame->backBufferField(), nullptr);
    InvalidateRect(window, nullptr, FALSE);
    paintNow();
    ASSERT_NE(frame->backBufferField(), nullptr);
    EXPECT_EQ(frame->backBufferField()->getWidth(), 250);
    EXPECT_EQ(frame->backBufferField()->getHeight(), 150);
}

} // namespace
} // namespace test
} // namespace VSTGUI
