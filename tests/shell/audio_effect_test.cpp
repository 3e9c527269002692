// The plug-in base classes: the record, the trampolines, both dispatchers,
// the flag setters and the host queries with and without a host callback.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_effect.h"

namespace {

TEST(AudioEffectTest, ConstructionFillsTheRecordWithItsDefaults)
{
    TestEffect effect(nullptr, 1, 3);
    const AEffect* record = effect.getAeffect();
    EXPECT_EQ(record->magic, 1450406992);
    EXPECT_EQ(record->numPrograms, 1);
    EXPECT_EQ(record->numParams, 3);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, effFlagsCanReplacing);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->object, &effect);
    EXPECT_EQ(record->uniqueID, 1315915110);
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->initialDelay, 0);
    EXPECT_EQ(record->user, nullptr);
    EXPECT_NE(record->dispatcher, nullptr);
    EXPECT_NE(record->processDoubleReplacing, nullptr);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}

class ClosingEffect : public TestEffect {
public:
    explicit ClosingEffect(bool& deleted) : deleted(deleted) {}
    ~ClosingEffect() override { deleted = true; }
    void close() override { ++closes; }
    bool& deleted;
    int closes = 0;
};

TEST(AudioEffectTest, CloseThroughTheRecordDeletesTheObjectAndAnswersOne)
{
    bool deleted = false;
    auto* effect = new ClosingEffect(deleted);
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(effect->dispatcher(effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect->closes, 1);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(deleted);
}

TEST(AudioEffectTest, ProgramsBeyondTheCountAreRefused)
{
    TestEffect effect(nullptr, 1, 3);
    for (VstIntPtr program : {VstIntPtr{1}, VstIntPtr{-1}, std::numeric_limits<VstIntPtr>::max()}) {
        effect.dispatcher(effSetProgram, 0, program, nullptr, 0.0f);
        EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 0) << program;
    }
}

TEST(AudioEffectTest, SampleRateAndBlockSizeOpcodesStoreTheirValues)
{
    TestEffect effect;
    effect.dispatcher(effSetBlockSize, 0, 512, nullptr, 0.0f);
    effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
}

TEST(AudioEffectTest, FlagSettersSetAndClearTheirBit)
{
    struct FlagCase {
        void (*set)(TestEffect&, bool);
        VstInt32 flag;
    };
    const FlagCase cases[] = {
        {[](TestEffect& e, bool s) { e.canProcessReplacing(s); }, effFlagsCanReplacing},
        {[](TestEffect& e, bool s) { e.canDoubleReplacing(s); }, effFlagsCanDoubleReplacing},
        {[](TestEffect& e, bool s) { e.programsAreChunks(s); }, effFlagsProgramChunks},
        {[](TestEffect& e, bool s) { e.hasVu(s); }, effFlagsHasVu},
        {[](TestEffect& e, bool s) { e.hasClip(s); }, effFlagsHasClip},
        {[](TestEffect& e, bool s) { e.canMono(s); }, effFlagsCanMono},
        {[](TestEffect& e, bool s) { e.isSynth(s); }, effFlagsIsSynth},
        {[](TestEffect& e, bool s) { e.noTail(s); }, effFlagsNoSoundInStop},
        {[](TestEffect& e, bool s) { e.wantAsyncOperation(s); }, effFlagsExtIsAsync},
        {[](TestEffect& e, bool s) { e.hasExternalBuffer(s); }, effFlagsExtHasBuffer},
    };
    for (const FlagCase& c : cases) {
        TestEffect effect;
        const VstInt32 others = effect.getAeffect()->flags & ~c.flag;
        c.set(effect, true);
        EXPECT_EQ(effect.getAeffect()->flags, others | c.flag) << c.flag;
        c.set(effect, false);
        EXPECT_EQ(effect.getAeffect()->flags, others) << c.flag;
    }
}

TEST(AudioEffectTest, SettingAnEditorSetsTheEditorFlagAndOwnsIt)
{
    TestEffect effect;
    effect.setEditor(new AEffEditor(&effect));
    EXPECT_TRUE(effect.getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = reinterpret_cast<ERect*>(&effect);
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, nullptr, 0.0f), 0);
}

struct OpcodeCase {
    VstInt32 opcode;
    VstIntPtr value;
    VstIntPtr answer;
};

void PrintTo(const OpcodeCase& c, std::ostream* out)
{
    *out << "opcode " << c.opcode << " value " << c.value;
}

class DispatcherDefaultTest : public ::testing::TestWithParam<OpcodeCase> {};

