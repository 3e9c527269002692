#include "mdct.h"

#include <cmath>
#include <cstring>

#include "fft.h"

namespace {

constexpr double kPi = 3.141592653589793;
// Up to this size the transforms use the defining sums.
constexpr int32_t kDirectMaxSize = 32;
// The fast path's FFT has n/4 points, at most 32768.
constexpr int32_t kMaxSize = 131072;

template <typename T> T* allocateArray(MdctAllocate allocate, int32_t count)
{
    return static_cast<T*>(allocate(sizeof(T) * static_cast<std::size_t>(count)));
}

void fillTables(MdctContext& context)
{
    const int32_t n = context.n;
    double* trig = context.trig;
    for (int32_t i = 0; i < n / 4; ++i) {
        trig[2 * i] = std::cos(4 * i * kPi / n);
        trig[2 * i + 1] = -std::sin(4 * i * kPi / n);
        trig[n / 2 + 2 * i] = std::cos((2 * i + 1) * kPi / (2 * n));
        trig[n / 2 + 2 * i + 1] = std::sin((2 * i + 1) * kPi / (2 * n));
    }
    for (int32_t i = 0; i < n / 8; ++i) {
        trig[n + 2 * i] = 0.5 * std::cos((4 * i + 2) * kPi / n);
        trig[n + 2 * i + 1] = -0.5 * std::sin((4 * i + 2) * kPi / n);
    }
    const int32_t bits = context.log2n - 1;
    const int32_t mask = (1 << bits) - 1;
    for (int32_t i = 0; i < n / 8; ++i) {
        int32_t reversed = 0;
        for (int32_t bit = 0; bit < bits; ++bit)
            reversed |= ((i >> bit) & 1) << (bits - 1 - bit);
        context.bitrev[2 * i + 1] = reversed;
        context.bitrev[2 * i] = (~reversed & mask) - 1;
    }
}

bool hasFastTables(const MdctContext& context)
{
    return context.n > kDirectMaxSize && context.trig && context.bitrev && context.work;
}

// c(i, k), with the angle reduced to one period (4n steps of pi/(2n)) in
// integers so that large products lose nothing.
double kernel(int32_t n, int32_t i, int32_t k)
{
    const int64_t steps = (int64_t{2} * i + 1 + n / 2) * (int64_t{2} * k + 1) % (int64_t{4} * n);
    return std::cos(kPi / (2 * n) * static_cast<double>(steps));
}

void directForward(int32_t n, const double* input, double* output)
{
    for (int32_t k = 0; k < n / 2; ++k) {
        double sum = 0.0;
        for (int32_t i = 0; i < n; ++i)
            sum += input[i] * kernel(n, i, k);
        output[k] = sum;
    }
}

void directInverse(int32_t n, const double* input, double* output)
{
    const double scale = 4.0 / n;
    for (int32_t i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int32_t k = 0; k < n / 2; ++k)
            sum += input[k] * kernel(n, i, k);
        output[i] = scale * sum;
    }
}

// Both fast transforms reduce to the type-IV cosine transform of m = n/2
// values, V[k] = sum_j v[j] cos(pi/m (j + 1/2)(k + 1/2)): the MDCT kernel is
// that one with the time index shifted by m/2. Its evaluation: pair the
// values as z[p] = v[2p] + i v[m - 1 - 2p] (p < m/2), rotate z[p] by
// -pi (p + 1/4)/m, take the m/2-point FFT, rotate frequency q by -pi q/m;
// then V[2q] is the real part and V[m - 1 - 2q] minus the imaginary part.
// The rotations are `trig` entries: pi (p + 1/4)/m is the angle
// (2i + 1) pi/(2n) of i = 2p below pi/4 and the complement of the one of
// i = 2(n/4 - 1 - p) + 1 above; pi q/m is 4i pi/n for i = q/2 (q even) or
// (4i + 2) pi/n for i = (q - 1)/2 (q odd, stored halved).

// Pairs the n/2 values v(j) (a callable) into n/4 complex values at z and
// gives each its first rotation, by -pi (p + 1/4)/m: below pi/4 the angle is
// that of entry i = 2p, above it the complement of entry
// i = 2(n/4 - 1 - p) + 1, whose cosine and sine swap roles.
template <typename Values> void rotateIn(const double* trig, int32_t n, Values v, double* z)
{
    const int32_t m = n / 2;
    auto rotate = [&](int32_t p, double c, double s) {
        const double re = v(2 * p), im = v(m - 1 - 2 * p);
        z[2 * p] = re * c + im * s;
        z[2 * p + 1] = im * c - re * s;
    };
    const double* entries = trig + n / 2;
    for (int32_t p = 0; p < n / 8; ++p)
        rotate(p, entries[4 * p], entries[4 * p + 1]);
    for (int32_t p = n / 8; p < n / 4; ++p) {
        const double* entry = entries + 2 * (2 * (n / 4 - 1 - p) + 1);
        rotate(p, entry[1], entry[0]);
    }
}

