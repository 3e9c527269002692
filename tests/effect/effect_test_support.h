#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "effect.h"
#include "recording_services.h"

// An effect as a host leaves it after opening and resuming it, with the
// recording services standing in for the shell.
class OpenedEffect : public ::testing::Test {
protected:
    vest_testing::RecordingServices& services = vest_testing::RecordingServices::instance();
    TZarkuneEffect effect;

    void SetUp() override { services.reset(); }

    // Open (reset) and resume with a host reporting the sample rate; the
    // recorded calls are forgotten afterwards.
    void open(float sampleRate = 48000.0f)
    {
        effect.vest = vest_testing::RecordingServices::fakePlugin();
        services.answers.sampleRate = sampleRate;
        effect.reset();
        effect.resume();
        services.clear();
    }

    void setParameters(double autoWidth, double autoSpeed, double autoDepth)
    {
        effect.sliders[TZarkuneEffect::kAutoWidth] = autoWidth;
        effect.sliders[TZarkuneEffect::kAutoSpeed] = autoSpeed;
        effect.sliders[TZarkuneEffect::kAutoDepth] = autoDepth;
    }

    // One frame as the shell runs it; the sample slots hold the output after.
    void frame(double left, double right)
    {
        effect.samples[0] = left;
        effect.samples[1] = right;
        effect.doSample();
    }

    // The same frame `count` times.
    void frames(int count, double left, double right)
    {
        for (int i = 0; i < count; ++i)
            frame(left, right);
    }
};

inline uint64_t bitsOf(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
