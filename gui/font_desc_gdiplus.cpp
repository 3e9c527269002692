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

struct CharacterSetsSeen {
    bool symbol = false;
    bool other = false;
};

int CALLBACK noteCharacterSet(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM seen)
{
    auto* charsets = reinterpret_cast<CharacterSetsSeen*>(seen);
    (font->lfCharSet == SYMBOL_CHARSET ? charsets->symbol : charsets->other) = true;
    return 1;
}

// A symbol face is one that GDI offers in the symbol character set alone,
// which is what its font's own character map and code page range declare:
// names of picture fonts are an open set, their character set is not.
bool isSymbolFace(HDC dc, const WCHAR* name)
{
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, name, LF_FACESIZE);
    CharacterSetsSeen seen;
    EnumFontFamiliesExW(dc, &query, noteCharacterSet, reinterpret_cast<LPARAM>(&seen), 0);
    return seen.symbol && !seen.other;
}

// The installed families as chooseFallbackFamily weighs them. A name that
// has no narrow form in the current locale counts as saying nothing.
std::vector<InstalledFamily> describe(const std::vector<GpFontFamily*>& families)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    std::vector<InstalledFamily> described;
    for (GpFontFamily* family : families) {
        WCHAR wideName[LF_FACESIZE] = {};
        char name[kFaceNameCapacity] = {};
        GdipGetFamilyName(family, wideName, LANG_NEUTRAL);
        if (std::wcstombs(name, wideName, sizeof(name) - 1) == static_cast<size_t>(-1))
            name[0] = 0;
        described.push_back({name, dc && isSymbolFace(dc, wideName)});
    }
    if (dc)
        DeleteDC(dc);
    return described;
}

// The generic families name particular faces, and a system may have none
// of them: then an installed family, as chooseFallbackFamily picks it. The
// collection keeps its families; the one taken is cloned.
bool findInstalledFamily(bool monospaced, GdiFontFamily& family)
{
    GpFontCollection* installed = nullptr;
    INT count = 0;
    if (GdipNewInstalledFontCollection(&installed) != Ok || GdipGetFontCollectionFamilyCount(installed, &count) != Ok
        || count <= 0)
        return false;
    std::vector<GpFontFamily*> families(static_cast<size_t>(count));
    INT found = 0;
    if (GdipGetFontCollectionFamilyList(installed, count, families.data(), &found) != Ok || found <= 0)
        return false;
    families.resize(static_cast<size_t>(found));
    const int chosen = chooseFallbackFamily(describe(families), monospaced);
    return chosen >= 0
        && family.record(GdipCloneFontFamily(families[static_cast<size_t>(chosen)], family.receive()));
}

// The installed family of that name, else a generic one, so that text never
// vanishes where a face is missing: monospaced for a face known to be
// monospaced, sans-serif for any other and wherever no monospaced one is,
// and an installed family that draws letters where the generic ones name
// missing faces.
bool findFamily(const wchar_t* faceName, bool monospaced, GdiFontFamily& family)
{
    return family.record(GdipCreateFontFamilyFromName(faceName, nullptr, family.receive()))
        || (monospaced && family.record(GdipGetGenericFontFamilyMonospace(family.receive())))
        || family.record(GdipGetGenericFontFamilySansSerif(family.receive()))
        || findInstalledFamily(monospaced, family);
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
