#include "bitmap.h"

#include "draw_context.h"
#include "gdiplus_globals.h"
#include "module_handle.h"
#include "resource_stream.h"
#include "wide_text.h"

#include <vector>

namespace VSTGUI {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Integer sums of truncated coordinates, kept inside the 32-bit range.
INT addTruncated(CCoord a, CCoord b)
{
    return truncateToInt(static_cast<CCoord>(truncateToInt(a)) + truncateToInt(b));
}

// The resource's bytes decoded through a stream; null when the module has no
// such "DATA" resource or it cannot be loaded.
std::unique_ptr<GdiBitmap> decodeDataResource(LPCSTR name)
{
    HRSRC found = FindResourceA(hInstance, name, "DATA");
    if (!found)
        return nullptr;
    const DWORD size = SizeofResource(hInstance, found);
    HGLOBAL loaded = LoadResource(hInstance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return nullptr;
    auto decoded = std::make_unique<GdiBitmap>();
    // GDI+ takes its own references on the stream for as long as it needs it.
    auto* stream = new ResourceStream(data, size);
    decoded->record(GdipCreateBitmapFromStreamICM(stream, decoded->receive()));
    stream->Release();
    return decoded;
}

} // namespace

CBitmap::CBitmap(const CResourceDescription& description) : resourceDescription(description)
{
    GDIPlusGlobals::enter();
    loadFromResource(description);
}

CBitmap::CBitmap(CFrame&, CCoord width, CCoord height) : CBitmap(width, height) {}

CBitmap::CBitmap(CCoord width, CCoord height) : width(width), height(height)
{
    GDIPlusGlobals::enter();
    image = std::make_unique<GdiBitmap>();
    image->record(GdipCreateBitmapFromScan0(truncateToInt(width), truncateToInt(height), 0, PixelFormat32bppARGB,
                                            nullptr, image->receive()));
}

CBitmap::CBitmap(GpBitmap* source)
{
    GDIPlusGlobals::enter();
    UINT sourceHeight = 0;
    UINT sourceWidth = 0;
    GdipGetImageHeight(source, &sourceHeight);
    GdipGetImageWidth(source, &sourceWidth);
    auto copy = std::make_unique<GdiBitmap>();
    if (copy->record(GdipCloneBitmapAreaI(0, 0, static_cast<INT>(sourceWidth), static_cast<INT>(sourceHeight),
                                          PixelFormat32bppARGB, source, copy->receive()))) {
        image = std::move(copy);
        takeSizeOfImage();
    }
}

CBitmap::CBitmap()
{
    GDIPlusGlobals::enter();
}

CBitmap::CBitmap(std::unique_ptr<GdiBitmap> adopted) : image(std::move(adopted))
{
    GDIPlusGlobals::enter();
    takeSizeOfImage();
}

CBitmap::~CBitmap()
{
    dispose();
    GDIPlusGlobals::exit();
}

void CBitmap::takeSizeOfImage()
{
    UINT imageWidth = 0;
    UINT imageHeight = 0;
    if (image && *image) {
        image->record(GdipGetImageWidth(image->get(), &imageWidth));
        image->record(GdipGetImageHeight(image->get(), &imageHeight));
    }
    width = imageWidth;
    height = imageHeight;
}

void CBitmap::draw(CDrawContext* context, CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset, uint8_t alpha)
{
    GdiGraphics* target = context ? context->getGraphics() : nullptr;
    if (!image || !*image || !target)
        return;
    const INT w = truncateToInt(rect.right - rect.left);
    const INT h = truncateToInt(rect.bottom - rect.top);
    const INT destinationX = addTruncated(context->getOffset().h, rect.left);
    const INT destinationY = addTruncated(context->getOffset().v, rect.top);
    const INT sourceX = truncateToInt(offset.h);
    const INT sourceY = truncateToInt(offset.v);

    if (alpha == 255) {
        target->record(GdipDrawImageRectRectI(target->get(), image->get(), destinationX, destinationY, w, h, sourceX,
                                              sourceY, w, h, UnitPixel, nullptr, nullptr, nullptr));
        return;
    }

    GdiImageAttributes attributes;
    attributes.record(GdipCreateImageAttributes(attributes.receive()));

    // The colour matrix scales alpha only. GDI+ applies it to whole images, so
    // the source area goes through a temporary image of the destination size.
    ColorMatrix scaleAlpha = {{{1, 0, 0, 0, 0},
                               {0, 1, 0, 0, 0},
                               {0, 0, 1, 0, 0},
                               {0, 0, 0, static_cast<REAL>(alpha) / 255.0f, 0},
                               {0, 0, 0, 0, 1}}};
    attributes.record(GdipSetImageAttributesColorMatrix(attributes.get(), ColorAdjustTypeBitmap, TRUE, &scaleAlpha,
                                                        nullptr, ColorMatrixFlagsDefault));
    GdiBitmap area;
    area.record(GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, area.receive()));
    {
        GdiGraphics areaGraphics;
        if (areaGraphics.record(GdipGetImageGraphicsContext(area.get(), areaGraphics.receive())))
            areaGraphics.record(GdipDrawImageRectRectI(areaGraphics.get(), image->get(), 0, 0, w, h, sourceX, sourceY,
                                                       w, h, UnitPixel, nullptr, nullptr, nullptr));
    }
    target->record(GdipDrawImageRectRectI(target->get(), area.get(), destinationX, destinationY, w, h, 0, 0, w, h,
                                          UnitPixel, attributes.get(), nullptr, nullptr));
}

void CBitmap::dispose()
{
    image.reset();
    noAlpha = false;
    width = 0;
    height = 0;
}

bool CBitmap::loadFromResource(const CResourceDescription& description)
{
    dispose();
    const bool byId = description.type == CResourceDescription::kIntegerType;
    const WORD id = byId ? static_cast<WORD>(description.id & 0xFFFF) : 0;
    const char* name = byId ? nullptr : description.name;

    if (byId || name)
        image = decodeDataResource(byId ? MAKEINTRESOURCEA(id) : name);
    if (!image) {
        // The platform's own bitmap resources, under the same id or name.
        image = std::make_unique<GdiBitmap>();
        if (byId) {
            image->record(GdipCreateBitmapFromResource(hInstance, MAKEINTRESOURCEW(id), image->receive()));
        } else if (name) {
            const std::vector<wchar_t> wideName = widenText(name, CP_ACP);
            image->record(GdipCreateBitmapFromResource(hInstance, wideName.data(), image->receive()));
        }
    }
    takeSizeOfImage();
    return true;
}

bool CBitmap::loadFromPath(const char*)
{
    dispose();
    return false;
}

} // namespace VSTGUI
