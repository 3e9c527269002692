#pragma once

#include "base_object.h"
#include "gdiplus_object.h"
#include "geometry.h"

#include <cstdint>
#include <memory>

namespace VSTGUI {

class CDrawContext;
class CFrame;
class COffscreenContext;

// Which resource a bitmap comes from: a numeric id (only its low 16 bits
// count) or a name, which is only read while the bitmap is being made.
struct CResourceDescription {
    enum Type : int32_t {
        kIntegerType = 0,
        kStringType = 1,
        kUnknownType = 2,
    };

    CResourceDescription() : type(kUnknownType), name(nullptr) {}
    CResourceDescription(int32_t id) : type(kIntegerType), id(id) {}
    CResourceDescription(const char* name) : type(kStringType), name(name) {}

    int32_t type;
    union {
        int32_t id;
        const char* name;
    };
};

// A reference-counted holder of one GDI+ image that draws a rectangle of it
// into a draw context, opaque or with a constant alpha. Every bitmap keeps
// GDI+ running from its construction to its destruction. [GUI thread]
class CBitmap : public CBaseObject {
public:
    // Loads a "DATA" resource of the module in hInstance; the caller tells
    // success by a width and height other than 0.
    explicit CBitmap(const CResourceDescription& description);
    // An empty 32-bit ARGB image of the given size; the frame is not used.
    CBitmap(CFrame& frame, CCoord width, CCoord height);
    // A 32-bit ARGB copy of the whole source, which stays the caller's.
    explicit CBitmap(Gdiplus::GpBitmap* source);
    CBitmap();
    ~CBitmap() override;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // Both draw fully opaque; the transparent colour plays no part.
    virtual void draw(CDrawContext* context, CRect& rect, const CPoint& offset);
    virtual void drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset);
    // rect is where the image goes in the context's local coordinates,
    // offset the top-left of the image area drawn; every value is truncated.
    virtual void drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset, uint8_t alpha);
    virtual void dispose();
    // Always true: a resource that cannot be loaded leaves width and height 0.
    virtual bool loadFromResource(const CResourceDescription& description);
    // Not offered: files are decoded by the caller, who copies the image in.
    virtual bool loadFromPath(const char* path);

    CCoord getWidth() const { return width; }
    CCoord getHeight() const { return height; }
    // Stored and reported only.
    void setTransparentColor(CColor color) { transparentColor = color; }
    CColor getTransparentColor() const { return transparentColor; }
    bool getNoAlpha() const { return noAlpha; }
    void setNoAlpha(bool state) { noAlpha = state; }
    // Also true for an image whose decoding failed.
    bool isLoaded() const { return image != nullptr; }
    GdiBitmap* getBitmap() const { return image.get(); }

protected:
    // Takes over an image that already exists, such as an offscreen surface.
    explicit CBitmap(std::unique_ptr<GdiBitmap> adopted);

private:
    friend class COffscreenContext;
    CBitmap(CCoord width, CCoord height);
    void takeSizeOfImage();

    CResourceDescription resourceDescription;
    CCoord width = 0;
    CCoord height = 0;
    CColor transparentColor{255, 255, 255, 0};
    bool noAlpha = true;
    std::unique_ptr<GdiBitmap> image;
};

// The bitmap of an offscreen context made on another context's device
// context: it shares the image the context draws on.
class CBitmapForOC : public CBitmap {
public:
    explicit CBitmapForOC(std::unique_ptr<GdiBitmap> surface) : CBitmap(std::move(surface)) {}
};

} // namespace VSTGUI
