#include "offscreen_context.h"

namespace VSTGUI {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

COffscreenContext::COffscreenContext(CFrame* frame, int32_t width, int32_t height, const CColor backgroundColor)
    : CDrawContext(frame, nullptr, nullptr), height(height), width(width), backgroundColor(backgroundColor)
{
    storeClipRect(CRect(0, 0, width, height).normalize());
    offscreenBitmap = new CBitmap(this->width, this->height);
    if (GdiBitmap* surfaceImage = offscreenBitmap->getBitmap())
        drawOn(surfaceImage->get());
}

COffscreenContext::COffscreenContext(CDrawContext* context, CBitmap* background, bool drawInBitmap)
    : CDrawContext(context ? context->getFrame() : nullptr, nullptr, nullptr), backgroundBitmap(background),
      height(background ? background->getHeight() : 20), width(background ? background->getWidth() : 20)
{
    if (background)
        storeClipRect(CRect(0, 0, width, height).normalize());
    HDC givenDeviceContext = context ? static_cast<HDC>(context->getSystemContext()) : nullptr;
    compatibleDeviceContext = CreateCompatibleDC(givenDeviceContext);

    if (drawInBitmap) {
        if (background && background->getBitmap())
            drawOn(background->getBitmap()->get());
        return;
    }

    // GDI+ copies the platform bitmap's pixels, so the platform bitmap goes
    // at once; the GDI+ copy is both the surface and the context's bitmap.
    HBITMAP platformBitmap = CreateCompatibleBitmap(givenDeviceContext, truncateToInt(width), truncateToInt(height));
    auto surfaceImage = std::make_unique<GdiBitmap>();
    surfaceImage->record(GdipCreateBitmapFromHBITMAP(platformBitmap, nullptr, surfaceImage->receive()));
    if (platformBitmap)
        DeleteObject(platformBitmap);
    drawOn(surfaceImage->get());
    offscreenBitmap = new CBitmapForOC(std::move(surfaceImage));

    CRect whole(0, 0, width, height);
    if (background) {
        background->draw(this, whole, CPoint(0, 0));
    } else {
        setFillColor(CColor{0, 0, 0, 255});
        drawRect(whole, kDrawFilled);
    }
}

COffscreenContext::~COffscreenContext()
{
    // The surface draws on the bitmap's image, so it goes first.
    surface().reset();
    if (offscreenBitmap)
        offscreenBitmap->forget();
    if (compatibleDeviceContext)
        DeleteDC(compatibleDeviceContext);
}

void COffscreenContext::drawOn(GpImage* image)
{
    GdiGraphics& graphics = surface();
    if (!graphics.record(GdipGetImageGraphicsContext(image, graphics.receive())))
        return;
    graphics.record(GdipSetInterpolationMode(graphics.get(), InterpolationModeLowQuality));
    graphics.record(GdipSetPageUnit(graphics.get(), UnitPixel));
}

bool COffscreenContext::hasImage()
{
    const GdiBitmap* image = offscreenBitmap ? offscreenBitmap->getBitmap() : nullptr;
    return image && *image && getGraphics();
}

void COffscreenContext::copyFrom(CDrawContext* context, CRect destination, CPoint sourceOffset)
{
    if (offscreenBitmap)
        offscreenBitmap->draw(context, destination, sourceOffset);
}

} // namespace VSTGUI
