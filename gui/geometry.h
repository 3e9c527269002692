#pragma once

#include <cstdint>

namespace VSTGUI {

// Pixels of the frame window: x grows to the right, y downwards. The records
// and truncateToInt are plain values and arithmetic. [any thread]
using CCoord = double;

struct CRect;

struct CPoint {
    CPoint() = default;
    CPoint(CCoord h, CCoord v) : h(h), v(v) {}

    CPoint& offset(CCoord dx, CCoord dy);
    // Edges inclusive, unlike CRect::pointInside: hit tests of views use this.
    bool isInside(const CRect& r) const;

    bool operator==(const CPoint& other) const { return h == other.h && v == other.v; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }

    CCoord h = 0;
    CCoord v = 0;
};

// Not kept normalised: right < left is allowed, and each operation says how it
// treats that.
struct CRect {
    CRect() = default;
    CRect(CCoord left, CCoord top, CCoord right, CCoord bottom) : left(left), top(top), right(right), bottom(bottom) {}

    CRect& offset(CCoord dx, CCoord dy);
    CCoord getWidth() const { return right - left; }
    CCoord getHeight() const { return bottom - top; }

    // Left and top count as inside, right and bottom do not.
    bool pointInside(const CPoint& p) const;
    bool isEmpty() const;
    // Edges inclusive: rectangles that only share an edge overlap.
    bool rectOverlap(const CRect& other) const;
    // Clips to r; a rectangle wholly outside r ends up with zero width or
    // height on r's nearest edge, never a negative one.
    CRect& bound(const CRect& r);
    CRect& unite(const CRect& other);
    // Swaps left with right and top with bottom where they are reversed.
    CRect& normalize();

    CPoint getTopLeft() const { return CPoint(left, top); }
    CPoint getTopRight() const { return CPoint(right, top); }
    CPoint getBottomLeft() const { return CPoint(left, bottom); }
    CPoint getBottomRight() const { return CPoint(right, bottom); }
    void setTopLeft(const CPoint& p);
    void setTopRight(const CPoint& p);
    void setBottomLeft(const CPoint& p);
    void setBottomRight(const CPoint& p);

    CPoint getSize() const { return CPoint(getWidth(), getHeight()); }
    void setSize(const CPoint& size);

    bool operator==(const CRect& other) const;
    bool operator!=(const CRect& other) const { return !(*this == other); }

    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;
};

// Passed by value as one 32-bit quantity: red in the lowest byte, alpha in the
// highest. Alpha 255 is opaque.
struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    bool operator==(const CColor& other) const
    {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
    bool operator!=(const CColor& other) const { return !(*this == other); }
};
static_assert(sizeof(CColor) == 4, "CColor travels as one 32-bit value");

// Truncation toward zero of a coordinate handed to an integer drawing call.
// Values beyond the 32-bit range saturate and NaN becomes 0, so that no
// caller's coordinate can make the conversion undefined.
int32_t truncateToInt(CCoord value);

} // namespace VSTGUI
