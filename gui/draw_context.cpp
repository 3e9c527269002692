#include "draw_context.h"

#include "frame.h"
#include "line_clipping.h"
#include "wide_text.h"

#include <cmath>
#include <optional>
#include <vector>

namespace VSTGUI {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

constexpr CColor kWhite{255, 255, 255, 255};
constexpr CColor kOpaqueBlack{0, 0, 0, 255};
constexpr ARGB kInitialArgb = 0xFF000000;
// Polygons up to this many points are converted without allocating.
constexpr int32_t kFixedPolygonPoints = 30;
// How far beyond a line's geometric edge antialiasing may still tint a
// pixel, with room to spare.
constexpr CCoord kAntialiasFringe = 2;

} // namespace

ARGB toArgb(const CColor& color)
{
    return (static_cast<ARGB>(color.alpha) << 24) | (static_cast<ARGB>(color.red) << 16)
        | (static_cast<ARGB>(color.green) << 8) | static_cast<ARGB>(color.blue);
}

CDrawContext::FetchedDeviceContext::~FetchedDeviceContext()
{
    if (deviceContext)
        ReleaseDC(window, deviceContext);
}

HDC CDrawContext::FetchedDeviceContext::fetch(HWND fromWindow)
{
    window = fromWindow;
    deviceContext = GetDC(fromWindow);
    return deviceContext;
}

CDrawContext::CDrawContext(CFrame* frame, void* systemContext, void* window)
    : systemContext(systemContext), window(window), frame(frame)
{
    clipRect = defaultClipRect();

    HDC deviceContext = static_cast<HDC>(systemContext);
    if (!deviceContext && window)
        deviceContext = fetchedDeviceContext.fetch(static_cast<HWND>(window));
    if (deviceContext && graphics.record(GdipCreateFromHDC(deviceContext, graphics.receive()))) {
        graphics.record(GdipSetInterpolationMode(graphics.get(), InterpolationModeLowQuality));
        graphics.record(GdipSetPageUnit(graphics.get(), UnitPixel));
        graphics.record(GdipSetPixelOffsetMode(graphics.get(), PixelOffsetModeNone));
    }

    pen.record(GdipCreatePen1(kInitialArgb, 1.0f, UnitWorld, pen.receive()));
    fillBrush.record(GdipCreateSolidFill(kInitialArgb, fillBrush.receive()));
    fontBrush.record(GdipCreateSolidFill(kInitialArgb, fontBrush.receive()));

    RECT windowRect;
    if (window && GetWindowRect(static_cast<HWND>(window), &windowRect))
        offsetScreen = CPoint(windowRect.left, windowRect.top);

    // The fields start different from these values, so each setter applies
    // its value to GDI+.
    setFrameColor(kWhite);
    setLineStyle(kLineSolid);
    setLineWidth(1);
    setFillColor(kOpaqueBlack);
    setFontColor(kWhite);
    setFont(kSystemFont, 0, -1);
    setDrawMode(kCopyMode);
}

CDrawContext::~CDrawContext()
{
    font->forget();
}

CRect CDrawContext::defaultClipRect() const
{
    // A context of a frame may draw over the whole frame; one without a
    // frame gets a fixed area.
    return frame ? frame->getViewSize() : CRect(0, 0, 1000, 1000);
}

void CDrawContext::setFrameColor(CColor color)
{
    if (color == frameColor)
        return;
    frameColor = color;
    if (pen)
        pen.record(GdipSetPenColor(pen.get(), toArgb(color)));
}

void CDrawContext::setFillColor(CColor color)
{
    if (color == fillColor)
        return;
    fillColor = color;
    if (fillBrush)
        fillBrush.record(GdipSetSolidFillColor(fillBrush.get(), toArgb(color)));
}

void CDrawContext::setFontColor(CColor color)
{
    fontColor = color;
    if (fontBrush)
        fontBrush.record(GdipSetSolidFillColor(fontBrush.get(), toArgb(color)));
}

void CDrawContext::setLineWidth(CCoord width)
{
    if (width == lineWidth)
        return;
    lineWidth = width;
    if (pen)
        pen.record(GdipSetPenWidth(pen.get(), static_cast<REAL>(width)));
}

