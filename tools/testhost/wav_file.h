#pragma once

// 32-bit float stereo WAV files.
#include <string>

#include "stereo_render.h"

// Writes the signal interleaved as IEEE float samples; false when the file
// cannot be written.
bool writeFloatWav(const std::string& path, const StereoSignal<float>& signal, VstInt32 sampleRate);
