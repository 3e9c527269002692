#include "font_family_names.h"

#include "gui/draw_context.h"

#include "gdiplus_test_support.h"

namespace VSTGUI {
namespace test {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

std::wstring nameOf(GpFontFamily* family)
{
    WCHAR name[LF_FACESIZE] = {};
    if (family)
        GdipGetFamilyName(family, name, LANG_NEUTRAL);
    return name;
}

// The name of a family GDI+ handed out, which then goes.
std::wstring nameOfHandedFamily(GpFontFamily* family)
{
    const std::wstring name = nameOf(family);
    if (family)
        GdipDeleteFontFamily(family);
    return name;
}

} // namespace

std::wstring familyOf(GpFont* font)
{
    GpFontFamily* family = nullptr;
    if (font)
        GdipGetFamily(font, &family);
    return nameOfHandedFamily(family);
}

std::wstring familyNamed(const wchar_t* face)
{
    GpFontFamily* family = nullptr;
    GdipCreateFontFamilyFromName(face, nullptr, &family);
    return nameOfHandedFamily(family);
}

std::wstring genericFamily(GpStatus(WINGDIPAPI* generic)(GpFontFamily**))
{
    GpFontFamily* family = nullptr;
    generic(&family);
    return nameOfHandedFamily(family);
}

std::vector<std::wstring> installedFamilies()
{
    // The collection and the families it lists belong to GDI+.
    GpFontCollection* installed = nullptr;
    INT count = 0;
    GdipNewInstalledFontCollection(&installed);
    GdipGetFontCollectionFamilyCount(installed, &count);
    std::vector<GpFontFamily*> families(static_cast<size_t>(count > 0 ? count : 0));
    INT found = 0;
    if (count > 0)
        GdipGetFontCollectionFamilyList(installed, count, families.data(), &found);
    std::vector<std::wstring> names;
    for (INT i = 0; i < found; ++i)
        names.push_back(nameOf(families[static_cast<size_t>(i)]));
    return names;
}

std::wstring familyDrawn(CFontDesc& font)
{
    Surface surface(120, 40);
    surface.setFont(&font, 0, -1);
    surface.drawString("Hello", CRect(0, 0, 120, 40), 0, kLeftText);
    EXPECT_NE(surface.paintedBox(), CRect()) << "no text drawn";
    return familyOf(font.getPlatformFont()->get());
}

} // namespace test
} // namespace VSTGUI
