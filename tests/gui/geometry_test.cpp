#include "gui/geometry.h"

#include "geometry_printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace VSTGUI {
namespace {

struct PointCase {
    CPoint point;
    bool pointInside; // half-open
    bool isInside; // edges inclusive
};

TEST(RectPointTests, HalfOpenAgainstInclusiveEdges)
{
    const CRect r(10, 20, 30, 40);
    const PointCase cases[] = {
        {{10, 20}, true, true}, // top-left corner belongs to both
        {{29.5, 39.5}, true, true}, {{30, 25}, false, true}, // right edge
        {{15, 40}, false, true}, // bottom edge
        {{30, 40}, false, true}, // bottom-right corner
        {{9.99, 25}, false, false}, {{15, 40.01}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "point (" << c.point.h << ", " << c.point.v << ")");
        EXPECT_EQ(r.pointInside(c.point), c.pointInside);
        EXPECT_EQ(c.point.isInside(r), c.isInside);
    }
}

TEST(RectTests, IsEmptyWhenEitherExtentIsZeroOrReversed)
{
    struct Case {
        CRect rect;
        bool empty;
    } const cases[] = {
        {{0, 0, 10, 10}, false}, {{5, 0, 5, 10}, true}, // right == left
        {{6, 0, 5, 10}, true}, // right < left
        {{0, 3, 10, 3}, true},   {{0, 4, 10, 3}, true}, {{-10, -10, -5, -5}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.rect));
        EXPECT_EQ(c.rect.isEmpty(), c.empty);
    }
}

TEST(RectTests, OverlapCountsSharedEdges)
{
    const CRect r(10, 10, 20, 20);
    struct Case {
        CRect other;
        bool overlaps;
    } const cases[] = {
        {{20, 10, 30, 20}, true}, // shares the right edge
        {{0, 10, 10, 20}, true}, // shares the left edge
        {{10, 20, 20, 30}, true}, // shares the bottom edge
        {{20, 20, 30, 30}, true}, // shares only a corner
        {{12, 12, 14, 14}, true}, // inside
        {{0, 0, 40, 40}, true}, // around
        {{20.5, 10, 30, 20}, false}, {{0, 0, 9.5, 40}, false}, {{10, 21, 20, 30}, false}, {{10, 0, 20, 9}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.other));
        EXPECT_EQ(r.rectOverlap(c.other), c.overlaps);
        EXPECT_EQ(c.other.rectOverlap(r), c.overlaps);
    }
}

TEST(RectTests, BoundClipsAndNeverGoesNegative)
{
    struct Case {
        CRect rect;
        CRect bounds;
        CRect expected;
    } const cases[] = {
        {{10, 10, 20, 20}, {0, 0, 100, 100}, {10, 10, 20, 20}}, // inside: unchanged
        {{-5, -5, 50, 50}, {0, 0, 30, 40}, {0, 0, 30, 40}}, // clipped on all sides
        {{10, 10, 20, 20}, {30, 0, 40, 40}, {30, 10, 30, 20}}, // wholly left: zero width at 30
        {{50, 10, 60, 20}, {30, 0, 40, 40}, {50, 10, 50, 20}}, // wholly right: right follows left
        {{10, 10, 20, 20}, {0, 30, 40, 40}, {10, 30, 20, 30}}, // wholly above: zero height at 30
        {{10, 50, 20, 60}, {0, 30, 40, 40}, {10, 50, 20, 50}}, // wholly below: bottom follows top
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.rect) + " bound by " + testing::PrintToString(c.bounds));
        CRect r = c.rect;
        EXPECT_EQ(r.bound(c.bounds), c.expected);
        EXPECT_GE(r.getWidth(), 0);
        EXPECT_GE(r.getHeight(), 0);
    }
}

TEST(RectTests, UniteTakesTheSmallerAndLargerEdges)
{
    CRect r(10, 10, 20, 20);
    EXPECT_EQ(r.unite(CRect(15, 5, 30, 18)), CRect(10, 5, 30, 20));
    EXPECT_EQ(r.unite(CRect(12, 12, 13, 13)), CRect(10, 5, 30, 20));
}

TEST(RectTests, OffsetMovesBothEdgesOfEachAxis)
{
    CRect r(1, 2, 3, 4);
    EXPECT_EQ(r.offset(10, -20), CRect(11, -18, 13, -16));
}

TEST(RectTests, CornerSettersMoveOnlyTheirTwoFields)
{
    CRect r(1, 2, 3, 4);
    r.setTopLeft(CPoint(-1, -2));
    EXPECT_EQ(r, CRect(-1, -2, 3, 4));
    r.setTopRight(CPoint(10, 20));
    EXPECT_EQ(r, CRect(-1, 20, 10, 4));
    r.setBottomLeft(CPoint(5, 6));
    EXPECT_EQ(r, CRect(5, 20, 10, 6));
    r.setBottomRight(CPoint(7, 8));
    EXPECT_EQ(r, CRect(5, 20, 7, 8));

    const CRect q(1, 2, 3, 4);
    EXPECT_EQ(q.getTopLeft(), CPoint(1, 2));
    EXPECT_EQ(q.getTopRight(), CPoint(3, 2));
    EXPECT_EQ(q.getBottomLeft(), CPoint(1, 4));
    EXPECT_EQ(q.getBottomRight(), CPoint(3, 4));
}

TEST(RectTests, SizeIsMeasuredFromTheTopLeft)
{
    CRect r(10, 20, 15, 18); // reversed vertically: height -2
    EXPECT_EQ(r.getSize(), CPoint(5, -2));
    r.setSize(CPoint(30, 40));
    EXPECT_EQ(r, CRect(10, 20, 40, 60));
}

TEST(RectTests, NormalizeSwapsReversedEdges)
{
    CRect r(10, 20, 0, 5);
    EXPECT_EQ(r.normalize(), CRect(0, 5, 10, 20));
}

TEST(ColorTests, TravelsAsOne32BitValueWithRedLowest)
{
    const CColor color{0x11, 0x22, 0x33, 0x44};
    uint32_t packed = 0;
    static_assert(sizeof(packed) == sizeof(color), "");
    std::memcpy(&packed, &color, sizeof(packed));
    // Little-endian targets only: both builds of the plug-in are.
    EXPECT_EQ(packed, 0x44332211u);
}

TEST(TruncateToIntTests, TruncatesTowardZeroAndSaturates)
{
    struct Case {
        CCoord value;
        int32_t expected;
    } const cases[] = {
        {9.99, 9},
        {-9.99, -9},
        {0.5, 0},
        {1e12, std::numeric_limits<int32_t>::max()},
        {-1e12, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
        {std::nan(""), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(truncateToInt(c.value), c.expected);
    }
}

} // namespace
} // namespace VSTGUI
