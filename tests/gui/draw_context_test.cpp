#include "gui/draw_context.h"

#include "gdiplus_line_calls.h"
#include "gdiplus_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace VSTGUI {
namespace test {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

using DrawContextTest = GdiPlusTest;

// A 32-bit bitmap selected into a memory device context, rows top down.
class DibSection {
public:
    DibSection(int width, int height) : width(width), deviceContext(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(deviceContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(deviceContext, bitmap);
    }
    ~DibSection()
    {
        SelectObject(deviceContext, previous);
        DeleteObject(bitmap);
        DeleteDC(deviceContext);
    }
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    HDC get() const { return deviceContext; }
    // 0x00RRGGBB
    uint32_t rgb(int x, int y) const { return static_cast<const uint32_t*>(bits)[y * width + x] & 0xFFFFFF; }

private:
    int width;
    HDC deviceContext;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

TEST_F(DrawContextTest, StartsWithItsDefaultState)
{
    const int32_t fontReferences = kSystemFont->getNbReference();
    {
        Surface surface(50, 40);
        EXPECT_EQ(surface.getFrameColor(), kWhite);
        EXPECT_EQ(surface.getFillColor(), kOpaqueBlack);
        EXPECT_EQ(surface.getFontColor(), kWhite);
        EXPECT_EQ(surface.getLineWidth(), 1);
        EXPECT_EQ(surface.getLineStyle(), kLineSolid);
        EXPECT_EQ(surface.getDrawMode(), kCopyMode);
        EXPECT_EQ(surface.getFont(), kSystemFont);
        EXPECT_EQ(kSystemFont->getNbReference(), fontReferences + 1);
        CRect clip;
        EXPECT_EQ(surface.getClipRect(clip), CRect(0, 0, 50, 40));
        EXPECT_EQ(surface.getPenPosition(), CPoint(0, 0));
        EXPECT_EQ(surface.getOffset(), CPoint(0, 0));
    }
    EXPECT_EQ(kSystemFont->getNbReference(), fontReferences);
}

TEST_F(DrawContextTest, DrawsOnAGivenDeviceContext)
{
    DibSection target(8, 8);
    {
        CDrawContext context(nullptr, target.get(), nullptr);
        EXPECT_EQ(context.getSystemContext(), target.get());
        CRect clip;
        EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 1000, 1000));
        SmoothingMode smoothing = SmoothingModeInvalid;
        GdipGetSmoothingMode(context.getGraphics()->get(), &smoothing);
        EXPECT_EQ(smoothing, SmoothingModeNone);

        context.setFillColor(kRed);
        context.fillRect(CRect(2, 3, 4, 5));
        GdipFlush(context.getGraphics()->get(), FlushIntentionSync);
    }
    EXPECT_EQ(target.rgb(2, 3), 0xFF0000u);
    EXPECT_EQ(target.rgb(3, 4), 0xFF0000u);
    EXPECT_EQ(target.rgb(4, 3), 0u);
    EXPECT_EQ(target.rgb(2, 5), 0u);
}

TEST_F(DrawContextTest, WithoutSurfaceDrawsNothingButKeepsState)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    EXPECT_EQ(context.getGraphics(), nullptr);
    EXPECT_EQ(context.getStringWidth("abc"), -1);
    CRect clip;
    EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 1000, 1000));

    context.setFrameColor(kRed);
    context.setLineWidth(4);
    context.setClipRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(context.getFrameColor(), kRed);
    EXPECT_EQ(context.getLineWidth(), 4);
    EXPECT_EQ(context.getClipRect(clip), CRect(1, 2, 3, 4));

    const CPoint triangle[] = {{0, 0}, {5, 0}, {5, 5}};
    context.drawRect(CRect(0, 0, 5, 5), kDrawFilledAndStroked);
    context.drawEllipse(CRect(0, 0, 5, 5), kDrawFilledAndStroked);
    context.drawArc(CRect(0, 0, 5, 5), 0, 90, kDrawFilledAndStroked);
    context.drawPolygon(triangle, 3, kDrawFilledAndStroked, true);
    context.drawString("abc", CRect(0, 0, 50, 20), 0, kLeftText);
    context.lineTo(CPoint(7, 8));
    EXPECT_EQ(context.getPenPosition(), CPoint(7, 8));
}

