// The drawing services seen in the pixels they leave on a real offscreen
// surface: where lines end, which pixels a rectangle covers, which part of a
// bitmap lands where, and where text stands for each alignment. Expected
// pixels follow from the coordinate rules (truncation, the outline one pixel
// inside the fill, the text baseline formula), drawn independently through
// GDI+ where a glyph's exact pixels matter.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "bitmap_handle.h"
#include "bmp_file.h"
#include "gdiplus_test_support.h"
#include "probe_plugin.h"
#include "scratch_folder.h"

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using VSTGUI::CRect;
using VSTGUI::test::alphaOf;
using VSTGUI::test::kRedArgb;
using VSTGUI::test::kTransparent;
using VSTGUI::test::Surface;

constexpr ARGB kBlueArgb = 0xFF0000FF;

// A plug-in whose editor paints into a 120 × 40 transparent surface.
class PixelTest : public ProbePlugin {
protected:
    PixelTest() : surface(120, 40) { vest->drawContext = &surface; }
    ~PixelTest() override { vest->drawContext = nullptr; }

    struct GdiPlusRunning {
        GdiPlusRunning() { VSTGUI::GDIPlusGlobals::enter(); }
        ~GdiPlusRunning() { VSTGUI::GDIPlusGlobals::exit(); }
    } gdiPlus;
    Surface surface;
};

TEST_F(PixelTest, LinesRunFromThePenToTheTruncatedEndBothEndsIncluded)
{
    vestSetDrawMode(vest, 0);
    vestSetFrameColor(vest, 255, 0, 0, 255);
    vestMoveTo(vest, 2.9, 3.7);
    vestLineTo(vest, 12.6, 3.2); // (2, 3) to (12, 3)
    EXPECT_EQ(surface.paintedBox(), CRect(2, 3, 13, 4));
    EXPECT_EQ(surface.pixel(2, 3), kRedArgb);
    EXPECT_EQ(surface.pixel(12, 3), kRedArgb);

    // The pen stays where the last line ended; a new colour holds from now on.
    vestSetFrameColor(vest, 0, 0, 255, 255);
    vestLineTo(vest, 12.4, 9.8); // (12, 3) to (12, 9)
    EXPECT_EQ(surface.paintedBox(), CRect(2, 3, 13, 10));
    EXPECT_EQ(surface.pixel(12, 9), kBlueArgb);
    EXPECT_EQ(surface.pixel(12, 6), kBlueArgb);
    EXPECT_EQ(surface.pixel(11, 6), kTransparent);
}

TEST_F(PixelTest, RectanglesFillTheirAreaAndOutlineItsOuterPixels)
{
    struct Case {
        double left, top, right, bottom;
        int32_t style;
        ARGB border; // at the bottom right corner (13, 8)
        ARGB inside; // at (8, 5)
    } const cases[] = {
        {4, 2, 14, 9, 1, kRedArgb, kRedArgb},
        {4, 2, 14, 9, 0, kBlueArgb, kTransparent},
        {4, 2, 14, 9, 2, kBlueArgb, kRedArgb},
        {14, 9, 4, 2, 2, kBlueArgb, kRedArgb}, // given reversed: the same pixels
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " from (" << c.left << ", " << c.top << ")");
        Surface target(20, 12);
        vest->drawContext = &target;
        vestSetFillColor(vest, 255, 0, 0, 255);
        vestSetFrameColor(vest, 0, 0, 255, 255);
        EXPECT_EQ(vestDrawRect(vest, c.left, c.top, c.right, c.bottom, c.style), 1);
        // The fill covers (4, 2) to (14, 9); the outline is the rectangle one
        // pixel smaller, (4, 2) to (13, 8), both ends included.
        EXPECT_EQ(target.paintedBox(), CRect(4, 2, 14, 9));
        EXPECT_EQ(target.pixel(13, 8), c.border);
        EXPECT_EQ(target.pixel(4, 2), c.border);
        EXPECT_EQ(target.pixel(8, 5), c.inside);
    }
}

