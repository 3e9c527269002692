#include "fft.h"

#include <atomic>
#include <cmath>
#include <mutex>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kMinLog2 = 1;
constexpr int kMaxLog2 = 15;
constexpr int32_t kMaxSize = 1 << kMaxLog2;

constexpr double kSqrtHalf = 0.7071067811865476;
constexpr double kCosPi8 = 0.9238795325112867;
constexpr double kSinPi8 = 0.3826834323650898;

// Twiddles of one block size N: entry k - 1 holds (cos 2pi k/N, sin 2pi k/N).
// Up to N = 512 they run over a quarter circle; from 1024 on over an eighth,
// and the pass mirrors the rest.
constexpr int32_t storedTwiddles(int32_t size)
{
    return size <= 512 ? size / 4 - 1 : size / 8 - 1;
}

constexpr int32_t totalTwiddles()
{
    int32_t total = 0;
    for (int32_t size = 16; size <= kMaxSize; size *= 2)
        total += storedTwiddles(size);
    return total;
}

// Order table of size n starts at n - 2: sizes 2..32768 lie back to back.
constexpr int32_t kOrderEntries = 2 * kMaxSize - 2;
// Cycle leaders of sizes 4..32768, each list closed by a 0: 93 leaders and
// 14 terminators in all.
constexpr int32_t kLeaderCapacity = 128;

double twiddleStore[2 * totalTwiddles()];
const double* twiddles[kMaxLog2 + 1];
int32_t orderStore[kOrderEntries];
int32_t leaderStore[kLeaderCapacity];
const int32_t* leaders[kMaxLog2 + 1];

std::once_flag tablesOnce;
// Set to 1 by the build; readers see it only after the tables are complete.
std::atomic<int32_t> tablesBuilt{0};

void fillTwiddles()
{
    constexpr double kTwoPi = 6.283185307179586;
    double* next = twiddleStore;
    for (int log2n = 4; log2n <= kMaxLog2; ++log2n) {
        const int32_t size = 1 << log2n;
        twiddles[log2n] = next;
        for (int32_t k = 1; k <= storedTwiddles(size); ++k) {
            const double angle = kTwoPi * k / size;
            *next++ = std::cos(angle);
            *next++ = std::sin(angle);
        }
    }
}

// The smallest index of each non-trivial cycle of k -> table[k], found by
// walking each cycle from its first member in ascending order; `seen` marks
// members of cycles already walked.
int32_t* fillLeaders(const int32_t* table, int32_t size, int32_t* out, bool* seen)
{
    for (int32_t k = 0; k < size; ++k)
        seen[k] = false;
    for (int32_t k = 1; k < size; ++k) {
        if (seen[k] || table[k] == k)
            continue;
        *out++ = k;
        for (int32_t j = k; !seen[j]; j = table[j])
            seen[j] = true;
    }
    *out++ = 0;
    return out;
}

void buildFftTables()
{
    fillTwiddles();
    static bool seen[kMaxSize];
    int32_t* nextLeader = leaderStore;
    for (int log2n = kMinLog2; log2n <= kMaxLog2; ++log2n) {
        const int32_t size = 1 << log2n;
        int32_t* table = orderStore + size - 2;
        table[0] = 0;
        for (int32_t b = 1; b < size; ++b)
            table[size - splitRadixIndex(b, size)] = b;
        if (size >= 4) {
            leaders[log2n] = nextLeader;
            nextLeader = fillLeaders(table, size, nextLeader, seen);
        }
    }
    tablesBuilt.store(1, std::memory_order_release);
}

// ---- Complex arithmetic -------------------------------------------------
// One complex value per SSE2 register where the target has it, a pair of
// doubles otherwise. Both forms do the same IEEE operations on each part
// (x - y is x + (-y) exactly), so they give identical results.

