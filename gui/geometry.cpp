#include "geometry.h"

#include <cmath>
#include <limits>
#include <utility>

namespace VSTGUI {

CPoint& CPoint::offset(CCoord dx, CCoord dy)
{
    h += dx;
    v += dy;
    return *this;
}

bool CPoint::isInside(const CRect& r) const
{
    return r.left <= h && h <= r.right && r.top <= v && v <= r.bottom;
}

CRect& CRect::offset(CCoord dx, CCoord dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
}

bool CRect::pointInside(const CPoint& p) const
{
    return left <= p.h && p.h < right && top <= p.v && p.v < bottom;
}

bool CRect::isEmpty() const
{
    return left >= right || top >= bottom;
}

bool CRect::rectOverlap(const CRect& other) const
{
    return !(right < other.left || left > other.right || bottom < other.top || top > other.bottom);
}

CRect& CRect::bound(const CRect& r)
{
    if (left < r.left)
        left = r.left;
    if (top < r.top)
        top = r.top;
    if (right > r.right)
        right = r.right;
    if (bottom > r.bottom)
        bottom = r.bottom;
    if (top > bottom)
        bottom = top;
    if (left > right)
        right = left;
    return *this;
}

CRect& CRect::unite(const CRect& other)
{
    if (other.left < left)
        left = other.left;
    if (other.top < top)
        top = other.top;
    if (other.right > right)
        right = other.right;
    if (other.bottom > bottom)
        bottom = other.bottom;
    return *this;
}

CRect& CRect::normalize()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return *this;
}

void CRect::setTopLeft(const CPoint& p)
{
    left = p.h;
    top = p.v;
}

void CRect::setTopRight(const CPoint& p)
{
    right = p.h;
    top = p.v;
}

void CRect::setBottomLeft(const CPoint& p)
{
    left = p.h;
    bottom = p.v;
}

void CRect::setBottomRight(const CPoint& p)
{
    right = p.h;
    bottom = p.v;
}

void CRect::setSize(const CPoint& size)
{
    right = left + size.h;
    bottom = top + size.v;
}

bool CRect::operator==(const CRect& other) const
{
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

int32_t truncateToInt(CCoord value)
{
    if (std::isnan(value))
        return 0;
    constexpr auto lowest = std::numeric_limits<int32_t>::min();
    constexpr auto highest = std::numeric_limits<int32_t>::max();
    if (value <= lowest)
        return lowest;
    if (value >= highest)
        return highest;
    return static_cast<int32_t>(value);
}

} // namespace VSTGUI
