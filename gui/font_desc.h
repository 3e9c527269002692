#pragma once

#include "base_object.h"
#include "geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace VSTGUI {

// Style bits; other bits are stored and ignored.
enum CTxtFace : int32_t {
    kBoldFace = 1,
    kItalicFace = 2,
    kUnderlineFace = 4,
};

// The drawing layer's font for a description. Only that layer makes and
// releases one, so the description keeps the layer's releaser beside it and
// itself stays free of platform calls.
struct PlatformFont;
using PlatformFontPtr = std::unique_ptr<PlatformFont, void (*)(PlatformFont*)>;

// A font by face name, em size in pixels and style bits. The platform font is
// made on first use and dropped on every change of name, size or style, so a
// description may outlive one start of the drawing layer and make its font
// again after the next. [GUI thread]
class CFontDesc : public CBaseObject {
public:
    CFontDesc(const char* name, const CCoord& size, int32_t style);
    CFontDesc(const CFontDesc& other);
    CFontDesc& operator=(const CFontDesc& other);
    ~CFontDesc() override;

    // The same name (byte-wise) keeps the platform font; null clears the name.
    void setName(const char* name);
    // Size and style drop the platform font even when unchanged.
    void setSize(CCoord size);
    void setStyle(int32_t style);

    // Null when the description has no name.
    const char* getName() const { return name ? name->c_str() : nullptr; }
    CCoord getSize() const { return size; }
    int32_t getStyle() const { return style; }

    bool operator==(const CFontDesc& other) const;
    bool operator!=(const CFontDesc& other) const { return !(*this == other); }

    // Made on first call and kept; never null afterwards, though it may hold no
    // native font (no name, or no font installed at all). A face that is not
    // installed gets a generic family of the drawing layer, or where the
    // system lacks those too, an installed one that is no symbol face
    // (chooseFallbackFamily). Defined by the drawing layer.
    PlatformFont* getPlatformFont();
    void freePlatformFont();
    bool hasPlatformFont() const { return platformFont != nullptr; }

private:
    std::optional<std::string> name;
    CCoord size = 0;
    int32_t style = 0;
    PlatformFontPtr platformFont;
};

// Whether a face name, in any letter case, is one of the well-known
// monospaced faces or has "Mono" as a word, as the free monospaced families
// do. The name is all there is to go by for a face that is not installed,
// and such a face falls back to a monospaced family. [any thread]
bool isMonospacedFace(const char* faceName);

// A family of the system's installed collection, as the last font fallback
// sees it: its name, and whether it is a symbol face, whose codes draw
// pictures rather than letters.
struct InstalledFamily {
    std::string name;
    bool symbol = false;
};

// The family, as an index into the collection's families, that a face takes
// where neither it nor a generic family is installed; -1 where every family
// is a symbol face, since pictures are no text. A symbol face is never taken.
// A monospaced face takes the first family whose name says monospaced (as
// isMonospacedFace), else the first whose name has the word "Sans", else the
// first other one; any other face the first Sans family that is not
// monospaced, else the first family that is not monospaced, else the first
// one left. [any thread]
int chooseFallbackFamily(const std::vector<InstalledFamily>& families, bool monospaced);

// Built at library load in this order and destroyed at unload; their first
// reference is never dropped. kSystemFont is every new draw context's font.
extern CFontDesc* const kSystemFont;
extern CFontDesc* const kNormalFontVeryBig;
extern CFontDesc* const kNormalFontBig;
extern CFontDesc* const kNormalFont;
extern CFontDesc* const kNormalFontSmall;
extern CFontDesc* const kNormalFontSmaller;
extern CFontDesc* const kNormalFontVerySmall;
extern CFontDesc* const kSymbolFont;

constexpr int kNbPredefinedFonts = 8;
// The eight above, in construction order.
extern CFontDesc* const kPredefinedFonts[kNbPredefinedFonts];

} // namespace VSTGUI
