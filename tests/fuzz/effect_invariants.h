#pragma once

// What must hold after anything a host can send: the plug-in's answers stay
// finite and in range, and no NaN or infinity reaches the audio or the
// effect's meters.
#include <cstddef>

#include "fuzz_plugin.h"

// Every follower, meter and scope point finite, and within its bounds.
void checkEffectState(const TZarkuneEffect& effect);

// The normalised value of every parameter, and of indices beyond them, is
// finite and within 0..1; their texts are terminated (parameterText).
void checkParameterReads(FuzzPlugin& plugin);

// The block's output is finite. While AutoWidth is on it lies within -1..1;
// while it is off the input comes back bit for bit.
template <class Sample>
void checkBlockOutput(const StereoBlock<Sample>& block, std::size_t frames, const TZarkuneEffect& effect);
