#include "gui/draw_context.h"
#include "gui/font_desc.h"

#include "font_family_names.h"
#include "gdiplus_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace VSTGUI {
namespace test {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// The Wine prefix maps "Arial" to Liberation Sans, "Courier New" to
// Liberation Mono and "Times New Roman" to Liberation Serif; the test run
// maps the face of GDI+'s generic sans-serif family to Liberation Sans.
class TextTest : public GdiPlusTest {
protected:
    TextTest() : surface(120, 40) {}

    CCoord widthIn(const char* face, const char* text)
    {
        CFontDesc font(face, 12, 0);
        surface.setFont(&font, 0, -1);
        const CCoord width = surface.getStringWidth(text);
        surface.setFont(kSystemFont, 0, -1);
        return width;
    }

    Surface surface;
};

TEST_F(TextTest, MeasuresWithTheMappedFaces)
{
    EXPECT_GT(widthIn("Arial", "Hello"), 0);
    // Proportional against monospaced.
    EXPECT_LT(widthIn("Arial", "iiii"), widthIn("Arial", "WWWW"));
    EXPECT_EQ(widthIn("Courier New", "iiii"), widthIn("Courier New", "WWWW"));
    EXPECT_EQ(surface.getStringWidthUTF8(""), 0);
    EXPECT_EQ(surface.getStringWidthUTF8(nullptr), -1);
    EXPECT_EQ(surface.getStringWidth("Hello"), surface.getStringWidthUTF8("Hello"));
}

// Text never vanishes: a face that is not installed gets GDI+'s generic
// sans-serif family, until an installed face takes its place.
TEST_F(TextTest, AFaceThatIsNotInstalledFallsBackToTheGenericSansSerif)
{
    const std::wstring sansSerif = genericFamily(GdipGetGenericFontFamilySansSerif);
    ASSERT_NE(sansSerif, L"") << "the test run maps the generic sans-serif face to an installed one";
    for (const std::string& face : {std::string("No Such Face"), std::string(250, 'A')}) {
        SCOPED_TRACE(face.substr(0, 20));
        CFontDesc font(face.c_str(), 12, 0);
        Surface target(120, 40);
        target.setFont(&font, 0, -1);
        EXPECT_GT(target.getStringWidth("Hello"), 0);
        target.drawString("Hello", CRect(0, 0, 120, 40), 0, kLeftText);
        EXPECT_NE(target.paintedBox(), CRect());
        EXPECT_EQ(familyOf(font.getPlatformFont()->get()), sansSerif);

        font.setName("Times New Roman");
        EXPECT_EQ(familyOf(font.getPlatformFont()->get()), familyNamed(L"Times New Roman"));
    }
}

TEST_F(TextTest, AMonospacedFaceThatIsNotInstalledFallsBackToTheGenericMonospace)
{
    EXPECT_GT(widthIn("Nowhere Mono", "iiii"), 0);
    EXPECT_EQ(widthIn("Nowhere Mono", "iiii"), widthIn("Nowhere Mono", "WWWW"));
    EXPECT_GT(widthIn("Nowhere Sans", "iiii"), 0);
    EXPECT_LT(widthIn("Nowhere Sans", "iiii"), widthIn("Nowhere Sans", "WWWW"));

    CFontDesc font("Nowhere Mono", 12, 0);
    EXPECT_EQ(familyOf(font.getPlatformFont()->get()), genericFamily(GdipGetGenericFontFamilyMonospace));
}

TEST_F(TextTest, PointIsTheBottomOfTheTextLine)
{
    REAL dpi = 0;
    REAL lineHeight = 0;
    GdipGetDpiY(surface.getGraphics()->get(), &dpi);
    PlatformFont* font = kSystemFont->getPlatformFont();
    GdipGetFontHeightGivenDPI(font->get(), dpi, &lineHeight);
    ASSERT_GT(lineHeight, 10);

    surface.drawStringUTF8("Hg", CPoint(2, 15), true);
    const CRect ink = surface.paintedBox();
    EXPECT_LE(ink.bottom, 16);
    EXPECT_GE(ink.bottom, 13); // the descender of g comes close to the end

    // The line box starts at 15 + 1 - lineHeight: the same text drawn there
    // by GDI+ itself gives the same pixels.
    Surface reference(120, 40);
    GpSolidFill* white = nullptr;
    GdipCreateSolidFill(0xFFFFFFFF, &white);
    GdipSetTextRenderingHint(reference.getGraphics()->get(), TextRenderingHintClearTypeGridFit);
    const RectF layout(2, 15 + 1 - lineHeight, 0, 0);
    GdipDrawString(reference.getGraphics()->get(), L"Hg", -1, font->get(), &layout, nullptr, white);
    GdipDeleteBrush(white);
    EXPECT_TRUE(surface.samePixelsAs(reference));

    Surface lower(120, 40);
    lower.drawStringUTF8("Hg", CPoint(2, 18), true);
    EXPECT_TRUE(lower.samePixelsAsShifted(surface, 0, 3));
}

// In a rectangle, text lands at y = bottom - (height / 2 - size / 2 + 1): for
// (0, 0, 100, 20) and a 12-pixel font, y = 15; x follows the alignment.
TEST_F(TextTest, RectangleTextUsesTheVerticalFormulaAndTheAlignment)
{
    const CRect rect(0, 0, 100, 20);
    const CCoord width = surface.getStringWidth("Hello");
    struct Case {
        CHoriTxtAlign align;
        CCoord x;
    } const cases[] = {
        {kLeftText, 0},
        {kRightText, 100 - width},
        {kCenterText, 50 - width / 2},
        {static_cast<CHoriTxtAlign>(7), 50 - width / 2}, // any other value centres
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        Surface inRect(120, 40);
        inRect.drawString("Hello", rect, 0, c.align);
        Surface atPoint(120, 40);
        atPoint.drawStringUTF8("Hello", CPoint(c.x, 15), true);
        EXPECT_NE(inRect.paintedBox(), CRect());
        EXPECT_TRUE(inRect.samePixelsAs(atPoint));
    }
}

TEST_F(TextTest, RectangleTextFollowsTheDescriptionsNominalSize)
{
    CFontDesc big("Arial", 18, 0);
    Surface inRect(120, 40);
    inRect.setFont(&big, 0, -1);
    // y = 40 - (20 - 9 + 1) = 28
    inRect.drawStringUTF8("Hello", CRect(0, 0, 100, 40), kLeftText, false);
    Surface atPoint(120, 40);
    atPoint.setFont(&big, 0, -1);
    atPoint.drawStringUTF8("Hello", CPoint(0, 28), false);
    EXPECT_NE(inRect.paintedBox(), CRect());
    EXPECT_TRUE(inRect.samePixelsAs(atPoint));
}

TEST_F(TextTest, RectangleTextIsClippedAndTheClipRestored)
{
    surface.setClipRect(CRect(0, 0, 30, 40));
    surface.drawString("WWWWWW", CRect(20, 0, 100, 20), 0, kLeftText);
    const CRect ink = surface.paintedBox();
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 30);