#if defined(__SSE2__)
struct Cx {
    __m128d v;
};
inline Cx load(const double* p)
{
    return {_mm_loadu_pd(p)};
}
inline void store(double* p, Cx z)
{
    _mm_storeu_pd(p, z.v);
}
inline Cx operator+(Cx a, Cx b)
{
    return {_mm_add_pd(a.v, b.v)};
}
inline Cx operator-(Cx a, Cx b)
{
    return {_mm_sub_pd(a.v, b.v)};
}
// (-im, re) and (im, -re): the value times i and times -i.
inline Cx timesI(Cx z)
{
    return {_mm_xor_pd(_mm_shuffle_pd(z.v, z.v, 1), _mm_set_pd(0.0, -0.0))};
}
inline Cx timesMinusI(Cx z)
{
    return {_mm_xor_pd(_mm_shuffle_pd(z.v, z.v, 1), _mm_set_pd(-0.0, 0.0))};
}
// z w and z conj(w) for w = c + is: (zr c - zi s, zi c + zr s) and
// (zr c + zi s, zi c - zr s).
inline Cx multiply(Cx z, double c, double s)
{
    return {_mm_add_pd(_mm_mul_pd(z.v, _mm_set1_pd(c)), timesI({_mm_mul_pd(z.v, _mm_set1_pd(s))}).v)};
}
inline Cx multiplyConj(Cx z, double c, double s)
{
    return {_mm_add_pd(_mm_mul_pd(z.v, _mm_set1_pd(c)), timesMinusI({_mm_mul_pd(z.v, _mm_set1_pd(s))}).v)};
}
#else
struct Cx {
    double re, im;
};
inline Cx load(const double* p)
{
    return {p[0], p[1]};
}
inline void store(double* p, Cx z)
{
    p[0] = z.re;
    p[1] = z.im;
}
inline Cx operator+(Cx a, Cx b)
{
    return {a.re + b.re, a.im + b.im};
}
inline Cx operator-(Cx a, Cx b)
{
    return {a.re - b.re, a.im - b.im};
}
inline Cx timesI(Cx z)
{
    return {-z.im, z.re};
}
inline Cx timesMinusI(Cx z)
{
    return {z.im, -z.re};
}
inline Cx multiply(Cx z, double c, double s)
{
    return {z.re * c - z.im * s, z.im * c + z.re * s};
}
inline Cx multiplyConj(Cx z, double c, double s)
{
    return {z.re * c + z.im * s, z.im * c - z.re * s};
}
#endif

// ---- Butterflies --------------------------------------------------------
// q is the quarter size in complex values: butterfly k works on the values
// at k, k + q, k + 2q and k + 3q, that is at x, x + 2q, x + 4q, x + 6q.

// Decimation in frequency: (x0, x1, x2, x3) becomes x0 + x2, x1 + x3,
// (a + ib) w and (a - ib) conj(w), with a = x0 - x2 and b = x1 - x3.
inline void forwardButterfly(double* x, int32_t q, double c, double s)
{
    const Cx x0 = load(x), x1 = load(x + 2 * q), x2 = load(x + 4 * q), x3 = load(x + 6 * q);
    const Cx a = x0 - x2, ib = timesI(x1 - x3);
    store(x, x0 + x2);
    store(x + 2 * q, x1 + x3);
    store(x + 4 * q, multiply(a + ib, c, s));
    store(x + 6 * q, multiplyConj(a - ib, c, s));
}

// The k = 0 butterfly: w = 1, no multiplication.
inline void forwardButterfly(double* x, int32_t q)
{
    const Cx x0 = load(x), x1 = load(x + 2 * q), x2 = load(x + 4 * q), x3 = load(x + 6 * q);
    const Cx a = x0 - x2, ib = timesI(x1 - x3);
    store(x, x0 + x2);
    store(x + 2 * q, x1 + x3);
    store(x + 4 * q, a + ib);
    store(x + 6 * q, a - ib);
}

// Decimation in time. Let u = x2 conj(w), v = x3 w and s = u + v, d = u - v;
// the four values turn into x0 + s, x1 - i d, x0 - s and x1 + i d.
inline void inverseCombine(double* x, int32_t q, Cx u, Cx v)
{
    const Cx x0 = load(x), x1 = load(x + 2 * q);
    const Cx sum = u + v, id = timesI(u - v);
    store(x, x0 + sum);
    store(x + 2 * q, x1 - id);
    store(x + 4 * q, x0 - sum);
    store(x + 6 * q, x1 + id);
}

