#pragma once

// The lines the code under test hands to GDI+, seen where they cross into
// gdiplus.dll: while a recorder lives, the executable's import slots for the
// two line calls point at functions that note each call and pass it on.

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <vector>

namespace VSTGUI {
namespace test {

struct HandedLine {
    bool integerCall; // GdipDrawLineI rather than GdipDrawLine
    float x1, y1, x2, y2;
};

class GdiplusLineCalls {
public:
    GdiplusLineCalls();
    ~GdiplusLineCalls();
    GdiplusLineCalls(const GdiplusLineCalls&) = delete;
    GdiplusLineCalls& operator=(const GdiplusLineCalls&) = delete;

    // False when the executable's import table holds no slot for one of
    // the calls: then nothing is recorded.
    bool watching() const { return watchingBoth; }
    const std::vector<HandedLine>& lines() const { return handed; }
    void clear() { handed.clear(); }

private:
    static Gdiplus::GpStatus WINGDIPAPI drawLine(Gdiplus::GpGraphics* graphics, Gdiplus::GpPen* pen, Gdiplus::REAL x1,
                                                 Gdiplus::REAL y1, Gdiplus::REAL x2, Gdiplus::REAL y2);
    static Gdiplus::GpStatus WINGDIPAPI drawLineI(Gdiplus::GpGraphics* graphics, Gdiplus::GpPen* pen, INT x1, INT y1,
                                                  INT x2, INT y2);

    bool watchingBoth = false;
    std::vector<HandedLine> handed;
};

} // namespace test
} // namespace VSTGUI
