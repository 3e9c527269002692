#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <vector>

#include "fft.h"

namespace {

using Buffer = std::vector<double>;

struct Tables : ::testing::Test {
    static void SetUpTestSuite() { ensureFftTables(); }
};

Buffer randomBuffer(int32_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    Buffer buffer(2 * static_cast<size_t>(n));
    for (double& x : buffer)
        x = value(generator);
    return buffer;
}

// The split-radix order, straight from its recursive definition.
int32_t referenceSplitRadix(int32_t a, int32_t n)
{
    if (n < 3)
        return a;
    if (a < n / 2)
        return 2 * referenceSplitRadix(a, n / 2);
    a -= n / 2;
    if (a < n / 4)
        return 4 * referenceSplitRadix(a, n / 4) + 1;
    return ((4 * referenceSplitRadix(a - n / 4, n / 4) - 1) % n + n) % n;
}

void expectBuffer(const Buffer& actual, const Buffer& expected, double tolerance)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "double " << i;
}

// Worked examples: 1..n (real) through the forward transform and the
// permutation, then back through the inverse permutation and the inverse.
struct WorkedExample {
    int32_t log2n;
    Buffer afterForward;
    Buffer afterPermute;
    double tolerance; // the examples give six decimals for n = 8
};

TEST_F(Tables, WorkedExamplesInBothDirections)
{
    const double r = 9.656854, t = 1.656854;
    const std::vector<WorkedExample> examples = {
        {2, {10, 0, -2, 0, -2, -2, -2, 2}, {10, 0, -2, 2, -2, 0, -2, -2}, 0.0},
        {3,
         {36, 0, -4, 0, -4, -4, -4, 4, -4, -r, -4, t, -4, r, -4, -t},
         {36, 0, -4, r, -4, 4, -4, t, -4, 0, -4, -t, -4, -4, -4, -r},
         1e-6},
    };
    for (const WorkedExample& example : examples) {
        SCOPED_TRACE(example.log2n);
        const int32_t n = 1 << example.log2n;
        Buffer input(2 * n, 0.0);
        for (int32_t m = 0; m < n; ++m)
            input[2 * m] = m + 1;
        Buffer buffer = input;
        fftOperation(example.log2n, buffer.data(), kFftForward);
        expectBuffer(buffer, example.afterForward, example.tolerance);
        fftOperation(example.log2n, buffer.data(), kFftPermute);
        expectBuffer(buffer, example.afterPermute, example.tolerance);
        fftOperation(example.log2n, buffer.data(), kFftInversePermute);
        expectBuffer(buffer, example.afterForward, example.tolerance);
        fftOperation(example.log2n, buffer.data(), kFftInverse);
        for (double& x : input)
            x *= n;
        expectBuffer(buffer, input, 1e-12);
    }
}

TEST_F(Tables, SizeTwoIsSumAndDifferenceAndNeedsNoReordering)
{
    for (const int32_t mode : {kFftForward, kFftInverse}) {
        Buffer buffer = {3, 5, 1, -2};
        fftOperation(1, buffer.data(), mode);
        EXPECT_EQ(buffer, (Buffer{4, 3, 2, 7}));
    }
    for (const int32_t mode : {kFftPermute, kFftInversePermute}) {
        Buffer buffer = {3, 5, 1, -2};
        fftOperation(1, buffer.data(), mode);
        EXPECT_EQ(buffer, (Buffer{3, 5, 1, -2}));
    }
}

TEST_F(Tables, ImpulseGivesOnesInBothDirections)
{
    for (int32_t log2n = 1; log2n <= 15; ++log2n) {
        const int32_t n = 1 << log2n;
        for (const int32_t isInverse : {0, 1}) {
            Buffer buffer(2 * n, 0.0);
            buffer[0] = 1.0;
            fftTransform(buffer.data(), n, isInverse);
            for (int32_t k = 0; k < n; ++k) {
                ASSERT_EQ(buffer[2 * k], 1.0) << "n " << n << " inverse " << isInverse << " k " << k;
                ASSERT_EQ(buffer[2 * k + 1], 0.0) << "n " << n << " inverse " << isInverse << " k " << k;
            }
        }
    }
}

