#pragma once

#include <cstdint>

// Complex FFT, in place, on n = 2, 4, ... 32768 complex values stored as
// doubles. A complex buffer of n values holds 2n doubles:
// real then imaginary part of each value in turn.
//
// The forward transform takes natural-order input and leaves its output in
// split-radix order; the inverse transform expects that order and gives
// natural-order output. Two permutations convert between the split-radix
// order and natural order. No step scales, so a round trip through all four
// steps multiplies the input by n.
//
// Every table is process-wide, built once by ensureFftTables and read-only
// afterwards; the transforms may then run on any number of threads at once
// (each on its own buffer). They allocate nothing and compute no sines.

enum FftMode : int32_t {
    kFftForward = 0,
    kFftInverse = 1,
    kFftPermute = 4,
    kFftInversePermute = 5,
};

// Builds the twiddle, order and cycle-leader tables the first time it is
// called in the process; later calls, also concurrent ones, wait for that
// build and do nothing. [any thread]
void ensureFftTables();

// The split-radix position of index a in [0, n) for a power of two n.
int32_t splitRadixIndex(int32_t a, int32_t n);

// Transforms n complex values in place: forward (isInverse == 0) or inverse.
// Any n other than 2, 4, ..., 32768 leaves the buffer unchanged.
void fftTransform(double* buffer, int32_t n, int32_t isInverse);

// One step on a buffer of 2^log2n complex values, chosen by mode:
// kFftForward, kFftInverse (log2n 1 to 15), kFftPermute (y[k] = x[tab[k]])
// or kFftInversePermute (y[tab[k]] = x[k]) (log2n 2 to 15). Anything else
// leaves the buffer unchanged.
void fftOperation(int32_t log2n, double* buffer, int32_t mode);

// The order table for size n (any supported size, not checked): entry k is
// where the forward transform puts frequency k.
int32_t fftOrderIndex(int32_t i, int32_t n);
const int32_t* fftOrderTable(int32_t n);

// The smallest index of every cycle longer than one of the permutation
// k -> fftOrderIndex(k, n), ascending and followed by a 0; for n from 4 to
// 32768 (null for other n).
const int32_t* fftCycleLeaders(int32_t n);

// Element-wise products of count complex values, two values per step, so a
// destination may be one of the sources. Counts that are odd or less than 2
// leave everything as it was.
//   complexMultiply:    dest[j] = dest[j] * src[j]
//   complexMultiplyTo:  dest[j] = a[j] * b[j]
//   complexMultiplyAdd: dest[j] = dest[j] + a[j] * b[j]
void complexMultiply(double* dest, const double* src, int32_t count);
void complexMultiplyTo(double* dest, const double* a, const double* b, int32_t count);
void complexMultiplyAdd(double* dest, const double* a, const double* b, int32_t count);
