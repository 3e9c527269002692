#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "mdct.h"
#include "mdct_reference.h"

namespace {

using Values = std::vector<double>;
using ContextPtr = std::unique_ptr<MdctContext, decltype(&mdctContextFree)>;

ContextPtr makeContext(int32_t n, MdctAllocate allocate = std::malloc)
{
    return ContextPtr(mdctContextCreate(n, allocate), &mdctContextFree);
}

Values randomValues(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    Values values(count);
    for (double& x : values)
        x = value(generator);
    return values;
}

// Relative norm-wise distance of `actual` from `expected` over the given
// positions.
double relativeError(const Values& actual, const std::vector<long double>& expected, const std::vector<int32_t>& at)
{
    long double error = 0, norm = 0;
    for (const int32_t i : at) {
        error += (actual[i] - expected[i]) * (actual[i] - expected[i]);
        norm += expected[i] * expected[i];
    }
    return static_cast<double>(std::sqrt(error / norm));
}

// Positions compared against the O(n^2) reference: all of them up to 512
// values, else 64 spread out (the full sums take too long under emulation).
std::vector<int32_t> checkedPositions(int32_t count)
{
    std::vector<int32_t> at;
    const int32_t step = count <= 512 ? 1 : count / 64 + 1;
    for (int32_t i = 0; i < count; i += step)
        at.push_back(i);
    at.push_back(count - 1);
    return at;
}

// Both transforms against their defining sums with each path's scale: the
// forward carries 4/n on the fast path (n > 32) only, the inverse on the
// direct path only. 1e-13 relative is about 500 epsilons: the sums of up to
// 4096 terms lose far less, a missing or doubled scale far more.
TEST(Mdct, BothPathsMatchTheDefiningSumsWithTheirScales)
{
    for (int32_t n = 32; n <= 4096; n *= 2) {
        SCOPED_TRACE(n);
        const ContextPtr context = makeContext(n);
        ASSERT_TRUE(context);
        const MdctKernel kernel(n);
        const long double forwardScale = n > 32 ? 4.0L / n : 1.0L;
        const long double inverseScale = n > 32 ? 1.0L : 4.0L / n;

        const Values input = randomValues(n, 11u + n);
        Values coefficients(n / 2);
        mdctTransform(context.get(), input.data(), coefficients.data());
        std::vector<long double> expected(n / 2);
        const std::vector<int32_t> bins = checkedPositions(n / 2);
        for (const int32_t k : bins)
            expected[k] = forwardScale * kernel.forwardSum(input, k);
        EXPECT_LE(relativeError(coefficients, expected, bins), 1e-13);

        const Values spectrum = randomValues(n / 2, 13u + n);
        Values output(n);
        imdctTransform(context.get(), spectrum.data(), output.data());
        std::vector<long double> expectedOutput(n);
        const std::vector<int32_t> samples = checkedPositions(n);
        for (const int32_t i : samples)
            expectedOutput[i] = inverseScale * kernel.inverseSum(spectrum, i);
        EXPECT_LE(relativeError(output, expectedOutput, samples), 1e-13);
    }
}

// An impulse on either side picks one column of the kernel: at 32 the
// forward is unscaled and the inverse divided by 8; at 64 the other way.
TEST(Mdct, ImpulsesShowWhichPathRuns)
{
    for (const int32_t n : {32, 64}) {
        SCOPED_TRACE(n);
        const ContextPtr context = makeContext(n);
        const MdctKernel kernel(n);
        Values impulse(n, 0.0);
        impulse[0] = 1.0;
        Values coefficients(n / 2);
        mdctTransform(context.get(), impulse.data(), coefficients.data());
        for (int32_t k = 0; k < n / 2; ++k)
            EXPECT_NEAR(coefficients[k], (n == 32 ? 1.0 : 4.0 / n) * kernel(0, k), 1e-15) << "k " << k;

        Values spectrum(n / 2, 0.0);
        spectrum[0] = 1.0;
        Values output(n);
        imdctTransform(context.get(), spectrum.data(), output.data());
        for (int32_t i = 0; i < n; ++i)
            EXPECT_NEAR(output[i], (n == 32 ? 1.0 / 8 : 1.0) * kernel(i, 0), 1e-15) << "i " << i;
    }
}

// Window, forward, inverse, window, and blocks overlapping by half added up:
// every sample covered by two blocks comes back.
TEST(Mdct, WindowedOverlapAddReconstructsTheSignal)
{
    for (const int32_t n : {32, 64, 4096}) {
        SCOPED_TRACE(n);
        const ContextPtr context = makeContext(n);
        const int32_t hop = n / 2;
        const Values signal = randomValues(static_cast<size_t>(hop) * 12, 17u + n);
        Values sum(signal.size(), 0.0);
        Values block(n), coefficients(hop), output(n);
        for (size_t start = 0; start + n <= signal.size(); start += hop) {
            mdctWindow(context.get(), signal.data() + start, block.data());
            mdctTransform(context.get(), block.data(), coefficients.data());
            imdctTransform(context.get(), coefficients.data(), output.data());
            mdctWindow(context.get(), output.data(), block.data());
            for (int32_t i = 0; i < n; ++i)
                sum[start + i] += block[i];
        }
        for (size_t i = hop; i + hop < signal.size(); ++i)
            ASSERT_NEAR(sum[i], signal[i], 1e-12) << "sample " << i;
    }
}

TEST(Mdct, WindowIsTheFullSineWindow)
{
    const int32_t n = 64;
    const ContextPtr context = makeContext(n);
    const Values ones(n, 1.0);
    Values window(n);
    mdctWindow(context.get(), ones.data(), window.data());
    for (int32_t i = 0; i < n; ++i)
        EXPECT_NEAR(window[i], std::sin((i + 0.5) * 3.14159265358979323846 / n), 4e-16) << i;
}

TEST(Mdct, TablesHoldTheirDefinedValues)
{
    const int32_t n = 128;
    const ContextPtr context = makeContext(n);
    const double pi = 3.14159265358979323846;
    EXPECT_EQ(context->n, n);
    EXPECT_EQ(context->log2n, 7);
    EXPECT_EQ(context->scale, 4.0 / n);
    for (int32_t i = 0; i < n / 4; ++i) {
        EXPECT_NEAR(context->trig[2 * i], std::cos(4 * i * pi / n), 4e-16);
        EXPECT_NEAR(context->trig[2 * i + 1], -std::sin(4 * i * pi / n), 4e-16);
        EXPECT_NEAR(context->trig[n / 2 + 2 * i], std::cos((2 * i + 1) * pi / (2 * n)), 4e-16);
        EXPECT_NEAR(context->trig[n / 2 + 2 * i + 1], std::sin((2 * i + 1) * pi / (2 * n)), 4e-16);
    }
    for (int32_t i = 0; i < n / 8; ++i) {
        EXPECT_NEAR(context->trig[n + 2 * i], 0.5 * std::cos((4 * i + 2) * pi / n), 4e-16);
        EXPECT_NEAR(context->trig[n + 2 * i + 1], -0.5 * std::sin((4 * i + 2) * pi / n), 4e-16);
    }
    // Six bits reversed (log2n - 1), spelled out for a few i.
    const std::vector<std::pair<int32_t, int32_t>> reversed = {{0, 0}, {1, 32}, {2, 16}, {3, 48}, {5, 40}, {15, 60}};
    for (const auto& [i, r] : reversed) {
        EXPECT_EQ(context->bitrev[2 * i + 1], r) << i;
        EXPECT_EQ(context->bitrev[2 * i], (63 - r) - 1) << i;
    }
}

// An allocator that fails its k-th request (1-based) and serves the others.
int failingRequest = 0;
int requestCount = 0;
void* failOnRequest(std::size_t bytes)
{
    return ++requestCount == failingRequest ? nullptr : std::malloc(bytes);
}

// The record is made first, then window, bitrev, trig and work: a failure
// leaves that array and all later ones missing, and without a full set of
// tables the transforms take the direct path (unscaled forward).
TEST(Mdct, FailedAllocationsFallBackStepByStep)
{
    const int32_t n = 64;
    const MdctKernel kernel(n);
    const Values input = randomValues(n, 5u);
    for (int failing = 1; failing <= 5; ++failing) {
        SCOPED_TRACE(failing);
        failingRequest = failing;
        requestCount = 0;
        const ContextPtr context = makeContext(n, failOnRequest);
        if (failing == 1) {
            EXPECT_FALSE(context);
            continue;
        }
        ASSERT_TRUE(context);
        EXPECT_EQ(context->n, n);
        EXPECT_EQ(context->window != nullptr, failing > 2);
        EXPECT_EQ(context->bitrev != nullptr, failing > 3);
        EXPECT_EQ(context->trig != nullptr, failing > 4);
        EXPECT_EQ(context->work, nullptr);
        EXPECT_EQ(context->log2n, 0);
        EXPECT_EQ(context->scale, 0.0);

        Values coefficients(n / 2);
        mdctTransform(context.get(), input.data(), coefficients.data());
        for (int32_t k = 0; k < n / 2; ++k)
            EXPECT_NEAR(coefficients[k], static_cast<double>(kernel.forwardSum(input, k)), 1e-13) << k;

        Values windowed(n, 42.0);
        mdctWindow(context.get(), input.data(), windowed.data());
        if (failing == 2) {
            EXPECT_EQ(windowed, Values(n, 42.0));
        }
    }
    failingRequest = 0;
}

// The largest block a context is made for: its fast path runs on the
// largest complex FFT, of n/4 = 32768 points. The next power of two is
// refused below.
TEST(Mdct, LargestSizeGetsTheFastPath)
{
    const int32_t n = 131072;
    const ContextPtr context = makeContext(n);
    ASSERT_TRUE(context);
    EXPECT_EQ(context->n, n);
    EXPECT_EQ(context->log2n, 17);
    ASSERT_TRUE(context->trig && context->bitrev && context->work);

    const MdctKernel kernel(n);
    const Values input = randomValues(n, 19u);
    Values coefficients(n / 2);
    mdctTransform(context.get(), input.data(), coefficients.data());
    std::vector<long double> expected(n / 2);
    const std::vector<int32_t> bins = checkedPositions(n / 2);
    for (const int32_t k : bins)
        expected[k] = 4.0L / n * kernel.forwardSum(input, k);
    EXPECT_LE(relativeError(coefficients, expected, bins), 1e-13);
}

TEST(Mdct, NullContextAndUnsupportedSizesDoNothing)
{
    const Values input(64, 1.0);
    Values output(64, 3.0);
    mdctTransform(nullptr, input.data(), output.data());
    imdctTransform(nullptr, input.data(), output.data());
    mdctWindow(nullptr, input.data(), output.data());
    EXPECT_EQ(output, Values(64, 3.0));
    for (const int32_t n : {-64, 0, 1, 48, 262144})
        EXPECT_FALSE(makeContext(n)) << n;
}

} // namespace
