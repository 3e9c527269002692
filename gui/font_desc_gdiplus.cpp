#include "font_desc_gdiplus.h"

#include "font_desc.h"
#include "gdiplus_globals.h"
#include "gdiplus_object.h"

#include <cstdlib>
#include <set>
#include <vector>

namespace VSTGUI {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Descriptions holding a GDI+ font. Never destroyed: the predefined
// descriptions release their fonts during static destruction, in an order
// relative to this file's statics that nothing fixes.
std::set<CFontDesc*>& descriptionsWithFont()
{
    static auto* descriptions = new std::set<CFontDesc*>();
    return *descriptions;
}

struct OwnedPlatformFont : PlatformFont {
    explicit OwnedPlatformFont(CFontDesc* owner) : owner(owner)
    {
        std::lock_guard<std::recursive_mutex> guard(GDIPlusGlobals::stateLock());
        descriptionsWithFont().insert(owner);
    }
    ~OwnedPlatformFont()
    {
        std::lock_guard<std::recursive_mutex> guard(GDIPlusGlobals::stateLock());
        descriptionsWithFont().erase(owner);
    }
    CFontDesc* const owner;
};

void releasePlatformFont(PlatformFont* font)
{
    delete static_cast<OwnedPlatformFont*>(font);
}

// GDI+ takes one style: the first of underline, italic, bold that is set.
INT gdiplusStyle(int32_t style)
{
    if (style & kUnderlineFace)
        return FontStyleUnderline;
    if (style & kItalicFace)
        return FontStyleItalic;
    if (style & kBoldFace)
        return FontStyleBold;
    return FontStyleRegular;
}

constexpr size_t kFaceNameCapacity = 200;

// The installed family of that name, else one GDI+ always has, so that text
// never vanishes where a face is missing: monospaced for a face known to be
// monospaced, sans-serif for any other and wherever no monospaced one is.
bool findFamily(const wchar_t* faceName, bool monospaced, GdiFontFamily& family)
{
    return family.record(GdipCreateFontFamilyFromName(faceName, nullptr, family.receive()))
        || (monospaced && family.record(GdipGetGenericFontFamilyMonospace(family.receive())))
        || family.record(GdipGetGenericFontFamilySansSerif(family.receive()));
}

} // namespace

PlatformFont* CFontDesc::getPlatformFont()
{
    if (platformFont)
        return platformFont.get();

    auto* font = new OwnedPlatformFont(this);
    platformFont = PlatformFontPtr(font, releasePlatformFont);
    if (!name)
        return font;

    // A face name that does not fit loses its tail; the last slot is always
    // left for the zero that ends the wide string.
    wchar_t faceName[kFaceNameCapacity] = {};
    if (std::mbstowcs(faceName, name->c_str(), kFaceNameCapacity - 1) == static_cast<size_t>(-1))
        faceName[0] = 0;
    faceName[kFaceNameCapacity - 1] = 0;

    // The family goes when this returns: the font keeps what it needs.
    GdiFontFamily family;
    if (findFamily(faceName, isMonospacedFace(name->c_str()), family))
        font->record(
            GdipCreateFont(family.get(), static_cast<REAL>(size), gdiplusStyle(style), UnitPixel, font->receive()));
    return font;
}

void freePlatformFontsBeforeShutdown()
{
    std::lock_guard<std::recursive_mutex> guard(GDIPlusGlobals::stateLock());
    for (CFontDesc* predefined : kPredefinedFonts)
        predefined->freePlatformFont();
    const std::vector<CFontDesc*> others(descriptionsWithFont().begin(), descriptionsWithFont().end());
    for (CFontDesc* description : others)
        description->freePlatformFont();
}

} // namespace VSTGUI
