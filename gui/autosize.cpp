#include "autosize.h"

#include "view.h"

namespace VSTGUI {

namespace {

// One axis of a child: its low and high edge in both rectangles.
struct Axis {
    CCoord& sizeLow;
    CCoord& sizeHigh;
    CCoord& areaLow;
    CCoord& areaHigh;
};

void shareEqually(Axis axis, CCoord change, int32_t index, int32_t count)
{
    const CCoord share = change / static_cast<CCoord>(count);
    if (index > 0) {
        const CCoord shift = index * share;
        axis.sizeLow += shift;
        axis.sizeHigh += shift;
        axis.areaLow += shift;
        axis.areaHigh += shift;
    }
    axis.sizeHigh += share;
    axis.areaHigh += share;
}

// Stretches with the far edge, or follows it when the near edge is not held.
void followFarEdge(Axis axis, CCoord change, int32_t childFlags, int32_t farFlag, int32_t nearFlag)
{
    if (change == 0 || !(childFlags & farFlag))
        return;
    axis.sizeHigh += change;
    axis.areaHigh += change;
    if (!(childFlags & nearFlag)) {
        axis.sizeLow += change;
        axis.areaLow += change;
    }
}

} // namespace

void applyAutosize(const AutosizeChange& change, int32_t childFlags, CRect& size, CRect& mouseableArea)
{
    Axis horizontal{size.left, size.right, mouseableArea.left, mouseableArea.right};
    if (change.containerFlags & kAutosizeColumn)
        shareEqually(horizontal, change.dw, change.childIndex, change.childCount);
    else
        followFarEdge(horizontal, change.dw, childFlags, kAutosizeRight, kAutosizeLeft);

    Axis vertical{size.top, size.bottom, mouseableArea.top, mouseableArea.bottom};
    if (change.containerFlags & kAutosizeRow)
        shareEqually(vertical, change.dh, change.childIndex, change.childCount);
    else
        followFarEdge(vertical, change.dh, childFlags, kAutosizeBottom, kAutosizeTop);
}

} // namespace VSTGUI
