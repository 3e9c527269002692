// Audio through both process paths, the host's time information and MIDI
// events, as a host delivers them.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include "long_run_reference.h"
#include "plugin_fixture.h"
#include "reference_audio.h"

namespace {

using namespace reference_audio;

// The effect's reference run with AutoWidth 1, AutoSpeed 0, AutoDepth 2.
const ReferenceRun& kRun = kReferenceRuns[2];
const std::vector<Checkpoint>& kCheckpoints = kRun.checkpoints;
const std::array<double, 9>& kMeters = kRun.meters;
constexpr int kReferenceFrames = 12000;

StereoSignal<double> referenceInput()
{
    StereoSignal<double> input{std::vector<double>(kReferenceFrames), std::vector<double>(kReferenceFrames)};
    for (int n = 0; n < kReferenceFrames; ++n) {
        input.left[static_cast<std::size_t>(n)] = referenceLeft(n);
        input.right[static_cast<std::size_t>(n)] = referenceRight(n);
    }
    return input;
}

// Creates, opens and resumes the loaded plug-in at 48000 Hz with the
// reference parameters.
void startForReference(PluginHost& host)
{
    host.settings.sampleRate = 48000.0f;
    ASSERT_NE(host.create(), nullptr);
    host.start();
    host.setParameter(0, 1.0f); // AutoWidth on
    host.setParameter(1, 0.0f); // AutoSpeed 0
    host.setParameter(2, 1.0f); // AutoDepth 2
}

class AudioTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        startForReference(host);
    }

    void expectReference(const StereoSignal<double>& output)
    {
        for (const Checkpoint& c : kCheckpoints) {
            EXPECT_EQ(bitsOf(output.left[static_cast<std::size_t>(c.frame)]), bitsOf(c.left)) << "frame " << c.frame;
            EXPECT_EQ(bitsOf(output.right[static_cast<std::size_t>(c.frame)]), bitsOf(c.right)) << "frame " << c.frame;
        }
        const std::vector<uint8_t> chunk = host.getChunk();
        ASSERT_EQ(chunk.size(), 260u);
        for (std::size_t i = 0; i < std::size(kMeterSlots); ++i) {
            float meter;
            std::memcpy(&meter, chunk.data() + 4 * kMeterSlots[i], sizeof(meter));
            EXPECT_EQ(bitsOf(meter), bitsOf(static_cast<float>(kMeters[i]))) << "slot " << kMeterSlots[i];
        }
    }
};

class BlockSizeTest : public AudioTest, public ::testing::WithParamInterface<VstInt32> {};

