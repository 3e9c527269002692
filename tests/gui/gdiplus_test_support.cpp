#include "gdiplus_test_support.h"

namespace VSTGUI {
namespace test {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

ARGB pixelOf(const CBitmap& bitmap, int x, int y)
{
    ARGB value = 0;
    if (bitmap.getBitmap())
        GdipBitmapGetPixel(bitmap.getBitmap()->get(), x, y, &value);
    return value;
}

ARGB Surface::pixel(int x, int y) const
{
    return pixelOf(*getBitmap(), x, y);
}

CRect Surface::paintedBox() const
{
    CRect box;
    bool any = false;
    for (int y = 0; y < getHeight(); ++y) {
        for (int x = 0; x < getWidth(); ++x) {
            if (alphaOf(pixel(x, y)) == 0)
                continue;
            const CRect one(x, y, x + 1, y + 1);
            if (any)
                box.unite(one);
            else
                box = one;
            any = true;
        }
    }
    return box;
}

bool Surface::hasPaintIn(const CRect& area) const
{
    for (int y = static_cast<int>(area.top); y < area.bottom; ++y)
        for (int x = static_cast<int>(area.left); x < area.right; ++x)
            if (alphaOf(pixel(x, y)) != 0)
                return true;
    return false;
}

bool Surface::samePixelsAs(const Surface& other) const
{
    return samePixelsAsShifted(other, 0, 0);
}

bool Surface::samePixelsAsShifted(const Surface& other, int dx, int dy) const
{
    for (int y = 0; y < getHeight(); ++y) {
        for (int x = 0; x < getWidth(); ++x) {
            const int fromX = x - dx;
            const int fromY = y - dy;
            const bool inOther = fromX >= 0 && fromY >= 0 && fromX < other.getWidth() && fromY < other.getHeight();
            if (pixel(x, y) != (inOther ? other.pixel(fromX, fromY) : kTransparent))
                return false;
        }
    }
    return true;
}

} // namespace test
} // namespace VSTGUI
