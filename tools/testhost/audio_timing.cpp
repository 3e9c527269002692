#include "audio_timing.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace audio_timing {

namespace {

constexpr VstIntPtr kHostVersion = 2400;
constexpr double kTempo = 120.0;

// A 64-bit linear congruential generator (Knuth's constants); the top bits
// give a uniform value in [-0.5, 0.5).
class Uniform {
public:
    explicit Uniform(uint64_t seed) : state(seed) {}
    double next()
    {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
    }

private:
    uint64_t state;
};

// What the host reports while it plays: 120 beats a minute in 4/4, the
// position moving on with every block as a host's does.
VstTimeInfo hostTime = [] {
    VstTimeInfo time{};
    time.sampleRate = kTimingRate;
    time.tempo = kTempo;
    time.timeSigNumerator = 4;
    time.timeSigDenominator = 4;
    time.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    return time;
}();

void advanceHostTime(std::size_t frames)
{
    hostTime.samplePos += static_cast<double>(frames);
    hostTime.ppqPos = hostTime.samplePos / kTimingRate * kTempo / 60.0;
}

// A host that answers what a plug-in asks while it starts and plays, and
// nothing more: no bookkeeping and no lock, so that the figures are the
// plug-in's own.
VstIntPtr VSTCALLBACK leanHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                               void* /*ptr*/, float /*opt*/)
{
    switch (opcode) {
    case audioMasterVersion:
        return kHostVersion;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(&hostTime);
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(kTimingRate);
    default:
        return 0;
    }
}

template <class Sample> Stereo<Sample> silence(std::size_t frames)
{
    return {std::vector<Sample>(frames), std::vector<Sample>(frames)};
}

PassFigures figuresOf(std::vector<double> nsPerFrame)
{
    std::sort(nsPerFrame.begin(), nsPerFrame.end());
    return {nsPerFrame.front(), nsPerFrame[nsPerFrame.size() / 2]};
}

double nanosecondsPerFrame(std::chrono::steady_clock::duration elapsed, std::size_t frames)
{
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(frames);
}

// The passes of one row on one path.
template <class Sample>
void timeRow(HostedPlugin& plugin, const Stereo<Sample>& input, const TimingSettings& settings, TimingRow& row)
{
    Stereo<Sample> output = silence<Sample>(input.frames());
    for (int second = 0; second < settings.warmUpSeconds; ++second)
        processInBlocks(plugin, input, output, row.blockFrames);
    std::vector<double> pluginPasses, copyPasses;
    for (int pass = 0; pass < std::max(settings.passes, 1); ++pass) {
        auto start = std::chrono::steady_clock::now();
        processInBlocks(plugin, input, output, row.blockFrames);
        pluginPasses.push_back(nanosecondsPerFrame(std::chrono::steady_clock::now() - start, input.frames()));
        start = std::chrono::steady_clock::now();
        copyInBlocks(input, output, row.blockFrames);
        copyPasses.push_back(nanosecondsPerFrame(std::chrono::steady_clock::now() - start, input.frames()));
    }
    row.plugin = figuresOf(pluginPasses);
    row.copy = figuresOf(copyPasses);
}

} // namespace

Stereo<float> noise(std::size_t frames)
{
    Stereo<float> signal = silence<float>(frames);
    Uniform uniform(20200928u);
    for (std::size_t i = 0; i < frames; ++i) {
        const double left = uniform.next();
        signal.left[i] = static_cast<float>(left);
        signal.right[i] = static_cast<float>(0.5 * left + uniform.next());
    }
    return signal;
}

Stereo<float> musicLike(std::size_t frames)
{
    // Semitone offsets of the chords' roots over A 220 Hz; a chord is the
    // root, its fifth and its octave.
    constexpr int kRoots[] = {0, 5, 7, 3, 10, 2, 8};
    constexpr double kTwoPi = 6.283185307179586;
    const std::size_t beatFrames = static_cast<std::size_t>(kTimingRate * 60.0 / kTempo);
    Stereo<float> signal = silence<float>(frames);
    Uniform uniform(7u);
    double phase[3] = {0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t beat = i / beatFrames;
        const double sinceStrike = static_cast<double>(i % beatFrames) / kTimingRate;
        const double root = 220.0 * std::pow(2.0, kRoots[beat % std::size(kRoots)] / 12.0);
        const double frequencies[3] = {root, root * 1.5, root * 2.0};
        // A fast attack, then an exponential decay; louder on the bar's first beat.
        const double envelope
            = std::min(1.0, sinceStrike * 200.0) * std::exp(-3.0 * sinceStrike) * (beat % 4 == 0 ? 0.6 : 0.4);
        double left = 0.0, right = 0.0;
        for (int note = 0; note < 3; ++note) {
            phase[note] = std::fmod(phase[note] + kTwoPi * frequencies[note] / kTimingRate, kTwoPi);
            const double tone = std::sin(phase[note]) * envelope;
            left += tone * (0.5 + 0.2 * note);
            right += tone * (0.9 - 0.2 * note);
        }
        signal.left[i] = static_cast<float>(left + 0.01 * uniform.next());
        signal.right[i] = static_cast<float>(right + 0.01 * uniform.next());
    }
    return signal;
}

