#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>

#include "value_guards.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSubnormal = std::numeric_limits<double>::denorm_min();

TEST(ValueGuards, FiniteOrZeroTurnsNanAndInfinitiesIntoPositiveZero)
{
    for (const double bad : {kNaN, kInf, -kInf}) {
        EXPECT_EQ(finiteOrZero(bad), 0.0);
        EXPECT_FALSE(std::signbit(finiteOrZero(bad)));
    }
}

TEST(ValueGuards, FiniteOrZeroKeepsFiniteValuesToTheBit)
{
    EXPECT_TRUE(std::signbit(finiteOrZero(-0.0)));
    EXPECT_EQ(finiteOrZero(kSubnormal), kSubnormal);
    EXPECT_EQ(finiteOrZero(-1.5e300), -1.5e300);
}

TEST(ValueGuards, InfinityToZeroTurnsInfinitiesIntoZeroAndLetsNanPass)
{
    EXPECT_EQ(infinityToZero(kInf), 0.0);
    EXPECT_EQ(infinityToZero(-kInf), 0.0);
    EXPECT_TRUE(std::isnan(infinityToZero(kNaN)));
    EXPECT_TRUE(std::signbit(infinityToZero(-0.0)));
    EXPECT_EQ(infinityToZero(kSubnormal), kSubnormal);
}

struct Conversion {
    double value;
    int32_t expected;
};

void PrintTo(const Conversion& conversion, std::ostream* out)
{
    *out << std::setprecision(12) << conversion.value;
}

class ScriptToInt32Test : public ::testing::TestWithParam<Conversion> {};

// Beyond the 32-bit range a value keeps its side: it saturates to the end of
// the range, as truncation and a clamp to that range would give. Only a NaN,
// which has no side, gives 0.
TEST_P(ScriptToInt32Test, MovesAwayFromZeroTruncatesAndSaturatesOutsideInt32)
{
    EXPECT_EQ(scriptToInt32(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, ScriptToInt32Test,
                         ::testing::Values(Conversion{3.9999, 4}, Conversion{2.5, 2}, Conversion{2.99995, 3},
                                           Conversion{-1.0, -1}, Conversion{-2.5, -2}, Conversion{-3.99995, -4},
                                           Conversion{0.0, 0}, Conversion{-0.00005, 0}, Conversion{300.0, 300},
                                           Conversion{2147483647.0, INT32_MAX}, Conversion{-2147483648.0, INT32_MIN},
                                           Conversion{2147483647.5, INT32_MAX}, Conversion{-2147483648.9, INT32_MIN},
                                           Conversion{2147483648.0, INT32_MAX}, Conversion{-2147483649.0, INT32_MIN},
                                           Conversion{1e300, INT32_MAX}, Conversion{-1e300, INT32_MIN},
                                           Conversion{kInf, INT32_MAX}, Conversion{-kInf, INT32_MIN},
                                           Conversion{kNaN, 0}, Conversion{-kNaN, 0}));

} // namespace
