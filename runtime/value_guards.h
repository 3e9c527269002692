#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// Guards the translated code wraps around the values it assigns, so that a
// NaN or an infinity produced by one section cannot poison later ones.
// [any thread]

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

// The whole number a script value stands for: moved 0.0001 away from zero,
// then truncated toward zero. A NaN or an infinity comes back as it went in.
inline double scriptWholeNumber(double v)
{
    return std::trunc(v >= 0.0 ? v + 0.0001 : v - 0.0001);
}

// A script number used as a count, an index, a colour component or an edge:
// its whole number, saturated to the 32-bit range, so that a value beyond the
// range stays on its side of zero and keeps its order with its neighbours (a
// rectangle's far edge past the range still lies beyond its near edge). A NaN
// has no side and gives 0.
inline int32_t scriptToInt32(double v)
{
    const double whole = scriptWholeNumber(v);
    if (std::isnan(whole))
        return 0;
    return static_cast<int32_t>(std::clamp(whole, double{INT32_MIN}, double{INT32_MAX}));
}
