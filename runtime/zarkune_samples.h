#pragma once

#include <array>

#include "zarkune_sliders.h"

// One frame of audio, one value per channel, carried between the shell and
// the script's sample section.
class CZarkuneSamples : public CZarkuneSliders {
public:
    static constexpr int kSampleSlotCount = 64;

    std::array<double, kSampleSlotCount> samples{};

    // The block section, once per processing call before the frames. [audio thread]
    virtual void doBlock() {}
    // The sample section, once per frame with the frame in `samples`. [audio thread]
    virtual void doSample() {}

protected:
    ~CZarkuneSamples() = default;
};