inline void inverseButterfly(double* x, int32_t q, double c, double s)
{
    inverseCombine(x, q, multiplyConj(load(x + 4 * q), c, s), multiply(load(x + 6 * q), c, s));
}

inline void inverseButterfly(double* x, int32_t q)
{
    inverseCombine(x, q, load(x + 4 * q), load(x + 6 * q));
}

// Runs one butterfly per k of a block of size N with its twiddle; the
// butterfly is either direction's, as `Step` (a callable taking the address
// of value k and w).
template <int32_t N, typename Step, typename Plain> inline void runPass(double* x, Step step, Plain plain)
{
    constexpr int32_t q = N / 4;
    plain(x);
    if constexpr (N == 4) {
        // one butterfly, k = 0
    } else if constexpr (N == 8) {
        step(x + 2, kSqrtHalf, kSqrtHalf);
    } else if constexpr (N == 16) {
        step(x + 2, kCosPi8, kSinPi8);
        step(x + 4, kSqrtHalf, kSqrtHalf);
        step(x + 6, kSinPi8, kCosPi8);
    } else if constexpr (N <= 512) {
        const double* t = twiddles[__builtin_ctz(N)] - 2;
        for (int32_t k = 1; k < q; ++k)
            step(x + 2 * k, t[2 * k], t[2 * k + 1]);
    } else {
        // An eighth circle is stored; past it, cos and sin swap roles.
        constexpr int32_t e = N / 8;
        const double* t = twiddles[__builtin_ctz(N)] - 2;
        for (int32_t k = 1; k < e; ++k)
            step(x + 2 * k, t[2 * k], t[2 * k + 1]);
        step(x + 2 * e, kSqrtHalf, kSqrtHalf);
        for (int32_t k = e + 1; k < q; ++k)
            step(x + 2 * k, t[2 * (q - k) + 1], t[2 * (q - k)]);
    }
}

// Each size is its own function calling the functions of the two smaller
// sizes: the composition is fixed when compiled, nothing recurses at run time.
template <int32_t N> struct SplitRadix {
    static void forward(double* x)
    {
        constexpr int32_t q = N / 4;
        runPass<N>(
            x, [](double* p, double c, double s) { forwardButterfly(p, q, c, s); },
            [](double* p) { forwardButterfly(p, q); });
        SplitRadix<N / 2>::forward(x);
        SplitRadix<N / 4>::forward(x + 4 * q);
        SplitRadix<N / 4>::forward(x + 6 * q);
    }
    static void inverse(double* x)
    {
        constexpr int32_t q = N / 4;
        SplitRadix<N / 2>::inverse(x);
        SplitRadix<N / 4>::inverse(x + 4 * q);
        SplitRadix<N / 4>::inverse(x + 6 * q);
        runPass<N>(
            x, [](double* p, double c, double s) { inverseButterfly(p, q, c, s); },
            [](double* p) { inverseButterfly(p, q); });
    }
};

template <> struct SplitRadix<2> {
    static void forward(double* x)
    {
        const Cx a = load(x), b = load(x + 2);
        store(x, a + b);
        store(x + 2, a - b);
    }
    static void inverse(double* x) { forward(x); }
};

template <> struct SplitRadix<1> {
    static void forward(double*) {}
    static void inverse(double*) {}
};

using Transform = void (*)(double*);

template <int32_t... Log2> struct TransformTable {
    static constexpr Transform forward[] = {nullptr, SplitRadix<(1 << Log2)>::forward...};
    static constexpr Transform inverse[] = {nullptr, SplitRadix<(1 << Log2)>::inverse...};
};
using Transforms = TransformTable<1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15>;

// log2 of a supported size, or 0.
int log2OfSize(int32_t n)
{
    if (n < 2 || n > kMaxSize || (n & (n - 1)) != 0)
        return 0;
    return __builtin_ctz(static_cast<uint32_t>(n));
}