TEST_P(DispatcherDefaultTest, AnswersTheDefault)
{
    TestEffect effect;
    EXPECT_EQ(effect.dispatcher(GetParam().opcode, 0, GetParam().value, nullptr, 0.0f), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Opcodes, DispatcherDefaultTest,
    ::testing::Values(OpcodeCase{effIdentify, 0, 1316373862}, OpcodeCase{effGetVstVersion, 0, 2400},
                      OpcodeCase{effCanBeAutomated, 0, 1}, OpcodeCase{effGetCurrentMidiProgram, 0, -1},
                      OpcodeCase{effSetTotalSampleToProcess, 4096, 4096}, OpcodeCase{effGetPlugCategory, 0, 0},
                      OpcodeCase{effGetMidiProgramName, 0, 0}, OpcodeCase{effGetMidiProgramCategory, 0, 0},
                      OpcodeCase{effHasMidiProgramsChanged, 0, 0}, OpcodeCase{effGetMidiKeyName, 0, 0},
                      OpcodeCase{effGetTailSize, 0, 0}, OpcodeCase{effGetVendorVersion, 0, 0},
                      OpcodeCase{effEditKeyDown, 65, 0}, OpcodeCase{effSetEditKnobMode, 1, 0},
                      OpcodeCase{effEditGetRect, 0, 0}, OpcodeCase{effEditOpen, 0, 0}, OpcodeCase{28, 0, 0},
                      OpcodeCase{43, 0, 0}, OpcodeCase{9, 0, 0}, OpcodeCase{80, 0, 0}, OpcodeCase{-1, 0, 0}));

TEST(AudioEffectXTest, PlugCategoryIsSynthOnlyWithTheSynthFlag)
{
    TestEffect effect;
    effect.isSynth(true);
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), 2);
}

TEST(AudioEffectXTest, SpeakerArrangementOpcodeStoresNullThroughEachGivenPointer)
{
    TestEffect effect;
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output, 0.0f), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);

    output = &dummy;
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, 0, &output, 0.0f), 0);
    EXPECT_EQ(output, nullptr);
    input = &dummy;
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), nullptr, 0.0f), 0);
    EXPECT_EQ(input, nullptr);
}

class KeyEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    bool onKeyDown(VstKeyCode& keyCode) override
    {
        received = keyCode;
        return true;
    }
    VstKeyCode received{};
};

TEST(AudioEffectXTest, KeyOpcodesBuildTheKeyCodeFromIndexValueAndOpt)
{
    struct KeyCase {
        VstInt32 index;
        VstIntPtr value;
        float opt;
        VstInt32 character;
        unsigned char virt;
        unsigned char modifier;
    };
    const KeyCase cases[] = {
        {65, 13, 2.0f, 65, 13, 2},
        {66, 0x10D, 258.7f, 66, 13, 2},
        {67, 1, std::numeric_limits<float>::quiet_NaN(), 67, 1, 0},
        {68, 1, 1e20f, 68, 1, 0},
    };
    for (const KeyCase& c : cases) {
        TestEffect effect;
        auto* editor = new KeyEditor(&effect);
        effect.setEditor(editor);
        EXPECT_EQ(effect.dispatcher(effEditKeyDown, c.index, c.value, nullptr, c.opt), 1);
        EXPECT_EQ(editor->received.character, c.character);
        EXPECT_EQ(editor->received.virt, c.virt);
        EXPECT_EQ(editor->received.modifier, c.modifier);
        EXPECT_EQ(effect.dispatcher(effEditKeyUp, c.index, c.value, nullptr, c.opt), 0);
    }
}

class TextEffect : public TestEffect {
public:
    void getProgramName(char*) override { ++calls; }
    void getParameterName(VstInt32, char*) override { ++calls; }
    VstInt32 getChunk(void**, bool) override { return ++calls; }
    VstInt32 setChunk(void*, VstInt32, bool) override { return ++calls; }
    bool getEffectName(char*) override { return ++calls; }
    int calls = 0;
};

TEST(AudioEffectXTest, OpcodesWithANullPointerReachNoOperation)
{
    TextEffect effect;
    for (VstInt32 opcode :
         {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effGetChunk,
          effSetChunk, effGetEffectName, effGetVendorString, effGetProductString, effCanDo})
        EXPECT_EQ(effect.dispatcher(opcode, 0, 4, nullptr, 0.0f), 0) << opcode;
    EXPECT_EQ(effect.calls, 0);
    EXPECT_TRUE(effect.lastCanDo.empty());
}

class HostQueryTest : public ::testing::Test {
protected:
    RecordingHost host;
    TestEffect effect{RecordingHost::callback};

    const HostRequest& onlyRequest()
    {
        EXPECT_EQ(host.requests.size(), 1u);
        return host.requests.back();
    }
};

TEST_F(HostQueryTest, EveryRequestCarriesThePluginsOwnRecord)
{
    effect.masterIdle();
    EXPECT_EQ(onlyRequest().effect, effect.getAeffect());
    EXPECT_EQ(onlyRequest().opcode, audioMasterIdle);
}

