// output.dll as a host meets it: the entries, the record, the dispatcher's
// answers and closing.
#include <algorithm>

#include "plugin_fixture.h"

namespace {

class EntryTest : public PluginTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EntryTest, YieldsTheRecordOfTheStereoEffect)
{
    AEffect* effect = create(GetParam());
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 3);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    // Editor, replacing, chunks and double replacing.
    EXPECT_EQ(effect->flags, 0x1031);
    EXPECT_EQ(effect->uniqueID, 6248);
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_NE(effect->object, nullptr);
    for (const void* function :
         {reinterpret_cast<const void*>(effect->dispatcher), reinterpret_cast<const void*>(effect->process),
          reinterpret_cast<const void*>(effect->setParameter), reinterpret_cast<const void*>(effect->getParameter),
          reinterpret_cast<const void*>(effect->processReplacing),
          reinterpret_cast<const void*>(effect->processDoubleReplacing)})
        EXPECT_NE(function, nullptr);

    ASSERT_FALSE(host.requests.empty());
    const RecordedRequest& first = host.requests.front();
    EXPECT_EQ(first.opcode, audioMasterVersion);
    EXPECT_FALSE(first.withRecord);
}

TEST_P(EntryTest, GivesNullWhenTheHostAnswersVersionZero)
{
    host.settings.version = 0;
    EXPECT_EQ(host.create(GetParam()), nullptr);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryTest, ::testing::Values("VSTPluginMain", "main", "MAIN"));

TEST_F(PluginTest, MainIsTheSameRoutineAsVSTPluginMain)
{
    ASSERT_NE(host.entryAddress("VSTPluginMain"), nullptr);
    EXPECT_EQ(host.entryAddress("main"), host.entryAddress("VSTPluginMain"));
    EXPECT_NE(host.entryAddress("MAIN"), nullptr);
}

struct AnswerCase {
    const char* what;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    VstIntPtr answer;
};

void PrintTo(const AnswerCase& c, std::ostream* out)
{
    *out << c.what;
}

class DispatcherAnswerTest : public PluginTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(DispatcherAnswerTest, Answers)
{
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(host.dispatch(GetParam().opcode, GetParam().index, GetParam().value), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Opcodes, DispatcherAnswerTest,
    ::testing::Values(AnswerCase{"VstVersion", effGetVstVersion, 0, 0, 2400},
                      AnswerCase{"Identify", effIdentify, 0, 0, fourCharConstant('N', 'v', 'E', 'f')},
                      AnswerCase{"PlugCategory", effGetPlugCategory, 0, 0, 0},
                      AnswerCase{"VendorVersion", effGetVendorVersion, 0, 0, 1000},
                      AnswerCase{"CanBeAutomated", effCanBeAutomated, 2, 0, 1},
                      AnswerCase{"MidiProgramName", effGetMidiProgramName, 0, 0, 0},
                      AnswerCase{"CurrentMidiProgram", effGetCurrentMidiProgram, 0, 0, -1},
                      AnswerCase{"MidiProgramCategory", effGetMidiProgramCategory, 0, 0, 0},
                      AnswerCase{"MidiProgramsChanged", effHasMidiProgramsChanged, 0, 0, 0},
                      AnswerCase{"MidiKeyName", effGetMidiKeyName, 0, 0, 0},
                      AnswerCase{"TotalSamples", effSetTotalSampleToProcess, 0, 4096, 4096},
                      AnswerCase{"TailSize", effGetTailSize, 0, 0, 0},
                      AnswerCase{"ProgramNameIndexed", effGetProgramNameIndexed, 0, 0, 0},
                      AnswerCase{"EditGetRectWithoutAPlaceForIt", effEditGetRect, 0, 0, 0},
                      AnswerCase{"KeyDownWhileTheEditorIsClosed", effEditKeyDown, 65, 13, 0},
                      AnswerCase{"Program", effGetProgram, 0, 0, 0}, AnswerCase{"Unknown", 200, 0, 0, 0}));

TEST_F(PluginTest, CanDoAnswersOnlyReceivingMidiEvents)
{
    ASSERT_NE(create(), nullptr);
    const std::pair<const char*, VstIntPtr> cases[]
        = {{"receiveVstMidiEvent", 1}, {"ReceiveVstMidiEvent", -1}, {"receiveVstEvents", -1}, {"", -1}};
    for (const auto& [capability, answer] : cases) {
        std::string text = capability;
        EXPECT_EQ(host.dispatch(effCanDo, 0, 0, text.data()), answer) << capability;
    }
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(PluginTest, SpeakerArrangementIsNullThroughEitherPointer)
{
    ASSERT_NE(create(), nullptr);
    VstSpeakerArrangement placeholder{};
    VstSpeakerArrangement* input = &placeholder;
    VstSpeakerArrangement* output = &placeholder;
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    output = &placeholder;
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ(output, nullptr);
    input = &placeholder;
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), nullptr), 0);
    EXPECT_EQ(input, nullptr);
}

TEST_F(PluginTest, ResumeAsksTheHostForMidi)
{
    ASSERT_NE(create(), nullptr);
    host.requests.clear();
    host.resume();
    ASSERT_FALSE(host.requests.empty());
    EXPECT_EQ(host.requests.front().opcode, audioMasterWantMidi);
    EXPECT_EQ(host.requests.front().value, 1);
    EXPECT_TRUE(host.requests.front().withRecord);
}

TEST_F(PluginTest, SampleRateAndBlockSizeReachTheEffect)
{
    ASSERT_NE(create(), nullptr);
    host.setSampleRate(96000.0f);
    host.setBlockSize(256);
    host.requests.clear();
    host.resume();
    // The init section reads the rate and block size the host set, and asks
    // for the tempo.
    const auto tempoQuery = std::find_if(host.requests.begin(), host.requests.end(), [](const RecordedRequest& r) {
        return r.opcode == audioMasterGetTime && r.value == kVstTempoValid;
    });
    EXPECT_NE(tempoQuery, host.requests.end());
}

TEST_F(PluginTest, CloseAnswersOneAndEndsThePlugin)
{
    start();
    host.suspend();
    EXPECT_EQ(host.close(), 1);
    EXPECT_EQ(host.effect(), nullptr);
    // A second instance in the same process starts afresh.
    AEffect* second = create();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(host.getParameter(0), 0.0f);
}

TEST_F(PluginTest, InstancesAreIndependent)
{
    AEffect* first = create();
    ASSERT_NE(first, nullptr);
    AEffect* second = host.create("MAIN");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    second->setParameter(second, 0, 1.0f);
    EXPECT_EQ(first->getParameter(first, 0), 0.0f);
    EXPECT_EQ(second->getParameter(second, 0), 1.0f);
    EXPECT_EQ(first->dispatcher(first, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(second->getParameter(second, 0), 1.0f);
}

} // namespace