TEST_F(PixelTest, AColourComponentIsCutToItsLowByteOnTheSurface)
{
    vestSetFillColor(vest, 300, 256 + 7, -1, 255); // 300 = 256 + 44; -1 is 0xFF
    vestDrawRect(vest, 0, 0, 2, 2, 1);
    EXPECT_EQ(surface.pixel(1, 1), ARGB{0xFF2C07FF});
}

// A 6 × 4 image whose every pixel tells its place: red 40 x, green 60 y.
uint32_t placeColour(int x, int y)
{
    return static_cast<uint32_t>(40 * x) << 16 | static_cast<uint32_t>(60 * y) << 8 | 0x80;
}

class BitmapPixelTest : public PixelTest {
protected:
    BitmapPixelTest()
    {
        vestLoadBitmapFile(handle, writeBmp(files.path(), "vest_places.bmp", 6, 4, placeColour).c_str());
    }
    ~BitmapPixelTest() override { vestDeleteBitmap(handle); }

    ScratchFolder files{std::filesystem::temp_directory_path(), "vest-bitmaps"};
    VestBitmapHandle* handle = vestNewBitmap();
};

// The rectangle (10.7, 5.2) to (13.9, 7.9) with source offset (2.6, 1.4)
// truncates to a 3 × 2 destination at (10, 5) taking the image's pixels
// from (2, 1): width trunc(3.2), height trunc(2.7).
TEST_F(BitmapPixelTest, ABitmapLandsAtTheTruncatedRectangleFromItsSourceOffset)
{
    ASSERT_EQ(vestGetBitmapWidth(handle), 6.0);
    for (auto draw : {vestDrawBitmap, vestDrawBitmapTransparent}) {
        Surface target(20, 12);
        vest->drawContext = &target;
        ASSERT_TRUE(draw(handle, vest, 10.7, 5.2, 13.9, 7.9, 2.6, 1.4));
        EXPECT_EQ(target.paintedBox(), CRect(10, 5, 13, 7));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(target.pixel(10 + x, 5 + y), 0xFF000000 | placeColour(2 + x, 1 + y)) << x << ", " << y;
    }
}

TEST_F(BitmapPixelTest, AnAlphaScalesEveryPixelsOpacity)
{
    ASSERT_TRUE(vestDrawBitmapAlpha(handle, vest, 10, 5, 13, 7, 2, 1, 128));
    EXPECT_EQ(surface.paintedBox(), CRect(10, 5, 13, 7));
    for (int y = 5; y < 7; ++y) {
        for (int x = 10; x < 13; ++x) {
            // An opaque source pixel keeps 128 / 255 of its opacity.
            EXPECT_NEAR(alphaOf(surface.pixel(x, y)), 128, 1) << x << ", " << y;
        }
    }
}

// Text drawn by GDI+ itself where the rules put it: the font made from face
// and pixel size as the toolkit makes it, the line box ending one pixel
// below the given bottom line.
class TextReference {
public:
    TextReference(const wchar_t* face, float size)
    {
        GpFontFamily* family = nullptr;
        GdipCreateFontFamilyFromName(face, nullptr, &family);
        GdipCreateFont(family, size, FontStyleRegular, UnitPixel, &font);
        GdipDeleteFontFamily(family);
    }
    ~TextReference() { GdipDeleteFont(font); }
    TextReference(const TextReference&) = delete;
    TextReference& operator=(const TextReference&) = delete;

    // Width of the text as GDI+ measures it on a fresh surface.
    float width(const wchar_t* text)
    {
        Surface fresh(120, 40);
        RectF box;
        const RectF layout(0, 0, 0, 0);
        GdipMeasureString(fresh.getGraphics()->get(), text, -1, font, &layout, nullptr, &box, nullptr, nullptr);
        return box.Width;
    }

