#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "effect_test_support.h"
#include "reference_audio.h"

namespace {

using AudioSections = OpenedEffect;

using namespace reference_audio;

TEST_F(AudioSections, RecombinedOutputMatchesTheReference)
{
    for (const ReferenceRun& run : kReferenceRuns) {
        SCOPED_TRACE("AutoSpeed " + std::to_string(run.autoSpeed) + ", AutoDepth " + std::to_string(run.autoDepth));
        open();
        setParameters(1, run.autoSpeed, run.autoDepth);
        effect.doBlock();
        size_t next = 0;
        for (int n = 0; n <= run.checkpoints.back().frame; ++n) {
            frame(referenceLeft(n), referenceRight(n));
            if (n != run.checkpoints[next].frame)
                continue;
            EXPECT_EQ(effect.samples[0], run.checkpoints[next].left) << "frame " << n;
            EXPECT_EQ(effect.samples[1], run.checkpoints[next].right) << "frame " << n;
            ++next;
        }
        for (size_t i = 0; i < 9; ++i)
            EXPECT_EQ(effect.sliders[kMeterSlots[i]], run.meters[i]) << "slot " << kMeterSlots[i];
        EXPECT_EQ(effect.script.clipFlag, run.clipFlag);
    }
}

TEST_F(AudioSections, WithAutoWidthOffTheFramePassesBitForBitWhileTheMetersMove)
{
    const double inputs[][2] = {{0.5, -0.25},
                                {-0.0, 0.0},
                                {1e-310, -1e-310},
                                {3.0, -7.5},
                                {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()},
                                {0.1, 0.3}};
    for (const double depth : {0.0, 1.0, 2.0}) {
        open();
        setParameters(0, 0, depth);
        for (int repeat = 0; repeat < 200; ++repeat)
            for (const auto& input : inputs) {
                frame(input[0], input[1]);
                ASSERT_EQ(bitsOf(effect.samples[0]), bitsOf(input[0])) << "depth " << depth;
                ASSERT_EQ(bitsOf(effect.samples[1]), bitsOf(input[1])) << "depth " << depth;
            }
        for (const size_t slot : kMeterSlots) {
            EXPECT_NE(effect.sliders[slot], 0.0) << "slot " << slot;
            EXPECT_TRUE(std::isfinite(effect.sliders[slot])) << "slot " << slot;
        }
    }
}

TEST_F(AudioSections, NonFiniteInputNeverReachesStateOrOutput)
{
    open();
    setParameters(1, 2, 2);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double inputs[][2] = {{nan, 0.5}, {inf, -inf}, {1e308, 1e308}, {-1e308, 1e308}, {0.25, nan}};
    for (int repeat = 0; repeat < 100; ++repeat)
        for (const auto& input : inputs) {
            frame(input[0], input[1]);
            ASSERT_TRUE(std::isfinite(effect.samples[0]) && std::isfinite(effect.samples[1]));
        }
    for (const size_t slot : kMeterSlots)
        EXPECT_TRUE(std::isfinite(effect.sliders[slot])) << "slot " << slot;
    for (const HistoryPoint& point : effect.script.history)
        EXPECT_TRUE(std::isfinite(point.historyX) && std::isfinite(point.historyY));
}

// Side gain by AutoWidth and AutoDepth; a parameter is k within 0.00001.
struct SideGainCase {
    double autoWidth, autoDepth, sideGain;
};

TEST_F(AudioSections, AutoWidthWrittenFromAnotherThreadTakesEffectWithinABlock)
{
    // A host may set a parameter from another thread while a block runs, and
    // the display's buttons write the sliders directly: every frame reads
    // them anew. Here AutoWidth flips between off and on all through one long
    // block, so the block must hold frames passed through untouched and
    // frames recombined. The writer is given a few blocks to be scheduled.
    open();
    setParameters(0, 0, 2);
    constexpr std::size_t kFrames = 1 << 19;
    std::vector<double> inLeft(kFrames), inRight(kFrames), outLeft(kFrames), outRight(kFrames);
    for (std::size_t i = 0; i < kFrames; ++i) {
        inLeft[i] = referenceLeft(static_cast<int>(i));
        inRight[i] = referenceRight(static_cast<int>(i));
    }
    double* inputs[2] = {inLeft.data(), inRight.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};

    std::size_t passed = 0;
    for (int attempt = 0; attempt < 5 && (passed == 0 || passed == kFrames); ++attempt) {
        std::atomic<bool> running{true}, writing{false};
        std::thread writer([&] {
            volatile double& autoWidth = effect.sliders[TZarkuneEffect::kAutoWidth];
            for (int n = 0; running.load(); ++n) {
                autoWidth = n % 2;
                writing.store(true);
            }
        });
        while (!writing.load())
            std::this_thread::yield();
        effect.processFrames(inputs, outputs, static_cast<int32_t>(kFrames), 2);
        running.store(false);
        writer.join();
        passed = 0;
        for (std::size_t i = 0; i < kFrames; ++i)
            if (bitsOf(outLeft[i]) == bitsOf(inLeft[i]) && bitsOf(outRight[i]) == bitsOf(inRight[i]))
                ++passed;
    }
    EXPECT_GT(passed, 0u);
    EXPECT_LT(passed, kFrames);
}

TEST_F(AudioSections, SideGainFollowsItsTable)
{
    const SideGainCase cases[] = {
        {0, 0, 0.5},         {1, 0, 0.5},         {0, 1, 1},           {1, 1, 0.25},     {0, 2, 0.25},
        {1, 2, 1},           {0.5, 1, 0.25},      {0.5, 2, 1},         {0.000009, 1, 1}, {0.00001, 1, 0.25},
        {1, 1.000009, 0.25}, {0, 1.999991, 0.25}, {1, -0.000009, 0.5},
    };
    open();
    for (const SideGainCase& c : cases) {
        effect.script.sideGain = 7;
        setParameters(c.autoWidth, 0, c.autoDepth);
        frame(0.1, 0.2);
        EXPECT_EQ(effect.script.sideGain, c.sideGain) << "AutoWidth " << c.autoWidth << ", AutoDepth " << c.autoDepth;
    }
}

TEST_F(AudioSections, FollowerRatesFollowTheirTable)
{
    const double cases[][3] = {{0, 0.1, 0.05}, {1, 0.01, 0.05}, {2, 1, 1}, {1.999991, 1, 1}, {-0.000009, 0.1, 0.05}};
    open();
    for (const auto& c : cases) {
        setParameters(1, c[0], 0);
        frame(0.1, 0.2);
        EXPECT_EQ(effect.script.levelRate, c[1]) << "AutoSpeed " << c[0];
        EXPECT_EQ(effect.script.reductionRate, c[2]) << "AutoSpeed " << c[0];
    }
}

TEST_F(AudioSections, AParameterBetweenRowsKeepsThePreviousChoice)
{
    open();
    setParameters(1, 1, 1);
    frame(0.1, 0.2);
    ASSERT_EQ(effect.script.sideGain, 0.25);
    ASSERT_EQ(effect.script.levelRate, 0.01);

    for (const double between : {1.5, 0.00001, 2.5, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        setParameters(1, between, between);
        frame(0.1, 0.2);
        EXPECT_EQ(effect.script.sideGain, 0.25) << between;
        EXPECT_EQ(effect.script.levelRate, 0.01) << between;
        EXPECT_EQ(effect.script.reductionRate, 0.05) << between;
    }
}

TEST_F(AudioSections, FirstFrameGivesEqualLevelsAndUnitGain)
{
    open();
    setParameters(1, 0, 2);
    frame(0.5, -0.5);
    // 48000 x 0.001 x 0.001 x 0.001 x 0.1 / 1 in that order, worked out apart.
    const double riseStep = 4.800000000000001e-06;
    EXPECT_EQ(effect.script.inputLevel, riseStep);
    EXPECT_EQ(effect.script.outputLevel, riseStep);
    EXPECT_EQ(effect.script.autoGain, 1.0);
    EXPECT_EQ(effect.script.peakLevel, 0.01) << "raised to its floor";
    EXPECT_EQ(effect.script.scopeZoom, 10000.0);
    EXPECT_EQ(effect.script.stepScale, 1.0);
}

TEST_F(AudioSections, HistoryIndexAdvancesEveryTwentiethOfASecondAt48000Hz)
{
    // Frame numbers count from 1 after the reset; the counter wraps to 0 on the
    // frame after it reached the sample rate.
    const std::pair<int, double> expected[] = {{1, 0},      {2399, 0},   {2400, 1},  {4799, 1},  {4800, 2},
                                               {47999, 19}, {48000, 20}, {48001, 0}, {50400, 0}, {50401, 1}};
    open();
    int done = 0;
    for (const auto& [frameNumber, index] : expected) {
        frames(frameNumber - done, 0.25, 0.5);
        done = frameNumber;
        EXPECT_EQ(effect.script.historyIndex, index) << "frame " << frameNumber;
    }
}

TEST_F(AudioSections, EachFrameChangesOnlyTheHistoryPointOfItsIndex)
{
    open();
    setParameters(1, 0, 1);
    frames(2399, 0.3, -0.2);
    for (int frameNumber = 2400; frameNumber <= 2402; ++frameNumber) {
        const auto before = effect.script.history;
        frame(0.01 * frameNumber - 24, 0.5);
        ASSERT_EQ(effect.script.historyIndex, 1.0);
        for (size_t k = 0; k < before.size(); ++k) {
            if (k == 1)
                continue;
            EXPECT_EQ(effect.script.history[k].historyX, before[k].historyX) << k;
            EXPECT_EQ(effect.script.history[k].historyY, before[k].historyY) << k;
        }
        EXPECT_EQ(effect.script.history[1].historyX, effect.script.sampleL * effect.script.scopeZoom);
        EXPECT_EQ(effect.script.history[1].historyY, effect.script.sampleR * effect.script.scopeZoom);
    }
}

TEST_F(AudioSections, ClipFlagHoldsUntilTheNextCountedSecondBegins)
{
    open();
    setParameters(1, 0, 2); // wide: the side is doubled
    frames(2399, 0, 0);
    ASSERT_EQ(effect.script.clipFlag, 0.0);

    // Opposite full-scale inputs: mid 0, side 2, far beyond the limit.
    frame(1, -1);
    ASSERT_EQ(effect.script.historyIndex, 1.0);
    EXPECT_EQ(effect.samples[0], 1.0);
    EXPECT_EQ(effect.samples[1], -1.0);
    EXPECT_EQ(effect.script.clipFlag, 1.0);

    frames(48000 - 2400, 0, 0);
    ASSERT_EQ(effect.script.historyIndex, 20.0);
    EXPECT_EQ(effect.script.clipFlag, 1.0);
    frame(0, 0);
    ASSERT_EQ(effect.script.historyIndex, 0.0);
    EXPECT_EQ(effect.script.clipFlag, 0.0);

    // Within the first twentieth the flag lasts one frame.
    frame(1, -1);
    EXPECT_EQ(effect.script.clipFlag, 1.0);
    frame(0, 0);
    EXPECT_EQ(effect.script.clipFlag, 0.0);
}

TEST_F(AudioSections, ASampleRateOfZeroHoldsTheFollowersAndGivesNoHistoryIndex)
{
    open(0.0f);
    setParameters(1, 0, 0);
    effect.script.clipFlag = 1;
    frames(100, 0.5, -0.25);

    const EffectScriptVariables& v = effect.script;
    EXPECT_EQ(v.sampleRate, 0.0);
    EXPECT_EQ(v.stepScale, 0.1);
    EXPECT_EQ(v.inputLevel, 0.0);
    EXPECT_EQ(v.outputLevel, 0.0);
    EXPECT_EQ(v.midLevel, 0.0);
    EXPECT_EQ(v.autoGain, 0.0) << "0 / 0";
    EXPECT_EQ(v.peakLevel, 0.01);
    EXPECT_EQ(v.historyCounter, 0.0);
    EXPECT_EQ(v.historyIndex, -1.0);
    for (const HistoryPoint& point : v.history)
        EXPECT_EQ(point.historyX, 0.0);
    EXPECT_EQ(v.clipFlag, 1.0) << "no frame of the first twentieth";
    EXPECT_EQ(effect.samples[0], 0.0);
    EXPECT_EQ(effect.samples[1], 0.0);
}

TEST_F(AudioSections, BlockSectionAsksTheHostForItsTransportInOrder)
{
    open(44100.0f);
    services.answers.tempo = 132;
    services.answers.timeSigNumerator = 7;
    services.answers.timeSigDenominator = 8;
    services.answers.transportFlags = 2 | 8;
    services.answers.ppqPos = 17.25;
    effect.script.sampleRate = 0;

    effect.doBlock();
    frames(3, 0.1, 0.2);

    EXPECT_EQ(
        services.callNames(),
        (std::vector<std::string>{"vestGetTempoAndTimeSig", "vestIsPlaying", "vestIsRecording", "vestGetPpqPos"}));
    for (const auto& call : services.calls())
        EXPECT_EQ(call.plugin, effect.vest) << call;
    const EffectScriptVariables& v = effect.script;
    EXPECT_EQ(v.hostTempo, 132.0);
    EXPECT_EQ(v.hostTimeSigNumerator, 7.0);
    EXPECT_EQ(v.hostTimeSigDenominator, 8.0);
    EXPECT_EQ(v.hostPlayState, 5.0);
    EXPECT_EQ(v.hostPpqPos, 17.25);
    EXPECT_EQ(v.sampleRate, 44100.0);
}

TEST_F(AudioSections, WithoutTimeInfoTheBlockSectionReadsZeros)
{
    open();
    services.answers.hasTimeInfo = false;
    effect.doBlock();
    EXPECT_EQ(services.calls().size(), 4u);
    EXPECT_EQ(effect.script.hostTempo, 0.0);
    EXPECT_EQ(effect.script.hostPlayState, 0.0);
    EXPECT_EQ(effect.script.hostPpqPos, 0.0);
}

} // namespace
