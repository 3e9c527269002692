#pragma once

// The validator's random numbers: a seeded source that gives the same
// numbers on every architecture, and the floats a hostile host sends.
#include <cstdint>
#include <limits>
#include <random>

// Floats a careless or hostile host sends, each class represented: NaN,
// infinities, the extremes, subnormals, the ends of 0..1 and just past them.
inline constexpr float kHostileFloats[] = {
    std::numeric_limits<float>::quiet_NaN(),
    -std::numeric_limits<float>::quiet_NaN(),
    std::numeric_limits<float>::infinity(),
    -std::numeric_limits<float>::infinity(),
    std::numeric_limits<float>::max(),
    -std::numeric_limits<float>::max(),
    1e30f,
    -1e30f,
    -1000.0f,
    2.0f,
    1.5f,
    1.0000001f,
    1.0f,
    0.0f,
    -0.0f,
    std::numeric_limits<float>::min(),
    std::numeric_limits<float>::denorm_min(),
    -std::numeric_limits<float>::denorm_min(),
    -0.5f,
    -1.0f,
};

// The engine's sequence is fixed by the language standard and the mappings
// below use exact arithmetic only, so a seed replays anywhere.
class RandomSource {
public:
    explicit RandomSource(uint32_t seed) : engine(seed) {}

    uint32_t bits() { return engine(); }
    // Two draws as one 64-bit number, the first in the high half.
    uint64_t wideBits();
    // A whole number in [low, high].
    int64_t between(int64_t low, int64_t high);
    // A number in [0, 1).
    double unit();
    bool chance(double probability) { return unit() < probability; }
    // A sample of white noise in [-1, 1).
    double noise() { return 2.0 * unit() - 1.0; }
    // A float of any class: ordinary, zero, subnormal, huge, infinite or NaN.
    float anyFloat();
    // An int32 of any size, small ones more often.
    int32_t anyInt32();

private:
    std::mt19937 engine;
};