TEST_F(DrawContextTest, DrawModeSetsSmoothingOnlyForAntialias)
{
    struct Case {
        int32_t mode;
        SmoothingMode smoothing;
    } const cases[] = {
        {kAntialias, SmoothingModeAntiAlias},
        {kCopyMode, SmoothingModeNone},
        {1, SmoothingModeNone},
        {2, SmoothingModeNone},
    };
    Surface surface(4, 4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        surface.setDrawMode(static_cast<CDrawMode>(c.mode));
        SmoothingMode smoothing = SmoothingModeInvalid;
        GdipGetSmoothingMode(surface.getGraphics()->get(), &smoothing);
        EXPECT_EQ(smoothing, c.smoothing);
        EXPECT_EQ(surface.getDrawMode(), c.mode);
    }
}

TEST_F(DrawContextTest, ColoursBecomeArgbWithAlphaHighest)
{
    EXPECT_EQ(toArgb(CColor{0x11, 0x22, 0x33, 0x44}), 0x44112233u);
    EXPECT_EQ(toArgb(kRed), kRedArgb);
    EXPECT_EQ(toArgb(CColor{0, 0, 0, 0}), 0u);
}

// Fill and outline of one rectangle: the fill covers it, the outline is the
// GDI+ rectangle one pixel narrower and lower, whose pen reaches the last
// column and row of the fill but not beyond.
TEST_F(DrawContextTest, RectFillCoversItAndOutlineIsOnePixelSmaller)
{
    struct Case {
        CRect rect;
        CDrawStyle style;
    } const cases[] = {
        {{0, 0, 10, 10}, kDrawFilled},
        {{0, 0, 10, 10}, kDrawStroked},
        {{0, 0, 10, 10}, kDrawFilledAndStroked},
        {{10, 10, 0, 0}, kDrawFilledAndStroked}, // reversed: the same pixels
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.rect) << " style " << c.style);
        Surface surface(14, 14);
        surface.setFillColor(kRed);
        surface.drawRect(c.rect, c.style);
        EXPECT_EQ(surface.paintedBox(), CRect(0, 0, 10, 10));
        const bool stroked = c.style != kDrawFilled;
        const bool filled = c.style != kDrawStroked;
        EXPECT_EQ(surface.pixel(9, 9), stroked ? kWhiteArgb : kRedArgb);
        EXPECT_EQ(surface.pixel(9, 5), stroked ? kWhiteArgb : kRedArgb);
        EXPECT_EQ(surface.pixel(5, 5), filled ? kRedArgb : kTransparent);
    }
}

TEST_F(DrawContextTest, FillRectFillsTheWholeRectangle)
{
    Surface surface(14, 14);
    surface.setFillColor(kRed);
    surface.fillRect(CRect(3, 10, 8, 2));
    EXPECT_EQ(surface.paintedBox(), CRect(3, 2, 8, 10));
    EXPECT_EQ(surface.pixel(7, 9), kRedArgb);
}

TEST_F(DrawContextTest, EllipseFillIsOnePixelSmallerToo)
{
    Surface filled(14, 14);
    filled.setFillColor(kRed);
    filled.fillEllipse(CRect(0, 0, 10, 10));
    const CRect fill = filled.paintedBox();
    // The fill of a 9 × 9 ellipse stops short of the ninth column and row.
    EXPECT_EQ(fill.left, 0);
    EXPECT_EQ(fill.right, 9);
    EXPECT_EQ(fill.bottom, 9);

    // Its outline, drawn with a one-pixel pen, reaches column and row 9 and
    // no further: a 10 × 10 ellipse would reach 10.
    Surface stroked(14, 14);
    stroked.drawEllipse(CRect(0, 0, 10, 10), kDrawStroked);
    EXPECT_EQ(stroked.paintedBox(), CRect(0, 0, 10, 10));

    // Reversed, and with fractions that truncate to the same integers.
    for (const CRect& same : {CRect(10, 10, 0, 0), CRect(0.9, 0.9, 10.95, 10.95)}) {
        SCOPED_TRACE(testing::PrintToString(same));
        Surface other(14, 14);
        other.drawEllipse(same, kDrawStroked);
        EXPECT_TRUE(other.samePixelsAs(stroked));
    }
}

