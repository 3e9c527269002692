#pragma once

#include "base_object.h"
#include "font_desc.h"
#include "gdiplus_globals.h"
#include "gdiplus_object.h"
#include "geometry.h"

#include <cstdint>
#include <optional>

namespace VSTGUI {

class CFrame;

enum CDrawMode : int32_t {
    kCopyMode = 0,
    kAntialias = 3, // any other value behaves like kCopyMode
};

enum CLineStyle : int32_t {
    kLineSolid = 0,
    kLineOnOffDash = 1,
};

enum CDrawStyle : int32_t {
    kDrawStroked = 0, // outline only
    kDrawFilled = 1, // fill only
    kDrawFilledAndStroked = 2, // fill, then outline
};

enum CHoriTxtAlign : int32_t {
    kLeftText = 0,
    kCenterText = 1,
    kRightText = 2,
};

// GDI+ colour: alpha in the highest byte, then red, green, blue. [any thread]
Gdiplus::ARGB toArgb(const CColor& color);

// One GDI+ surface with the drawing state that callers set before each
// primitive. Every coordinate is local: the drawing offset is added to each.
// The state persists between calls, so what one caller sets stays for the
// next. Without a surface (neither device context nor window) every drawing
// operation does nothing while the setters still store their values.
// [GUI thread]
class CDrawContext : public CBaseObject {
public:
    // With a window and no device context, the context draws on the
    // window's device context and hands it back when destroyed. The context
    // keeps GDI+ running for as long as it holds GDI+ objects.
    CDrawContext(CFrame* frame, void* systemContext, void* window);
    ~CDrawContext() override;
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    // State. Each setter skips GDI+ when the value is unchanged, except
    // setFontColor, which always applies.
    void setFrameColor(CColor color);
    void setFillColor(CColor color);
    void setFontColor(CColor color);
    void setLineWidth(CCoord width);
    void setLineStyle(CLineStyle style);
    void setDrawMode(CDrawMode mode);
    void setClipRect(const CRect& clip);
    void resetClipRect();
    // size > 0 or a style other than -1 that differs from the font's makes a
    // derived description; otherwise the font itself is used. Null keeps the
    // current font.
    void setFont(CFontDesc* font, const int32_t& size, const int32_t& style);

    CColor getFrameColor() const { return frameColor; }
    CColor getFillColor() const { return fillColor; }
    CColor getFontColor() const { return fontColor; }
    CCoord getLineWidth() const { return lineWidth; }
    CLineStyle getLineStyle() const { return lineStyle; }
    CDrawMode getDrawMode() const { return drawMode; }
    CFontDesc* getFont() const { return font; }
    // In local coordinates.
    CRect& getClipRect(CRect& out) const;
    // In surface coordinates (the offset already added).
    CPoint getPenPosition() const { return penPosition; }

    // Containers shift both offsets while they draw their children.
    const CPoint& getOffset() const { return offset; }
    void setOffset(const CPoint& newOffset) { offset = newOffset; }
    const CPoint& getScreenOffset() const { return offsetScreen; }
    void setScreenOffset(const CPoint& newOffset) { offsetScreen = newOffset; }

    void* getSystemContext() const { return systemContext; }
    void* getWindow() const { return window; }
    CFrame* getFrame() const { return frame; }
    // The GDI+ surface, or null when the context has none.
    GdiGraphics* getGraphics() { return graphics ? &graphics : nullptr; }

    // Lines.
    void moveTo(const CPoint& point);
    void lineTo(const CPoint& point);
    // points holds 2 × numberOfLines points, a start and an end per line.
    void drawLines(const CPoint* points, const int32_t& numberOfLines);

    // Shapes.
    void drawPolygon(const CPoint* points, int32_t numberOfPoints, CDrawStyle style, bool closed);
    void fillPolygon(const CPoint* points, int32_t numberOfPoints);
    // The outline is one pixel narrower and lower than the fill.
    void drawRect(const CRect& rect, CDrawStyle style);
    void fillRect(const CRect& rect);
    // Fill and outline are both one pixel smaller than the rectangle.
    void drawEllipse(const CRect& rect, CDrawStyle style);
    void fillEllipse(const CRect& rect);
    // Degrees, 0 along +x, growing clockwise on the screen.
    void drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style);
    // A one-pixel line; line width and frame colour are restored afterwards.
    void drawPoint(const CPoint& point, CColor color);
    // Does not read the surface: always opaque black.
    CColor getPoint(const CPoint& point) const;

    // Text, UTF-8. Measuring answers -1 for null text or without a surface.
    CCoord getStringWidthUTF8(const char* text);
    CCoord getStringWidth(const char* text);
    // point.v is where the text line sits: its box stops a pixel lower.
    void drawStringUTF8(const char* text, const CPoint& point, bool antialias);
    // Centred vertically on the font's nominal size and clipped to rect.
    void drawStringUTF8(const char* text, const CRect& rect, CHoriTxtAlign align, bool antialias);
    // Always antialiased; no background is painted, whatever opaque says.
    void drawString(const char* text, const CRect& rect, short opaque, CHoriTxtAlign align);

    // Mouse. The cursor relative to the screen offset; the answer is that of
    // the cursor query.
    bool getMouseLocation(CPoint& where);
    // The polled button bits; the context itself plays no part.
    int32_t getMouseButtons();
    // Waits, polling, for a second left press while the cursor stays near
    // where it is; false once the double-click time after the last message
    // has passed or the cursor moved away.
    bool waitDoubleClick();
    // While the left button is held: true as soon as the cursor leaves its
    // start; false when the button is let go first or there is no frame.
    bool waitDrag();

protected:
    // For offscreen contexts, whose surface is an image rather than a device
    // context.
    GdiGraphics& surface() { return graphics; }
    void storeClipRect(const CRect& clip) { clipRect = clip; }

private:
    // A device context the constructor fetched from the window, handed back
    // when the context goes: nothing else holds it.
    class FetchedDeviceContext {
    public:
        FetchedDeviceContext() = default;
        ~FetchedDeviceContext();
        FetchedDeviceContext(const FetchedDeviceContext&) = delete;
        FetchedDeviceContext& operator=(const FetchedDeviceContext&) = delete;
        HDC fetch(HWND window);

    private:
        HWND window = nullptr;
        HDC deviceContext = nullptr;
    };

    CRect defaultClipRect() const;
    // Where GDI+ can put pixels: its clip within the surface, in surface
    // coordinates; nothing when GDI+ cannot tell.
    std::optional<CRect> visibleArea();
    // Both ends in surface coordinates.
    void strokeLine(const CPoint& from, const CPoint& to);

    // First of all members: entered before any GDI+ object below is made,
    // left only after the last of them (and a derived context's) is gone.
    GdiPlusSession gdiPlusSession;
    CPoint offsetScreen;
    CPoint offset;
    void* systemContext;
    void* window;
    CFrame* frame;
    CFontDesc* font = nullptr;
    CColor fontColor;
    CPoint penPosition;
    CCoord lineWidth = 0;
    CColor frameColor;
    CColor fillColor;
    CLineStyle lineStyle = kLineOnOffDash;
    CDrawMode drawMode = kAntialias;
    CRect clipRect;
    // Destroyed in reverse: font brush, fill brush, pen, the surface, and
    // only then the device context the surface drew on.
    FetchedDeviceContext fetchedDeviceContext;
    GdiGraphics graphics;
    GdiPen pen;
    GdiSolidBrush fillBrush;
    GdiSolidBrush fontBrush;
};

} // namespace VSTGUI
