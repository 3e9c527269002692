// The drawing, font and bitmap services of services.h. Drawing works on the
// plug-in's current draw context, which exists only while the editor's view
// paints; bitmaps live in handles that the runtime's image slots own.
#include <cmath>
#include <vector>

#include "bitmap_handle.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/font_desc.h"
#include "gui/gdiplus_globals.h"
#include "gui/wide_text.h"
#include "services.h"
#include "vest.h"

using VSTGUI::CBitmap;
using VSTGUI::CColor;
using VSTGUI::CDrawContext;
using VSTGUI::CFontDesc;
using VSTGUI::CPoint;
using VSTGUI::CRect;

namespace {

CColor colorOf(int32_t r, int32_t g, int32_t b, int32_t a)
{
    return CColor{static_cast<uint8_t>(r & 0xFF), static_cast<uint8_t>(g & 0xFF), static_cast<uint8_t>(b & 0xFF),
                  static_cast<uint8_t>(a & 0xFF)};
}

void writeColor(const CColor& color, int32_t* r, int32_t* g, int32_t* b, int32_t* a)
{
    *r = color.red;
    *g = color.green;
    *b = color.blue;
    *a = color.alpha;
}

CDrawContext* contextOf(CVeST* vest)
{
    return vest ? vest->drawContext : nullptr;
}

CBitmap* bitmapOf(VestBitmapHandle* handle)
{
    return handle ? handle->bitmap : nullptr;
}

void emptyHandle(VestBitmapHandle* handle)
{
    if (handle->bitmap)
        handle->bitmap->forget();
    handle->bitmap = nullptr;
}

// Keeps the bitmap if it has a size; otherwise drops it and answers 0.
int32_t keepIfSized(VestBitmapHandle* handle, CBitmap* bitmap)
{
    if (bitmap->getWidth() > 0 && bitmap->getHeight() > 0) {
        handle->bitmap = bitmap;
        return 1;
    }
    bitmap->forget();
    return 0;
}

// ASCII case folding, as the face names of the font cache compare.
bool sameFace(const char* a, const char* b)
{
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (; *a && *b; ++a, ++b)
        if (fold(static_cast<unsigned char>(*a)) != fold(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

// Runs a drawing call on the current draw context; 1, or 0 outside a draw.
template <class Draw> int32_t drawOn(CVeST* vest, Draw draw)
{
    CDrawContext* context = contextOf(vest);
    if (!context)
        return 0;
    draw(*context);
    return 1;
}

template <class Draw> bool drawHeldBitmap(VestBitmapHandle* handle, CVeST* vest, Draw draw)
{
    CBitmap* bitmap = bitmapOf(handle);
    CDrawContext* context = contextOf(vest);
    if (!bitmap || !context)
        return false;
    draw(bitmap, context);
    return true;
}

} // namespace

int32_t vestSetDrawMode(CVeST* vest, int32_t mode)
{
    return drawOn(vest, [&](CDrawContext& context) { context.setDrawMode(static_cast<VSTGUI::CDrawMode>(mode)); });
}

int32_t vestSetFontColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawOn(vest, [&](CDrawContext& context) { context.setFontColor(colorOf(r, g, b, a)); });
}

int32_t vestSetFillColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawOn(vest, [&](CDrawContext& context) { context.setFillColor(colorOf(r, g, b, a)); });
}

int32_t vestSetFrameColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawOn(vest, [&](CDrawContext& context) { context.setFrameColor(colorOf(r, g, b, a)); });
}

double vestGetStringWidth(CVeST* vest, const char* text)
{
    CDrawContext* context = contextOf(vest);
    return context ? context->getStringWidth(text) : 0.0;
}

int32_t vestGetFontSize(CVeST* vest)
{
    CDrawContext* context = contextOf(vest);
    CFontDesc* font = context ? context->getFont() : nullptr;
    return font ? VSTGUI::truncateToInt(font->getSize()) : 0;
}

