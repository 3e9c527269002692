#pragma once

#include "bitmap.h"
#include "draw_context.h"

#include <cstdint>

namespace VSTGUI {

// A draw context whose surface is a bitmap; view containers and the frame's
// back buffer draw through one and then draw its bitmap where it belongs.
// [GUI thread]
class COffscreenContext : public CDrawContext {
public:
    // A new transparent ARGB surface of width × height, clipped to it. The
    // background colour is kept, not painted.
    COffscreenContext(CFrame* frame, int32_t width, int32_t height, const CColor backgroundColor);
    // A surface compatible with another context's device context, 20 × 20 or
    // of the background bitmap's size. With drawInBitmap the context draws
    // into the background bitmap itself; otherwise it starts with a copy of
    // the background (or opaque black) and its bitmap shares the surface.
    COffscreenContext(CDrawContext* context, CBitmap* background, bool drawInBitmap);
    ~COffscreenContext() override;

    void copyFrom(CDrawContext* context, CRect destination, CPoint sourceOffset);
    // The surface as a bitmap, or null when the context draws into its
    // background bitmap.
    CBitmap* getBitmap() const { return offscreenBitmap; }
    // Whether the context's own bitmap holds an image that the context draws
    // on. GDI+ may refuse the image (out of memory, too large a size): the
    // bitmap is then there without an image, the context has no surface, and
    // whatever is drawn into it is lost. False too for a context that draws
    // into its background bitmap.
    bool hasImage();
    CCoord getWidth() const { return width; }
    CCoord getHeight() const { return height; }
    CColor getBackgroundColor() const { return backgroundColor; }

private:
    void drawOn(Gdiplus::GpImage* image);

    CBitmap* offscreenBitmap = nullptr;
    CBitmap* backgroundBitmap = nullptr;
    CCoord height;
    CCoord width;
    CColor backgroundColor;
    HDC compatibleDeviceContext = nullptr;
};

} // namespace VSTGUI