TEST_P(BlockSizeTest, DoublePathMatchesTheEffectsReferenceBitForBit)
{
    expectReference(renderDoubleReplacing(host, referenceInput(), GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Blocks, BlockSizeTest, ::testing::Values(1, 480, 4096, kReferenceFrames));

TEST_F(AudioTest, EmptyAndNegativeBlocksProcessNoFrame)
{
    const StereoSignal<double> input = referenceInput();
    StereoSignal<double> output{std::vector<double>(kReferenceFrames), std::vector<double>(kReferenceFrames)};
    double untouched[2] = {123.0, 456.0};
    double* noInputs[2] = {nullptr, nullptr};
    double* guard[2] = {&untouched[0], &untouched[1]};
    const std::size_t block = 3000;
    for (std::size_t start = 0; start < input.frames(); start += block) {
        host.processDoubleReplacing(noInputs, guard, 0);
        host.processDoubleReplacing(noInputs, guard, -5);
        double* inputs[2]
            = {const_cast<double*>(input.left.data() + start), const_cast<double*>(input.right.data() + start)};
        double* outputs[2] = {output.left.data() + start, output.right.data() + start};
        host.processDoubleReplacing(inputs, outputs, static_cast<VstInt32>(block));
    }
    EXPECT_EQ(untouched[0], 123.0);
    EXPECT_EQ(untouched[1], 456.0);
    expectReference(output);
}

TEST_F(AudioTest, EveryBlockRunsTheBlockSectionOnceEvenWithoutFrames)
{
    // The block section asks the host for the transport state each time.
    auto timeQueries = [&] {
        return std::count_if(host.requests.begin(), host.requests.end(),
                             [](const RecordedRequest& r) { return r.opcode == audioMasterGetTime; });
    };
    float* none[2] = {nullptr, nullptr};
    host.requests.clear();
    host.processReplacing(none, none, 0);
    const auto perBlock = timeQueries();
    ASSERT_GT(perBlock, 0);
    host.processReplacing(none, none, -1);
    EXPECT_EQ(timeQueries(), 2 * perBlock);
}

TEST_F(AudioTest, SinglePathIsTheDoublePathNarrowed)
{
    // Inputs exact in float, so both paths see the same numbers.
    const StereoSignal<float> input = makeTestSignal(20000);
    const StereoSignal<float> single = renderReplacing(host, input, 1024);

    PluginHost other;
    ASSERT_TRUE(other.load(pluginPath()));
    startForReference(other);
    const StereoSignal<float> narrowed = narrowedSignal(renderDoubleReplacing(other, widenedSignal(input), 1024));
    for (std::size_t i = 0; i < input.frames(); ++i) {
        ASSERT_EQ(bitsOf(single.left[i]), bitsOf(narrowed.left[i])) << "frame " << i;
        ASSERT_EQ(bitsOf(single.right[i]), bitsOf(narrowed.right[i])) << "frame " << i;
    }
}

TEST_F(AudioTest, AudioDoesNotDependOnTheHostsTimeInformation)
{
    const StereoSignal<double> withTime = renderDoubleReplacing(host, referenceInput(), 512);
    const auto timeQueries = std::count_if(host.requests.begin(), host.requests.end(), [](const RecordedRequest& r) {
        return r.opcode == audioMasterGetTime && r.answer != 0;
    });
    EXPECT_GT(timeQueries, 0);

    PluginHost without;
    without.settings.timeInfo = false;
    ASSERT_TRUE(without.load(pluginPath()));
    startForReference(without);
    const StereoSignal<double> withoutTime = renderDoubleReplacing(without, referenceInput(), 512);
    EXPECT_TRUE(std::any_of(without.requests.begin(), without.requests.end(),
                            [](const RecordedRequest& r) { return r.opcode == audioMasterGetTime; }));
    EXPECT_EQ(withTime.left, withoutTime.left);
    EXPECT_EQ(withTime.right, withoutTime.right);
}

TEST_F(AudioTest, TheBlockSectionAsksForTransportAndPosition)
{
    float* none[2] = {nullptr, nullptr};
    host.requests.clear();
    host.processReplacing(none, none, 0);
    std::vector<VstIntPtr> filters;
    for (const RecordedRequest& r : host.requests)
        if (r.opcode == audioMasterGetTime)
            filters.push_back(r.value);
    // Tempo and time signature, playing, recording, musical position.
    const std::vector<VstIntPtr> expected
        = {kVstTempoValid | kVstTimeSigValid, kVstTransportPlaying, kVstTransportRecording, kVstPpqPosValid};
    EXPECT_EQ(filters, expected);
}

// A long run through one process path of a new plug-in: the parameters set
// by the host between blocks, every output frame added to the checksum.
template <class Sample> uint64_t longRunChecksum(PluginHost& host, const long_run::Scenario& scenario)
{
    host.settings.sampleRate = scenario.sampleRate;
    host.settings.blockSize = scenario.blockFrames;
    EXPECT_NE(host.create(), nullptr);
    host.start();
    long_run::Signal signal;
    long_run::Checksum checksum;
    const std::size_t block = static_cast<std::size_t>(scenario.blockFrames);
    std::vector<Sample> inLeft(block), inRight(block), outLeft(block), outRight(block);
    std::size_t nextChange = 0;
    for (int start = 0; start < scenario.frames; start += scenario.blockFrames) {
        if (nextChange < scenario.changes.size() && scenario.changes[nextChange].frame == start) {
            const long_run::Parameters& p = scenario.changes[nextChange++].parameters;
            host.setParameter(0, static_cast<float>(p.autoWidth));
            host.setParameter(1, static_cast<float>(p.autoSpeed / 2));
            host.setParameter(2, static_cast<float>(p.autoDepth / 2));
        }
        for (std::size_t i = 0; i < block; ++i) {
            float left, right;
            signal.next(left, right);
            inLeft[i] = left;
            inRight[i] = right;
        }
        Sample* inputs[2] = {inLeft.data(), inRight.data()};
        Sample* outputs[2] = {outLeft.data(), outRight.data()};
        if constexpr (std::is_same_v<Sample, float>)
            host.processReplacing(inputs, outputs, scenario.blockFrames);
        else
            host.processDoubleReplacing(inputs, outputs, scenario.blockFrames);
        for (std::size_t i = 0; i < block; ++i) {
            checksum.add(outLeft[i]);
            checksum.add(outRight[i]);
        }
    }
    return checksum.value();
}

TEST_F(PluginTest, LongRunsThroughBothPathsGiveTheRecordedBits)
{
    const std::vector<long_run::Scenario>& scenarios = long_run::hostScenarios();
    for (std::size_t i = 0; i < scenarios.size(); ++i) {
        SCOPED_TRACE(scenarios[i].name);
        PluginHost doubleHost, singleHost;
        ASSERT_TRUE(doubleHost.load(pluginPath()) && singleHost.load(pluginPath()));
        EXPECT_EQ(longRunChecksum<double>(doubleHost, scenarios[i]), long_run::kHostScenarioChecksums[i].doubles);
        EXPECT_EQ(longRunChecksum<float>(singleHost, scenarios[i]), long_run::kHostScenarioChecksums[i].floats);
    }
}

TEST_F(PluginTest, MidiEventsAreTakenAndOtherEventsSkipped)
{
    ASSERT_NE(create(), nullptr);
    VstMidiEvent notes[3] = {};
    for (int i = 0; i < 3; ++i) {
        notes[i].type = kVstMidiType;
        notes[i].byteSize = sizeof(VstMidiEvent);
        notes[i].midiData[0] = static_cast<char>(0x90);
        notes[i].midiData[1] = static_cast<char>(60 + i);
        notes[i].midiData[2] = 100;
    }
    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    sysex.byteSize = sizeof(VstMidiSysexEvent);
    // A list longer than the declared two entries, with a null entry.
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[5];
    } list = {5,
              0,
              {reinterpret_cast<VstEvent*>(&notes[0]), reinterpret_cast<VstEvent*>(&sysex), nullptr,
               reinterpret_cast<VstEvent*>(&notes[1]), reinterpret_cast<VstEvent*>(&notes[2])}};
    EXPECT_EQ(host.sendEvents(reinterpret_cast<VstEvents*>(&list)), 1);

    VstEvents empty{};
    EXPECT_EQ(host.sendEvents(&empty), 1);
    empty.numEvents = -3;
    EXPECT_EQ(host.sendEvents(&empty), 1);
    EXPECT_EQ(host.sendEvents(nullptr), 0);
}

} // namespace
