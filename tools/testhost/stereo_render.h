#pragma once

// Stereo signals and their rendering through a plug-in in blocks.
#include <vector>

#include "plugin_host.h"

template <class Sample> struct StereoSignal {
    std::vector<Sample> left;
    std::vector<Sample> right;
    std::size_t frames() const { return left.size(); }
};

// A deterministic two-channel test signal: two tones of different pitch and
// level, a slow swell and a little noise. It uses only exact arithmetic
// (no library functions), so every architecture generates the same samples.
StereoSignal<float> makeTestSignal(std::size_t frames);

// A 220 Hz sine of the given amplitude on the left and its cosine on the
// right, so that the scope's points go round in every direction. Exact
// arithmetic too.
StereoSignal<float> makeSineSignal(std::size_t frames, double amplitude);

StereoSignal<double> widenedSignal(const StereoSignal<float>& signal);
StereoSignal<float> narrowedSignal(const StereoSignal<double>& signal);

// Runs the signal through the plug-in's 32-bit or 64-bit path in blocks of
// blockSize frames (the last block may be shorter).
StereoSignal<float> renderReplacing(PluginHost& host, const StereoSignal<float>& input, VstInt32 blockSize);
StereoSignal<double> renderDoubleReplacing(PluginHost& host, const StereoSignal<double>& input, VstInt32 blockSize);