// A circle of radius 20 about (22, 22): angle 0 is its right end, angles grow
// clockwise, so 90 is its bottom.
TEST_F(DrawContextTest, ArcsSweepClockwiseAndWrapThrough360)
{
    const CRect circle(2, 2, 42, 42);
    const CRect rightEnd(40, 20, 44, 25);
    const CRect bottomEnd(20, 40, 25, 44);
    const CRect topEnd(20, 0, 25, 4);
    struct Case {
        float start;
        float end;
        bool right;
        bool bottom;
        bool top;
    } const cases[] = {
        {350, 10, true, false, false}, // 20 degrees through 0
        {10, 350, false, true, true}, // 340 degrees round the other way
        {0, 90, true, true, false},    {-90, 0, true, false, true}, {10, 10, false, false, false}, // no sweep
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " to " << c.end);
        Surface surface(44, 44);
        surface.drawArc(circle, c.start, c.end, kDrawStroked);
        EXPECT_EQ(surface.hasPaintIn(rightEnd), c.right);
        EXPECT_EQ(surface.hasPaintIn(bottomEnd), c.bottom);
        EXPECT_EQ(surface.hasPaintIn(topEnd), c.top);
    }
}

TEST_F(DrawContextTest, FilledArcFillsTheAreaItEncloses)
{
    Surface surface(44, 44);
    surface.setFillColor(kRed);
    surface.drawArc(CRect(2, 2, 42, 42), 0, 180, kDrawFilled);
    EXPECT_EQ(surface.pixel(22, 35), kRedArgb);
    EXPECT_FALSE(surface.hasPaintIn(CRect(0, 0, 44, 20)));
}

TEST_F(DrawContextTest, PolygonClosedJoinsTheEndsAndOpenDoesNot)
{
    const CPoint triangle[] = {{2, 2}, {30, 2}, {30, 30}};
    Surface closed(34, 34);
    closed.drawPolygon(triangle, 3, kDrawStroked, true);
    Surface open(34, 34);
    open.drawPolygon(triangle, 3, kDrawStroked, false);

    EXPECT_NE(closed.pixel(16, 2), kTransparent);
    EXPECT_NE(open.pixel(16, 2), kTransparent);
    EXPECT_TRUE(closed.hasPaintIn(CRect(15, 15, 18, 18))); // the closing diagonal
    EXPECT_FALSE(open.hasPaintIn(CRect(15, 15, 18, 18)));
}

// The square (4, 4, 36, 36) from its top-left corner round to its bottom-left,
// with the points beyond its four corners spread over the top and bottom
// edges at whole pixels: the same shape for any count from 4 to 66.
std::vector<CPoint> squareOutline(int numberOfPoints)
{
    const int extra = numberOfPoints - 4;
    const int onTop = (extra + 1) / 2;
    std::vector<CPoint> points{{4, 4}};
    for (int i = 1; i <= onTop; ++i)
        points.emplace_back(4 + i, 4);
    points.emplace_back(36, 4);
    points.emplace_back(36, 36);
    for (int i = 1; i <= extra - onTop; ++i)
        points.emplace_back(36 - i, 36);
    points.emplace_back(4, 36);
    return points;
}

