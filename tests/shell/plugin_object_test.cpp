// The plug-in object and the callbacks behind it: parameters, texts, the
// MIDI ring, processing, mouse state, empty slots and destruction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "gui/font_desc.h"
#include "probe_plugin.h"

namespace {

struct StepCase {
    float normalised;
    double stored;
};

TEST_F(ProbePlugin, ParametersStepToTheRecordsStep)
{
    const StepCase cases[] = {{0.24f, 0.0}, {0.25f, 1.0}, {0.75f, 2.0}, {1.0f, 2.0}, {0.0f, 0.0}};
    for (const StepCase& c : cases) {
        vest->setParameter(ProbeEffect::kSpeed, c.normalised);
        EXPECT_EQ(slider(ProbeEffect::kSpeed), c.stored) << c.normalised;
        EXPECT_EQ(vest->getParameter(ProbeEffect::kSpeed), static_cast<float>(c.stored / 2.0)) << c.normalised;
    }
}

TEST_F(ProbePlugin, AnUnchangedValueRunsNoSliderSectionAndLeavesTheBoundVariable)
{
    vest->setParameter(ProbeEffect::kChoice, 0.5f);
    EXPECT_EQ(slider(ProbeEffect::kChoice), 1.0);
    EXPECT_EQ(effect->bound, 1.0);
    EXPECT_EQ(effect->sliderRuns, 1);
    effect->bound = -1.0;
    vest->setParameter(ProbeEffect::kChoice, 0.6f); // steps to 1 again
    EXPECT_EQ(effect->sliderRuns, 1);
    EXPECT_EQ(effect->bound, -1.0);
}

TEST_F(ProbePlugin, ANonPositiveStepTakesTheValueUnstepped)
{
    vest->setParameter(ProbeEffect::kFree, 0.3f);
    EXPECT_EQ(slider(ProbeEffect::kFree), static_cast<double>(0.3f));
    EXPECT_EQ(effect->sliderRuns, 1);
}

TEST_F(ProbePlugin, DisplayShowsTheOptionOrTheValue)
{
    vest->setParameter(ProbeEffect::kChoice, 0.5f);
    vest->setParameter(ProbeEffect::kSpeed, 0.5f);
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kChoice), "middle");
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kSpeed), "1.00");
    EXPECT_EQ(text(&CVeST::getParameterLabel, ProbeEffect::kChoice), "dB");
    EXPECT_EQ(text(&CVeST::getParameterName, ProbeEffect::kChoice), "Choice");
    // Values outside the range pick the nearest option.
    effect->sliders[2] = 9.0;
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kChoice), "high");
    effect->sliders[2] = -9.0;
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kChoice), "low");
    effect->sliders[2] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kChoice), "low");
    effect->sliders[2] = 1e300;
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kChoice), "low");
}

TEST_F(ProbePlugin, ARecordWithoutARangeReadsZeroAndStillShowsAText)
{
    EXPECT_EQ(vest->getParameter(ProbeEffect::kFixedChoice), 0.0f);
    EXPECT_EQ(vest->getParameter(ProbeEffect::kFixedValue), 0.0f);
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kFixedChoice), "only");
    EXPECT_EQ(text(&CVeST::getParameterDisplay, ProbeEffect::kFixedValue), "5.00");
}

TEST_F(ProbePlugin, TheHostIsToldABoundedFiniteValue)
{
    const std::pair<double, float> cases[] = {{1.0, 0.5f},
                                              {7.0, 1.0f},
                                              {-3.0, 0.0f},
                                              {std::numeric_limits<double>::quiet_NaN(), 0.0f},
                                              {std::numeric_limits<double>::infinity(), 1.0f}};
    for (const auto& [value, told] : cases) {
        effect->sliders[1] = value;
        EXPECT_EQ(vest->getParameter(ProbeEffect::kSpeed), told) << value;
        EXPECT_EQ(std::memcmp(&effect->sliders[1], &value, sizeof(value)), 0) << "the effect keeps its value";
    }
}