    // Draws the text with its bottom line at y on a new surface's twin.
    void draw(Surface& target, const wchar_t* text, float x, float y, ARGB colour, bool antialias)
    {
        GpGraphics* graphics = target.getGraphics()->get();
        REAL dpi = 0, lineHeight = 0;
        GdipGetDpiY(graphics, &dpi);
        GdipGetFontHeightGivenDPI(font, dpi, &lineHeight);
        GdipSetTextRenderingHint(graphics,
                                 antialias ? TextRenderingHintClearTypeGridFit : TextRenderingHintSystemDefault);
        GpSolidFill* brush = nullptr;
        GdipCreateSolidFill(colour, &brush);
        const RectF layout(x, y + 1 - lineHeight, 0, 0);
        GdipDrawString(graphics, text, -1, font, &layout, nullptr, brush);
        GdipDeleteBrush(brush);
    }

private:
    GpFont* font = nullptr;
};

// In the rectangle (10, 12) to (110, 32) with a 12-pixel font the bottom
// line is 32 - (20 / 2 - 12 / 2 + 1) = 27; x is the left edge, the right
// edge less the width, or the middle less half the width.
TEST_F(PixelTest, TextStandsWhereItsAlignmentAndTheFontSizePutIt)
{
    TextReference arial(L"Arial", 12);
    const float width = arial.width(L"Hi");
    ASSERT_GT(width, 0) << "the Wine prefix maps Arial to an installed face";
    struct Case {
        int32_t align;
        float x;
    } const cases[] = {{0, 10}, {1, 60 - width / 2}, {2, 110 - width}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align);
        Surface target(120, 40);
        vest->drawContext = &target;
        vestSetFont(vest, "Arial", 12, 0);
        vestSetFontColor(vest, 255, 255, 0, 255);
        ASSERT_EQ(vestDrawString(vest, "Hi", 10, 12, 110, 32, true, c.align), 1);

        Surface expected(120, 40);
        arial.draw(expected, L"Hi", c.x, 27, 0xFFFFFF00, true);
        EXPECT_NE(target.paintedBox(), CRect());
        EXPECT_TRUE(target.samePixelsAs(expected));
        // Opaque or not, no background is painted.
        EXPECT_EQ(target.pixel(11, 13), kTransparent);
    }
}

TEST_F(PixelTest, Utf8TextAtAPointHasItsBottomLineThere)
{
    TextReference arial(L"Arial", 12);
    for (bool antialias : {true, false}) {
        SCOPED_TRACE(antialias);
        Surface target(120, 40);
        vest->drawContext = &target;
        vestSetFont(vest, "Arial", 12, 0);
        vestSetFontColor(vest, 255, 255, 0, 255);
        ASSERT_EQ(vestDrawStringAt(vest, "H\xC3\xBC", 7.5, 30, antialias), 1); // "Hü"

        Surface expected(120, 40);
        arial.draw(expected, L"H\u00FC", 7.5f, 30, 0xFFFFFF00, antialias);
        EXPECT_NE(target.paintedBox(), CRect());
        EXPECT_TRUE(target.samePixelsAs(expected));
    }
}

TEST_F(PixelTest, Utf8TextInARectangleFollowsTheSameRules)
{
    TextReference arial(L"Arial", 12);
    const float width = arial.width(L"Hi");
    Surface expected(120, 40);
    arial.draw(expected, L"Hi", 110 - width, 27, 0xFFFFFF00, false);
    vestSetFont(vest, "Arial", 12, 0);
    vestSetFontColor(vest, 255, 255, 0, 255);
    ASSERT_EQ(vestDrawStringInRect(vest, "Hi", 10, 12, 110, 32, 2, false), 1);
    EXPECT_NE(surface.paintedBox(), CRect());
    EXPECT_TRUE(surface.samePixelsAs(expected));
}

} // namespace
