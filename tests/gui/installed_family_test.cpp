// Run in a Wine prefix whose fontconfig sees only the DejaVu fonts: none of
// the faces that the plug-in names or that GDI+'s generic families name is
// installed, and text must still be drawn.
#include "gui/draw_context.h"
#include "gui/font_desc.h"

#include "font_family_names.h"
#include "gdiplus_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace VSTGUI {
namespace test {
namespace {

using namespace Gdiplus::DllExports;

class OnlyDejaVuInstalledTest : public GdiPlusTest {
protected:
    void SetUp() override
    {
        const std::vector<std::wstring> installed = installedFamilies();
        ASSERT_FALSE(installed.empty());
        for (const std::wstring& family : installed)
            ASSERT_EQ(family.rfind(L"DejaVu", 0), 0u) << "the prefix shows other fonts than DejaVu";
        ASSERT_EQ(genericFamily(GdipGetGenericFontFamilySansSerif), L"");
        ASSERT_EQ(genericFamily(GdipGetGenericFontFamilyMonospace), L"");
        // Else the cases below could not tell a preferred family from the
        // first one.
        ASSERT_NE(installed.front(), L"DejaVu Sans");
        ASSERT_NE(installed.front(), L"DejaVu Sans Mono");
    }
};

TEST_F(OnlyDejaVuInstalledTest, AMissingFaceTakesTheInstalledSansFamily)
{
    for (const char* face : {"Arial", "verdana", "No Such Face", ""}) {
        SCOPED_TRACE(face);
        CFontDesc font(face, 12, 0);
        EXPECT_EQ(familyDrawn(font), L"DejaVu Sans");
    }
}

TEST_F(OnlyDejaVuInstalledTest, AMissingMonospacedFaceTakesTheInstalledMonoFamily)
{
    for (const char* face : {"Courier New", "Nowhere Mono"}) {
        SCOPED_TRACE(face);
        CFontDesc font(face, 12, 0);
        EXPECT_EQ(familyDrawn(font), L"DejaVu Sans Mono");

        Surface surface(120, 40);
        surface.setFont(&font, 0, -1);
        EXPECT_GT(surface.getStringWidth("iiii"), 0);
        EXPECT_EQ(surface.getStringWidth("iiii"), surface.getStringWidth("WWWW"));
    }
}

TEST_F(OnlyDejaVuInstalledTest, AnInstalledFaceIsStillTheOneUsed)
{
    for (const char* face : {"DejaVu Serif", "DejaVu Sans Mono", "DejaVu Sans"}) {
        SCOPED_TRACE(face);
        CFontDesc font(face, 12, 0);
        EXPECT_EQ(familyDrawn(font), std::wstring(face, face + std::char_traits<char>::length(face)));
    }
}

} // namespace
} // namespace test
} // namespace VSTGUI