TEST_F(ProbePlugin, IndexesOutsideTheRecordsReadZeroChangeNothingAndWriteEmptyTexts)
{
    for (VstInt32 index :
         {VstInt32{-1}, VstInt32{ProbeEffect::kParameterCount}, std::numeric_limits<VstInt32>::min()}) {
        vest->setParameter(index, 1.0f);
        EXPECT_EQ(vest->getParameter(index), 0.0f);
        EXPECT_EQ(text(&CVeST::getParameterName, index), "");
        EXPECT_EQ(text(&CVeST::getParameterLabel, index), "");
        EXPECT_EQ(text(&CVeST::getParameterDisplay, index), "");
    }
    EXPECT_EQ(effect->sliderRuns, 0);
}

TEST_F(ProbePlugin, StringsAreCutToThePublishedSizes)
{
    struct Case {
        bool (CVeST::*get)(char*);
        std::size_t bytes;
        const char* text;
    };
    const Case cases[] = {{&CVeST::getEffectName, 32, "An effect name of forty charact"},
                          {&CVeST::getVendorString, 64, "Probe vendor"},
                          {&CVeST::getProductString, 64, "Probe product"}};
    for (const Case& c : cases) {
        char buffer[80];
        std::memset(buffer, 'x', sizeof(buffer));
        EXPECT_TRUE((vest->*c.get)(buffer));
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[c.bytes], 'x') << c.text;
    }
    effect->programName = std::string(40, 'p');
    char program[32];
    std::memset(program, 'x', sizeof(program));
    vest->getProgramName(program);
    EXPECT_EQ(std::string(program), std::string(23, 'p'));
    EXPECT_EQ(program[24], 'x');
    EXPECT_EQ(vest->getVendorVersion(), 5);
}

TEST_F(ProbePlugin, TextsWriteOnlyThemselvesAndTheirTerminator)
{
    // Hosts give the published 8 bytes for labels and displays: an empty or
    // short text must leave the rest of a larger buffer alone.
    vest->setParameter(ProbeEffect::kSpeed, 0.5f);
    struct Case {
        void (CVeST::*get)(VstInt32, char*);
        VstInt32 index;
        const char* text;
    };
    const Case cases[] = {{&CVeST::getParameterLabel, ProbeEffect::kSpeed, ""},
                          {&CVeST::getParameterLabel, ProbeEffect::kChoice, "dB"},
                          {&CVeST::getParameterDisplay, ProbeEffect::kSpeed, "1.00"},
                          {&CVeST::getParameterName, ProbeEffect::kChoice, "Choice"},
                          {&CVeST::getParameterName, -1, ""}};
    for (const Case& c : cases) {
        char buffer[32];
        std::memset(buffer, 'x', sizeof(buffer));
        (vest->*c.get)(c.index, buffer);
        const std::size_t length = std::strlen(c.text);
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[length + 1], 'x') << c.text;
    }
    char vendor[80];
    std::memset(vendor, 'x', sizeof(vendor));
    EXPECT_TRUE(vest->getVendorString(vendor));
    EXPECT_EQ(vendor[std::strlen("Probe vendor") + 1], 'x');
}

TEST_F(ProbePlugin, ProgramNameIndexedTouchesNothing)
{
    char buffer[8] = "keep";
    EXPECT_FALSE(vest->getProgramNameIndexed(0, 0, buffer));
    EXPECT_STREQ(buffer, "keep");
}

VstMidiEvent noteOn(int key)
{
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = key;
    event.midiData[0] = static_cast<char>(0x90);
    event.midiData[1] = static_cast<char>(key);
    event.midiData[2] = 100;
    return event;
}

int32_t deliver(CVeST* vest, VstMidiEvent event)
{
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return vest->processEvents(&events);
}

