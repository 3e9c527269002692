#include "gui/font_desc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(FallbackFamilyTests, SkipSymbolFacesAndPreferWhatTheFaceNeeds)
{
    // A family in a list is a name; a leading '!' marks a symbol face.
    struct Case {
        const char* what;
        std::vector<const char*> families;
        bool monospaced;
        int expected;
    } const cases[] = {
        {"a symbol face first", {"!Marlett", "Serif One", "Plain Sans"}, false, 2},
        {"a symbol face first, nothing named", {"!Marlett", "Serif One", "Serif Two"}, false, 1},
        {"Sans over an earlier family", {"Math Face", "Serif One", "Plain Sans"}, false, 2},
        {"Sans in any case", {"Math Face", "PLAIN SANS"}, false, 1},
        {"Sans only as a word", {"Math Face", "Sansation", "FreeSans", "Sans-Serif"}, false, 0},
        {"a Sans symbol face is no Sans", {"Serif One", "!Picture Sans", "Plain Sans"}, false, 2},
        {"no Sans Mono for proportional text", {"Plain Sans Mono", "Plain Sans"}, false, 1},
        {"any proportional before a Mono", {"Plain Sans Mono", "Serif One"}, false, 1},
        {"a Mono when nothing else", {"!Marlett", "Plain Sans Mono"}, false, 1},
        {"Mono for a monospaced face", {"Math Face", "Plain Sans", "Plain Sans Mono"}, true, 2},
        {"a well-known monospaced face", {"Plain Sans", "Courier New"}, true, 1},
        {"a Mono symbol face is no Mono", {"!Picture Mono", "Plain Sans Mono"}, true, 1},
        {"Sans where no Mono", {"Math Face", "Plain Sans"}, true, 1},
        {"the first left where neither", {"!Marlett", "Math Face", "Serif One"}, true, 1},
        {"only symbol faces", {"!Marlett", "!Webdings"}, false, -1},
        {"only symbol faces, monospaced", {"!Marlett", "!Picture Mono"}, true, -1},
        {"no family at all", {}, false, -1},
        {"a name without a narrow form", {"", "Serif One"}, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<InstalledFamily> families;
        for (const char* family : c.families)
            families.push_back(family[0] == '!' ? InstalledFamily{family + 1, true} : InstalledFamily{family, false});
        EXPECT_EQ(chooseFallbackFamily(families, c.monospaced), c.expected);
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
