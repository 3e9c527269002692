// The audio path's speed, natively, on input that does not repeat within what
// is measured. Every iteration is one second of stereo audio at 48 kHz, with
// AutoWidth 1 and AutoDepth 2:
//  - core: the effect's block and sample sections called directly, as the
//    shell's frame loop calls them, in blocks of 512 frames, on noise and on
//    a music-like signal;
//  - plugin: the whole plug-in through its record (the shell's callbacks and
//    frame loop, the block section's host queries answered by a lean host),
//    driven exactly as `testhost time` drives output.dll, so that the rows
//    compare with that table row by row;
//  - copy: a plain copy of the same buffers in the same blocks.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "audio_timing.h"
#include "effect.h"
#include "plugin_entry.h"

namespace {

using namespace audio_timing;

constexpr int kWarmUpSeconds = 3;
constexpr std::size_t kCoreBlockFrames = 512;

enum SignalKind { kNoise, kMusic };
enum Precision { kSingle, kDouble };

const Stereo<float>& signalOf(SignalKind kind)
{
    static const Stereo<float> noiseSecond = noise(kTimingFrames);
    static const Stereo<float> musicSecond = musicLike(kTimingFrames);
    return kind == kMusic ? musicSecond : noiseSecond;
}

const Stereo<double>& wideNoise()
{
    static const Stereo<double> second = widened(signalOf(kNoise));
    return second;
}

void reportSeconds(benchmark::State& state)
{
    const double frames = static_cast<double>(state.iterations()) * kTimingFrames;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["s/frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x realtime@48k"] = benchmark::Counter(frames / kTimingRate, benchmark::Counter::kIsRate);
}

// One second through the sections, block by block as the shell runs them.
void coreSecond(TZarkune& runtime, const Stereo<float>& input, Stereo<float>& output)
{
    for (std::size_t start = 0; start < input.frames(); start += kCoreBlockFrames) {
        const std::size_t end = std::min(start + kCoreBlockFrames, input.frames());
        float* inputs[2]
            = {const_cast<float*>(input.left.data()) + start, const_cast<float*>(input.right.data()) + start};
        float* outputs[2] = {output.left.data() + start, output.right.data() + start};
        runtime.doBlock();
        runtime.processFrames(inputs, outputs, static_cast<int32_t>(end - start), 2);
    }
}

void core(benchmark::State& state, SignalKind kind)
{
    const auto effect = std::make_unique<TZarkuneEffect>();
    effect->reset();
    effect->resume();
    // No host is attached; give the sections the rate one would report.
    effect->script.hostSampleRate = kTimingRate;
    effect->sliders[TZarkuneEffect::kAutoWidth] = kTimingAutoWidth;
    effect->sliders[TZarkuneEffect::kAutoSpeed] = static_cast<double>(state.range(0));
    effect->sliders[TZarkuneEffect::kAutoDepth] = kTimingAutoDepth;
    const Stereo<float>& input = signalOf(kind);
    Stereo<float> output = input;
    for (int second = 0; second < kWarmUpSeconds; ++second)
        coreSecond(*effect, input, output);
    for (auto _ : state) {
        coreSecond(*effect, input, output);
        benchmark::ClobberMemory();
    }
    reportSeconds(state);
}
BENCHMARK_CAPTURE(core, noise, kNoise)->ArgName("AutoSpeed")->DenseRange(0, 2);
BENCHMARK_CAPTURE(core, music, kMusic)->ArgName("AutoSpeed")->DenseRange(0, 2);

template <class Sample> void timePlugin(benchmark::State& state, const Stereo<Sample>& input)
{
    const std::size_t blockFrames = static_cast<std::size_t>(state.range(0));
    HostedPlugin plugin(VSTPluginMain, static_cast<VstInt32>(blockFrames));
    if (!plugin) {
        state.SkipWithError("the entry made no plug-in");
        return;
    }
    plugin.setParameters(kTimingAutoWidth, static_cast<double>(state.range(1)), kTimingAutoDepth);
    Stereo<Sample> output = input;
    for (int second = 0; second < kWarmUpSeconds; ++second)
        processInBlocks(plugin, input, output, blockFrames);
    for (auto _ : state) {
        processInBlocks(plugin, input, output, blockFrames);
        benchmark::ClobberMemory();
    }
    reportSeconds(state);
}

void plugin(benchmark::State& state, Precision precision)
{
    if (precision == kDouble)
        timePlugin(state, wideNoise());
    else
        timePlugin(state, signalOf(kNoise));
}
BENCHMARK_CAPTURE(plugin, single, kSingle)->ArgNames({"block", "AutoSpeed"})->ArgsProduct({{512, 64}, {0, 1, 2}});
BENCHMARK_CAPTURE(plugin, double, kDouble)->ArgNames({"block", "AutoSpeed"})->ArgsProduct({{512, 64}, {0, 1, 2}});

template <class Sample> void timeCopy(benchmark::State& state, const Stereo<Sample>& input)
{
    const std::size_t blockFrames = static_cast<std::size_t>(state.range(0));
    Stereo<Sample> output = input;
    for (auto _ : state) {
        copyInBlocks(input, output, blockFrames);
        benchmark::ClobberMemory();
    }
    reportSeconds(state);
}

void copy(benchmark::State& state, Precision precision)
{
    if (precision == kDouble)
        timeCopy(state, wideNoise());
    else
        timeCopy(state, signalOf(kNoise));
}
BENCHMARK_CAPTURE(copy, single, kSingle)->ArgName("block")->Arg(512)->Arg(64);
BENCHMARK_CAPTURE(copy, double, kDouble)->ArgName("block")->Arg(512)->Arg(64);

} // namespace

BENCHMARK_MAIN();