TEST_F(ProbePlugin, MidiEventsEnterTheRingInOrderAndOthersAreSkipped)
{
    VstMidiEvent notes[3] = {noteOn(60), noteOn(61), noteOn(62)};
    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[5];
    } list = {5,
              0,
              {reinterpret_cast<VstEvent*>(&notes[0]), reinterpret_cast<VstEvent*>(&sysex), nullptr,
               reinterpret_cast<VstEvent*>(&notes[1]), reinterpret_cast<VstEvent*>(&notes[2])}};
    EXPECT_EQ(vest->processEvents(reinterpret_cast<VstEvents*>(&list)), 1);
    EXPECT_EQ(vest->midiWriteIndex, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::memcmp(&vest->midiEvents[static_cast<std::size_t>(i)], &notes[i], sizeof(VstMidiEvent)), 0);

    int32_t delta, status, data1, data2;
    ASSERT_EQ(vestReceiveMidiEvent(vest, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(delta, 60);
    EXPECT_EQ(status, -112);
    EXPECT_EQ(data1, 60);
    EXPECT_EQ(data2, 100);
    EXPECT_EQ(vestReceiveMidiEvent(vest, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(vestReceiveMidiEvent(vest, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(vestReceiveMidiEvent(vest, &delta, &status, &data1, &data2), 0);
    EXPECT_EQ(delta | status | data1 | data2, 0);
}

TEST_F(ProbePlugin, EmptyOrNullEventListsAddNothing)
{
    VstEvents empty{};
    EXPECT_EQ(vest->processEvents(&empty), 1);
    empty.numEvents = -2;
    EXPECT_EQ(vest->processEvents(&empty), 1);
    EXPECT_EQ(vest->processEvents(nullptr), 0);
    EXPECT_EQ(vest->midiWriteIndex, 0);
}

TEST_F(ProbePlugin, TheRingWrapsAndOverwritesUnreadEvents)
{
    vest->midiWriteIndex = 999;
    vest->midiReadIndex = 999;
    deliver(vest, noteOn(1));
    EXPECT_EQ(vest->midiWriteIndex, 0);
    int32_t delta, status, data1, data2;
    EXPECT_EQ(vestReceiveMidiEvent(vest, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(vest->midiReadIndex, 0);

    for (int i = 0; i < CVeST::kMidiRingSize; ++i)
        deliver(vest, noteOn(i % 128));
    EXPECT_EQ(vest->midiWriteIndex, vest->midiReadIndex);
    EXPECT_EQ(vestReceiveMidiEvent(vest, &delta, &status, &data1, &data2), 0);
}

TEST_F(ProbePlugin, CanDoKnowsOnlyReceivingMidiEvents)
{
    char yes[] = "receiveVstMidiEvent";
    char otherCase[] = "receivevstmidievent";
    char other[] = "sendVstMidiEvent";
    EXPECT_EQ(vest->canDo(yes), 1);
    EXPECT_EQ(vest->canDo(otherCase), -1);
    EXPECT_EQ(vest->canDo(other), -1);
    EXPECT_EQ(vest->canDo(nullptr), -1);
}

TEST_F(ProbePlugin, ProcessingRunsTheBlockOnceAndTheSamplePerFrame)
{
    float left[3] = {1.0f, 2.0f, 3.0f};
    float right[3] = {0.5f, 0.25f, 0.0f};
    float outLeft[3] = {}, outRight[3] = {};
    float* inputs[2] = {left, right};
    float* outputs[2] = {outLeft, outRight};
    vest->processReplacing(inputs, outputs, 0);
    EXPECT_EQ(effect->blockRuns, 1);
    EXPECT_EQ(effect->sampleRuns, 0);
    vest->processReplacing(inputs, outputs, -4);
    EXPECT_EQ(effect->blockRuns, 2);
    EXPECT_EQ(effect->sampleRuns, 0);
    vest->processReplacing(inputs, outputs, 3);
    EXPECT_EQ(effect->blockRuns, 3);
    EXPECT_EQ(effect->sampleRuns, 3);
    EXPECT_EQ(outLeft[2], 6.0f);
    EXPECT_EQ(outRight[1], 1.25f);

    double dLeft[2] = {0.1, 0.2}, dRight[2] = {0.3, 0.4};
    double* dInputs[2] = {dLeft, dRight};
    vest->processDoubleReplacing(dInputs, dInputs, 2); // in place
    EXPECT_EQ(dLeft[1], 0.4);
    EXPECT_EQ(dRight[0], 1.3);
}

TEST_F(ProbePlugin, MouseEventsSetTheRuntimesMouseState)
{
    effect->frameRate = 10.0;
    vest->callbacks.onMouseDown(vest, 12.5, 40.0, 0x02 | 0x10 | 0x400); // left, shift, double click
    EXPECT_EQ(effect->mouseCap, 9.0);
    EXPECT_EQ(effect->mouseX, 12.5);
    EXPECT_EQ(effect->mouseY, 40.0);
    EXPECT_EQ(effect->frameRate, 30.0);
    effect->frameRate = 60.0;
    vest->callbacks.onMouseMoved(vest, 1.0, 2.0, 0);
    EXPECT_EQ(effect->mouseCap, 9.0);
    EXPECT_EQ(effect->frameRate, 60.0);
    // Once a frame has drawn the press, its release applies at once.
    vest->callbacks.draw(vest, 700, 300);
    vest->callbacks.onMouseUp(vest, 3.0, 4.0, 0x02);
    EXPECT_EQ(effect->mouseCap, 0.0);
    EXPECT_EQ(effect->mouseX, 3.0);

    const std::pair<int32_t, double> bits[]
        = {{0x02, 1}, {0x08, 2}, {0x20, 4}, {0x10, 8}, {0x40, 16}, {0x04, 64}, {0x100 | 0x200 | 0x01, 0}};
    for (const auto& [buttons, cap] : bits) {
        // After a frame, so that the change replaces the state it drew.
        vest->callbacks.draw(vest, 700, 300);
        vest->callbacks.onMouseDown(vest, 0, 0, buttons);
        EXPECT_EQ(effect->mouseCap, cap) << buttons;
    }
}

TEST_F(ProbePlugin, TheTableHoldsEveryCallbackButTheKeys)
{
    const CVeSTCallbacks& table = vest->callbacks;
    EXPECT_EQ(table.onKeyDown, nullptr);
    EXPECT_EQ(table.onKeyUp, nullptr);
    const void* slots[] = {reinterpret_cast<const void*>(table.init),
                           reinterpret_cast<const void*>(table.destroy),
                           reinterpret_cast<const void*>(table.open),
                           reinterpret_cast<const void*>(table.suspend),
                           reinterpret_cast<const void*>(table.resume),
                           reinterpret_cast<const void*>(table.idle),
                           reinterpret_cast<const void*>(table.close),
                           reinterpret_cast<const void*>(table.draw),
                           reinterpret_cast<const void*>(table.onMouseDown),
                           reinterpret_cast<const void*>(table.onMouseUp),
                           reinterpret_cast<const void*>(table.onMouseMoved),
                           reinterpret_cast<const void*>(table.getVendorVersion),
                           reinterpret_cast<const void*>(table.getVendorString),
                           reinterpret_cast<const void*>(table.getProductString),
                           reinterpret_cast<const void*>(table.getEffectName),
                           reinterpret_cast<const void*>(table.getProgramName),
                           reinterpret_cast<const void*>(table.setProgramName),
                           reinterpret_cast<const void*>(table.getProgramNameIndexed),
                           reinterpret_cast<const void*>(table.getParameter),
                           reinterpret_cast<const void*>(table.setParameter),
                           reinterpret_cast<const void*>(table.getParameterName),
                           reinterpret_cast<const void*>(table.getParameterLabel),
                           reinterpret_cast<const void*>(table.getParameterDisplay),
                           reinterpret_cast<const void*>(table.processReplacing),
                           reinterpret_cast<const void*>(table.processDoubleReplacing),
                           reinterpret_cast<const void*>(table.getChunk),
                           reinterpret_cast<const void*>(table.setChunk)};
    EXPECT_EQ(std::size(slots), 27u);
    for (const void* slot : slots)
        EXPECT_NE(slot, nullptr);
}

TEST_F(ProbePlugin, InitSetsChannelsIdEditorAndChunks)
{
    const AEffect* record = vest->getAeffect();
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->uniqueID, 77);
    // The editor needs a window system; the native build has none.
#ifdef _WIN32
    const VstInt32 editorFlag = effFlagsHasEditor;
#else
    const VstInt32 editorFlag = 0;
#endif
    EXPECT_EQ(record->flags, effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing | editorFlag);
    // A second init keeps the editor it made.
    AEffEditor* editor = vest->getEditor();
    EXPECT_EQ(callbackInit(vest), 1);
    EXPECT_EQ(vest->getEditor(), editor);
}

TEST_F(ProbePlugin, OpenSuspendResumeAndCloseReachTheEffect)
{
    effect->strings[3] = "gone after reset";
    vest->dispatcher(effOpen, 0, 0, nullptr, 0.0f);
    EXPECT_TRUE(effect->strings.empty());
    const int before = effect->sliderRuns;
    vest->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(effect->sliderRuns, before + 1); // resume: init, then slider section
    vest->dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
    vest->dispatcher(effClose, 0, 0, nullptr, 0.0f);
}

TEST(PluginObjectTest, EmptySlotsAnswerTheirDefaults)
{
    RecordingHost host;
    host.answers[audioMasterVersion] = 1;
    auto* effect = new ProbeEffect();
    CVeST* vest = vestCreate(effect, CVeSTCallbacks{}, RecordingHost::callback, 1, 3);
    ASSERT_NE(vest, nullptr);
    char text[8] = "keep";
    void* data = text;
    EXPECT_EQ(vest->getParameter(0), 0.0f);
    EXPECT_EQ(vest->getChunk(&data, false), 0);
    EXPECT_EQ(vest->setChunk(text, 4, false), 0);
    EXPECT_FALSE(vest->getEffectName(text));
    EXPECT_FALSE(vest->getVendorString(text));
    EXPECT_EQ(vest->getVendorVersion(), 0);
    vest->getParameterName(0, text);
    vest->setParameter(0, 1.0f);
    float* none[2] = {nullptr, nullptr};
    vest->processReplacing(none, none, 16);
    EXPECT_STREQ(text, "keep");
    EXPECT_EQ(effect->sliderRuns, 0);
    vest->release(); // no destroy slot: the effect stays the caller's
    delete effect;
}

class EditorProbe : public AEffEditor {
public:
    EditorProbe(AudioEffect* effect, const bool& effectDestroyed, bool& effectWasGone)
        : AEffEditor(effect), effectDestroyed(effectDestroyed), effectWasGone(effectWasGone)
    {
    }
    ~EditorProbe() override { effectWasGone = effectDestroyed; }
    const bool& effectDestroyed;
    bool& effectWasGone;
};

// A plug-in object around a probe effect that tells when it is deleted.
CVeST* pluginTellingItsEnd(bool& destroyed)
{
    CVeSTCallbacks callbacks;
    initCallbacks(&callbacks);
    auto* effect = new ProbeEffect();
    effect->destroyed = &destroyed;
    return vestCreate(effect, callbacks, RecordingHost::callback, 1, 3);
}

TEST(PluginObjectTest, DestructionDropsTheFontsAndDeletesTheEffectBeforeTheEditor)
{
    RecordingHost host;
    host.answers[audioMasterVersion] = 1;
    bool destroyed = false;
    bool effectGoneBeforeEditor = false;
    CVeST* vest = pluginTellingItsEnd(destroyed);
    vest->setEditor(new EditorProbe(vest, destroyed, effectGoneBeforeEditor));
    auto* font = new VSTGUI::CFontDesc("Courier New", 0.0, 0);
    font->remember(); // the test's own reference
    vest->fonts.push_back(font);

    vest->release();
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(effectGoneBeforeEditor);
    EXPECT_EQ(font->getNbReference(), 1);
    font->forget();
}

TEST(PluginObjectTest, OnlyTheLastReleaseDeletesIt)
{
    // A direct delete would leave a frame's later release pointing at freed
    // memory: nothing outside the object may delete it.
    EXPECT_FALSE(std::is_destructible<CVeST>::value);

    RecordingHost host;
    host.answers[audioMasterVersion] = 1;
    bool destroyed = false;
    CVeST* vest = pluginTellingItsEnd(destroyed);
    ASSERT_TRUE(vest->hold());
    vest->deleteOnClose(); // the host's close drops the host's hold only
    EXPECT_FALSE(destroyed);
    vest->release();
    EXPECT_TRUE(destroyed);
}

TEST(PluginObjectTest, NoHostOrVersionZeroMakesNothing)
{
    ProbeEffect effect;
    CVeSTCallbacks callbacks;
    initCallbacks(&callbacks);
    EXPECT_EQ(vestCreate(&effect, callbacks, nullptr, 1, 3), nullptr);
    RecordingHost host;
    EXPECT_EQ(vestCreate(&effect, callbacks, RecordingHost::callback, 1, 3), nullptr);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.requests[0].effect, nullptr);
}

} // namespace