// y[k] = x[tab[k]], one saved value per cycle.
void permute(double* x, const int32_t* tab, const int32_t* leader)
{
    for (; *leader != 0; ++leader) {
        const int32_t start = *leader;
        const Cx saved = load(x + 2 * start);
        int32_t to = start;
        for (int32_t from = tab[start]; from != start; from = tab[from]) {
            store(x + 2 * to, load(x + 2 * from));
            to = from;
        }
        store(x + 2 * to, saved);
    }
}

// y[tab[k]] = x[k]: the carried value moves one step along the cycle.
void inversePermute(double* x, const int32_t* tab, const int32_t* leader)
{
    for (; *leader != 0; ++leader) {
        const int32_t start = *leader;
        Cx carry = load(x + 2 * start);
        for (int32_t j = tab[start]; j != start; j = tab[j]) {
            const Cx next = load(x + 2 * j);
            store(x + 2 * j, carry);
            carry = next;
        }
        store(x + 2 * start, carry);
    }
}

// dest[j] = a[j] b[j], or dest[j] + a[j] b[j] when accumulating; each pair
// of values is read in full before it is written.
template <bool Accumulate> void multiplyPairs(double* dest, const double* a, const double* b, int32_t count)
{
    if (count < 2 || (count & 1) != 0)
        return;
    for (int32_t j = 0; j < count; j += 2, a += 4, b += 4, dest += 4) {
        const double p0 = a[0], q0 = a[1], p1 = a[2], q1 = a[3];
        const double r0 = b[0], s0 = b[1], r1 = b[2], s1 = b[3];
        double products[4] = {p0 * r0 - q0 * s0, p0 * s0 + q0 * r0, p1 * r1 - q1 * s1, p1 * s1 + q1 * r1};
        for (int i = 0; i < 4; ++i)
            dest[i] = Accumulate ? dest[i] + products[i] : products[i];
    }
}

} // namespace

void ensureFftTables()
{
    if (tablesBuilt.load(std::memory_order_acquire) != 0)
        return;
    std::call_once(tablesOnce, buildFftTables);
}

int32_t splitRadixIndex(int32_t a, int32_t n)
{
    if (n < 3)
        return a;
    if (a < n / 2)
        return 2 * splitRadixIndex(a, n / 2);
    const int32_t rest = a - n / 2;
    const int32_t q = n / 4;
    if (rest < q)
        return 4 * splitRadixIndex(rest, q) + 1;
    return (4 * splitRadixIndex(rest - q, q) - 1) & (n - 1);
}

void fftTransform(double* buffer, int32_t n, int32_t isInverse)
{
    const int log2n = log2OfSize(n);
    if (log2n == 0)
        return;
    (isInverse ? Transforms::inverse : Transforms::forward)[log2n](buffer);
}

void fftOperation(int32_t log2n, double* buffer, int32_t mode)
{
    if (log2n < kMinLog2 || log2n > kMaxLog2)
        return;
    const int32_t size = 1 << log2n;
    switch (mode) {
    case kFftForward:
    case kFftInverse:
        fftTransform(buffer, size, mode);
        break;
    case kFftPermute:
        if (size >= 4)
            permute(buffer, fftOrderTable(size), leaders[log2n]);
        break;
    case kFftInversePermute:
        if (size >= 4)
            inversePermute(buffer, fftOrderTable(size), leaders[log2n]);
        break;
    default:
        break;
    }
}

int32_t fftOrderIndex(int32_t i, int32_t n)
{
    return orderStore[n - 2 + i];
}

const int32_t* fftOrderTable(int32_t n)
{
    return orderStore + n - 2;
}

const int32_t* fftCycleLeaders(int32_t n)
{
    const int log2n = log2OfSize(n);
    return log2n >= 2 ? leaders[log2n] : nullptr;
}

void complexMultiply(double* dest, const double* src, int32_t count)
{
    complexMultiplyTo(dest, dest, src, count);
}

void complexMultiplyTo(double* dest, const double* a, const double* b, int32_t count)
{
    multiplyPairs<false>(dest, a, b, count);
}

void complexMultiplyAdd(double* dest, const double* a, const double* b, int32_t count)
{
    multiplyPairs<true>(dest, a, b, count);
}
