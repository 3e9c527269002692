#pragma once

// Audio for the validator's checks: blocks of noise or silence through
// either process path of a plug-in, and a census of the samples that came
// out.
#include <cstdint>
#include <string>
#include <vector>

#include "plugin_host.h"
#include "validator_random.h"

// The buffer channels a plug-in needs: the larger of its input and output
// counts, at least 1.
int channelsOf(const AEffect& effect);

// NaN, infinities and subnormals among the samples a plug-in wrote.
struct SampleCensus {
    uint64_t samples = 0;
    uint64_t nans = 0;
    uint64_t infinities = 0;
    uint64_t subnormals = 0;

    template <class Sample> void count(const Sample* values, std::size_t n);
    void add(const SampleCensus& other);
    bool finite() const { return nans == 0 && infinities == 0; }
    // "N samples, 0 NaN, 0 inf, K subnormal"
    std::string figures() const;
};

// Input and output buffers of one block, as many channels as the plug-in
// has inputs or outputs. Outputs are filled with NaN before each call, so a
// sample the plug-in leaves unwritten counts as a NaN.
template <class Sample> class AudioBlock {
public:
    AudioBlock(int channels, std::size_t frames);

    void fillNoise(RandomSource& random);
    void fillSilence();
    // Runs the plug-in's 32- or 64-bit path (by Sample) over the first
    // frames and counts the output samples.
    void process(PluginHost& host, VstInt32 frames, SampleCensus& census);
    // The same in place, as many hosts call it: the outputs are the inputs.
    void processInPlace(PluginHost& host, VstInt32 frames, SampleCensus& census);
    // Runs the path with frames that may be 0 or negative; true when every
    // output sample is still the NaN it was filled with.
    bool processLeavesOutputsUntouched(PluginHost& host, VstInt32 frames);

    std::vector<std::vector<Sample>> inputs;
    std::vector<std::vector<Sample>> outputs;

private:
    void poisonOutputs();
    void runPlugin(PluginHost& host, Sample** targets, VstInt32 frames);

    std::vector<Sample*> inputPointers;
    std::vector<Sample*> outputPointers;
};

extern template class AudioBlock<float>;
extern template class AudioBlock<double>;

// One block of noise through the 32-bit path and, where the plug-in
// declares it, through the 64-bit path.
void processNoiseOnBothPaths(PluginHost& host, RandomSource& random, VstInt32 frames, SampleCensus& census);

// Blocks of noise that take the 64-bit path every other time, where the
// plug-in declares it.
class AlternatingPaths {
public:
    AlternatingPaths(const AEffect& effect, VstInt32 frames);
    void processNoise(PluginHost& host, RandomSource& random, SampleCensus& census);

private:
    bool doublePath;
    bool nextDouble = false;
    VstInt32 frames;
    AudioBlock<float> single;
    AudioBlock<double> twice;
};
