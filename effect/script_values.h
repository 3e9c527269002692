#pragma once

#include <cmath>

// The script's equality test: a parameter, index or flag "is" k when it lies
// strictly within 0.00001 of k. A NaN is nothing.
inline bool isValue(double value, double k)
{
    return std::fabs(value - k) < 0.00001;
}
