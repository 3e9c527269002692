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
#include <algorithm>
#include <cmath>
#include <cstring>

#include "effect.h"
#include "script_values.h"
#include "services.h"
#include "value_guards.h"

namespace {

// Moves a level follower one frame toward its target: down by `fall` when
// above it, then up by `rise` when below it, then into [floor, cap].
inline double followerStep(double value, double target, double rise, double fall, double floor, double cap)
{
    if (target < value)
        value -= fall;
    if (value < target)
        value += rise;
    value = std::max(value, floor);
    return std::min(value, cap);
}

// fmin and fmax treat a NaN specially and so become library calls; none of
// the operands below can be a NaN, and there std::min and std::max give the
// same results.
inline double clampToLimit(double value, double limit)
{
    return std::min(std::max(value, -limit), limit);
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

} // namespace

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
    EffectScriptVariables& v = script;
    v.sampleRate = v.hostSampleRate;
    v.sampleL = finiteOrZero(samples[0] + v.denormalOffset);
    v.sampleR = finiteOrZero(samples[1] + v.denormalOffset);

    // The rates are chosen before they are needed so that the steps are looked
    // up once; nothing before their use reads them.
    const double autoSpeed = sliders[kAutoSpeed];
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
    const FollowerSteps& steps = followerSteps();
    v.stepScale = steps.stepScale;

    v.inputLevel
        = followerStep(v.inputLevel, std::fabs(v.sampleR) + std::fabs(v.sampleL), steps.tenth, steps.tenth, 0.0, 1.0);
    sliders[40] = v.inputLevel;

    // The reductions of the previous frame.
    v.midFactor = 1 - v.midReduction;
    sliders[32] = v.midFactor;
    v.sideFactor = 1 - v.sideReduction;
    sliders[35] = v.sideFactor;

    // An AutoDepth that matches no row keeps the previous gain.
    const double autoWidth = sliders[kAutoWidth];
    const double autoDepth = sliders[kAutoDepth];
    const bool widthOff = isValue(autoWidth, 0);
    if (isValue(autoDepth, 0))
        v.sideGain = 0.5;
    else if (isValue(autoDepth, 1))
        v.sideGain = widthOff ? 1.0 : 0.25;
    else if (isValue(autoDepth, 2))
        v.sideGain = widthOff ? 0.25 : 1.0;

    const double mid = finiteOrZero((v.sampleL + v.sampleR) * 0.5);
    const double side = finiteOrZero(v.sideGain * (v.sampleL - v.sampleR));
    const double a = std::min(1.0, v.midFactor);
    const double b = std::min(1.0, v.sideFactor);
    v.sampleL = finiteOrZero(mid * a + side * b);
    v.sampleR = finiteOrZero(mid * a - side * b);

    const double outputSum = std::fabs(v.sampleR) + std::fabs(v.sampleL);
    v.outputLevel = followerStep(v.outputLevel, outputSum, steps.tenth, steps.tenth, 0.0, 1.0);
    sliders[41] = v.outputLevel;
    v.autoGain = finiteOrZero(v.inputLevel / v.outputLevel);
    sliders[42] = v.autoGain;
    v.peakLevel = followerStep(v.peakLevel, outputSum, steps.tenth, steps.hundredth, 0.01, 1.0);

    v.historyCounter += 1;
    if (v.historyCounter > v.sampleRate)
        v.historyCounter = 0;
    const int32_t historyIndex = historyIndexOf(v.historyCounter, v.sampleRate);
    v.historyIndex = historyIndex;
    v.scopeZoom = (10 / v.peakLevel) * 10;
    // Only the point the index falls on changes.
    if (historyIndex >= 0 && historyIndex < EffectScriptVariables::kHistoryPoints) {
        HistoryPoint& point = v.history[static_cast<size_t>(historyIndex)];
        point.historyX = finiteOrZero(v.sampleL * v.scopeZoom);
        point.historyY = finiteOrZero(v.sampleR * v.scopeZoom);
    }

    v.midLevel = followerStep(v.midLevel, std::fabs(v.sampleL + v.sampleR), steps.level, steps.level, 0.0, 2.0);
    v.midMeter = v.midLevel * 4;
    sliders[30] = v.midMeter;
    v.midMeterZoomed = v.midMeter * v.scopeZoom;
    v.sideLevel = followerStep(v.sideLevel, std::fabs(v.sampleL - v.sampleR), steps.level, steps.level, 0.0, 2.0);
    v.sideMeter = v.sideLevel * 4;
    sliders[33] = v.sideMeter;
    v.sideMeterZoomed = v.sideMeter * v.scopeZoom;
    v.midReduction = followerStep(v.midReduction, v.midMeter, steps.reduction, steps.reduction, 0.0, 1.0);
    sliders[31] = v.midReduction;
    v.sideReduction = followerStep(v.sideReduction, v.sideMeter, steps.reduction, steps.reduction, 0.0, 1.0);
    sliders[34] = v.sideReduction;

    v.outputLimit = 1;
    // The clip flag covers one counted second: it clears throughout its first
    // twentieth.
    if (historyIndex == 0)
        v.clipFlag = 0;

    // While AutoWidth is off the frame passes untouched; meters and scope
    // still follow the recombined pair.
    if (isValue(autoWidth, 1)) {
        const double left = v.sampleL * v.autoGain;
        const double right = v.sampleR * v.autoGain;
        samples[0] = clampToLimit(left, v.outputLimit);
        samples[1] = clampToLimit(right, v.outputLimit);
        if (std::max(std::fabs(left), std::fabs(right)) > 1)
            v.clipFlag = 1;
    }
}