Stereo<double> widened(const Stereo<float>& signal)
{
    return {std::vector<double>(signal.left.begin(), signal.left.end()),
            std::vector<double>(signal.right.begin(), signal.right.end())};
}

HostedPlugin::HostedPlugin(PluginEntry entry, VstInt32 blockSize) : record(entry ? entry(leanHost) : nullptr)
{
    if (!record)
        return;
    record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, kTimingRate);
    record->dispatcher(record, effSetBlockSize, 0, blockSize, nullptr, 0.0f);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
}

HostedPlugin::~HostedPlugin()
{
    if (!record)
        return;
    record->dispatcher(record, effMainsChanged, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

void HostedPlugin::setBlockSize(VstInt32 blockSize)
{
    record->dispatcher(record, effMainsChanged, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effSetBlockSize, 0, blockSize, nullptr, 0.0f);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
}

void HostedPlugin::setParameters(double autoWidth, double autoSpeed, double autoDepth)
{
    record->setParameter(record, 0, static_cast<float>(autoWidth));
    record->setParameter(record, 1, static_cast<float>(autoSpeed / 2.0));
    record->setParameter(record, 2, static_cast<float>(autoDepth / 2.0));
}

void HostedPlugin::process(float** inputs, float** outputs, VstInt32 frames)
{
    record->processReplacing(record, inputs, outputs, frames);
}

void HostedPlugin::process(double** inputs, double** outputs, VstInt32 frames)
{
    record->processDoubleReplacing(record, inputs, outputs, frames);
}

template <class Sample>
void processInBlocks(HostedPlugin& plugin, const Stereo<Sample>& input, Stereo<Sample>& output, std::size_t blockFrames)
{
    for (std::size_t start = 0; start < input.frames(); start += blockFrames) {
        const std::size_t frames = std::min(blockFrames, input.frames() - start);
        // Hosts hand over writable input buffers; the plug-in only reads them.
        Sample* inputs[2]
            = {const_cast<Sample*>(input.left.data()) + start, const_cast<Sample*>(input.right.data()) + start};
        Sample* outputs[2] = {output.left.data() + start, output.right.data() + start};
        plugin.process(inputs, outputs, static_cast<VstInt32>(frames));
        advanceHostTime(frames);
    }
}

template <class Sample> void copyInBlocks(const Stereo<Sample>& input, Stereo<Sample>& output, std::size_t blockFrames)
{
    for (std::size_t start = 0; start < input.frames(); start += blockFrames) {
        const std::size_t frames = std::min(blockFrames, input.frames() - start);
        std::copy_n(input.left.data() + start, frames, output.left.data() + start);
        std::copy_n(input.right.data() + start, frames, output.right.data() + start);
    }
}

template void processInBlocks(HostedPlugin&, const Stereo<float>&, Stereo<float>&, std::size_t);
template void processInBlocks(HostedPlugin&, const Stereo<double>&, Stereo<double>&, std::size_t);
template void copyInBlocks(const Stereo<float>&, Stereo<float>&, std::size_t);
template void copyInBlocks(const Stereo<double>&, Stereo<double>&, std::size_t);

std::vector<TimingRow> timeProcessing(PluginEntry entry, const TimingSettings& settings)
{
    const Stereo<float> single = noise(kTimingFrames);
    const Stereo<double> wide = widened(single);
    if (settings.blockSizes.empty())
        return {};
    HostedPlugin plugin(entry, static_cast<VstInt32>(settings.blockSizes.front()));
    if (!plugin)
        return {};
    std::vector<TimingRow> rows;
    for (const bool doublePrecision : {false, true})
        for (const std::size_t blockFrames : settings.blockSizes) {
            plugin.setBlockSize(static_cast<VstInt32>(blockFrames));
            for (const int autoSpeed : settings.autoSpeeds) {
                plugin.setParameters(kTimingAutoWidth, autoSpeed, kTimingAutoDepth);
                TimingRow row{doublePrecision ? "double" : "single", blockFrames, autoSpeed, {}, {}};
                if (doublePrecision)
                    timeRow(plugin, wide, settings, row);
                else
                    timeRow(plugin, single, settings, row);
                rows.push_back(row);
            }
        }
    return rows;
}

void printRows(std::ostream& out, const std::vector<TimingRow>& rows)
{
    out << "path    block  AutoSpeed  ns/frame  (median)     frames/s  x realtime@48k  copy ns/frame  x copy\n";
    for (const TimingRow& row : rows) {
        char line[160];
        std::snprintf(line, sizeof line, "%-6s  %5zu  %9d  %8.2f  (%6.2f)  %11.0f  %14.1f  %13.3f  %6.1f\n", row.path,
                      row.blockFrames, row.autoSpeed, row.plugin.best, row.plugin.median, 1e9 / row.plugin.best,
                      1e9 / row.plugin.best / kTimingRate, row.copy.best, row.plugin.best / row.copy.best);
        out << line;
    }
}

} // namespace audio_timing