// Every size against a plain DFT in long double. Error bound: a stable FFT
// has a norm-wise relative error of order log2(n) machine epsilons; we allow
// 2 log2(n) eps on the spectrum and 4 log2(n) eps on the round trip (which
// passes through two transforms). Up to 1024 points every bin is compared;
// above, 64 bins spread over the spectrum, because the O(n^2) reference over
// all bins would take minutes under emulation, while the round trip still
// checks every value.
TEST_F(Tables, EverySizeMatchesPlainDftAndRoundTripsToNTimesInput)
{
    constexpr long double kTwoPi = 6.283185307179586476925286766559L;
    const long double eps = std::numeric_limits<double>::epsilon();
    for (int32_t log2n = 1; log2n <= 15; ++log2n) {
        const int32_t n = 1 << log2n;
        SCOPED_TRACE(n);
        const Buffer input = randomBuffer(n, 1000u + static_cast<unsigned>(log2n));
        Buffer buffer = input;
        fftOperation(log2n, buffer.data(), kFftForward);
        fftOperation(log2n, buffer.data(), kFftPermute);
        const Buffer spectrum = buffer;

        // e^(-2 pi i r / n) for every r, indexed by m k mod n.
        std::vector<long double> cosine(n), sine(n);
        for (int32_t r = 0; r < n; ++r) {
            cosine[r] = std::cos(kTwoPi * r / n);
            sine[r] = std::sin(kTwoPi * r / n);
        }
        const int32_t step = n <= 1024 ? 1 : n / 64 + 1;
        long double errorSquares = 0, valueSquares = 0;
        for (int32_t k = 0; k < n; k += step) {
            long double re = 0, im = 0;
            for (int32_t m = 0; m < n; ++m) {
                const int32_t r = static_cast<int32_t>((int64_t{m} * k) % n);
                re += input[2 * m] * cosine[r] + input[2 * m + 1] * sine[r];
                im += input[2 * m + 1] * cosine[r] - input[2 * m] * sine[r];
            }
            errorSquares += (spectrum[2 * k] - re) * (spectrum[2 * k] - re)
                + (spectrum[2 * k + 1] - im) * (spectrum[2 * k + 1] - im);
            valueSquares += re * re + im * im;
        }
        EXPECT_LE(std::sqrt(errorSquares / valueSquares), 2 * log2n * eps);

        fftOperation(log2n, buffer.data(), kFftInversePermute);
        fftOperation(log2n, buffer.data(), kFftInverse);
        long double roundTripSquares = 0, inputSquares = 0;
        for (size_t i = 0; i < input.size(); ++i) {
            const long double error = buffer[i] / n - static_cast<long double>(input[i]);
            roundTripSquares += error * error;
            inputSquares += static_cast<long double>(input[i]) * input[i];
        }
        EXPECT_LE(std::sqrt(roundTripSquares / inputSquares), 4 * log2n * eps);
    }
}

// The decimation steps written out literally and recursively on plain
// doubles, with the twiddles the algorithm prescribes: constants in the 8-
// and 16-point kernels, the library's cosine and sine otherwise, mirrored
// past an eighth of the circle from 1024 points on. The transforms must give
// exactly these bits, however they are laid out.
struct Twiddle {
    double c, s;
};

Twiddle referenceTwiddle(int32_t k, int32_t n)
{
    const double h = 0.7071067811865476, c8 = 0.9238795325112867, s8 = 0.3826834323650898;
    auto library = [n](int32_t j) {
        const double angle = 6.283185307179586 * j / n;
        return Twiddle{std::cos(angle), std::sin(angle)};
    };
    if (n == 8)
        return {h, h};
    if (n == 16)
        return k == 1 ? Twiddle{c8, s8} : k == 2 ? Twiddle{h, h} : Twiddle{s8, c8};
    if (n <= 512 || k < n / 8)
        return library(k);
    if (k == n / 8)
        return {h, h};
    const Twiddle mirrored = library(n / 4 - k);
    return {mirrored.s, mirrored.c};
}

void referenceTransform(double* x, int32_t n, bool inverse)
{
    if (n == 1)
        return;
    if (n == 2) {
        const double ar = x[0], ai = x[1], br = x[2], bi = x[3];
        x[0] = ar + br;
        x[1] = ai + bi;
        x[2] = ar - br;
        x[3] = ai - bi;
        return;
    }
    const int32_t q = n / 4;
    if (inverse) {
        referenceTransform(x, n / 2, true);
        referenceTransform(x + 4 * q, q, true);
        referenceTransform(x + 6 * q, q, true);
    }
    for (int32_t k = 0; k < q; ++k) {
        double* x0 = x + 2 * k;
        double* x1 = x0 + 2 * q;
        double* x2 = x0 + 4 * q;
        double* x3 = x0 + 6 * q;
        const Twiddle w = k == 0 ? Twiddle{1, 0} : referenceTwiddle(k, n);
        if (!inverse) {
            const double ar = x0[0] - x2[0], ai = x0[1] - x2[1], br = x1[0] - x3[0], bi = x1[1] - x3[1];
            x0[0] += x2[0];
            x0[1] += x2[1];
            x1[0] += x3[0];
            x1[1] += x3[1];
            const double pr = ar - bi, pi = ai + br, mr = ar + bi, mi = ai - br;
            if (k == 0) {
                x2[0] = pr, x2[1] = pi, x3[0] = mr, x3[1] = mi;
            } else {
                x2[0] = pr * w.c - pi * w.s, x2[1] = pr * w.s + pi * w.c;
                x3[0] = mr * w.c + mi * w.s, x3[1] = mi * w.c - mr * w.s;
            }
        } else {
            double ur = x2[0], ui = x2[1], vr = x3[0], vi = x3[1];
            if (k != 0) {
                ur = x2[0] * w.c + x2[1] * w.s, ui = x2[1] * w.c - x2[0] * w.s;
                vr = x3[0] * w.c - x3[1] * w.s, vi = x3[0] * w.s + x3[1] * w.c;
            }
            const double sr = ur + vr, si = ui + vi, dr = ur - vr, di = ui - vi;
            const double x0r = x0[0], x0i = x0[1], x1r = x1[0], x1i = x1[1];
            x0[0] = x0r + sr, x0[1] = x0i + si, x2[0] = x0r - sr, x2[1] = x0i - si;
            x1[0] = x1r + di, x1[1] = x1i - dr, x3[0] = x1r - di, x3[1] = x1i + dr;
        }
    }
    if (!inverse) {
        referenceTransform(x, n / 2, false);
        referenceTransform(x + 4 * q, q, false);
        referenceTransform(x + 6 * q, q, false);
    }
}