TEST_F(DrawContextTest, PolygonsAboveThirtyPointsDrawTheSame)
{
    for (CDrawStyle style : {kDrawStroked, kDrawFilled, kDrawFilledAndStroked}) {
        for (bool closed : {true, false}) {
            SCOPED_TRACE(testing::Message() << "style " << style << (closed ? " closed" : " open"));
            Surface thirty(40, 40);
            Surface thirtyOne(40, 40);
            Surface sixtyFour(40, 40);
            const std::pair<Surface*, int> sizes[] = {{&thirty, 30}, {&thirtyOne, 31}, {&sixtyFour, 64}};
            for (const auto& [surface, count] : sizes) {
                surface->setFillColor(kRed);
                const std::vector<CPoint> points = squareOutline(count);
                surface->drawPolygon(points.data(), count, style, closed);
            }
            EXPECT_NE(thirty.paintedBox(), CRect());
            EXPECT_TRUE(thirtyOne.samePixelsAs(thirty));
            EXPECT_TRUE(sixtyFour.samePixelsAs(thirty));
        }
    }
}

TEST_F(DrawContextTest, FillPolygonFillsClosedWithoutOutline)
{
    const CPoint square[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
    Surface surface(16, 16);
    surface.setFillColor(kRed);
    surface.fillPolygon(square, 4);
    EXPECT_EQ(surface.pixel(7, 7), kRedArgb);
    EXPECT_EQ(surface.pixel(2, 2), kRedArgb); // no white outline on the corner
}

TEST_F(DrawContextTest, DrawLinesTakesTwoPointsPerLine)
{
    const CPoint lines[] = {{1, 1}, {10, 1}, {1, 5}, {10, 5}};
    Surface surface(12, 8);
    surface.drawLines(lines, 2);
    EXPECT_EQ(surface.paintedBox(), CRect(1, 1, 11, 6));
    EXPECT_FALSE(surface.hasPaintIn(CRect(0, 2, 12, 5))); // nothing joins them

    Surface none(12, 8);
    none.drawLines(lines, 0);
    EXPECT_EQ(none.paintedBox(), CRect());
}

TEST_F(DrawContextTest, LinesTruncateTheirEnds)
{
    Surface surface(12, 6);
    surface.moveTo(CPoint(1.7, 2.9));
    surface.lineTo(CPoint(9.9, 2.2));
    EXPECT_EQ(surface.paintedBox(), CRect(1, 2, 10, 3));
    EXPECT_EQ(surface.getPenPosition(), CPoint(9.9, 2.2));
}

TEST_F(DrawContextTest, DashedLinesLeaveGaps)
{
    Surface solid(24, 4);
    solid.moveTo(CPoint(1, 2));
    solid.lineTo(CPoint(22, 2));
    Surface dashed(24, 4);
    dashed.setLineStyle(kLineOnOffDash);
    dashed.moveTo(CPoint(1, 2));
    dashed.lineTo(CPoint(22, 2));
    int solidPixels = 0;
    int dashedPixels = 0;
    for (int x = 1; x <= 22; ++x) {
        solidPixels += solid.pixel(x, 2) != kTransparent;
        dashedPixels += dashed.pixel(x, 2) != kTransparent;
    }
    EXPECT_EQ(solidPixels, 22);
    EXPECT_GT(dashedPixels, 0);
    EXPECT_LT(dashedPixels, solidPixels);
}

// A line that leaves the surface reaches GDI+ cut to the surface widened by
// the pen's width and two pixels of fringe: for a 120 × 80 surface and a thin
// pen, (-3, -3) to (123, 83). A line within that area goes whole, as
// integers; a cut one as floats on the same line.
struct HandedCase {
    const char* name;
    CPoint from, to;
    bool handed;
    HandedLine expected;
};

TEST_F(DrawContextTest, LinesReachGdiplusCutToTheVisibleArea)
{
    const CCoord lowest = -2147483648.0; // where truncated coordinates saturate
    const CCoord highest = 2147483647.0;
    // From (60, 40) towards the far corner the line drops 43 rows to the
    // bottom edge while it runs 43 * 2147483588 / 2147483608 columns: it
    // ends just short of (103, 83).
    const float toCorner = static_cast<float>(60 + 43 * (2147483588.0 / 2147483608.0));
    const HandedCase cases[] = {
        {"inside", {10.7, 20.2}, {90.9, 30.5}, true, {true, 10, 20, 90, 30}},
        {"truncated before the cut", {60.9, 40.9}, {100060.7, 40.2}, true, {false, 60, 40, 123, 40}},
        {"horizontal to the right", {60, 40}, {100060, 40}, true, {false, 60, 40, 123, 40}},
        {"vertical upwards", {30, 10}, {30, -1e9}, true, {false, 30, 10, 30, -3}},
        {"across the surface", {-1000, 40}, {1000, 40}, true, {false, -3, 40, 123, 40}},
        {"to the 32-bit corner", {60, 40}, {highest, highest}, true, {false, 60, 40, toCorner, 83}},
        {"from the 32-bit limit", {lowest, 40}, {60, 40}, true, {false, -3, 40, 60, 40}},
        {"ending on the widened border", {60, 40}, {123, 40}, true, {true, 60, 40, 123, 40}},
        {"ending a pixel beyond it", {60, 40}, {124, 40}, true, {false, 60, 40, 123, 40}},
        {"touching the widened corner", {-53, 47}, {47, -53}, true, {false, -3, -3, -3, -3}},
        {"wholly outside", {-100, -100}, {-10, 500}, false, {}},
        {"zero length inside", {50, 50}, {50, 50}, true, {true, 50, 50, 50, 50}},
        {"zero length outside", {500, 500}, {500, 500}, false, {}},
    };
    Surface surface(120, 80);
    for (const HandedCase& c : cases) {
        SCOPED_TRACE(c.name);
        GdiplusLineCalls calls;
        ASSERT_TRUE(calls.watching());
        surface.moveTo(c.from);
        surface.lineTo(c.to);
        EXPECT_EQ(surface.getPenPosition(), c.to); // the pen goes on from the uncut end
        ASSERT_EQ(calls.lines().size(), c.handed ? 1u : 0u);
        if (!c.handed)
            continue;
        const HandedLine& line = calls.lines()[0];
        EXPECT_EQ(line.integerCall, c.expected.integerCall);
        EXPECT_NEAR(line.x1, c.expected.x1, 1e-3);
        EXPECT_NEAR(line.y1, c.expected.y1, 1e-3);
        EXPECT_NEAR(line.x2, c.expected.x2, 1e-3);
        EXPECT_NEAR(line.y2, c.expected.y2, 1e-3);
    }
}

// The area follows the pen's width, the clip and the offset, and every way
// of stroking a line; a dashed line keeps its start, where its dashes begin.
TEST_F(DrawContextTest, TheCutFollowsPenClipAndOffset)
{
    Surface surface(120, 80);
    GdiplusLineCalls calls;
    ASSERT_TRUE(calls.watching());

    surface.setLineWidth(5); // 5 + 2 beyond the bottom edge
    surface.moveTo(CPoint(60, 40));
    surface.lineTo(CPoint(60, 5000));
    surface.setLineWidth(1);

    // The clip (0, 0, 50, 30) shifted by the offset is (10, 5, 60, 35).
    surface.setOffset(CPoint(10, 5));
    surface.setClipRect(CRect(0, 0, 50, 30));
    surface.moveTo(CPoint(20, 20));
    surface.lineTo(CPoint(20, 100000));
    const CPoint both[] = {{-1000, 10}, {1000, 10}};
    surface.drawLines(both, 1);
    surface.setOffset(CPoint(0, 0));
    surface.resetClipRect();

    surface.setLineStyle(kLineOnOffDash);
    surface.moveTo(CPoint(-1000, 40));
    surface.lineTo(CPoint(1000, 40));

    const HandedLine expected[] = {
        {false, 60, 40, 60, 87},
        {false, 30, 25, 30, 38},
        {false, 7, 15, 63, 15},
        {false, -1000, 40, 123, 40},
    };
    ASSERT_EQ(calls.lines().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const HandedLine& line = calls.lines()[i];
        EXPECT_FALSE(line.integerCall);
        EXPECT_FLOAT_EQ(line.x1, expected[i].x1);
        EXPECT_FLOAT_EQ(line.y1, expected[i].y1);
        EXPECT_FLOAT_EQ(line.x2, expected[i].x2);
        EXPECT_FLOAT_EQ(line.y2, expected[i].y2);
    }
}

// What the same line leaves when GDI+ gets it whole: a pen of the context's
// width and dashes, drawn with GDI+'s own call on a surface of the same size.
struct PenSettings {
    CCoord width;
    CLineStyle style;
    CDrawMode mode;
};

void drawUncut(Surface& target, const PenSettings& pen, INT x1, INT y1, INT x2, INT y2)
{
    GpGraphics* graphics = target.getGraphics()->get();
    GdipSetSmoothingMode(graphics, pen.mode == kAntialias ? SmoothingModeAntiAlias : SmoothingModeNone);
    GpPen* gdiplusPen = nullptr;
    GdipCreatePen1(kWhiteArgb, static_cast<REAL>(pen.width), UnitWorld, &gdiplusPen);
    GdipSetPenDashStyle(gdiplusPen, pen.style == kLineOnOffDash ? DashStyleDot : DashStyleSolid);
    GdipDrawLineI(graphics, gdiplusPen, x1, y1, x2, y2);
    GdipDeletePen(gdiplusPen);
}

// The largest difference of one colour channel between the two surfaces.
int largestChannelStep(const Surface& a, const Surface& b)
{
    int largest = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            for (int shift = 0; shift < 32; shift += 8)
                largest = std::max(largest,
                                   std::abs(static_cast<int>((a.pixel(x, y) >> shift) & 0xFF)
                                            - static_cast<int>((b.pixel(x, y) >> shift) & 0xFF)));
    return largest;
}

struct PixelCase {
    const char* name;
    PenSettings pen;
    INT x1, y1, x2, y2;
};

// Cut lines leave the pixels of the whole line, to within one step of a
// channel where a cut end falls between pixels.
TEST_F(DrawContextTest, CutLinesLeaveTheSamePixels)
{
    const PenSettings thin{1, kLineSolid, kCopyMode};
    const PenSettings smooth{1, kLineSolid, kAntialias};
    const PenSettings wide{3, kLineSolid, kAntialias};
    const PenSettings dashed{1, kLineOnOffDash, kCopyMode};
    const PixelCase cases[] = {
        {"to a far point", thin, 60, 40, 1843, -1399},
        {"to a far point, antialiased", smooth, 60, 40, 1843, -1399},
        {"from a far point", smooth, -1719, 2001, 33, 17},
        {"through the surface", thin, -700, -30, 900, 41},
        {"across a corner", smooth, -40, 45, 45, -40},
        {"steep, through", smooth, 17, -600, 101, 700},
        {"horizontal, wide", wide, -500, 20, 700, 20},
        {"vertical, wide", wide, 70, 3, 70, 900},
        {"dashed, from outside", dashed, -998, 30, 1000, 30},
        {"dashed, to outside", dashed, 10, 10, 1200, 610},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Surface cut(120, 80);
        cut.setLineWidth(c.pen.width);
        cut.setLineStyle(c.pen.style);
        cut.setDrawMode(c.pen.mode);
        cut.moveTo(CPoint(c.x1, c.y1));
        cut.lineTo(CPoint(c.x2, c.y2));
        Surface whole(120, 80);
        drawUncut(whole, c.pen, c.x1, c.y1, c.x2, c.y2);
        EXPECT_NE(whole.paintedBox(), CRect());
        EXPECT_LE(largestChannelStep(cut, whole), 1);
    }
}

// Near the 32-bit limit GDI+ itself cannot draw the whole line; the cut
// piece leaves the pixels of a short line in the same direction (slopes
// within 1e-8 of 1 and of 0 move no pixel over this surface).
TEST_F(DrawContextTest, LinesToThe32BitLimitDrawTheirVisiblePart)
{
    struct Case {
        CPoint farEnd;
        INT nearX, nearY;
    } const cases[] = {
        {{2147483647.0, 2147483647.0}, 1060, 1040},
        {{-2147483648.0, 40}, -1000, 40},
        {{60, 1e12}, 60, 1000}, // saturates at the limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.farEnd));
        Surface cut(120, 80);
        cut.moveTo(CPoint(60, 40));
        cut.lineTo(c.farEnd);
        Surface reference(120, 80);
        drawUncut(reference, {1, kLineSolid, kCopyMode}, 60, 40, c.nearX, c.nearY);
        EXPECT_NE(reference.paintedBox(), CRect());
        EXPECT_TRUE(cut.samePixelsAs(reference));
    }
}

// A context made on a device context without a frame stores the clip
// (0, 0, 1000, 1000) but applies none: GDI+ draws over the whole 1200-pixel
// bitmap, and so does a cut line.
TEST_F(DrawContextTest, AClipNotYetAppliedDoesNotLimitTheCut)
{
    DibSection target(1200, 4);
    {
        GdiplusLineCalls calls;
        ASSERT_TRUE(calls.watching());
        CDrawContext context(nullptr, target.get(), nullptr);
        context.moveTo(CPoint(10, 2));
        context.lineTo(CPoint(100000, 2));
        GdipFlush(context.getGraphics()->get(), FlushIntentionSync);
        ASSERT_EQ(calls.lines().size(), 1u);
        EXPECT_EQ(calls.lines()[0].x2, 1203.0f);
    }
    EXPECT_EQ(target.rgb(1199, 2), 0xFFFFFFu);
}

TEST_F(DrawContextTest, OffsetMovesEveryOperation)
{
    Surface plain(40, 40);
    Surface shifted(40, 40);
    shifted.setOffset(CPoint(5, 7));
    const CPoint triangle[] = {{12, 2}, {20, 2}, {20, 10}};
    for (Surface* surface : {&plain, &shifted}) {
        surface->setFillColor(kRed);
        surface->fillRect(CRect(0, 0, 10, 10));
        surface->drawEllipse(CRect(10, 10, 20, 20), kDrawFilledAndStroked);
        surface->drawArc(CRect(0, 15, 15, 30), 0, 270, kDrawStroked);
        surface->drawPolygon(triangle, 3, kDrawFilledAndStroked, true);
        surface->moveTo(CPoint(22, 22));
        surface->lineTo(CPoint(30, 25));
    }
    EXPECT_EQ(shifted.getPenPosition(), CPoint(35, 32));
    EXPECT_TRUE(shifted.samePixelsAsShifted(plain, 5, 7));
}

TEST_F(DrawContextTest, ClipLimitsDrawingAndIsKeptInSurfaceCoordinates)
{
    Surface surface(30, 30);
    surface.setOffset(CPoint(5, 7));
    surface.setClipRect(CRect(0, 0, 4, 4));
    CRect clip;
    EXPECT_EQ(surface.getClipRect(clip), CRect(0, 0, 4, 4));
    surface.setFillColor(kRed);
    surface.fillRect(CRect(-5, -7, 25, 23));
    EXPECT_EQ(surface.paintedBox(), CRect(5, 7, 9, 11));

    // When the offset moves on, the stored clip stays where it was applied.
    surface.setOffset(CPoint(0, 0));
    EXPECT_EQ(surface.getClipRect(clip), CRect(5, 7, 9, 11));
}

TEST_F(DrawContextTest, ResetClipRectOpensTheWholeSurface)
{
    Surface surface(30, 30);
    surface.setClipRect(CRect(10, 10, 12, 12));
    surface.resetClipRect();
    CRect clip;
    EXPECT_EQ(surface.getClipRect(clip), CRect(0, 0, 1000, 1000));
    surface.setFillColor(kRed);
    surface.fillRect(CRect(0, 0, 30, 30));
    EXPECT_EQ(surface.paintedBox(), CRect(0, 0, 30, 30));

    // The reset clip is stored without the offset, so it reads back shifted.
    surface.setOffset(CPoint(5, 5));
    surface.resetClipRect();
    EXPECT_EQ(surface.getClipRect(clip), CRect(-5, -5, 995, 995));
}

TEST_F(DrawContextTest, DrawPointRestoresWidthAndColour)
{
    Surface surface(12, 8);
    surface.setOffset(CPoint(2, 1));
    surface.setLineWidth(3);
    surface.setFrameColor(kBlue);
    surface.drawPoint(CPoint(5, 5), kRed);

    EXPECT_EQ(surface.pixel(7, 6), kRedArgb);
    EXPECT_FALSE(surface.hasPaintIn(CRect(0, 0, 12, 6))); // one pixel high, not three
    EXPECT_EQ(surface.getLineWidth(), 3);
    EXPECT_EQ(surface.getFrameColor(), kBlue);
    EXPECT_EQ(surface.getPenPosition(), CPoint(8, 6));
}

TEST_F(DrawContextTest, GetPointDoesNotReadTheSurface)
{
    Surface surface(4, 4);
    surface.setFillColor(kRed);
    surface.fillRect(CRect(0, 0, 4, 4));
    EXPECT_EQ(surface.getPoint(CPoint(1, 1)), kOpaqueBlack);
}

TEST_F(DrawContextTest, SetFontUsesTheGivenFontOrADerivedOne)
{
    CFontDesc base("Courier New", 12, 0);
    struct Case {
        int32_t size;
        int32_t style;
        bool sameFont;
        CCoord expectedSize;
        int32_t expectedStyle;
    } const cases[] = {
        {0, -1, true, 12, 0},
        {12, -1, true, 12, 0}, // same size: no new description
        {12, 0, true, 12, 0}, // same style too
        {14, -1, false, 14, 0}, // new size keeps the font's style
        {14, kBoldFace, false, 14, kBoldFace},
        {12, kBoldFace, false, 12, kBoldFace},
        {0, kItalicFace, false, 12, kItalicFace}, // no size keeps the font's size
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " style " << c.style);
        Surface surface(4, 4);
        surface.setFont(&base, c.size, c.style);
        CFontDesc* used = surface.getFont();
        EXPECT_EQ(used == &base, c.sameFont);
        EXPECT_STREQ(used->getName(), "Courier New");
        EXPECT_EQ(used->getSize(), c.expectedSize);
        EXPECT_EQ(used->getStyle(), c.expectedStyle);
        EXPECT_EQ(base.getNbReference(), c.sameFont ? 2 : 1);
        EXPECT_EQ(kSystemFont->getNbReference(), 1); // the context's default was dropped
    }
    EXPECT_EQ(base.getNbReference(), 1);
}

TEST_F(DrawContextTest, SetFontWithNullOrTheCurrentFontKeepsIt)
{
    CFontDesc* derived = nullptr;
    {
        Surface surface(4, 4);
        surface.setFont(nullptr, 14, kBoldFace);
        EXPECT_EQ(surface.getFont(), kSystemFont);

        surface.setFont(kSystemFont, 20, -1);
        derived = surface.getFont();
        derived->remember();
        EXPECT_EQ(derived->getNbReference(), 2);
        // Passing the font in use: taken again before the old reference goes.
        surface.setFont(derived, 0, -1);
        EXPECT_EQ(surface.getFont(), derived);
        EXPECT_EQ(derived->getNbReference(), 2);
    }
    EXPECT_EQ(derived->getNbReference(), 1);
    derived->forget();
}

} // namespace
} // namespace test
} // namespace VSTGUI