int32_t vestSetFont(CVeST* vest, const char* face, int32_t size, int32_t style)
{
    CDrawContext* context = contextOf(vest);
    if (!context || !face)
        return 0;
    CFontDesc* font = nullptr;
    for (auto cached = vest->fonts.rbegin(); cached != vest->fonts.rend() && !font; ++cached) {
        const char* name = (*cached)->getName();
        if (name && sameFace(name, face))
            font = *cached;
    }
    if (!font) {
        // The cache keeps the reference of its creation.
        font = new CFontDesc(face, 0.0, 0);
        vest->fonts.push_back(font);
    }
    context->setFont(font, size, style);
    return 1;
}

int32_t vestMoveTo(CVeST* vest, double x, double y)
{
    return drawOn(vest, [&](CDrawContext& context) { context.moveTo(CPoint(x, y)); });
}

int32_t vestLineTo(CVeST* vest, double x, double y)
{
    return drawOn(vest, [&](CDrawContext& context) { context.lineTo(CPoint(x, y)); });
}

int32_t vestDrawRect(CVeST* vest, double left, double top, double right, double bottom, int32_t style)
{
    return drawOn(vest, [&](CDrawContext& context) {
        context.drawRect(CRect(left, top, right, bottom), static_cast<VSTGUI::CDrawStyle>(style));
    });
}

int32_t vestDrawEllipse(CVeST* vest, double left, double top, double right, double bottom, int32_t style)
{
    return drawOn(vest, [&](CDrawContext& context) {
        context.drawEllipse(CRect(left, top, right, bottom), static_cast<VSTGUI::CDrawStyle>(style));
    });
}

int32_t vestDrawArc(CVeST* vest, double left, double top, double right, double bottom, double startAngle,
                    double endAngle, int32_t style)
{
    return drawOn(vest, [&](CDrawContext& context) {
        context.drawArc(CRect(left, top, right, bottom), static_cast<float>(startAngle), static_cast<float>(endAngle),
                        static_cast<VSTGUI::CDrawStyle>(style));
    });
}

int32_t vestDrawString(CVeST* vest, const char* text, double left, double top, double right, double bottom, bool opaque,
                       int32_t align)
{
    return drawOn(vest, [&](CDrawContext& context) {
        context.drawString(text, CRect(left, top, right, bottom), static_cast<short>(opaque),
                           static_cast<VSTGUI::CHoriTxtAlign>(align));
    });
}

int32_t vestDrawStringAt(CVeST* vest, const char* text, double x, double y, bool antialias)
{
    return drawOn(vest, [&](CDrawContext& context) { context.drawStringUTF8(text, CPoint(x, y), antialias); });
}

int32_t vestDrawStringInRect(CVeST* vest, const char* text, double left, double top, double right, double bottom,
                             int32_t align, bool antialias)
{
    return drawOn(vest, [&](CDrawContext& context) {
        context.drawStringUTF8(text, CRect(left, top, right, bottom), static_cast<VSTGUI::CHoriTxtAlign>(align),
                               antialias);
    });
}

int32_t vestDrawPoint(CVeST* vest, double x, double y, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawOn(vest, [&](CDrawContext& context) { context.drawPoint(CPoint(x, y), colorOf(r, g, b, a)); });
}

int32_t vestGetPointColor(CVeST* vest, double x, double y, int32_t* r, int32_t* g, int32_t* b, int32_t* a)
{
    return drawOn(vest, [&](CDrawContext& context) { writeColor(context.getPoint(CPoint(x, y)), r, g, b, a); });
}

VestBitmapHandle* vestNewBitmap()
{
    return new VestBitmapHandle();
}

int32_t vestDeleteBitmap(VestBitmapHandle* bitmap)
{
    if (!bitmap)
        return 0;
    emptyHandle(bitmap);
    delete bitmap;
    return 1;
}