void CDrawContext::setLineStyle(CLineStyle style)
{
    if (style == lineStyle)
        return;
    lineStyle = style;
    if (pen)
        pen.record(GdipSetPenDashStyle(pen.get(), style == kLineOnOffDash ? DashStyleDot : DashStyleSolid));
}

void CDrawContext::setDrawMode(CDrawMode mode)
{
    if (mode == drawMode)
        return;
    drawMode = mode;
    if (graphics)
        graphics.record(
            GdipSetSmoothingMode(graphics.get(), mode == kAntialias ? SmoothingModeAntiAlias : SmoothingModeNone));
}

void CDrawContext::setClipRect(const CRect& clip)
{
    CRect surfaceClip = clip;
    surfaceClip.offset(offset.h, offset.v);
    if (surfaceClip == clipRect)
        return;
    clipRect = surfaceClip;
    if (graphics)
        graphics.record(GdipSetClipRectI(graphics.get(), truncateToInt(clipRect.left), truncateToInt(clipRect.top),
                                         truncateToInt(clipRect.right - clipRect.left),
                                         truncateToInt(clipRect.bottom - clipRect.top), CombineModeReplace));
}

void CDrawContext::resetClipRect()
{
    const CRect whole = defaultClipRect();
    setClipRect(whole);
    clipRect = whole;
}

CRect& CDrawContext::getClipRect(CRect& out) const
{
    out = clipRect;
    out.offset(-offset.h, -offset.v);
    return out;
}

void CDrawContext::setFont(CFontDesc* newFont, const int32_t& size, const int32_t& style)
{
    if (!newFont)
        return;
    CFontDesc* used;
    if (size > 0 && size != newFont->getSize()) {
        used = new CFontDesc(newFont->getName(), size, style == -1 ? newFont->getStyle() : style);
    } else if (style == -1 || style == newFont->getStyle()) {
        used = newFont;
        used->remember();
    } else {
        used = new CFontDesc(newFont->getName(), size > 0 ? size : newFont->getSize(), style);
    }
    // Remembered before the old one is dropped, so passing the current font
    // keeps it alive.
    if (font)
        font->forget();
    font = used;
}

void CDrawContext::moveTo(const CPoint& point)
{
    penPosition = CPoint(point.h + offset.h, point.v + offset.v);
}

void CDrawContext::lineTo(const CPoint& point)
{
    const CPoint end(point.h + offset.h, point.v + offset.v);
    if (graphics && pen)
        strokeLine(penPosition, end);
    penPosition = end;
}

std::optional<CRect> CDrawContext::visibleArea()
{
    RectF bounds;
    if (!graphics.record(GdipGetVisibleClipBounds(graphics.get(), &bounds)))
        return std::nullopt;
    return CRect(bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height);
}

// A line that leaves the visible area goes to GDI+ only as far as that area,
// widened so that the pen's width and its fringe still reach every pixel
// they reached before: the rasteriser would otherwise walk a far end pixel by
// pixel. The piece lies on the same line, so its moved ends go at sub-pixel
// precision rather than rounded to integers, which would turn it.
void CDrawContext::strokeLine(const CPoint& from, const CPoint& to)
{
    const INT x1 = truncateToInt(from.h);
    const INT y1 = truncateToInt(from.v);
    const INT x2 = truncateToInt(to.h);
    const INT y2 = truncateToInt(to.v);
    // GDI+ works on integer ends as floats: the piece is cut from that line.
    const LineSegment line{CPoint(static_cast<REAL>(x1), static_cast<REAL>(y1)),
                           CPoint(static_cast<REAL>(x2), static_cast<REAL>(y2))};
    const CCoord margin = (lineWidth > 1 ? lineWidth : 1) + kAntialiasFringe; // thinner pens still cover a pixel

    // A line within the clip rectangle, the usual case, goes as it is. Any
    // other is cut to where GDI+ can put pixels, which may reach beyond the
    // rectangle: a context applies its rectangle only from its first change.
    std::optional<LineSegment> piece = line;
    const CRect nearArea = widenedBy(clipRect, margin);
    if (!line.start.isInside(nearArea) || !line.end.isInside(nearArea)) {
        if (const std::optional<CRect> visible = visibleArea())
            piece = clipLine(line, widenedBy(*visible, margin),
                             lineStyle == kLineOnOffDash ? LineCut::endOnly : LineCut::bothEnds);
    }
    if (!piece)
        return;
    if (*piece == line)
        graphics.record(GdipDrawLineI(graphics.get(), pen.get(), x1, y1, x2, y2));
    else
        graphics.record(GdipDrawLine(graphics.get(), pen.get(), static_cast<REAL>(piece->start.h),
                                     static_cast<REAL>(piece->start.v), static_cast<REAL>(piece->end.h),
                                     static_cast<REAL>(piece->end.v)));
}

