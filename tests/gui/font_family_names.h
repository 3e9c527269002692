#pragma once

// Names of the font families GDI+ hands out, read back for the font tests.
// Each needs GDI+ running (GdiPlusTest).

#include "gui/font_desc.h"
#include "gui/gdiplus_object.h"

#include <string>
#include <vector>

namespace VSTGUI {
namespace test {

// The family of a font; empty for no font.
std::wstring familyOf(Gdiplus::GpFont* font);
// The installed family of that name; empty where none is.
std::wstring familyNamed(const wchar_t* face);
// One of GDI+'s generic families (GdipGetGenericFontFamilySansSerif, ...);
// empty where the faces it names are missing.
std::wstring genericFamily(Gdiplus::GpStatus(WINGDIPAPI* generic)(Gdiplus::GpFontFamily**));
// The families of GDI+'s installed font collection, in its order.
std::vector<std::wstring> installedFamilies();
// The family a description's font got, once it has drawn a word; the test
// fails where no text shows.
std::wstring familyDrawn(CFontDesc& font);

} // namespace test
} // namespace VSTGUI
