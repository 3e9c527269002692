#pragma once

// Where a child goes when its container changes size: the arithmetic of the
// autosize flags, free of platform calls. [any thread]

#include "geometry.h"

#include <cstdint>

namespace VSTGUI {

struct AutosizeChange {
    CCoord dw = 0; // change of the container's width
    CCoord dh = 0; // change of its height
    int32_t containerFlags = 0; // kAutosizeColumn / kAutosizeRow
    int32_t childIndex = 0; // position in the child list, from 0
    int32_t childCount = 1;
};

// Moves and stretches a child's size and mouseable area alike.
void applyAutosize(const AutosizeChange& change, int32_t childFlags, CRect& size, CRect& mouseableArea);

} // namespace VSTGUI
