#pragma once

// Long runs of the audio path over noise that does not repeat, with every
// parameter combination, reduced to checksums of their output bits. The
// effect's tests run them on the sample section, the host's tests through
// both process paths of the built library, so both are held to the same
// bits.
//
// The checksums were recorded from the sample section as it stood at commit
// 86edd18, before the audio path was reworked for speed; they pin every
// output bit to what that code computed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace long_run {

// Slider values of AutoWidth, AutoSpeed and AutoDepth.
struct Parameters {
    double autoWidth, autoSpeed, autoDepth;
};

// The parameters take these values before frame `frame` is processed.
struct Change {
    int frame;
    Parameters parameters;
};

struct Scenario {
    const char* name;
    float sampleRate;
    int blockFrames;
    int frames;
    std::vector<Change> changes;
};

// The input: noise whose level moves between sections of a prime length
// (so section and block edges rarely meet), from silence through quiet and
// moderate to beyond full scale, and with the right channel sometimes
// following the left. Every sample is exact as a float: a multiple of 2^-22
// below 2, times a power of two. So the 32-bit and the 64-bit path get the
// same numbers, and no compiler can round them differently.
class Signal {
public:
    void next(float& left, float& right)
    {
        if (frame % kSectionFrames == 0) {
            const Section& section = kSections[(frame / kSectionFrames) % (sizeof kSections / sizeof kSections[0])];
            level = section.level;
            follow = section.follow;
        }
        ++frame;
        const double a = uniform();
        const double b = uniform();
        left = static_cast<float>(level * a);
        right = static_cast<float>(level * (follow * a + (1.0 - follow) * b));
    }

private:
    struct Section {
        double level, follow;
    };
    static constexpr int kSectionFrames = 7919;
    static constexpr Section kSections[] = {
        {0.5, 0.5}, {0.0625, 0.0}, {0.0, 0.0}, {2.0, 0.25}, {0.25, 1.0}, {1.0, 0.0}, {0.125, 0.75}, {1.0, -0.5},
    };

    // A multiple of 2^-20 in [-1, 1), from a 32-bit linear congruential
    // generator.
    double uniform()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 11) / 1048576.0 - 1.0;
    }

    uint32_t state = 2020u;
    int frame = 0;
    double level = 0.0, follow = 0.0;
};

// 64-bit FNV-1a over the bits of each value.
class Checksum {
public:
    template <class T> void add(T value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (const unsigned char byte : bytes) {
            hash ^= byte;
            hash *= 1099511628211u;
        }
    }
    uint64_t value() const { return hash; }

private:
    uint64_t hash = 14695981039346656037u;
};

// Every combination of the three parameters' rows, each held for `blocks`
// blocks of the given size; combination c is (c % 2, c / 2 % 3, c / 6) in
// order, or in reverse order when `reversed`.
inline std::vector<Change> everyCombination(int blockFrames, int blocks, bool reversed)
{
    std::vector<Change> changes;
    for (int i = 0; i < 18; ++i) {
        const int c = reversed ? 17 - i : i;
        changes.push_back({i * blocks * blockFrames, {double(c % 2), double(c / 2 % 3), double(c / 6)}});
    }
    return changes;
}

// Runs a host can make: the parameters change only between blocks.
inline const std::vector<Scenario>& hostScenarios()
{
    static const std::vector<Scenario> scenarios = {
        {"48000 Hz in blocks of 512", 48000.0f, 512, 18 * 80 * 512, everyCombination(512, 80, false)},
        {"44100 Hz in blocks of 300", 44100.0f, 300, 18 * 100 * 300, everyCombination(300, 100, true)},
    };
    return scenarios;
}

// The checksums of the outputs of each host scenario: as doubles (the 64-bit
// path), and narrowed to floats (the 32-bit path).
struct OutputChecksums {
    uint64_t doubles, floats;
};
inline const OutputChecksums kHostScenarioChecksums[] = {
    {14725226682179622838u, 18280942556778830099u},
    {7927956933031876457u, 5199709423857964483u},
};

} // namespace long_run