    CRect clip;
    EXPECT_EQ(surface.getClipRect(clip), CRect(0, 0, 30, 40));
    surface.setFillColor(kRed);
    surface.fillRect(CRect(0, 0, 120, 40));
    EXPECT_EQ(surface.paintedBox(), CRect(0, 0, 30, 40));
}

TEST_F(TextTest, OpaqueTextPaintsNoBackground)
{
    surface.drawString("Hello", CRect(0, 0, 100, 20), 1, kLeftText);
    Surface transparent(120, 40);
    transparent.drawString("Hello", CRect(0, 0, 100, 20), 0, kLeftText);
    EXPECT_TRUE(surface.samePixelsAs(transparent));
    EXPECT_EQ(surface.pixel(99, 1), kTransparent);
}

TEST_F(TextTest, TextTakesTheFontColourAndTheOffset)
{
    surface.setFontColor(kRed);
    surface.drawStringUTF8("H", CPoint(2, 15), false);
    Surface shifted(120, 40);
    shifted.setFontColor(kRed);
    shifted.setOffset(CPoint(10, 4));
    shifted.drawStringUTF8("H", CPoint(2, 15), false);
    EXPECT_TRUE(shifted.samePixelsAsShifted(surface, 10, 4));

    const CRect ink = surface.paintedBox();
    bool anyRed = false;
    for (int y = static_cast<int>(ink.top); y < ink.bottom; ++y)
        for (int x = static_cast<int>(ink.left); x < ink.right; ++x)
            anyRed |= surface.pixel(x, y) == kRedArgb;
    EXPECT_TRUE(anyRed);
}

