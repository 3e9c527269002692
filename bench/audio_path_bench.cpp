// The per-frame audio path as the shell's 32-bit process callback drives it:
// the block section once per 512-frame stereo block, then per frame the
// inputs into the sample slots, the sample section, and the slots back out.
// A plain copy of the same buffers runs beside it as the baseline.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "effect.h"

namespace {

constexpr int kBlockFrames = 512;
constexpr double kRealTimeRate = 48000.0;

// Stereo noise at moderate level: the followers' decisions are as
// unpredictable as they get with real material.
struct StereoBlock {
    std::vector<float> inputL, inputR, outputL, outputR;

    StereoBlock() : inputL(kBlockFrames), inputR(kBlockFrames), outputL(kBlockFrames), outputR(kBlockFrames)
    {
        uint32_t seed = 12345;
        const auto noise = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
        };
        for (int i = 0; i < kBlockFrames; ++i) {
            inputL[i] = noise();
            inputR[i] = 0.5f * inputL[i] + noise();
        }
    }
};

void reportFrames(benchmark::State& state)
{
    const double frames = static_cast<double>(state.iterations()) * kBlockFrames;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["s/frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x realtime@48k"] = benchmark::Counter(frames / kRealTimeRate, benchmark::Counter::kIsRate);
}

// One processing call as the shell's 32-bit callback makes it.
void processBlock(TZarkune& runtime, StereoBlock& block)
{
    runtime.doBlock();
    const float* inL = block.inputL.data();
    const float* inR = block.inputR.data();
    float* outL = block.outputL.data();
    float* outR = block.outputR.data();
    for (int i = 0; i < kBlockFrames; ++i) {
        runtime.samples[0] = inL[i];
        runtime.samples[1] = inR[i];
        runtime.doSample();
        outL[i] = static_cast<float>(runtime.samples[0]);
        outR[i] = static_cast<float>(runtime.samples[1]);
    }
}

void audioPath(benchmark::State& state)
{
    TZarkuneEffect effect;
    effect.reset();
    effect.resume();
    // No host is attached; give the sections the rate one would report.
    effect.script.hostSampleRate = kRealTimeRate;
    effect.sliders[TZarkuneEffect::kAutoWidth] = 1;
    effect.sliders[TZarkuneEffect::kAutoSpeed] = static_cast<double>(state.range(0));
    effect.sliders[TZarkuneEffect::kAutoDepth] = 2;
    TZarkune& runtime = effect;
    StereoBlock block;

    // Ten seconds of audio first: the followers settle around their targets,
    // where their decisions are least predictable.
    for (int warmUp = 0; warmUp < 10 * kRealTimeRate / kBlockFrames; ++warmUp)
        processBlock(runtime, block);
    for (auto _ : state) {
        processBlock(runtime, block);
        benchmark::ClobberMemory();
    }
    reportFrames(state);
}
BENCHMARK(audioPath)->ArgName("AutoSpeed")->Arg(0)->Arg(2);

void copyBaseline(benchmark::State& state)
{
    StereoBlock block;
    for (auto _ : state) {
        const float* inL = block.inputL.data();
        const float* inR = block.inputR.data();
        float* outL = block.outputL.data();
        float* outR = block.outputR.data();
        for (int i = 0; i < kBlockFrames; ++i) {
            outL[i] = inL[i];
            outR[i] = inR[i];
        }
        benchmark::ClobberMemory();
    }
    reportFrames(state);
}
BENCHMARK(copyBaseline);

} // namespace

BENCHMARK_MAIN();
