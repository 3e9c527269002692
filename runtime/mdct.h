#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Modified discrete cosine transform of block size n (a power of two) in
// double precision, with its sine window. With the kernel
//   c(i, k) = cos(pi / (2n) * (2i + 1 + n/2) * (2k + 1)),
// i in [0, n) and k in [0, n/2), the forward transform maps n values to n/2
// coefficients and the inverse maps n/2 coefficients back to n values.
//
// Two paths, with the scale factor 4/n on different sides:
//  - fast (n > 32 with every table present): forward scaled by 4/n, inverse
//    unscaled; O(n log n) through the complex FFT of n/4 points;
//  - direct (n <= 32, or a table missing): forward unscaled, inverse scaled
//    by 4/n; the defining sums, O(n^2).
// Either way window, forward, inverse and window again, with blocks that
// overlap by n/2 added up, give the input back.
//
// [any thread], except that two forward transforms must not share a context
// at the same time (see MdctContext).

// One size's window and tables; allocated as one zero-filled record that owns
// its arrays. Only `work` changes after creation: every fast forward
// transform overwrites it, so two forward transforms must not run on one
// context at the same time.
struct MdctContext {
    int32_t n;
    // log2 of n; set only together with the tables.
    int32_t log2n;
    // n + n/4 doubles: (cos, -sin)(4i pi/n) for i < n/4, then
    // (cos, sin)((2i + 1) pi/(2n)) for i < n/4, then
    // 0.5 (cos, -sin)((4i + 2) pi/n) for i < n/8. Null up to n = 32.
    double* trig;
    // n/4 bit-reversal pairs. Null up to n = 32.
    int32_t* bitrev;
    // n doubles of working space for the forward transform. Null up to 32.
    double* work;
    // 4/n, set together with the tables.
    double scale;
    // sin((i + 0.5) pi/n) for i < n/2: the rising half of the window.
    double* window;
};

// How a context gets its storage: returns bytes that std::free releases, or
// null.
using MdctAllocate = void* (*)(std::size_t bytes);

// A new context for block size n, which must be a power of two between 2 and
// 131072 (scripts use 32 ... 4096); null for any other n, or when even the
// record cannot be allocated. When a later allocation fails the record is returned
// without that array and those after it (window; then bitrev, trig, work),
// and the transforms take the direct path.
MdctContext* mdctContextCreate(int32_t n, MdctAllocate allocate = std::malloc);
// Frees a context made by mdctContextCreate, with its arrays; null is fine.
void mdctContextFree(MdctContext* context);

// Forward transform of n values at input into n/2 coefficients at output;
// the two must not overlap. Nothing for a null context.
void mdctTransform(MdctContext* context, const double* input, double* output);
// Inverse transform of n/2 coefficients at input into n values at output,
// which is also the working space; the two must not overlap. Nothing for a
// null context.
void imdctTransform(const MdctContext* context, const double* input, double* output);
// output[i] = input[i] * w(i) for the whole window w(i) = sin((i + 0.5) pi/n),
// i < n. Nothing for a null context or a context without window.
void mdctWindow(const MdctContext* context, const double* input, double* output);