TEST_F(TextTest, NullTextDrawsNothing)
{
    surface.drawString(nullptr, CRect(0, 0, 100, 20), 0, kLeftText);
    surface.drawStringUTF8(nullptr, CPoint(2, 15), true);
    surface.drawStringUTF8(nullptr, CRect(0, 0, 100, 20), kLeftText, true);
    EXPECT_EQ(surface.paintedBox(), CRect());
}

using PlatformFontTest = GdiPlusTest;

TEST_F(PlatformFontTest, TakesOneGdiplusStyleForTheStyleBits)
{
    struct Case {
        int32_t style;
        INT gdiplusStyle;
    } const cases[] = {
        {0, FontStyleRegular},
        {kBoldFace, FontStyleBold},
        {kItalicFace, FontStyleItalic},
        {kBoldFace | kItalicFace, FontStyleItalic},
        {kUnderlineFace | kBoldFace, FontStyleUnderline},
        {kUnderlineFace | kItalicFace | kBoldFace, FontStyleUnderline},
        {0x100, FontStyleRegular}, // unknown bits are ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        CFontDesc font("Arial", 12, c.style);
        INT style = -1;
        GdipGetFontStyle(font.getPlatformFont()->get(), &style);
        EXPECT_EQ(style, c.gdiplusStyle);
    }
}

// Installed faces other than the generic families' own, monospaced or not.
TEST_F(PlatformFontTest, AnInstalledFaceIsTheOneUsed)
{
    for (const wchar_t* face : {L"DejaVu Sans Mono", L"Courier New", L"DejaVu Sans", L"Times New Roman"}) {
        char narrow[64];
        std::snprintf(narrow, sizeof(narrow), "%ls", face);
        SCOPED_TRACE(narrow);
        ASSERT_NE(familyNamed(face), L"");
        CFontDesc font(narrow, 12, 0);
        EXPECT_EQ(familyOf(font.getPlatformFont()->get()), familyNamed(face));
    }
}

TEST_F(PlatformFontTest, SizeIsInPixels)
{
    CFontDesc font("Arial", 12, 0);
    REAL size = 0;
    Unit unit = UnitWorld;
    GdipGetFontSize(font.getPlatformFont()->get(), &size);
    GdipGetFontUnit(font.getPlatformFont()->get(), &unit);
    EXPECT_EQ(size, 12.0f);
    EXPECT_EQ(unit, UnitPixel);
}

TEST_F(PlatformFontTest, IsMadeOnceAndDroppedOnChange)
{
    CFontDesc font("Arial", 12, 0);
    PlatformFont* made = font.getPlatformFont();
    ASSERT_TRUE(font.hasPlatformFont());
    EXPECT_EQ(font.getPlatformFont(), made);

    font.setName("Arial"); // the same name keeps it
    EXPECT_TRUE(font.hasPlatformFont());

    struct Change {
        const char* what;
        void (*apply)(CFontDesc&);
    } const changes[] = {
        {"setName", [](CFontDesc& f) { f.setName("Courier New"); }},
        {"setSize unchanged", [](CFontDesc& f) { f.setSize(f.getSize()); }},
        {"setStyle unchanged", [](CFontDesc& f) { f.setStyle(f.getStyle()); }},
        {"assignment", [](CFontDesc& f) { f = CFontDesc("Arial", 12, 0); }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        font.getPlatformFont();
        change.apply(font);
        EXPECT_FALSE(font.hasPlatformFont());
        EXPECT_NE(font.getPlatformFont()->get(), nullptr);
    }
}

} // namespace
} // namespace test
} // namespace VSTGUI
