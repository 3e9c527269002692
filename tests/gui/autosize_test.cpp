#include "gui/autosize.h"
#include "gui/view.h"

#include "geometry_printers.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace {

struct AutosizeCase {
    const char* name;
    AutosizeChange change;
    int32_t childFlags;
    CRect expected; // from the child at (10, 10, 30, 40)
};

TEST(AutosizeTest, ChildrenFollowTheirFlags)
{
    const AutosizeCase cases[] = {
        {"right only: moves with the right edge", {20, 0, 0, 0, 1}, kAutosizeRight, {30, 10, 50, 40}},
        {"left and right: stretches", {20, 0, 0, 0, 1}, kAutosizeLeft | kAutosizeRight, {10, 10, 50, 40}},
        {"left only: stays", {20, 0, 0, 0, 1}, kAutosizeLeft, {10, 10, 30, 40}},
        {"bottom only: moves down", {0, -5, 0, 0, 1}, kAutosizeBottom, {10, 5, 30, 35}},
        {"top and bottom: stretches", {0, 15, 0, 0, 1}, kAutosizeTop | kAutosizeBottom, {10, 10, 30, 55}},
        {"no flags: stays", {20, 15, 0, 0, 1}, 0, {10, 10, 30, 40}},
        {"both axes at once", {20, 15, 0, 0, 1}, kAutosizeRight | kAutosizeTop | kAutosizeBottom, {30, 10, 50, 55}},
        // Column mode shares the width change equally, whatever the child's flags.
        {"column, first of three", {30, 0, kAutosizeColumn, 0, 3}, 0, {10, 10, 40, 40}},
        {"column, second of three", {30, 0, kAutosizeColumn, 1, 3}, 0, {20, 10, 50, 40}},
        {"column, third of three", {30, 0, kAutosizeColumn, 2, 3}, kAutosizeRight, {30, 10, 60, 40}},
        {"column keeps the height rule", {30, 10, kAutosizeColumn, 0, 3}, kAutosizeBottom, {10, 20, 40, 50}},
        {"row, second of two", {0, 10, kAutosizeRow, 1, 2}, 0, {10, 15, 30, 50}},
        {"column, shares of a width change of 10 by 4", {10, 0, kAutosizeColumn, 3, 4}, 0, {17.5, 10, 40, 40}},
    };
    for (const AutosizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRect size(10, 10, 30, 40);
        CRect area(10, 10, 30, 40);
        applyAutosize(c.change, c.childFlags, size, area);
        EXPECT_EQ(size, c.expected);
        EXPECT_EQ(area, c.expected);
    }
}

TEST(AutosizeTest, MouseableAreaMovesByTheSameAmountsAsTheSize)
{
    CRect size(10, 10, 30, 40);
    CRect area(12, 14, 20, 22);
    applyAutosize({20, 6, 0, 0, 1}, kAutosizeRight | kAutosizeBottom | kAutosizeTop, size, area);
    EXPECT_EQ(size, CRect(30, 10, 50, 46));
    EXPECT_EQ(area, CRect(32, 14, 40, 28));
}

} // namespace
} // namespace VSTGUI