TEST_F(HostQueryTest, MasterVersionIsOneWhenTheHostAnswersZero)
{
    EXPECT_EQ(effect.getMasterVersion(), 1);
    host.answers[audioMasterVersion] = 2400;
    EXPECT_EQ(effect.getMasterVersion(), 2400);
}

TEST_F(HostQueryTest, SendingEventsCountsOnlyAnAnswerOfOne)
{
    VstEvents events{};
    host.answers[audioMasterProcessEvents] = 2;
    EXPECT_FALSE(effect.sendVstEventsToHost(&events));
    host.answers[audioMasterProcessEvents] = 1;
    EXPECT_TRUE(effect.sendVstEventsToHost(&events));
    EXPECT_EQ(host.requests.back().ptr, &events);
}

TEST_F(HostQueryTest, CanHostDoCountsOnlyAnAnswerOfOne)
{
    char text[] = "sizeWindow";
    for (VstIntPtr answer : {VstIntPtr{-1}, VstIntPtr{0}, VstIntPtr{2}}) {
        host.answers[audioMasterCanDo] = answer;
        EXPECT_EQ(effect.canHostDo(text), 0) << answer;
    }
    host.answers[audioMasterCanDo] = 1;
    EXPECT_EQ(effect.canHostDo(text), 1);
}

TEST_F(HostQueryTest, SampleRateAndBlockSizeUpdatesTakeOnlyPositiveAnswers)
{
    EXPECT_EQ(effect.updateSampleRate(), 44100.0);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    host.answers[audioMasterGetSampleRate] = 96000;
    host.answers[audioMasterGetBlockSize] = 256;
    EXPECT_EQ(effect.updateSampleRate(), 96000.0);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.updateBlockSize(), 256);
}

TEST_F(HostQueryTest, AutomationSetsTheParameterThenTellsTheHost)
{
    effect.setParameterAutomated(2, 0.75f);
    EXPECT_EQ(onlyRequest().opcode, audioMasterAutomate);
    EXPECT_EQ(onlyRequest().index, 2);
    EXPECT_EQ(onlyRequest().opt, 0.75f);
}

TEST_F(HostQueryTest, TimeInfoPassesTheFilterAsValue)
{
    VstTimeInfo info{};
    host.answers[audioMasterGetTime] = reinterpret_cast<VstIntPtr>(&info);
    EXPECT_EQ(effect.getTimeInfo(0x2400), &info);
    EXPECT_EQ(onlyRequest().value, 0x2400);
}

TEST_F(HostQueryTest, PinsCountAsConnectedWhenTheHostAnswersZero)
{
    EXPECT_TRUE(effect.isInputConnected(1));
    EXPECT_EQ(host.requests.back().value, 0);
    EXPECT_TRUE(effect.isOutputConnected(1));
    EXPECT_EQ(host.requests.back().value, 1);
    host.answers[audioMasterPinConnected] = 1;
    EXPECT_FALSE(effect.isInputConnected(0));
}

TEST_F(HostQueryTest, FileSelectorsWithoutARecordDoNotAskTheHost)
{
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(host.requests.empty());
}

TEST_F(HostQueryTest, ResumeAsksForMidiOnlyWhenCanDoAnswersOneOrForASynth)
{
    for (VstInt32 answer : {-1, 0, 2}) {
        effect.canDoAnswer = answer;
        effect.resume();
    }
    EXPECT_TRUE(host.requests.empty());

    effect.canDoAnswer = 1;
    effect.resume();
    EXPECT_EQ(effect.lastCanDo, "receiveVstMidiEvent");
    EXPECT_EQ(onlyRequest().opcode, audioMasterWantMidi);
    EXPECT_EQ(onlyRequest().value, 1);

    host.requests.clear();
    effect.canDoAnswer = -1;
    effect.isSynth(true);
    effect.resume();
    EXPECT_EQ(onlyRequest().opcode, audioMasterWantMidi);
}

TEST(HostQueryDefaultsTest, WithoutAHostEveryQueryAnswersItsDefault)
{
    TestEffect effect;
    char text[8] = "x";
    VstEvents events{};
    EXPECT_EQ(effect.getMasterVersion(), 1);
    EXPECT_EQ(effect.getCurrentUniqueId(), 0);
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_TRUE(effect.isOutputConnected(0));
    EXPECT_EQ(effect.getTimeInfo(0), nullptr);
    EXPECT_FALSE(effect.sendVstEventsToHost(&events));
    EXPECT_FALSE(effect.updateDisplay());
    EXPECT_FALSE(effect.beginEdit(0));
    EXPECT_FALSE(effect.getHostVendorString(text));
    EXPECT_EQ(effect.canHostDo(text), 0);
    EXPECT_EQ(effect.updateSampleRate(), 44100.0);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    EXPECT_EQ(effect.getDirectory(), nullptr);
    EXPECT_STREQ(text, "x");
    effect.setParameterAutomated(0, 0.5f);
    effect.masterIdle();
    effect.wantEvents();
}

} // namespace
