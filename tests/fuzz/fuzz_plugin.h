#pragma once

// One plug-in instance driven as a host drives it, for the fuzz targets:
// made through the library's entry, opened, given a sample rate and block
// size and resumed; suspended and closed again at the end. Every call goes
// through the plug-in record, as a host's does.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "effect.h"
#include "vst_records.h"

// The state chunk as the host copies it: the marker and slider values 1 to 64.
using StateChunk = std::array<float, 65>;
// The slider values of the three parameters as a chunk carries them.
constexpr std::size_t kParameterCount = 3;
using ParameterValues = std::array<float, kParameterCount>;

class FuzzPlugin {
public:
    FuzzPlugin(float sampleRate, VstInt32 blockSize);
    ~FuzzPlugin();

    FuzzPlugin(const FuzzPlugin&) = delete;
    FuzzPlugin& operator=(const FuzzPlugin&) = delete;

    // What the host answers to audioMasterGetTime, for every instance: null
    // (no time information) until set. The record must outlive the calls.
    static void setHostTime(const VstTimeInfo* time);

    AEffect& record() const { return *record_; }
    // The effect inside the plug-in object, to check its meters.
    const TZarkuneEffect& effect() const;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    // The chunk must always be the effect's 260 bytes behind the marker.
    StateChunk chunk();
    // The host's bytes with the size it announces; answers the plug-in's result.
    VstIntPtr setChunk(void* bytes, VstInt32 byteSize);
    // A chunk of the marker and the three parameters' slider values: the way
    // to give them values no host parameter change can.
    void restoreParameters(const ParameterValues& values);

    void setParameter(VstInt32 index, float value) { record_->setParameter(record_, index, value); }
    float getParameter(VstInt32 index) { return record_->getParameter(record_, index); }
    // A parameter text (effGetParamName, effGetParamLabel or effGetParamDisplay)
    // written into a buffer of the size the plug-in promises to stay within;
    // it must be terminated there.
    std::string parameterText(VstInt32 opcode, VstInt32 index);

private:
    AEffect* record_;
};

// Two channels of audio in host-owned buffers, in place or apart.
template <class Sample> class StereoBlock {
public:
    StereoBlock(std::size_t frames, bool inPlace);

    StereoBlock(const StereoBlock&) = delete;
    StereoBlock& operator=(const StereoBlock&) = delete;

    // The input as it was before processing.
    const std::vector<Sample>& sent(int channel) const { return sent_[channel]; }
    const std::vector<Sample>& received(int channel) const { return *received_[channel]; }

    // Sets one input frame of a channel, and its copy kept for comparison.
    void fill(int channel, std::size_t frame, Sample value);
    // Runs processReplacing or processDoubleReplacing over the whole block.
    void process(FuzzPlugin& plugin, VstInt32 sampleFrames);

private:
    std::vector<Sample> buffers_[4];
    std::vector<Sample> sent_[2];
    std::vector<Sample>* received_[2];
    Sample* inputs_[2];
    Sample* outputs_[2];
};

template <> void StereoBlock<float>::process(FuzzPlugin& plugin, VstInt32 sampleFrames);
template <> void StereoBlock<double>::process(FuzzPlugin& plugin, VstInt32 sampleFrames);
extern template class StereoBlock<float>;
extern template class StereoBlock<double>;
