#pragma once

// The part of a straight line that lies in a rectangle, free of platform
// calls and of state. The draw context cuts lines to what can be seen before
// they reach the rasteriser, which would otherwise walk a far end pixel by
// pixel. [any thread]

#include "geometry.h"

#include <optional>

namespace VSTGUI {

struct LineSegment {
    CPoint start;
    CPoint end;

    bool operator==(const LineSegment& other) const { return start == other.start && end == other.end; }
    bool operator!=(const LineSegment& other) const { return !(*this == other); }
};

enum class LineCut {
    bothEnds,
    // A dashed line's pattern runs from its start: moving the start would
    // shift every dash.
    endOnly,
};

// The piece of line within area, edges included: on the same infinite line,
// with each end that lies outside moved along it onto the area's border, and
// an end inside kept as it is (so a line wholly inside comes back equal).
// Nothing when the line misses the area; a line that only touches it gives
// the one point. The area must be normalised and every coordinate finite.
std::optional<LineSegment> clipLine(const LineSegment& line, const CRect& area, LineCut cut = LineCut::bothEnds);

// The rectangle grown by margin on every side.
CRect widenedBy(const CRect& rect, CCoord margin);

} // namespace VSTGUI