// Takes the FFT's values from their split-radix places in natural order,
// rotates frequency q by -pi q/m and hands (q, real, imaginary) to `take`.
template <typename Take> void rotateOut(const double* trig, int32_t n, const double* spectrum, Take take)
{
    const int32_t pairs = n / 4;
    const int32_t* order = fftOrderTable(pairs);
    auto rotate = [&](int32_t q, double c, double s) {
        const double* value = spectrum + 2 * order[q];
        take(q, value[0] * c - value[1] * s, value[0] * s + value[1] * c);
    };
    for (int32_t q = 0; q < pairs; q += 2) {
        rotate(q, trig[q], trig[q + 1]);
        rotate(q + 1, 2.0 * trig[n + q], 2.0 * trig[n + q + 1]);
    }
}

void fastForward(MdctContext& context, const double* input, double* output)
{
    const int32_t n = context.n;
    const int32_t m = n / 2;
    double* z = context.work + m;
    // Fold the four quarters (a, b, c, d) of the block into
    // v = (-c reversed - d, a - b reversed).
    auto folded = [&](int32_t j) {
        return j < m / 2 ? -input[3 * m / 2 - 1 - j] - input[3 * m / 2 + j]
                         : input[j - m / 2] - input[3 * m / 2 - 1 - j];
    };
    rotateIn(context.trig, n, folded, z);
    fftTransform(z, n / 4, 0);
    const double scale = context.scale;
    rotateOut(context.trig, n, z, [&](int32_t q, double re, double im) {
        output[2 * q] = scale * re;
        output[m - 1 - 2 * q] = -scale * im;
    });
}

void fastInverse(const MdctContext& context, const double* input, double* output)
{
    const int32_t n = context.n;
    const int32_t m = n / 2;
    // The FFT runs in the middle half of the output; the outer quarters take
    // the cosine transform's values as they come out of it, and the middle
    // is filled last by mirroring them.
    double* z = output + m / 2;
    rotateIn(
        context.trig, n, [input](int32_t j) { return input[j]; }, z);
    fftTransform(z, n / 4, 0);
    // Value j of the cosine transform belongs at output j - m/2 (j >= m/2),
    // or negated at output 3m/2 + j (j < m/2).
    auto place = [&](int32_t j, double value) {
        if (j >= m / 2)
            output[j - m / 2] = value;
        else
            output[3 * m / 2 + j] = -value;
    };
    rotateOut(context.trig, n, z, [&](int32_t q, double re, double im) {
        place(2 * q, re);
        place(m - 1 - 2 * q, -im);
    });
    // The block is odd about its first quarter's end and even about its
    // third quarter's end.
    for (int32_t j = 0; j < m / 2; ++j) {
        output[m - 1 - j] = -output[j];
        output[3 * m / 2 - 1 - j] = output[3 * m / 2 + j];
    }
}

} // namespace

MdctContext* mdctContextCreate(int32_t n, MdctAllocate allocate)
{
    if (n < 2 || n > kMaxSize || (n & (n - 1)) != 0)
        return nullptr;
    auto* context = static_cast<MdctContext*>(allocate(sizeof(MdctContext)));
    if (!context)
        return nullptr;
    std::memset(static_cast<void*>(context), 0, sizeof(MdctContext));
    context->n = n;

    context->window = allocateArray<double>(allocate, n / 2);
    if (!context->window)
        return context;
    for (int32_t i = 0; i < n / 2; ++i)
        context->window[i] = std::sin((i + 0.5) * kPi / n);
    if (n <= kDirectMaxSize)
        return context;

    if (!(context->bitrev = allocateArray<int32_t>(allocate, n / 4)))
        return context;
    if (!(context->trig = allocateArray<double>(allocate, n + n / 4)))
        return context;
    if (!(context->work = allocateArray<double>(allocate, n)))
        return context;
    ensureFftTables(); // the fast path runs on the complex FFT
    context->log2n = static_cast<int32_t>(std::log(static_cast<double>(n)) / 0.6931471805599453 + 0.5);
    fillTables(*context);
    context->scale = static_cast<double>(4.0f / static_cast<float>(n));
    return context;
}

void mdctContextFree(MdctContext* context)
{
    if (!context)
        return;
    std::free(context->trig);
    std::free(context->bitrev);
    std::free(context->work);
    std::free(context->window);
    std::free(context);
}

void mdctTransform(MdctContext* context, const double* input, double* output)
{
    if (!context)
        return;
    if (hasFastTables(*context))
        fastForward(*context, input, output);
    else
        directForward(context->n, input, output);
}

void imdctTransform(const MdctContext* context, const double* input, double* output)
{
    if (!context)
        return;
    if (hasFastTables(*context))
        fastInverse(*context, input, output);
    else
        directInverse(context->n, input, output);
}

void mdctWindow(const MdctContext* context, const double* input, double* output)
{
    if (!context || !context->window)
        return;
    const int32_t half = context->n / 2;
    for (int32_t i = 0; i < half; ++i) {
        output[i] = input[i] * context->window[i];
        output[half + i] = input[half + i] * context->window[half - 1 - i];
    }
}
