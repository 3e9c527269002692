#pragma once

// Times a plug-in's two process functions as a host drives them: the plug-in
// made ready as a host makes it (open, sample rate, block size, resume), one
// second of stereo audio run through it block by block, and each pass timed
// against a plain copy of the same buffers in the same run.
//
// Portable: the test host times a loaded output.dll with it (under Wine),
// the native benchmark the same plug-in code linked in, so that their
// figures compare row by row.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

#include "vst_records.h"

namespace audio_timing {

// The rate the plug-in is run at, and the one "times real time" refers to.
constexpr float kTimingRate = 48000.0f;
// One second at that rate: the length of every timed pass.
constexpr std::size_t kTimingFrames = 48000;

// The parameter values the timing runs use besides AutoSpeed: width on, wide.
constexpr double kTimingAutoWidth = 1.0;
constexpr double kTimingAutoDepth = 2.0;

typedef AEffect*(VSTCALLBACK* PluginEntry)(audioMasterCallback host);

template <class Sample> struct Stereo {
    std::vector<Sample> left, right;
    std::size_t frames() const { return left.size(); }
};

// Stereo noise at a moderate level, the right channel partly following the
// left. The generator's period is far beyond any measured length, so the
// followers' decisions cannot be learnt by the processor.
Stereo<float> noise(std::size_t frames);
// Something like music: a chord that changes every beat at 120 beats a
// minute, each note struck and decaying, spread differently over the two
// channels, over a soft noise floor. No beat repeats the one before it.
Stereo<float> musicLike(std::size_t frames);
Stereo<double> widened(const Stereo<float>& signal);

// A plug-in created through its entry with a lean host (below) and made
// ready at kTimingRate; suspended and closed again when it goes.
class HostedPlugin {
public:
    HostedPlugin(PluginEntry entry, VstInt32 blockSize);
    ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    // False when the entry gave no plug-in.
    explicit operator bool() const { return record != nullptr; }

    // Suspend, the new block size, resume: what a host does to change it.
    void setBlockSize(VstInt32 blockSize);
    // AutoWidth, AutoSpeed and AutoDepth as slider values (0..1, 0..2, 0..2),
    // set through the host's normalised parameters.
    void setParameters(double autoWidth, double autoSpeed, double autoDepth);

    void process(float** inputs, float** outputs, VstInt32 frames);
    void process(double** inputs, double** outputs, VstInt32 frames);

private:
    AEffect* record;
};

// Runs the whole input through the plug-in, blockFrames frames a call (the
// last call may be shorter); the host's time position advances per block.
template <class Sample>
void processInBlocks(HostedPlugin& plugin, const Stereo<Sample>& input, Stereo<Sample>& output,
                     std::size_t blockFrames);
// The same buffers and blocks, copied instead of processed.
template <class Sample> void copyInBlocks(const Stereo<Sample>& input, Stereo<Sample>& output, std::size_t blockFrames);

struct TimingSettings {
    // Timed passes per row; the best and the median are reported.
    int passes = 10;
    // Seconds processed before the timed passes of each row, untimed: the
    // followers settle near their targets, where their decisions are least
    // predictable.
    int warmUpSeconds = 3;
    std::vector<std::size_t> blockSizes{512, 64};
    std::vector<int> autoSpeeds{0, 1, 2};
};

// Nanoseconds a frame, best and median over the passes.
struct PassFigures {
    double best = 0.0;
    double median = 0.0;
};

struct TimingRow {
    const char* path; // "single" (processReplacing) or "double"
    std::size_t blockFrames;
    int autoSpeed;
    PassFigures plugin;
    PassFigures copy;
};

// Every row: each path, block size and AutoSpeed, over one second of noise.
std::vector<TimingRow> timeProcessing(PluginEntry entry, const TimingSettings& settings);

// One line per row: ns a frame (best, median), frames a second, multiple of
// real time at 48 kHz, the copy's ns a frame and the ratio to it.
void printRows(std::ostream& out, const std::vector<TimingRow>& rows);

} // namespace audio_timing
