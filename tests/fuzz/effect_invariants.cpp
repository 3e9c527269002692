#include "effect_invariants.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <type_traits>

#include "fuzz_check.h"

namespace {

// Indices a host may ask about: before, at and past the three parameters.
constexpr VstInt32 kProbedIndices[] = {-1, 0, 1, 2, 3, 127, 128};

// The slider slots the sample section keeps its meters in.
constexpr int kMeterSlots[] = {30, 31, 32, 33, 34, 35, 40, 41, 42};

// The scope zoom of a frame: 100 / peak level, the peak within 0.01..1;
// 0 before the first frame.
constexpr double kLargestZoom = 10000.0 * (1.0 + 1e-12);

bool within(double value, double low, double high)
{
    return value >= low && value <= high;
}

template <class Sample> auto bitsOf(Sample value)
{
    std::conditional_t<sizeof(Sample) == 4, uint32_t, uint64_t> bits;
    static_assert(sizeof(bits) == sizeof(Sample));
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

// A parameter "is" k when within 0.00001 of it, as the effect decides.
bool isParameterValue(double value, double k)
{
    return std::fabs(value - k) < 0.00001;
}

} // namespace

void checkEffectState(const TZarkuneEffect& effect)
{
    const EffectScriptVariables& v = effect.script;
    for (double level : {v.inputLevel, v.outputLevel, v.peakLevel, v.midReduction, v.sideReduction})
        FUZZ_CHECK(within(level, 0.0, 1.0));
    for (double level : {v.midLevel, v.sideLevel})
        FUZZ_CHECK(within(level, 0.0, 2.0));
    for (double meter : {v.midMeter, v.sideMeter})
        FUZZ_CHECK(within(meter, 0.0, 8.0));
    for (double factor : {v.midFactor, v.sideFactor})
        FUZZ_CHECK(within(factor, 0.0, 1.0));
    FUZZ_CHECK(v.scopeZoom == 0.0 || within(v.scopeZoom, 100.0, kLargestZoom));
    FUZZ_CHECK(v.clipFlag == 0.0 || v.clipFlag == 1.0);
    for (double value : {v.autoGain, v.midMeterZoomed, v.sideMeterZoomed, v.sampleL, v.sampleR, v.sideGain,
                         v.historyCounter, v.historyIndex, v.sampleRate, v.stepScale})
        FUZZ_CHECK(std::isfinite(value));
    for (const HistoryPoint& point : v.history)
        FUZZ_CHECK(std::isfinite(point.historyX) && std::isfinite(point.historyY));
    for (int slot : kMeterSlots)
        FUZZ_CHECK(std::isfinite(effect.sliders[static_cast<std::size_t>(slot)]));
}

void checkParameterReads(FuzzPlugin& plugin)
{
    for (VstInt32 index : kProbedIndices) {
        const float value = plugin.getParameter(index);
        FUZZ_CHECK(within(value, 0.0, 1.0));
        plugin.parameterText(effGetParamDisplay, index);
        plugin.parameterText(effGetParamName, index);
        plugin.parameterText(effGetParamLabel, index);
    }
}

template <class Sample>
void checkBlockOutput(const StereoBlock<Sample>& block, std::size_t frames, const TZarkuneEffect& effect)
{
    const bool autoWidthOn = isParameterValue(effect.sliders[TZarkuneEffect::kAutoWidth], 1.0);
    for (int channel = 0; channel < 2; ++channel) {
        for (std::size_t frame = 0; frame < frames; ++frame) {
            const Sample out = block.received(channel)[frame];
            FUZZ_CHECK(std::isfinite(out));
            if (autoWidthOn)
                FUZZ_CHECK(within(out, -1.0, 1.0));
            else
                FUZZ_CHECK(bitsOf(out) == bitsOf(block.sent(channel)[frame]));
        }
    }
}

template void checkBlockOutput(const StereoBlock<float>&, std::size_t, const TZarkuneEffect&);
template void checkBlockOutput(const StereoBlock<double>&, std::size_t, const TZarkuneEffect&);