void CDrawContext::drawLines(const CPoint* points, const int32_t& numberOfLines)
{
    for (int32_t i = 0; i < 2 * numberOfLines; i += 2) {
        moveTo(points[i]);
        lineTo(points[i + 1]);
    }
}

void CDrawContext::drawPolygon(const CPoint* points, int32_t numberOfPoints, CDrawStyle style, bool closed)
{
    if (!graphics || numberOfPoints <= 0)
        return;
    PointF fixedBuffer[kFixedPolygonPoints];
    std::vector<PointF> heapBuffer;
    PointF* converted = fixedBuffer;
    if (numberOfPoints > kFixedPolygonPoints) {
        heapBuffer.resize(static_cast<size_t>(numberOfPoints));
        converted = heapBuffer.data();
    }
    for (int32_t i = 0; i < numberOfPoints; ++i) {
        converted[i].X = static_cast<REAL>(static_cast<REAL>(points[i].h) + offset.h);
        converted[i].Y = static_cast<REAL>(static_cast<REAL>(points[i].v) + offset.v);
    }
    if ((style == kDrawFilled || style == kDrawFilledAndStroked) && fillBrush)
        graphics.record(GdipFillPolygon(graphics.get(), fillBrush.get(), converted, numberOfPoints, FillModeAlternate));
    if ((style == kDrawStroked || style == kDrawFilledAndStroked) && pen) {
        if (closed)
            graphics.record(GdipDrawPolygon(graphics.get(), pen.get(), converted, numberOfPoints));
        else
            graphics.record(GdipDrawLines(graphics.get(), pen.get(), converted, numberOfPoints));
    }
}

void CDrawContext::fillPolygon(const CPoint* points, int32_t numberOfPoints)
{
    drawPolygon(points, numberOfPoints, kDrawFilled, true);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (!graphics)
        return;
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
        fillRect(rect);
    if ((style == kDrawStroked || style == kDrawFilledAndStroked) && pen) {
        CRect r = rect;
        r.offset(offset.h, offset.v).normalize();
        graphics.record(GdipDrawRectangle(graphics.get(), pen.get(), static_cast<REAL>(r.left),
                                          static_cast<REAL>(r.top), static_cast<REAL>(r.getWidth() - 1),
                                          static_cast<REAL>(r.getHeight() - 1)));
    }
}

void CDrawContext::fillRect(const CRect& rect)
{
    if (!graphics || !fillBrush)
        return;
    CRect r = rect;
    r.offset(offset.h, offset.v).normalize();
    graphics.record(GdipFillRectangle(graphics.get(), fillBrush.get(), static_cast<REAL>(r.left),
                                      static_cast<REAL>(r.top), static_cast<REAL>(r.getWidth()),
                                      static_cast<REAL>(r.getHeight())));
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    if (!graphics)
        return;
    CRect r = rect;
    r.offset(offset.h, offset.v).normalize();
    const INT x = truncateToInt(r.left);
    const INT y = truncateToInt(r.top);
    const INT width = truncateToInt(r.getWidth()) - 1;
    const INT height = truncateToInt(r.getHeight()) - 1;
    if ((style == kDrawFilled || style == kDrawFilledAndStroked) && fillBrush)
        graphics.record(GdipFillEllipseI(graphics.get(), fillBrush.get(), x, y, width, height));
    if ((style == kDrawStroked || style == kDrawFilledAndStroked) && pen)
        graphics.record(GdipDrawEllipseI(graphics.get(), pen.get(), x, y, width, height));
}

void CDrawContext::fillEllipse(const CRect& rect)
{
    drawEllipse(rect, kDrawFilled);
}

