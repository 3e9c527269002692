#include "gui/font_desc.h"

#include <gtest/gtest.h>

#include <string>

namespace VSTGUI {
namespace {

TEST(FontDescTests, KeepsACopyOfTheName)
{
    std::string name = "Arial";
    CFontDesc font(name.c_str(), 12, kBoldFace);
    name[0] = 'X';
    EXPECT_STREQ(font.getName(), "Arial");
    EXPECT_EQ(font.getSize(), 12);
    EXPECT_EQ(font.getStyle(), kBoldFace);
    EXPECT_EQ(font.getNbReference(), 1);
}

TEST(FontDescTests, NullNameLeavesTheNameAbsent)
{
    CFontDesc font(nullptr, 12, 0);
    EXPECT_EQ(font.getName(), nullptr);
    font.setName("Arial");
    EXPECT_STREQ(font.getName(), "Arial");
    font.setName(nullptr);
    EXPECT_EQ(font.getName(), nullptr);
}

TEST(FontDescTests, OtherStyleBitsAreStored)
{
    CFontDesc font("Arial", 12, 0);
    font.setStyle(kUnderlineFace | 0x100);
    EXPECT_EQ(font.getStyle(), kUnderlineFace | 0x100);
}

TEST(FontDescTests, EqualityComparesNameBytesSizeAndStyle)
{
    const CFontDesc arial("Arial", 12, 0);
    struct Case {
        const char* name;
        CCoord size;
        int32_t style;
        bool equal;
    } const cases[] = {
        {"Arial", 12, 0, true},   {"arial", 12, 0, false}, // letter case counts
        {"Arial ", 12, 0, false}, {"Arial", 12.5, 0, false}, {"Arial", 12, kBoldFace, false}, {nullptr, 12, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(no name)");
        const CFontDesc other(c.name, c.size, c.style);
        EXPECT_EQ(arial == other, c.equal);
        EXPECT_EQ(other == arial, c.equal);
    }
    EXPECT_EQ(CFontDesc(nullptr, 12, 0), CFontDesc(nullptr, 12, 0));
}

TEST(FontDescTests, CopyAndAssignmentTakeNameSizeAndStyle)
{
    const CFontDesc original("Courier New", 14, kItalicFace);
    const CFontDesc copy(original);
    EXPECT_EQ(copy, original);
    EXPECT_EQ(copy.getNbReference(), 1);

    CFontDesc assigned("Arial", 9, 0);
    assigned = original;
    EXPECT_EQ(assigned, original);
    EXPECT_STREQ(assigned.getName(), "Courier New");

    CFontDesc unnamed(nullptr, 1, 0);
    assigned = unnamed;
    EXPECT_EQ(assigned.getName(), nullptr);
}

TEST(FontDescTests, HasNoPlatformFontUntilOneIsNeeded)
{
    const CFontDesc font("Arial", 12, 0);
    EXPECT_FALSE(font.hasPlatformFont());
}

// Words are split at white space alone, as a stream reads them.
TEST(MonospacedFaceTests, KnowsTheWellKnownFacesAndTheWordMono)
{
    struct Case {
        const char* face;
        bool monospaced;
    } const cases[] = {
        {"Courier New", true},
        {"courier new", true},
        {"COURIER", true},
        {"Consolas", true},
        {"Lucida Console", true},
        {"Fixedsys", true},
        {"DejaVu Sans Mono", true},
        {"Nowhere Mono", true},
        {"monospace", true},
        {"Arial", false},
        {"verdana", false},
        {"Lucida Sans", false},
        {"Courier Newer", false},
        {"Monotype Corsiva", false},
        {"Harmonograph", false},
        {"", false},
        {"Nowhere\tMono", true},
        {"  Mono  ", true},
        {"Sans\r\nMonospaced", true},
        {"Nowhere\vMono\f", true},
        {"Nowhere-Mono", false},
        {"Nowhere_Mono", false},
        {"NowhereMono", false},
        {"Mono.", false},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face ? c.face : "(no name)");
        EXPECT_EQ(isMonospacedFace(c.face), c.monospaced);
    }
}

TEST(PredefinedFontTests, AreBuiltInOrderWithTheirFacesAndSizes)
{
    struct Case {
        CFontDesc* font;
        const char* face;
        CCoord size;
    } const expected[kNbPredefinedFonts] = {
        {kSystemFont, "Arial", 12},         {kNormalFontVeryBig, "Arial", 18}, {kNormalFontBig, "Arial", 14},
        {kNormalFont, "Arial", 12},         {kNormalFontSmall, "Arial", 11},   {kNormalFontSmaller, "Arial", 10},
        {kNormalFontVerySmall, "Arial", 9}, {kSymbolFont, "Symbol", 13},
    };
    for (int i = 0; i < kNbPredefinedFonts; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kPredefinedFonts[i], expected[i].font);
        EXPECT_STREQ(expected[i].font->getName(), expected[i].face);
        EXPECT_EQ(expected[i].font->getSize(), expected[i].size);
        EXPECT_EQ(expected[i].font->getStyle(), 0);
        EXPECT_EQ(expected[i].font->getNbReference(), 1);
    }
}

} // namespace
} // namespace VSTGUI
