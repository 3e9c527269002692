#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "fft.h"
#include "fresh_mdct_cache.h"
#include "mdct_reference.h"
#include "memory_transforms.h"
#include "zarkune.h"

namespace {

constexpr int32_t kPage = 65536;
constexpr double kMarker = 7.0;

std::vector<double> randomValues(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> values(count);
    for (double& x : values)
        x = value(generator);
    return values;
}

void store(TZarkune& script, int32_t index, const std::vector<double>& values)
{
    double* at = script.at(index);
    for (size_t i = 0; i < values.size(); ++i)
        at[i] = values[i];
}

std::vector<double> load(TZarkune& script, int32_t index, int32_t count)
{
    const double* at = script.at(index);
    return std::vector<double>(at, at + count);
}

// ---- memoryFft --------------------------------------------------------------

struct FftSize {
    int32_t size;
    int32_t transformed; // complex values transformed, 0 for none
};

void PrintTo(const FftSize& size, std::ostream* out)
{
    *out << "size " << size.size;
}

class MemoryFftSize : public ::testing::TestWithParam<FftSize> {};

// An impulse becomes ones on exactly the transformed run; the marker after
// it stays. Outside the accepted range no page is even made.
TEST_P(MemoryFftSize, SizeRoundsDownAndOutOfRangeTouchesNothing)
{
    const FftSize size = GetParam();
    TZarkune script;
    if (size.transformed == 0) {
        memoryFft(script, 0, size.size, kFftForward);
        EXPECT_TRUE(script.pages.empty());
        return;
    }
    std::vector<double> values(kPage, kMarker);
    for (int32_t i = 0; i < 2 * size.transformed; ++i)
        values[i] = 0.0;
    values[0] = 1.0;
    store(script, 0, values);
    memoryFft(script, 0, size.size, kFftForward);
    const std::vector<double> after = load(script, 0, kPage);
    for (int32_t k = 0; k < size.transformed; ++k) {
        ASSERT_EQ(after[2 * k], 1.0) << k;
        ASSERT_EQ(after[2 * k + 1], 0.0) << k;
    }
    for (int32_t i = 2 * size.transformed; i < kPage; ++i)
        ASSERT_EQ(after[i], kMarker) << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, MemoryFftSize,
                         ::testing::Values(FftSize{-16, 0}, FftSize{0, 0}, FftSize{1, 0}, FftSize{8, 0}, FftSize{15, 0},
                                           FftSize{16, 16}, FftSize{100, 64}, FftSize{32768, 32768},
                                           FftSize{65535, 32768}, FftSize{65536, 0}, FftSize{1 << 30, 0}));

TEST(MemoryFft, ForwardThenPermuteOfAnImpulseGivesSixteenOnes)
{
    TZarkune script;
    *script.at(0) = 1.0;
    memoryFft(script, 0, 16, kFftForward);
    memoryFft(script, 0, 16, kFftPermute);
    std::vector<double> expected;
    for (int k = 0; k < 16; ++k)
        expected.insert(expected.end(), {1.0, 0.0});
    EXPECT_EQ(load(script, 0, 32), expected);
}

TEST(MemoryFft, RoundTripThroughMemoryGivesNTimesTheInput)
{
    TZarkune script;
    const int32_t index = 5 * kPage + 1000;
    const std::vector<double> input = randomValues(2 * 1024, 21u);
    store(script, index, input);
    for (const int32_t mode : {kFftForward, kFftPermute, kFftInversePermute, kFftInverse})
        memoryFft(script, index, 1024, mode);
    const std::vector<double> output = load(script, index, 2 * 1024);
    for (size_t i = 0; i < input.size(); ++i)
        ASSERT_NEAR(output[i], 1024 * input[i], 1e-10) << i;
}

TEST(MemoryFft, UnknownModeMakesThePageAndChangesNothingElse)
{
    TZarkune script;
    memoryFft(script, 3 * kPage + 5, 16, 2);
    ASSERT_EQ(script.pages.size(), 1u);
    for (const double value : script.pages.at(3))
        ASSERT_EQ(value, 0.0);
}

// A run of 2 * size doubles must end inside its page; one that would pass the
// end does nothing and makes no page.
TEST(MemoryFft, RunPastTheEndOfItsPageDoesNothing)
{
    struct Case {
        int32_t index;
        bool fits;
    };
    for (const Case& c : {Case{kPage - 32, true}, Case{kPage - 31, false}, Case{-32, true}, Case{-31, false},
                          Case{3 * kPage - 1, false}}) {
        SCOPED_TRACE(c.index);
        TZarkune script;
        memoryFft(script, c.index, 16, kFftInverse);
        EXPECT_EQ(script.pages.size(), c.fits ? 1u : 0u);
    }
}

// ---- memoryMdct -------------------------------------------------------------

struct MdctSize {
    int32_t size;
    int32_t n;
    double forwardScale; // 1 on the direct path (32), 4/n on the fast path
};

void PrintTo(const MdctSize& size, std::ostream* out)
{
    *out << "size " << size.size;
}

class MemoryMdctSize : public ::testing::TestWithParam<MdctSize> {};

class MemoryMdct : public FreshMdctCache {};

// The forward windows its input, writes n/2 coefficients from the index and
// leaves the second half of the block as it was.
TEST_P(MemoryMdctSize, ForwardWritesWindowedCoefficientsOverTheFirstHalf)
{
    const MdctSize size = GetParam();
    const int32_t n = size.n;
    const int32_t index = 1000;
    TZarkune script;
    const std::vector<double> input = randomValues(n, 31u + n);
    store(script, index, input);
    *script.at(index + n) = kMarker;
    memoryMdct(script, index, size.size, false);

    std::vector<double> windowed(n);
    for (int32_t i = 0; i < n; ++i)
        windowed[i] = input[i] * std::sin((i + 0.5) * 3.14159265358979323846 / n);
    const MdctKernel kernel(n);
    const std::vector<double> output = load(script, index, n + 1);
    for (int32_t k = 0; k < n / 2; ++k)
        EXPECT_NEAR(output[k], size.forwardScale * static_cast<double>(kernel.forwardSum(windowed, k)), 1e-12)
            << "k " << k;
    for (int32_t i = n / 2; i < n; ++i)
        EXPECT_EQ(output[i], input[i]) << "i " << i;
    EXPECT_EQ(output[n], kMarker);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MemoryMdctSize,
                         ::testing::Values(MdctSize{32, 32, 1.0}, MdctSize{63, 32, 1.0}, MdctSize{64, 64, 4.0 / 64},
                                           MdctSize{100, 64, 4.0 / 64}, MdctSize{4096, 4096, 4.0 / 4096}));

TEST_F(MemoryMdct, SizesOutsideTheRangeTouchNothing)
{
    for (const int32_t size : {-64, 0, 1, 16, 31, 8192, 1 << 30}) {
        TZarkune script;
        for (const bool inverse : {false, true})
            memoryMdct(script, 0, size, inverse);
        EXPECT_TRUE(script.pages.empty()) << size;
    }
}

// Forward and inverse in memory over blocks that overlap by half, the
// inverse outputs added up: the built-ins window on both sides, so the sum is
// the signal (the scale conventions of both paths cancel).
TEST_F(MemoryMdct, InverseOutputsOfOverlappingBlocksAddUpToTheSignal)
{
    for (const int32_t n : {32, 64, 4096}) {
        SCOPED_TRACE(n);
        TZarkune script;
        const int32_t hop = n / 2;
        const std::vector<double> signal = randomValues(static_cast<size_t>(hop) * 10, 41u + n);
        std::vector<double> sum(signal.size(), 0.0);
        for (size_t start = 0; start + n <= signal.size(); start += hop) {
            store(script, 2 * kPage, std::vector<double>(signal.begin() + start, signal.begin() + start + n));
            memoryMdct(script, 2 * kPage, n, false);
            memoryMdct(script, 2 * kPage, n, true);
            const std::vector<double> block = load(script, 2 * kPage, n);
            for (int32_t i = 0; i < n; ++i)
                sum[start + i] += block[i];
        }
        for (size_t i = hop; i + hop < signal.size(); ++i)
            ASSERT_NEAR(sum[i], signal[i], 1e-12) << "sample " << i;
    }
}

TEST_F(MemoryMdct, RunPastTheEndOfItsPageDoesNothing)
{
    for (const bool inverse : {false, true}) {
        TZarkune script;
        memoryMdct(script, kPage - 63, 64, inverse);
        EXPECT_TRUE(script.pages.empty());
        memoryMdct(script, kPage - 64, 64, inverse);
        EXPECT_EQ(script.pages.size(), 1u);
    }
}

// Allocators for the context cache: one that refuses everything, one that
// refuses only the window (the record's second request).
void* refuseAll(std::size_t)
{
    return nullptr;
}
int cacheRequests = 0;
void* refuseWindow(std::size_t bytes)
{
    return ++cacheRequests == 2 ? nullptr : std::malloc(bytes);
}

TEST_F(MemoryMdct, ContextThatCannotBeMadeIsTriedAgainOnTheNextCall)
{
    TZarkune script;
    const std::vector<double> input = randomValues(256, 51u);
    store(script, 0, input);
    setMdctCacheAllocator(refuseAll);
    memoryMdct(script, 0, 256, false);
    memoryMdct(script, 0, 256, true);
    setMdctCacheAllocator(std::malloc);
    EXPECT_EQ(load(script, 0, 256), input);

    memoryMdct(script, 0, 256, false);
    EXPECT_NE(load(script, 0, 128), std::vector<double>(input.begin(), input.begin() + 128));
}

TEST_F(MemoryMdct, ContextWithoutWindowLeavesMemoryAlone)
{
    TZarkune script;
    const std::vector<double> input = randomValues(512, 61u);
    store(script, 0, input);
    cacheRequests = 0;
    setMdctCacheAllocator(refuseWindow);
    memoryMdct(script, 0, 512, false);
    setMdctCacheAllocator(std::malloc);
    EXPECT_EQ(load(script, 0, 512), input);
    memoryMdct(script, 0, 512, true);
    EXPECT_EQ(load(script, 0, 512), input);
}

// ---- multiplyComplex --------------------------------------------------------

// (1 + 2i)(3 - i) = 5 + 5i, (-2 + 0.5i)(4 + 2i) = -9 - 2i, (2 + 0i)(9 + 9i)
TEST(MultiplyComplex, MultipliesAnEvenNumberOfValues)
{
    struct Case {
        int32_t count;
        std::vector<double> dest;
    };
    const std::vector<double> dest = {1, 2, -2, 0.5, 2, 0};
    const std::vector<double> src = {3, -1, 4, 2, 9, 9};
    for (const Case& c :
         {Case{-3, dest}, Case{0, dest}, Case{1, dest}, Case{2, {5, 5, -9, -2, 2, 0}}, Case{3, {5, 5, -9, -2, 2, 0}}}) {
        TZarkune script;
        store(script, 10, dest);
        store(script, kPage + 20, src);
        script.multiplyComplex(10, kPage + 20, c.count);
        EXPECT_EQ(load(script, 10, 6), c.dest) << "count " << c.count;
        EXPECT_EQ(load(script, kPage + 20, 6), src) << "count " << c.count;
    }
}

TEST(MultiplyComplex, SameIndexSquares)
{
    TZarkune script;
    store(script, 4, {1, 2, -2, 0.5});
    script.multiplyComplex(4, 4, 2);
    EXPECT_EQ(load(script, 4, 4), (std::vector<double>{-3, 4, 3.75, -2}));
}

TEST(MultiplyComplex, MakesBothPagesEvenWithNothingToMultiply)
{
    TZarkune script;
    script.multiplyComplex(3 * kPage, -kPage, 0);
    EXPECT_EQ(script.pages.size(), 2u);
    EXPECT_EQ(script.pages.count(3), 1u);
    EXPECT_EQ(script.pages.count(-1), 1u);
}

// 2 * count doubles from each index must stay in their page.
TEST(MultiplyComplex, RunPastTheEndOfEitherPageDoesNothing)
{
    struct Case {
        int32_t dest;
        int32_t src;
    };
    for (const Case& c : {Case{kPage - 7, 0}, Case{0, kPage - 7}, Case{-2, 100}, Case{0, 2 * kPage - 1}}) {
        TZarkune script;
        script.multiplyComplex(c.dest, c.src, 4);
        EXPECT_TRUE(script.pages.empty()) << c.dest << " " << c.src;
    }
    TZarkune script;
    store(script, kPage - 8, {1, 1, 1, 1, 1, 1, 1, 1});
    script.multiplyComplex(kPage - 8, kPage - 8, 4);
    EXPECT_EQ(load(script, kPage - 8, 8), (std::vector<double>{0, 2, 0, 2, 0, 2, 0, 2}));
}

} // namespace