void CDrawContext::drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style)
{
    if (!graphics)
        return;
    CRect r = rect;
    r.offset(offset.h, offset.v);
    // An end before the start wraps through 360 degrees.
    const float sweep = std::fabs(startAngle <= endAngle ? endAngle - startAngle : (endAngle + 360.0f) - startAngle);

    GdiPath path;
    if (!path.record(GdipCreatePath(FillModeAlternate, path.receive())))
        return;
    path.record(GdipAddPathArc(path.get(), static_cast<REAL>(r.left), static_cast<REAL>(r.top),
                               static_cast<REAL>(r.getWidth()), static_cast<REAL>(r.getHeight()), startAngle, sweep));
    if ((style == kDrawFilled || style == kDrawFilledAndStroked) && fillBrush)
        graphics.record(GdipFillPath(graphics.get(), fillBrush.get(), path.get()));
    if ((style == kDrawStroked || style == kDrawFilledAndStroked) && pen)
        graphics.record(GdipDrawPath(graphics.get(), pen.get(), path.get()));
}

void CDrawContext::drawPoint(const CPoint& point, CColor color)
{
    const CCoord savedWidth = lineWidth;
    const CColor savedColor = frameColor;
    setLineWidth(1);
    setFrameColor(color);
    moveTo(point);
    lineTo(CPoint(point.h + 1, point.v));
    setFrameColor(savedColor);
    setLineWidth(savedWidth);
}

CColor CDrawContext::getPoint(const CPoint&) const
{
    return kOpaqueBlack;
}

CCoord CDrawContext::getStringWidthUTF8(const char* text)
{
    if (!text || !font)
        return -1;
    PlatformFont* platformFont = font->getPlatformFont();
    if (!platformFont || !graphics)
        return -1;
    const std::vector<wchar_t> wide = widenText(text, CP_UTF8);
    const RectF layout(0, 0, 0, 0);
    RectF bounds(0, 0, 0, 0);
    // A font without a native font fails here and measures 0.
    graphics.record(GdipMeasureString(graphics.get(), wide.data(), -1, platformFont->get(), &layout, nullptr, &bounds,
                                      nullptr, nullptr));
    return bounds.Width;
}

CCoord CDrawContext::getStringWidth(const char* text)
{
    return getStringWidthUTF8(text);
}

void CDrawContext::drawStringUTF8(const char* text, const CPoint& point, bool antialias)
{
    if (!text || !font)
        return;
    PlatformFont* platformFont = font->getPlatformFont();
    if (!platformFont || !*platformFont || !graphics || !fontBrush)
        return;
    graphics.record(GdipSetTextRenderingHint(
        graphics.get(), antialias ? TextRenderingHintClearTypeGridFit : TextRenderingHintSystemDefault));
    REAL dpi = 0;
    graphics.record(GdipGetDpiY(graphics.get(), &dpi));
    REAL lineHeight = 0;
    platformFont->record(GdipGetFontHeightGivenDPI(platformFont->get(), dpi, &lineHeight));

    const REAL x = static_cast<REAL>(point.h + offset.h);
    const REAL y = static_cast<REAL>(point.v + offset.v) + 1 - lineHeight;
    const std::vector<wchar_t> wide = widenText(text, CP_UTF8);
    const RectF layout(x, y, 0, 0);
    graphics.record(
        GdipDrawString(graphics.get(), wide.data(), -1, platformFont->get(), &layout, nullptr, fontBrush.get()));
}

void CDrawContext::drawStringUTF8(const char* text, const CRect& rect, CHoriTxtAlign align, bool antialias)
{
    if (!text)
        return;
    const CCoord y = rect.bottom - (rect.getHeight() * 0.5 - font->getSize() * 0.5 + 1);
    CCoord x = rect.left;
    if (align == kRightText)
        x = rect.right - getStringWidthUTF8(text);
    else if (align != kLeftText)
        x = rect.left + rect.getWidth() * 0.5 - getStringWidthUTF8(text) * 0.5;

    CRect saved;
    getClipRect(saved);
    CRect clip = rect;
    setClipRect(clip.bound(saved));
    drawStringUTF8(text, CPoint(x, y), antialias);
    setClipRect(saved);
}

void CDrawContext::drawString(const char* text, const CRect& rect, short, CHoriTxtAlign align)
{
    if (text)
        drawStringUTF8(text, rect, align, true);
}

} // namespace VSTGUI