TEST_F(Tables, TransformsGiveExactlyTheBitsOfTheLiteralDecimation)
{
    for (int32_t log2n = 1; log2n <= 15; ++log2n) {
        const int32_t n = 1 << log2n;
        for (const bool inverse : {false, true}) {
            const Buffer input = randomBuffer(n, 300u + static_cast<unsigned>(log2n));
            Buffer expected = input, actual = input;
            referenceTransform(expected.data(), n, inverse);
            fftTransform(actual.data(), n, inverse);
            ASSERT_EQ(actual, expected) << "n " << n << " inverse " << inverse;
        }
    }
}

TEST_F(Tables, SplitRadixIndexFollowsItsDefinition)
{
    const std::vector<int32_t> four = {0, 2, 1, 3}, eight = {0, 4, 2, 6, 1, 5, 7, 3};
    for (int32_t a = 0; a < 4; ++a)
        EXPECT_EQ(splitRadixIndex(a, 4), four[a]);
    for (int32_t a = 0; a < 8; ++a)
        EXPECT_EQ(splitRadixIndex(a, 8), eight[a]);
    for (const int32_t n : {2, 16, 1024, 32768})
        for (int32_t a = 0; a < n; ++a)
            ASSERT_EQ(splitRadixIndex(a, n), referenceSplitRadix(a, n)) << "n " << n << " a " << a;
}

TEST_F(Tables, OrderTablesInvertTheSplitRadixOrderAndLieBackToBack)
{
    EXPECT_EQ(std::vector<int32_t>(fftOrderTable(4), fftOrderTable(4) + 4), (std::vector<int32_t>{0, 3, 1, 2}));
    EXPECT_EQ(std::vector<int32_t>(fftOrderTable(8), fftOrderTable(8) + 8),
              (std::vector<int32_t>{0, 6, 3, 5, 1, 7, 2, 4}));
    const int32_t* all = fftOrderTable(2);
    for (int32_t n = 2; n <= 32768; n *= 2) {
        ASSERT_EQ(fftOrderTable(n), all + n - 2);
        for (int32_t b = 0; b < n; ++b) {
            const int32_t k = (n - referenceSplitRadix(b, n)) % n;
            ASSERT_EQ(fftOrderIndex(k, n), b) << "n " << n << " b " << b;
        }
    }
}

TEST_F(Tables, CycleLeadersAreTheSmallestOfEveryCycleAndMatchTheList)
{
    const std::map<int32_t, std::vector<int32_t>> expected = {
        {4, {1}},
        {8, {1}},
        {16, {1, 3}},
        {32, {1}},
        {64, {1, 3, 9}},
        {128, {1, 3, 4, 9, 14}},
        {256, {1, 3, 6, 12, 13, 14, 19}},
        {512, {1, 4, 7, 9, 18, 50, 115}},
        {1024, {1, 3, 4, 25, 26, 77, 79}},
        {2048, {1, 58, 59, 106, 135, 206, 210, 212}},
        {4096, {1, 3, 12, 25, 54, 221, 313, 431, 453}},
        {8192, {1, 12, 18, 26, 30, 100, 101, 106, 113, 144, 150, 237, 244, 247, 386, 468, 513, 1210, 4839}},
        {16384, {1, 3, 6, 24, 1219}},
        {32768, {1, 3, 4, 7, 13, 18, 31, 64, 113, 145, 203, 246, 594, 956, 1871, 2439, 4959, 19175}},
    };
    EXPECT_EQ(fftCycleLeaders(2), nullptr);
    for (const auto& [n, list] : expected) {
        std::vector<int32_t> actual;
        for (const int32_t* leader = fftCycleLeaders(n); *leader != 0; ++leader)
            actual.push_back(*leader);
        EXPECT_EQ(actual, list) << "n " << n;

        // Smallest member of each cycle of k -> tab[k] longer than one.
        std::vector<int32_t> smallest;
        std::vector<bool> seen(n, false);
        for (int32_t k = 0; k < n; ++k) {
            if (seen[k])
                continue;
            int32_t length = 0;
            for (int32_t j = k; !seen[j]; j = fftOrderIndex(j, n), ++length)
                seen[j] = true;
            if (length > 1)
                smallest.push_back(k);
        }
        EXPECT_EQ(actual, smallest) << "n " << n;
    }
}

