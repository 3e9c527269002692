#include "line_clipping.h"

#include <algorithm>

namespace VSTGUI {

namespace {

// The point at parameter t of the line (0 its start, 1 its end), held inside
// the area so that rounding cannot leave a moved end just beyond its border.
CPoint pointAt(const LineSegment& line, double t, const CRect& area)
{
    const CCoord h = line.start.h + t * (line.end.h - line.start.h);
    const CCoord v = line.start.v + t * (line.end.v - line.start.v);
    return CPoint(std::clamp(h, area.left, area.right), std::clamp(v, area.top, area.bottom));
}

} // namespace

std::optional<LineSegment> clipLine(const LineSegment& line, const CRect& area, LineCut cut)
{
    const CCoord dx = line.end.h - line.start.h;
    const CCoord dy = line.end.v - line.start.v;
    // Each edge keeps the parameters t with step * t <= room: the left edge
    // -dx * t <= start.h - left, and so on. Where the line runs towards an
    // edge it may leave there; where it runs away from it, it may enter.
    const CCoord steps[4] = {-dx, dx, -dy, dy};
    const CCoord rooms[4]
        = {line.start.h - area.left, area.right - line.start.h, line.start.v - area.top, area.bottom - line.start.v};
    double enter = 0;
    double leave = 1;
    for (int i = 0; i < 4; ++i) {
        if (steps[i] == 0) {
            // Parallel to the edge: wholly on one side of it.
            if (rooms[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = rooms[i] / steps[i];
        if (steps[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return std::nullopt;
    if (cut == LineCut::endOnly)
        enter = 0;
    return LineSegment{enter > 0 ? pointAt(line, enter, area) : line.start,
                       leave < 1 ? pointAt(line, leave, area) : line.end};
}

CRect widenedBy(const CRect& rect, CCoord margin)
{
    return CRect(rect.left - margin, rect.top - margin, rect.right + margin, rect.bottom + margin);
}

} // namespace VSTGUI
