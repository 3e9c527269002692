#pragma once

// Drawing tests draw into offscreen surfaces and read the pixels back.

#include "gui/bitmap.h"
#include "gui/gdiplus_globals.h"
#include "gui/offscreen_context.h"

#include "geometry_printers.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace test {

constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kBlue{0, 0, 255, 255};
constexpr CColor kWhite{255, 255, 255, 255};
constexpr CColor kOpaqueBlack{0, 0, 0, 255};
constexpr Gdiplus::ARGB kRedArgb = 0xFFFF0000;
constexpr Gdiplus::ARGB kWhiteArgb = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kTransparent = 0;

// Keeps GDI+ running for the test, as a frame does in the plug-in.
class GdiPlusTest : public testing::Test {
protected:
    GdiPlusTest() { GDIPlusGlobals::enter(); }
    ~GdiPlusTest() override { GDIPlusGlobals::exit(); }
};

// A transparent offscreen surface of the given size.
class Surface : public COffscreenContext {
public:
    Surface(int32_t width, int32_t height) : COffscreenContext(nullptr, width, height, kOpaqueBlack) {}

    Gdiplus::ARGB pixel(int x, int y) const;
    // The smallest box, right and bottom exclusive, that holds every pixel
    // that is not fully transparent; all zero when nothing is.
    CRect paintedBox() const;
    bool hasPaintIn(const CRect& area) const;
    bool samePixelsAs(const Surface& other) const;
    // The same pixels as other, moved by (dx, dy).
    bool samePixelsAsShifted(const Surface& other, int dx, int dy) const;
};

Gdiplus::ARGB pixelOf(const CBitmap& bitmap, int x, int y);

inline uint8_t alphaOf(Gdiplus::ARGB argb)
{
    return static_cast<uint8_t>(argb >> 24);
}

} // namespace test
} // namespace VSTGUI
