#pragma once

// Readable test failures for the toolkit's records.

#include "gui/geometry.h"

#include <ostream>

namespace VSTGUI {

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "CRect(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "CPoint(" << p.h << ", " << p.v << ")";
}

inline void PrintTo(const CColor& c, std::ostream* os)
{
    *os << "CColor(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", " << int(c.alpha) << ")";
}

} // namespace VSTGUI
