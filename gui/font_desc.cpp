#include "font_desc.h"

#include <cctype>
#include <cstring>
#include <initializer_list>
#include <string>

namespace VSTGUI {

namespace {
void noPlatformFont(PlatformFont*) {}
} // namespace

CFontDesc::CFontDesc(const char* name, const CCoord& size, int32_t style)
    : size(size), style(style), platformFont(nullptr, noPlatformFont)
{
    setName(name);
}

CFontDesc::CFontDesc(const CFontDesc& other) : CBaseObject(), platformFont(nullptr, noPlatformFont)
{
    *this = other;
}

CFontDesc& CFontDesc::operator=(const CFontDesc& other)
{
    setName(other.getName());
    size = other.size;
    freePlatformFont();
    style = other.style;
    freePlatformFont();
    return *this;
}

CFontDesc::~CFontDesc()
{
    freePlatformFont();
}

void CFontDesc::setName(const char* newName)
{
    if (newName && name && std::strcmp(newName, name->c_str()) == 0)
        return;
    if (newName)
        name = std::string(newName);
    else
        name.reset();
    freePlatformFont();
}

void CFontDesc::setSize(CCoord newSize)
{
    size = newSize;
    freePlatformFont();
}

void CFontDesc::setStyle(int32_t newStyle)
{
    style = newStyle;
    freePlatformFont();
}

bool CFontDesc::operator==(const CFontDesc& other) const
{
    return name == other.name && size == other.size && style == other.style;
}

void CFontDesc::freePlatformFont()
{
    platformFont.reset();
}

namespace {

std::string lowerCase(const char* text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Whether one of the words is a whole word of the lower-case name, so that
// "Monotype Corsiva" does not say "mono". Words end at the C locale's white
// space, whatever locale the host has set; a string stream would split the
// same way but drags the whole stream and locale library into the plug-in.
bool hasWord(const std::string& lower, std::initializer_list<const char*> words)
{
    static const char kWhiteSpace[] = " \t\n\v\f\r";
    for (auto start = lower.find_first_not_of(kWhiteSpace); start != std::string::npos;) {
        const auto end = lower.find_first_of(kWhiteSpace, start);
        const std::string word = lower.substr(start, end - start);
        for (const char* wanted : words)
            if (word == wanted)
                return true;
        start = lower.find_first_not_of(kWhiteSpace, end);
    }
    return false;
}

} // namespace

bool isMonospacedFace(const char* faceName)
{
    if (!faceName)
        return false;
    static const char* const monospacedFaces[] = {
        "courier new", "courier", "consolas", "lucida console", "lucida sans typewriter", "fixedsys", "terminal",
    };
    const std::string lower = lowerCase(faceName);
    for (const char* face : monospacedFaces)
        if (lower == face)
            return true;
    return hasWord(lower, {"mono", "monospace", "monospaced"});
}

int chooseFallbackFamily(const std::vector<InstalledFamily>& families, bool monospaced)
{
    // Lower ranks are better; the first family of the best rank wins.
    constexpr int kUnusable = 3;
    const auto rankOf = [monospaced](const InstalledFamily& family) {
        if (family.symbol)
            return kUnusable;
        const bool saysMono = isMonospacedFace(family.name.c_str());
        const bool saysSans = hasWord(lowerCase(family.name.c_str()), {"sans"});
        if (monospaced)
            return saysMono ? 0 : saysSans ? 1 : 2;
        // Proportional text would rather take any proportional family than
        // a monospaced one.
        return saysMono ? 2 : saysSans ? 0 : 1;
    };
    int chosen = -1;
    int chosenRank = kUnusable;
    for (size_t i = 0; i < families.size(); ++i) {
        const int rank = rankOf(families[i]);
        if (rank < chosenRank) {
            chosen = static_cast<int>(i);
            chosenRank = rank;
        }
    }
    return chosen;
}

namespace {
CFontDesc systemFont("Arial", 12, 0);
CFontDesc normalFontVeryBig("Arial", 18, 0);
CFontDesc normalFontBig("Arial", 14, 0);
CFontDesc normalFont("Arial", 12, 0);
CFontDesc normalFontSmall("Arial", 11, 0);
CFontDesc normalFontSmaller("Arial", 10, 0);
CFontDesc normalFontVerySmall("Arial", 9, 0);
CFontDesc symbolFont("Symbol", 13, 0);
} // namespace

CFontDesc* const kSystemFont = &systemFont;
CFontDesc* const kNormalFontVeryBig = &normalFontVeryBig;
CFontDesc* const kNormalFontBig = &normalFontBig;
CFontDesc* const kNormalFont = &normalFont;
CFontDesc* const kNormalFontSmall = &normalFontSmall;
CFontDesc* const kNormalFontSmaller = &normalFontSmaller;
CFontDesc* const kNormalFontVerySmall = &normalFontVerySmall;
CFontDesc* const kSymbolFont = &symbolFont;

CFontDesc* const kPredefinedFonts[kNbPredefinedFonts] = {
    &systemFont,      &normalFontVeryBig, &normalFontBig,       &normalFont,
    &normalFontSmall, &normalFontSmaller, &normalFontVerySmall, &symbolFont,
};

} // namespace VSTGUI
