#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Guards the translated code wraps around the values it assigns, so that a
// NaN or an infinity produced by one section cannot poison later ones.

// NaN and both infinities become +0.0; everything else (-0.0 and subnormal
// values too) passes unchanged. Written as one comparison, which compiles to
// a mask without a branch: the audio path runs it several times a frame.
inline double finiteOrZero(double x)
{
    return std::fabs(x) <= std::numeric_limits<double>::max() ? x : 0.0;
}

// Both infinities become +0.0; a NaN passes unchanged.
inline double infinityToZero(double x)
{
    return std::isinf(x) ? 0.0 : x;
}

// A script number used as a count, an index or a byte: moved 0.0001 away from
// zero, then truncated toward zero. A NaN, or a value whose integer part does
// not fit in 32 signed bits, gives 0 (a plain cast would be undefined).
inline int32_t scriptToInt32(double v)
{
    const double whole = std::trunc(v >= 0.0 ? v + 0.0001 : v - 0.0001);
    if (!(whole >= INT32_MIN && whole <= INT32_MAX))
        return 0;
    return static_cast<int32_t>(whole);
}
