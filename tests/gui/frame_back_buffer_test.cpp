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
// No other test paints it, so it cannot be left on the screen from before.
constexpr CColor kYellow{255, 255, 0, 255};
constexpr int kRepeatedPaints = 50;

// The frame draws each paint into its back buffer and copies the result to
// the window, whatever the system's version: these tests run as the version
// Wine reports and once more as Windows XP.
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

TEST_F(BackBufferTest, TheViewsDrawIntoABackBufferOfTheFramesSizeThatReachesTheScreen)
{
    paintNow();
    COffscreenContext* buffer = frame->backBufferField();
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(view->drawnInto, buffer);
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
    view->fill = kBlue;
    InvalidateRect(window, nullptr, FALSE);
    paintNow();
    ASSERT_NE(frame->backBufferField(), nullptr);
    EXPECT_EQ(frame->backBufferField()->getWidth(), 250);
    EXPECT_EQ(frame->backBufferField()->getHeight(), 150);
    EXPECT_EQ(screenPixel(host.handle(), 240, 140), rgbOf(kBlue));
}

TEST_F(BackBufferTest, RepeatedPaintsReuseTheOneBackBuffer)
{
    paintNow();
    COffscreenContext* buffer = frame->backBufferField();
    ASSERT_NE(buffer, nullptr);
    const int32_t liveAfterTheFirstPaint = CBaseObject::getLiveObjectCount();
    for (int i = 0; i < kRepeatedPaints; ++i) {
        view->fill = i % 2 ? kRed : kBlue;
        InvalidateRect(window, nullptr, FALSE);
        paintNow();
    }
    EXPECT_EQ(view->draws, kRepeatedPaints + 1);
    EXPECT_EQ(frame->backBufferField(), buffer);
    EXPECT_EQ(buffer->getNbReference(), 1);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveAfterTheFirstPaint);
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kRed));
}

TEST_F(BackBufferTest, WithoutAnImageEachPaintDrawsTheViewsStraightOntoTheWindowAndTriesAgain)
{
    frame->refusedBackBufferImages = kRepeatedPaints;
    view->fill = kYellow;
    paintNow();
    EXPECT_EQ(frame->backBufferField(), nullptr);
    EXPECT_EQ(view->draws, 1);
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kYellow));
    EXPECT_EQ(screenPixel(host.handle(), 290, 190), rgbOf(kYellow));

    view->fill = kBlue;
    const RECT part = {10, 10, 30, 30};
    InvalidateRect(window, &part, FALSE);
    paintNow();
    EXPECT_EQ(frame->backBuffersMade, 2);
    EXPECT_EQ(frame->backBufferField(), nullptr);
    EXPECT_EQ(screenPixel(host.handle(), 15, 15), rgbOf(kBlue));
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kYellow));
}

TEST_F(BackBufferTest, AnImageRefusedOnceIsMadeByTheNextPaint)
{
    frame->refusedBackBufferImages = 1;
    paintNow();
    view->fill = kBlue;
    InvalidateRect(window, nullptr, FALSE);
    paintNow();
    COffscreenContext* buffer = frame->backBufferField();
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(frame->backBuffersMade, 2);
    EXPECT_EQ(view->drawnInto, buffer);
    EXPECT_EQ(pixelOf(*buffer->getBitmap(), 50, 50), 0xFF0000FFu);
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kBlue));
}

TEST(BackBufferWithoutWindowTest, AFrameWithoutAWindowMakesNoBackBuffer)
{
    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
    auto* frame = new TestFrame(CRect(0, 0, 300, 200), nullptr, nullptr);
    const int32_t liveWithTheFrame = CBaseObject::getLiveObjectCount();
    EXPECT_EQ(frame->getBackBuffer(), nullptr);
    EXPECT_EQ(frame->backBufferField(), nullptr);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveWithTheFrame);
    frame->forget();
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
}

} // namespace
} // namespace test
} // namespace VSTGUI
