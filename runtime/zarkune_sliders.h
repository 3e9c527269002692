#pragma once

#include <array>

#include "zarkune_vest.h"

// Slider values by slider number. Slots that no slider record uses are the
// script's own state; the shell reads and writes them directly. Plain
// values: the host's parameter changes write them while the audio and the
// graphics sections read them. [any thread]
class CZarkuneSliders : public CZarkuneVeST {
public:
    static constexpr int kSliderCount = 128;

    std::array<double, kSliderCount> sliders{};

    // The script's slider section: after a parameter change, at the end of
    // resume and of an accepted chunk.
    virtual void doSlider() {}

protected:
    ~CZarkuneSliders() = default;
};
