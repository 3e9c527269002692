// Long runs of the sample section over noise that does not repeat, held to
// checksums of every output bit and of the section's state. The checksums
// were recorded from the section as it stood at commit 86edd18, before the
// audio path was reworked for speed (see long_run_reference.h).
#include <string>

#include "effect_test_support.h"
#include "long_run_reference.h"

namespace {

using namespace long_run;

struct RunChecksums {
    uint64_t doubles, floats, state;
};

// Besides the host's runs: parameters that change within blocks, also to
// values between the rows and within the tolerance of a row, at 96000 Hz.
Scenario withinBlockScenario()
{
    const Parameters values[] = {
        {1, 0, 2}, {1, 1.5, 0.5}, {0, 2, 1}, {1, 1.000005, 1.999995}, {0.5, 1, 0}, {1, 2, 2}, {0, 0.25, 2}, {1, 1, 1},
    };
    Scenario scenario{"96000 Hz, changes within blocks", 96000.0f, 1000, 500000, {}};
    for (int k = 0; 3001 * k < scenario.frames; ++k)
        scenario.changes.push_back({3001 * k, values[k % 8]});
    return scenario;
}

// Everything the sample section keeps and the display or the chunk reads.
void addState(Checksum& sum, const TZarkuneEffect& effect)
{
    const EffectScriptVariables& v = effect.script;
    for (const double value :
         {v.sampleRate,   v.sampleL,        v.sampleR,        v.stepScale, v.inputLevel,  v.midFactor,
          v.midReduction, v.sideFactor,     v.sideReduction,  v.sideGain,  v.outputLevel, v.autoGain,
          v.peakLevel,    v.historyCounter, v.historyIndex,   v.scopeZoom, v.levelRate,   v.reductionRate,
          v.midLevel,     v.midMeter,       v.midMeterZoomed, v.sideLevel, v.sideMeter,   v.sideMeterZoomed,
          v.outputLimit,  v.clipFlag})
        sum.add(value);
    for (const HistoryPoint& point : v.history) {
        sum.add(point.historyX);
        sum.add(point.historyY);
    }
    for (const int slot : {30, 31, 32, 33, 34, 35, 40, 41, 42})
        sum.add(effect.sliders[static_cast<std::size_t>(slot)]);
}

class LongRun : public OpenedEffect {
protected:
    // The scenario as the shell runs it: the block section at every block's
    // start, then frame by frame.
    RunChecksums run(const Scenario& scenario)
    {
        open(scenario.sampleRate);
        Checksum doubles, floats, state;
        Signal signal;
        std::size_t nextChange = 0;
        for (int frameIndex = 0; frameIndex < scenario.frames; ++frameIndex) {
            if (nextChange < scenario.changes.size() && scenario.changes[nextChange].frame == frameIndex) {
                const Parameters& p = scenario.changes[nextChange++].parameters;
                setParameters(p.autoWidth, p.autoSpeed, p.autoDepth);
            }
            if (frameIndex % scenario.blockFrames == 0) {
                effect.doBlock();
                services.clear();
            }
            float left, right;
            signal.next(left, right);
            frame(left, right);
            for (const double output : {effect.samples[0], effect.samples[1]}) {
                doubles.add(output);
                floats.add(static_cast<float>(output));
            }
            if ((frameIndex + 1) % scenario.blockFrames == 0)
                addState(state, effect);
        }
        addState(state, effect);
        return {doubles.value(), floats.value(), state.value()};
    }
};

TEST_F(LongRun, HostRunsGiveTheRecordedOutputAndState)
{
    const uint64_t stateChecksums[] = {9543660606860687317u, 753366938052525043u};
    for (std::size_t i = 0; i < hostScenarios().size(); ++i) {
        const Scenario& scenario = hostScenarios()[i];
        SCOPED_TRACE(scenario.name);
        const RunChecksums sums = run(scenario);
        EXPECT_EQ(sums.doubles, kHostScenarioChecksums[i].doubles);
        EXPECT_EQ(sums.floats, kHostScenarioChecksums[i].floats);
        EXPECT_EQ(sums.state, stateChecksums[i]);
    }
}

TEST_F(LongRun, ChangesWithinBlocksGiveTheRecordedOutputAndState)
{
    const RunChecksums sums = run(withinBlockScenario());
    EXPECT_EQ(sums.doubles, 13404623602914256228u);
    EXPECT_EQ(sums.state, 15814232541677102286u);
}

} // namespace
