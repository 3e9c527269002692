// The block and sample sections: the audio path. Every frame runs the same
// fixed arithmetic in a fixed order; nothing here allocates, locks or asks
// the host per frame.
//
// No variable ever holds a NaN or an infinity. finiteOrZero guards the values
// that can leave the finite range: sums and products of the input, the gain
// quotient and the scaled scope points. The followers, the factors, the
// meters and the zoom are bounded by construction (clamped, or products of
// clamped values, with finite steps); the guard would give them back
// unchanged, so they go without it.
//
// Speed. A block runs through the sample section in one loop, with the state
// that one frame hands to the next held in locals, so that it stays in
// registers instead of going through the object every frame. The followers'
// decisions depend on the signal, and as branches real material would have
// them mispredicted about every other frame; they are blends instead. Values
// that get the same treatment are worked on in pairs: the mid and side parts,
// the input and output levels. What only the display reads (the scope
// history and zoom) is worked out once per history point, not per frame.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "effect.h"
#include "script_values.h"
#include "services.h"
#include "value_guards.h"

namespace {

// Two doubles worked on together, each lane exactly as it would be alone. A
// comparison gives a mask per lane, and a conditional expression on masks
// is a blend: decisions on pairs compile without branches.
typedef double Pair __attribute__((vector_size(16)));
typedef int64_t PairBits __attribute__((vector_size(16)));

inline Pair both(double value)
{
    return Pair{value, value};
}

// std::fabs, lane by lane: the sign bits cleared.
inline Pair magnitude(Pair value)
{
    return reinterpret_cast<Pair>(reinterpret_cast<PairBits>(value) & ~reinterpret_cast<PairBits>(both(-0.0)));
}

// std::max(value, floor) and std::min(value, cap), lane by lane, with the
// same results (also for zeros of either sign); one instruction each with
// SSE2, where compilers would otherwise make a compare and a blend.
inline Pair atLeast(Pair value, Pair floor)
{
#if defined(__SSE2__)
    return _mm_max_pd(floor, value);
#else
    return value < floor ? floor : value;
#endif
}

inline Pair atMost(Pair value, Pair cap)
{
#if defined(__SSE2__)
    return _mm_min_pd(cap, value);
#else
    return cap < value ? cap : value;
#endif
}

// finiteOrZero, lane by lane.
inline Pair finiteOrZero(Pair value)
{
    return magnitude(value) <= both(std::numeric_limits<double>::max()) ? value : both(0.0);
}

// Moves level followers one frame toward their targets: down by `fall` when
// above it, then up by `rise` when below it, then into [floor, cap].
inline Pair followerStep(Pair value, Pair target, Pair rise, Pair fall, Pair floor, Pair cap)
{
    const Pair lowered = target < value ? value - fall : value;
    const Pair raised = lowered < target ? lowered + rise : lowered;
    return atMost(atLeast(raised, floor), cap);
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The history point a counter value falls on, or -1 (matching no point)
// when the sample rate gives no valid quotient (a rate of 0 gives 0 / 0).
int32_t historyIndexOf(double counter, double sampleRate)
{
    const double quotient = counter / (sampleRate * 0.05);
    if (!(quotient > -2147483649.0 && quotient < 2147483648.0))
        return -1;
    return static_cast<int32_t>(quotient);
}

// The three parameters as a frame reads them.
struct Controls {
    double autoWidth, autoSpeed, autoDepth;

    bool operator==(const Controls& other) const
    {
        return sameBits(autoWidth, other.autoWidth) && sameBits(autoSpeed, other.autoSpeed)
            && sameBits(autoDepth, other.autoDepth);
    }
};

// What the frames of a block hand on to each other, and the last frame's
// values that are kept for the display and the chunk. Pairs hold the input
// and output levels, the mid and side parts, or the peak level twice.
struct FrameState {
    Pair inputAndOutput, peak;
    Pair levels, reductions;
    double historyCounter, clipFlag;

    Pair recombined{}, factors{}, meters{};
    double autoGain = 0.0, scopeZoom = 0.0, historyIndex = 0.0;

    explicit FrameState(const EffectScriptVariables& v)
        : inputAndOutput{v.inputLevel, v.outputLevel},
          peak(both(v.peakLevel)), levels{v.midLevel, v.sideLevel}, reductions{v.midReduction, v.sideReduction},
          historyCounter(v.historyCounter), clipFlag(v.clipFlag)
    {
    }

    void storeTo(EffectScriptVariables& v) const
    {
        v.sampleL = recombined[0];
        v.sampleR = recombined[1];
        v.inputLevel = inputAndOutput[0];
        v.midFactor = factors[0];
        v.midReduction = reductions[0];
        v.sideFactor = factors[1];
        v.sideReduction = reductions[1];
        v.outputLevel = inputAndOutput[1];
        v.autoGain = autoGain;
        v.peakLevel = peak[0];
        v.historyCounter = historyCounter;
        v.historyIndex = historyIndex;
        v.scopeZoom = scopeZoom;
        v.midLevel = levels[0];
        v.midMeter = meters[0];
        v.midMeterZoomed = meters[0] * scopeZoom;
        v.sideLevel = levels[1];
        v.sideMeter = meters[1];
        v.sideMeterZoomed = meters[1] * scopeZoom;
        v.outputLimit = 1;
        v.clipFlag = clipFlag;
    }
};

double scopeZoomFor(double peakLevel)
{
    return (10 / peakLevel) * 10;
}

// A frame's history point: its recombined pair scaled by its scope zoom.
// Nothing for an index outside the history (-1: no frame, or no valid rate).
void writeHistoryPoint(std::array<HistoryPoint, EffectScriptVariables::kHistoryPoints>& history, int32_t index,
                       Pair recombined, double peakLevel)
{
    if (index < 0 || index >= EffectScriptVariables::kHistoryPoints)
        return;
    const Pair scaled = finiteOrZero(recombined * scopeZoomFor(peakLevel));
    history[static_cast<size_t>(index)] = {scaled[0], scaled[1]};
}

// {a + b, a - b} of the pair {a, b}.
inline Pair sumAndDifference(Pair p)
{
    return Pair{p[0] + p[1], p[0] - p[1]};
}

} // namespace

// Worked out again only when a parameter changes.
struct TZarkuneEffect::Choices {
    bool widthOn = false;
    Pair midSideScale{}; // 0.5 for the mid part, the side gain for the side
    Pair tenthSteps{}, peakFall{}, levelSteps{}, reductionSteps{};
    double stepScale = 0.0;
};

inline const TZarkuneEffect::FollowerSteps& TZarkuneEffect::followerSteps()
{
    FollowerSteps& s = steps_;
    if (s.workedOut && sameBits(s.sampleRate, script.sampleRate) && sameBits(s.levelRate, script.levelRate)
        && sameBits(s.reductionRate, script.reductionRate))
        return s;
    s.workedOut = true;
    s.sampleRate = script.sampleRate;
    s.levelRate = script.levelRate;
    s.reductionRate = script.reductionRate;
    // Above 4800 Hz the scale makes the step per frame independent of the rate.
    s.stepScale = finiteOrZero(std::fmax(0.1, s.sampleRate / 48000));
    const auto step = [&s](double c) { return s.sampleRate * 0.001 * 0.001 * 0.001 * c / s.stepScale; };
    s.tenth = step(0.1);
    s.hundredth = step(0.01);
    s.level = step(s.levelRate);
    s.reduction = step(s.reductionRate);
    return s;
}

void TZarkuneEffect::doBlock()
{
    EffectScriptVariables& v = script;
    double tempo = v.hostTempo, numerator = v.hostTimeSigNumerator, denominator = v.hostTimeSigDenominator;
    vestGetTempoAndTimeSig(vest, &tempo, &numerator, &denominator);
    v.hostTempo = finiteOrZero(tempo);
    v.hostTimeSigNumerator = finiteOrZero(numerator);
    v.hostTimeSigDenominator = finiteOrZero(denominator);
    const int32_t playing = vestIsPlaying(vest);
    const int32_t recording = vestIsRecording(vest);
    v.hostPlayState = playing + 4.0 * recording;
    v.hostPpqPos = finiteOrZero(vestGetPpqPos(vest));
    v.sampleRate = v.hostSampleRate;
}

void TZarkuneEffect::doSample()
{
    runStereo(&samples[0], &samples[1], &samples[0], &samples[1], 1);
}

void TZarkuneEffect::processFrames(float* const* inputs, float* const* outputs, int32_t frames, int32_t channels)
{
    if (channels != 2)
        TZarkune::processFrames(inputs, outputs, frames, channels);
    else if (frames > 0)
        runStereo(inputs[0], inputs[1], outputs[0], outputs[1], frames);
}

void TZarkuneEffect::processFrames(double* const* inputs, double* const* outputs, int32_t frames, int32_t channels)
{
    if (channels != 2)
        TZarkune::processFrames(inputs, outputs, frames, channels);
    else if (frames > 0)
        runStereo(inputs[0], inputs[1], outputs[0], outputs[1], frames);
}

TZarkuneEffect::Choices TZarkuneEffect::choicesFor(double autoWidth, double autoSpeed, double autoDepth)
{
    EffectScriptVariables& v = script;
    // Rates by AutoSpeed, tested in the order 0, 2, 1; gain by AutoDepth and
    // AutoWidth. A value that matches no row keeps the previous choice.
    if (isValue(autoSpeed, 0)) {
        v.levelRate = 0.1;
        v.reductionRate = 0.05;
    } else if (isValue(autoSpeed, 2)) {
        v.levelRate = 1;
        v.reductionRate = 1;
    } else if (isValue(autoSpeed, 1)) {
        v.levelRate = 0.01;
        v.reductionRate = 0.05;
    }
    const bool widthOff = isValue(autoWidth, 0);
    if (isValue(autoDepth, 0))
        v.sideGain = 0.5;
    else if (isValue(autoDepth, 1))
        v.sideGain = widthOff ? 1.0 : 0.25;
    else if (isValue(autoDepth, 2))
        v.sideGain = widthOff ? 0.25 : 1.0;

    const FollowerSteps& steps = followerSteps();
    Choices choices;
    choices.widthOn = isValue(autoWidth, 1);
    choices.midSideScale = Pair{0.5, v.sideGain};
    choices.tenthSteps = both(steps.tenth);
    choices.peakFall = both(steps.hundredth);
    choices.levelSteps = both(steps.level);
    choices.reductionSteps = both(steps.reduction);
    choices.stepScale = steps.stepScale;
    return choices;
}

template <class Sample>
void TZarkuneEffect::runStereo(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight,
                               int32_t frames)
{
    EffectScriptVariables& v = script;
    // The host sets the rate only while no block runs.
    const double sampleRate = v.hostSampleRate;
    const Pair denormalOffset = both(v.denormalOffset);
    v.sampleRate = sampleRate;
    FrameState s(v);

    // The parameters are read every frame: the host, from another thread, or
    // the display's buttons may change them between two frames.
    const auto currentSlider = [this](int n) { return *static_cast<const volatile double*>(&sliders[n]); };
    Controls chosenFor{};
    bool chosen = false;
    Choices choices;
    Pair output{};
    int32_t historyIndex = -1;

    // A frame's output waits for the next frame to begin: the long way from
    // the gain quotient to the clamped output of one frame then runs beside
    // the next frame's work instead of after it.
    struct Pending {
        Pair input, recombined, inputAndOutput;
        bool widthOn;
    } pending{};
    const auto finishFrame = [&](int32_t frame) {
        s.autoGain = finiteOrZero(pending.inputAndOutput[0] / pending.inputAndOutput[1]);
        // While AutoWidth is off the frame passes untouched; meters and scope
        // still follow the recombined pair.
        output = pending.input;
        if (pending.widthOn) {
            const Pair levelled = pending.recombined * s.autoGain;
            output = atMost(atLeast(levelled, both(-1.0)), both(1.0));
            // Either channel beyond full scale sets the flag.
            const Pair beyond = magnitude(levelled);
            s.clipFlag = atLeast(beyond, Pair{beyond[1], beyond[0]})[0] > 1 ? 1.0 : s.clipFlag;
        }
        outLeft[frame] = static_cast<Sample>(output[0]);
        outRight[frame] = static_cast<Sample>(output[1]);
    };

    for (int32_t i = 0; i < frames; ++i) {
        if (i > 0)
            finishFrame(i - 1);
        const Controls controls{currentSlider(kAutoWidth), currentSlider(kAutoSpeed), currentSlider(kAutoDepth)};
        if (!chosen || !(controls == chosenFor)) {
            choices = choicesFor(controls.autoWidth, controls.autoSpeed, controls.autoDepth);
            chosenFor = controls;
            chosen = true;
        }

        // A history slot keeps whichever frame came last while its index
        // was current: the slot is filled when the index changes, and once
        // more for the final frame when the block ends.
        s.historyCounter += 1;
        if (s.historyCounter > sampleRate)
            s.historyCounter = 0;
        const int32_t previousIndex = historyIndex;
        historyIndex = historyIndexOf(s.historyCounter, sampleRate);
        if (historyIndex != previousIndex)
            writeHistoryPoint(v.history, previousIndex, s.recombined, s.peak[0]);

        const Pair input{static_cast<double>(inLeft[i]), static_cast<double>(inRight[i])};
        const Pair sample = finiteOrZero(input + denormalOffset);

        // The factors come from the previous frame's reductions. Mid and
        // side are scaled, reduced and recombined into the pair.
        s.factors = 1 - s.reductions;
        const Pair midSide = finiteOrZero(sumAndDifference(sample) * choices.midSideScale);
        s.recombined = finiteOrZero(sumAndDifference(midSide * atMost(s.factors, both(1.0))));

        // The input and output levels follow |left| + |right| of the input
        // and of the recombined pair; the peak follows the latter.
        const Pair inputMagnitude = magnitude(sample);
        const Pair outputMagnitude = magnitude(s.recombined);
        const Pair sums = Pair{inputMagnitude[1], outputMagnitude[1]} + Pair{inputMagnitude[0], outputMagnitude[0]};
        s.inputAndOutput
            = followerStep(s.inputAndOutput, sums, choices.tenthSteps, choices.tenthSteps, both(0.0), both(1.0));
        s.peak = followerStep(s.peak, both(sums[1]), choices.tenthSteps, choices.peakFall, both(0.01), both(1.0));

        const Pair recombinedMidSide = magnitude(sumAndDifference(s.recombined));
        s.levels
            = followerStep(s.levels, recombinedMidSide, choices.levelSteps, choices.levelSteps, both(0.0), both(2.0));
        s.meters = s.levels * 4;
        s.reductions = followerStep(s.reductions, s.meters, choices.reductionSteps, choices.reductionSteps, both(0.0),
                                    both(1.0));

        // The clip flag covers one counted second: it clears throughout its
        // first twentieth.
        if (historyIndex == 0)
            s.clipFlag = 0;

        pending = {input, s.recombined, s.inputAndOutput, choices.widthOn};
    }
    finishFrame(frames - 1);

    // The last frame's values, for the display, the chunk and the next block.
    writeHistoryPoint(v.history, historyIndex, s.recombined, s.peak[0]);
    s.historyIndex = historyIndex;
    s.scopeZoom = scopeZoomFor(s.peak[0]);
    s.storeTo(v);
    v.stepScale = choices.stepScale;
    sliders[30] = s.meters[0];
    sliders[31] = s.reductions[0];
    sliders[32] = s.factors[0];
    sliders[33] = s.meters[1];
    sliders[34] = s.reductions[1];
    sliders[35] = s.factors[1];
    sliders[40] = s.inputAndOutput[0];
    sliders[41] = s.inputAndOutput[1];
    sliders[42] = s.autoGain;
    // The sample slots hold the last frame's output, as after doSample.
    samples[0] = output[0];
    samples[1] = output[1];
}
