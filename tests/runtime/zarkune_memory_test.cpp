#include <gtest/gtest.h>

#include <cstdint>

#include "zarkune.h"

namespace {

struct PageSplit {
    int32_t index;
    int32_t page;
    int32_t offset;
};

void PrintTo(const PageSplit& split, std::ostream* out)
{
    *out << "index " << split.index;
}

class PageSplitTest : public ::testing::TestWithParam<PageSplit> {};

TEST_P(PageSplitTest, IndexLandsInItsPageAndOffsetAndMakesOnlyThatPage)
{
    const PageSplit split = GetParam();
    TZarkune script;
    const double* value = script.at(split.index);
    ASSERT_EQ(script.pages.size(), 1u);
    ASSERT_EQ(script.pages.begin()->first, split.page);
    const std::vector<double>& page = script.pages.begin()->second;
    EXPECT_EQ(page.size(), 65536u);
    EXPECT_EQ(value, &page[static_cast<size_t>(split.offset)]);
}

INSTANTIATE_TEST_SUITE_P(Indexes, PageSplitTest,
                         ::testing::Values(PageSplit{0, 0, 0}, PageSplit{65535, 0, 65535}, PageSplit{65536, 1, 0},
                                           PageSplit{-1, -1, 65535}, PageSplit{-65536, -1, 0},
                                           PageSplit{-65537, -2, 65535}, PageSplit{10000000, 152, 38528},
                                           PageSplit{INT32_MAX, 32767, 65535}, PageSplit{INT32_MIN, -32768, 0}));

TEST(PagedMemory, NewPageReadsZeros)
{
    TZarkune script;
    script.at(70000);
    for (const double value : script.pages.at(1))
        ASSERT_EQ(value, 0.0);
}

TEST(PagedMemory, WrittenValueReadsBackUntilResetThenZero)
{
    TZarkune script;
    *script.at(-5) = 2.5;
    *script.at(123456) = -7.0;
    EXPECT_EQ(*script.at(-5), 2.5);
    EXPECT_EQ(*script.at(123456), -7.0);
    script.reset();
    EXPECT_TRUE(script.pages.empty());
    EXPECT_EQ(*script.at(-5), 0.0);
}

TEST(PagedMemory, PointerStaysValidWhileOtherPagesAreMade)
{
    TZarkune script;
    double* first = script.at(3);
    for (int32_t page = -50; page <= 50; ++page)
        *script.at(page * 65536 + 1) = page;
    EXPECT_EQ(script.at(3), first);
    *first = 9.0;
    EXPECT_EQ(*script.at(3), 9.0);
}

TEST(PagedMemory, ValuesOfOnePageAreAdjacent)
{
    TZarkune script;
    double* base = script.at(65536 * 4);
    base[65535] = 1.0; // the last value reachable from the page's first
    EXPECT_EQ(script.at(65536 * 4 + 65535), base + 65535);
    EXPECT_EQ(script.pages.size(), 1u);
}

} // namespace