int32_t vestLoadBitmapFile(VestBitmapHandle* bitmap, const char* path)
{
    if (!bitmap)
        return 0;
    emptyHandle(bitmap);
    if (!path)
        return 0;
    // Narrow paths come from the runtime, which builds them from the
    // system's own narrow file names: they are in the system code page, so a
    // folder such as "Müller" must be converted from it, not byte by byte.
    const std::vector<wchar_t> widePath = VSTGUI::widenText(path, CP_ACP);

    VSTGUI::GdiPlusSession session;
    Gdiplus::GpBitmap* decoded = nullptr;
    const bool ok = Gdiplus::DllExports::GdipCreateBitmapFromFile(widePath.data(), &decoded) == Gdiplus::Ok;
    if (ok)
        bitmap->bitmap = new CBitmap(decoded);
    if (decoded)
        Gdiplus::DllExports::GdipDisposeImage(decoded);
    return ok ? 1 : 0;
}

int32_t vestLoadBitmapResource(VestBitmapHandle* bitmap, const char* name)
{
    if (!bitmap)
        return 0;
    emptyHandle(bitmap);
    return name ? keepIfSized(bitmap, new CBitmap(VSTGUI::CResourceDescription(name))) : 0;
}

int32_t vestLoadBitmapResourceId(VestBitmapHandle* bitmap, int32_t id)
{
    if (!bitmap)
        return 0;
    emptyHandle(bitmap);
    return keepIfSized(bitmap, new CBitmap(VSTGUI::CResourceDescription(id)));
}

double vestGetBitmapWidth(VestBitmapHandle* bitmap)
{
    CBitmap* held = bitmapOf(bitmap);
    return held ? std::trunc(held->getWidth()) : 0.0;
}

double vestGetBitmapHeight(VestBitmapHandle* bitmap)
{
    CBitmap* held = bitmapOf(bitmap);
    return held ? std::trunc(held->getHeight()) : 0.0;
}

int32_t vestGetBitmapTransparentColor(VestBitmapHandle* bitmap, int32_t* r, int32_t* g, int32_t* b, int32_t* a)
{
    CBitmap* held = bitmapOf(bitmap);
    if (!held)
        return 0;
    writeColor(held->getTransparentColor(), r, g, b, a);
    return 1;
}

int32_t vestSetBitmapTransparentColor(VestBitmapHandle* bitmap, int32_t r, int32_t g, int32_t b, int32_t a)
{
    CBitmap* held = bitmapOf(bitmap);
    if (!held)
        return 0;
    held->setTransparentColor(colorOf(r, g, b, a));
    return 1;
}

int32_t vestGetBitmapNoAlpha(VestBitmapHandle* bitmap)
{
    CBitmap* held = bitmapOf(bitmap);
    return held && held->getNoAlpha() ? 1 : 0;
}

int32_t vestSetBitmapNoAlpha(VestBitmapHandle* bitmap, bool flag)
{
    CBitmap* held = bitmapOf(bitmap);
    if (!held)
        return 0;
    held->setNoAlpha(flag);
    return 1;
}

bool vestDrawBitmap(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right, double bottom,
                    double offsetX, double offsetY)
{
    return drawHeldBitmap(bitmap, vest, [&](CBitmap* held, CDrawContext* context) {
        CRect rect(left, top, right, bottom);
        held->draw(context, rect, CPoint(offsetX, offsetY));
    });
}

bool vestDrawBitmapAlpha(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right, double bottom,
                         double offsetX, double offsetY, uint8_t alpha)
{
    return drawHeldBitmap(bitmap, vest, [&](CBitmap* held, CDrawContext* context) {
        CRect rect(left, top, right, bottom);
        held->drawAlphaBlend(context, rect, CPoint(offsetX, offsetY), alpha);
    });
}

bool vestDrawBitmapTransparent(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right,
                               double bottom, double offsetX, double offsetY)
{
    return drawHeldBitmap(bitmap, vest, [&](CBitmap* held, CDrawContext* context) {
        CRect rect(left, top, right, bottom);
        held->drawTransparent(context, rect, CPoint(offsetX, offsetY));
    });
}