TEST_F(Tables, PermutationsMoveByTheOrderTableAndUndoEachOtherExactly)
{
    for (int32_t log2n = 2; log2n <= 15; ++log2n) {
        const int32_t n = 1 << log2n;
        const Buffer input = randomBuffer(n, 7u + static_cast<unsigned>(log2n));
        Buffer buffer = input;
        fftOperation(log2n, buffer.data(), kFftPermute);
        for (int32_t k = 0; k < n; ++k) {
            const int32_t from = fftOrderIndex(k, n);
            ASSERT_EQ(buffer[2 * k], input[2 * from]) << "n " << n << " k " << k;
            ASSERT_EQ(buffer[2 * k + 1], input[2 * from + 1]) << "n " << n << " k " << k;
        }
        fftOperation(log2n, buffer.data(), kFftInversePermute);
        ASSERT_EQ(buffer, input) << "n " << n;
    }
}

TEST_F(Tables, UnsupportedSizesAndModesLeaveTheBufferUnchanged)
{
    const Buffer input = randomBuffer(70000, 3u);
    for (const int32_t n : {-8, 0, 1, 3, 48, 65536}) {
        for (const int32_t isInverse : {0, 1}) {
            Buffer buffer = input;
            fftTransform(buffer.data(), n, isInverse);
            EXPECT_EQ(buffer, input) << "n " << n;
        }
    }
    struct Operation {
        int32_t log2n;
        int32_t mode;
    };
    const std::vector<Operation> operations = {
        {4, 2},
        {4, 3},
        {4, 6},
        {4, 7},
        {4, -1},
        {4, 8},
        {1, kFftPermute},
        {0, 0},
        {0, kFftPermute},
        {16, 0},
        {16, kFftPermute},
        {-1, 1},
        {31, 0},
        {1, kFftInversePermute},
        {-3, 4},
        {40, 5},
    };
    for (const Operation& operation : operations) {
        Buffer buffer = input;
        fftOperation(operation.log2n, buffer.data(), operation.mode);
        EXPECT_EQ(buffer, input) << "log2n " << operation.log2n << " mode " << operation.mode;
    }
}

// (1 + 2i)(3 - i) = 5 + 5i, (-2 + 0.5i)(4 + 2i) = -9 - 2i,
// (1 + 2i)^2 = -3 + 4i, (-2 + 0.5i)^2 = 3.75 - 2i.
TEST(ComplexMultiply, MultipliesPairsOnlyForEvenCountsOfTwoOrMore)
{
    const Buffer a = {1, 2, -2, 0.5, 9, 9};
    const Buffer b = {3, -1, 4, 2, 9, 9};
    for (const int32_t count : {-2, 0, 1, 3}) {
        Buffer dest = a;
        complexMultiply(dest.data(), b.data(), count);
        EXPECT_EQ(dest, a) << "count " << count;
        dest = a;
        complexMultiplyTo(dest.data(), a.data(), b.data(), count);
        EXPECT_EQ(dest, a) << "count " << count;
        complexMultiplyAdd(dest.data(), a.data(), b.data(), count);
        EXPECT_EQ(dest, a) << "count " << count;
    }
    Buffer dest = a;
    complexMultiply(dest.data(), b.data(), 2);
    EXPECT_EQ(dest, (Buffer{5, 5, -9, -2, 9, 9}));

    Buffer to(6, 7.0);
    complexMultiplyTo(to.data(), a.data(), b.data(), 2);
    EXPECT_EQ(to, (Buffer{5, 5, -9, -2, 7, 7}));

    Buffer sum = {1, 1, 1, 1, 7, 7};
    complexMultiplyAdd(sum.data(), a.data(), b.data(), 2);
    EXPECT_EQ(sum, (Buffer{6, 6, -8, -1, 7, 7}));

    Buffer square = a;
    complexMultiply(square.data(), square.data(), 2);
    EXPECT_EQ(square, (Buffer{-3, 4, 3.75, -2, 9, 9}));
}

} // namespace
