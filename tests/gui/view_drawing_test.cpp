#include "gdiplus_test_support.h"
#include "view_test_support.h"

namespace VSTGUI {
namespace test {
namespace {

constexpr CColor kGreen{0, 255, 0, 255};
constexpr Gdiplus::ARGB kGreenArgb = 0xFF00FF00;
constexpr Gdiplus::ARGB kBlueArgb = 0xFF0000FF;

// A green container at (10, 10, 110, 60) of a transparent 120 × 70 surface,
// with a red child at local (0, 0, 50, 50) under a blue one at (30, 0, 80, 50).
class ContainerDrawingTest : public WindowlessFrameTest {
protected:
    ContainerDrawingTest() : surface(120, 70)
    {
        container = new CViewContainer(CRect(10, 10, 110, 60), frame);
        container->setBackgroundColor(kGreen);
        red = new RecordingView(CRect(0, 0, 50, 50), "red", log);
        red->fill = kRed;
        blue = new RecordingView(CRect(30, 0, 80, 50), "blue", log);
        blue->fill = kBlue;
        container->addView(red);
        container->addView(blue);
        frame->addView(container);
        log.take();
    }

    void expectWholeContainerPainted()
    {
        EXPECT_EQ(surface.pixel(15, 15), kRedArgb);
        EXPECT_EQ(surface.pixel(45, 55), kBlueArgb) << "the later child lies on top";
        EXPECT_EQ(surface.pixel(95, 15), kGreenArgb) << "background where no child is";
        EXPECT_EQ(surface.paintedBox(), CRect(10, 10, 110, 60));
    }

    Surface surface;
    CViewContainer* container;
    RecordingView* red;
    RecordingView* blue;
};

TEST_F(ContainerDrawingTest, ChildrenPaintInOrderOverTheBackground)
{
    container->drawRect(&surface, container->getViewSize());
    expectWholeContainerPainted();
    EXPECT_EQ(log.take(), (Calls{"red draw", "blue draw"}));
    EXPECT_EQ(red->drawnInto, &surface);
    EXPECT_FALSE(container->isDirty());
    EXPECT_EQ(surface.getOffset(), CPoint()) << "offsets come back";
    EXPECT_EQ(surface.getScreenOffset(), CPoint());
}

TEST_F(ContainerDrawingTest, OnlyTheUpdateRectangleIsPainted)
{
    container->drawRect(&surface, CRect(10, 10, 40, 60));
    EXPECT_EQ(log.take(), Calls{"red draw"}) << "blue only touches the update rectangle's edge";
    EXPECT_EQ(surface.paintedBox(), CRect(10, 10, 40, 60));
    EXPECT_EQ(surface.pixel(39, 30), kRedArgb);
    CRect clip;
    EXPECT_EQ(surface.getClipRect(clip), CRect(0, 0, 120, 70)) << "the clip comes back";
}

TEST_F(ContainerDrawingTest, ThroughTheOffscreenTheResultIsTheSame)
{
    container->useOffscreen(true);
    container->drawRect(&surface, container->getViewSize());
    expectWholeContainerPainted();
    EXPECT_NE(red->drawnInto, &surface) << "the children drew into the offscreen";
    EXPECT_NE(red->drawnInto, nullptr);
    EXPECT_EQ(blue->drawnInto, red->drawnInto);
}

TEST_F(ContainerDrawingTest, ThroughTheOffscreenOnlyTheUpdateRectangleIsCopied)
{
    container->useOffscreen(true);
    container->drawRect(&surface, CRect(60, 20, 100, 40));
    EXPECT_EQ(surface.paintedBox(), CRect(60, 20, 100, 40));
    EXPECT_EQ(surface.pixel(65, 25), kBlueArgb);
    EXPECT_EQ(surface.pixel(95, 35), kGreenArgb);
}

TEST_F(ContainerDrawingTest, ResizingRemakesTheOffscreenAtTheNewSize)
{
    container->useOffscreen(true);
    container->drawRect(&surface, container->getViewSize());
    CRect wider(10, 10, 115, 65);
    container->setViewSize(wider);
    Surface second(120, 70);
    container->drawRect(&second, container->getViewSize());
    EXPECT_EQ(second.paintedBox(), CRect(10, 10, 115, 65));
    EXPECT_EQ(second.pixel(112, 62), kGreenArgb);
}

TEST_F(ContainerDrawingTest, BackToFrontDrawsStraightIntoTheContext)
{
    container->useOffscreen(true);
    container->drawBackToFront(&surface, container->getViewSize());
    expectWholeContainerPainted();
    EXPECT_EQ(red->drawnInto, &surface);
    EXPECT_TRUE(container->isDirty()) << "the container's mark is left alone";
}

TEST_F(ContainerDrawingTest, TransparentContainersPaintOnlyATranslucentColour)
{
    struct Case {
        const char* name;
        CColor colour;
        bool transparent;
        bool painted;
    };
    const Case cases[] = {
        {"opaque colour, transparent container", kGreen, true, false},
        {"translucent colour, transparent container", {0, 255, 0, 128}, true, true},
        {"opaque colour, opaque container", kGreen, false, true},
    };
    container->removeAll();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface target(120, 70);
        container->setBackgroundColor(c.colour);
        container->setTransparency(c.transparent);
        container->drawRect(&target, container->getViewSize());
        EXPECT_EQ(target.hasPaintIn(CRect(10, 10, 110, 60)), c.painted);
    }
}

// A 100 × 50 bitmap, red on its left half and blue on its right half.
CBitmap* halvedBitmap()
{
    auto* painter = new COffscreenContext(nullptr, 100, 50, kOpaqueBlack);
    painter->setFillColor(kRed);
    painter->drawRect(CRect(0, 0, 50, 50), kDrawFilled);
    painter->setFillColor(kBlue);
    painter->drawRect(CRect(50, 0, 100, 50), kDrawFilled);
    CBitmap* bitmap = painter->getBitmap();
    bitmap->remember();
    painter->forget();
    return bitmap;
}

TEST_F(WindowlessFrameTest, BackgroundBitmapsAreDrawnFromTheirOffset)
{
    CBitmap* bitmap = halvedBitmap();
    auto* container = new CViewContainer(CRect(10, 10, 60, 60), frame, bitmap);
    container->setBackgroundOffset(CPoint(25, 0));
    frame->addView(container);
    Surface surface(80, 80);
    container->drawRect(&surface, container->getViewSize());
    EXPECT_EQ(surface.pixel(10 + 5, 20), kRedArgb) << "bitmap x 30";
    EXPECT_EQ(surface.pixel(10 + 30, 20), kBlueArgb) << "bitmap x 55";
    EXPECT_EQ(surface.paintedBox(), CRect(10, 10, 60, 60)) << "clipped to the container";

    // A plain view draws its background at its size from the bitmap's corner.
    Surface plain(120, 60);
    CView view(CRect(5, 5, 105, 55));
    view.setBackground(bitmap);
    view.draw(&plain);
    EXPECT_EQ(plain.pixel(5 + 49, 30), kRedArgb);
    EXPECT_EQ(plain.pixel(5 + 50, 30), kBlueArgb);
    EXPECT_FALSE(view.isDirty());
    bitmap->forget();
}

} // namespace
} // namespace test
} // namespace VSTGUI
