#include "validator_random.h"

#include <cstring>
#include <iterator>

namespace {

// 2^-32: the engine's 32 bits as a fraction, exactly.
constexpr double kUnitScale = 1.0 / 4294967296.0;

} // namespace

uint64_t RandomSource::wideBits()
{
    // Two statements: the draws must happen in this order everywhere.
    const uint64_t high = bits();
    return (high << 32) | bits();
}

int64_t RandomSource::between(int64_t low, int64_t high)
{
    const uint64_t span = static_cast<uint64_t>(high - low) + 1;
    const uint64_t wide = wideBits();
    return low + static_cast<int64_t>(span == 0 ? wide : wide % span);
}

double RandomSource::unit()
{
    return bits() * kUnitScale;
}

float RandomSource::anyFloat()
{
    switch (between(0, 3)) {
    case 0:
        return kHostileFloats[between(0, std::size(kHostileFloats) - 1)];
    case 1: {
        // Any bit pattern at all: every exponent, NaN payloads included.
        const uint32_t pattern = bits();
        float value;
        std::memcpy(&value, &pattern, sizeof(value));
        return value;
    }
    case 2:
        return static_cast<float>(noise() * 10.0);
    default:
        return static_cast<float>(unit());
    }
}

int32_t RandomSource::anyInt32()
{
    switch (between(0, 2)) {
    case 0:
        return static_cast<int32_t>(between(-4, 16));
    case 1:
        return static_cast<int32_t>(between(-100000, 100000));
    default:
        return static_cast<int32_t>(bits());
    }
}
