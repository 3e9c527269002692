#pragma once

#include <cmath>

// How the script compares: a value counts as k when |value - k| < 0.00001,
// so a parameter or flag near k matches it. NaN matches no k. [any thread]
inline bool isValue(double value, double k)
{
    return std::fabs(value - k) < 0.00001;
}
