#include "gui/line_clipping.h"

#include "geometry_printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace VSTGUI {

inline void PrintTo(const LineSegment& line, std::ostream* os)
{
    *os << "(" << line.start.h << ", " << line.start.v << ") to (" << line.end.h << ", " << line.end.v << ")";
}

namespace {

constexpr double kLowest = -2147483648.0; // the 32-bit limits, where truncated coordinates saturate
constexpr double kHighest = 2147483647.0;

const CRect kArea(0, 0, 100, 50);

// Moved ends carry the rounding of their arithmetic; a millionth of a pixel
// is far below anything a rasteriser resolves.
void expectPiece(const std::optional<LineSegment>& actual, const std::optional<LineSegment>& expected)
{
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (!expected)
        return;
    EXPECT_NEAR(actual->start.h, expected->start.h, 1e-6);
    EXPECT_NEAR(actual->start.v, expected->start.v, 1e-6);
    EXPECT_NEAR(actual->end.h, expected->end.h, 1e-6);
    EXPECT_NEAR(actual->end.v, expected->end.v, 1e-6);
}

struct ClipCase {
    const char* name;
    LineSegment line;
    std::optional<LineSegment> expected;
};

TEST(LineClippingTest, KeepsThePartInsideTheArea)
{
    const ClipCase cases[] = {
        {"wholly inside", {{10, 10}, {90, 40}}, LineSegment{{10, 10}, {90, 40}}},
        {"zero length inside", {{5, 5}, {5, 5}}, LineSegment{{5, 5}, {5, 5}}},
        {"zero length outside", {{-1, 5}, {-1, 5}}, std::nullopt},
        {"wholly left of it", {{-20, 10}, {-5, 40}}, std::nullopt},
        {"wholly below, crossing every column", {{-50, 60}, {150, 51}}, std::nullopt},
        // x + y = 10 cuts the corner off between (0, 10) and (10, 0).
        {"across a corner", {{-10, 20}, {20, -10}}, LineSegment{{0, 10}, {10, 0}}},
        {"through the corner point alone", {{-10, 10}, {10, -10}}, LineSegment{{0, 0}, {0, 0}}},
        {"just past the corner", {{-10, 9}, {9, -10}}, std::nullopt},
        {"horizontal through it", {{-50, 25}, {150, 25}}, LineSegment{{0, 25}, {100, 25}}},
        {"vertical from inside down", {{30, 20}, {30, 1000}}, LineSegment{{30, 20}, {30, 50}}},
        {"vertical from below up", {{30, 1000}, {30, 20}}, LineSegment{{30, 50}, {30, 20}}},
        {"along the top edge", {{-10, 0}, {200, 0}}, LineSegment{{0, 0}, {100, 0}}},
        {"just above the top edge", {{-10, -1}, {200, -1}}, std::nullopt},
        {"ending on the border", {{50, 25}, {100, 50}}, LineSegment{{50, 25}, {100, 50}}},
        {"starting on the border, leaving", {{100, 25}, {200, 25}}, LineSegment{{100, 25}, {100, 25}}},
        {"between the 32-bit corners", {{kLowest, kLowest}, {kHighest, kHighest}}, LineSegment{{0, 0}, {50, 50}}},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectPiece(clipLine(c.line, kArea), c.expected);
    }
}

// Towards (2147483647, -2147483648) from (50, 25) the line leaves through
// the top edge after 25 of its 2147483673 rows: at x = 50 + 25 * 2147483597
// / 2147483673.
TEST(LineClippingTest, AFarEndNearTheLimitLandsOnTheBorder)
{
    const std::optional<LineSegment> piece = clipLine({{50, 25}, {kHighest, kLowest}}, kArea);
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->start, CPoint(50, 25));
    EXPECT_NEAR(piece->end.h, 50 + 25 * (2147483597.0 / 2147483673.0), 1e-9);
    EXPECT_EQ(piece->end.v, 0);
}

TEST(LineClippingTest, EndOnlyKeepsTheStartWhereverItIs)
{
    const ClipCase cases[] = {
        {"start outside", {{-50, 25}, {150, 25}}, LineSegment{{-50, 25}, {100, 25}}},
        {"start inside", {{30, 20}, {30, 1000}}, LineSegment{{30, 20}, {30, 50}}},
        {"wholly outside", {{-20, 10}, {-5, 40}}, std::nullopt},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectPiece(clipLine(c.line, kArea, LineCut::endOnly), c.expected);
    }
}

// Lines from inside and from outside to far points all round: every piece
// lies in the area and on its own line.
TEST(LineClippingTest, PiecesStayInTheAreaAndOnTheirLine)
{
    const double pi = std::acos(-1.0);
    int pieces = 0;
    for (const CPoint start : {CPoint(50, 25), CPoint(-300, 700), CPoint(kLowest, 10)}) {
        for (const double length : {120.0, 1e5, 4e9}) {
            for (int step = 0; step < 64; ++step) {
                const double angle = 2 * pi * step / 64;
                const LineSegment line{
                    start,
                    CPoint(std::fmax(kLowest, std::fmin(kHighest, start.h + length * std::cos(angle))),
                           std::fmax(kLowest, std::fmin(kHighest, start.v + length * std::sin(angle))))};
                const std::optional<LineSegment> piece = clipLine(line, kArea);
                if (!piece)
                    continue;
                ++pieces;
                SCOPED_TRACE(testing::PrintToString(line));
                const double dx = line.end.h - line.start.h;
                const double dy = line.end.v - line.start.v;
                for (const CPoint& end : {piece->start, piece->end}) {
                    EXPECT_TRUE(end.h >= kArea.left && end.h <= kArea.right && end.v >= kArea.top
                                && end.v <= kArea.bottom)
                        << testing::PrintToString(end);
                    // Its distance from the line, in pixels.
                    const double off = ((end.h - line.start.h) * dy - (end.v - line.start.v) * dx) / std::hypot(dx, dy);
                    EXPECT_LT(std::fabs(off), 1e-6);
                }
            }
        }
    }
    EXPECT_GT(pieces, 64);
}

TEST(LineClippingTest, WidenedByGrowsEverySide)
{
    EXPECT_EQ(widenedBy(CRect(10, 20, 30, 40), 3), CRect(7, 17, 33, 43));
}

} // namespace
} // namespace VSTGUI
