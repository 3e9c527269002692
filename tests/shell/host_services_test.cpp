// The host services: what they ask the host for and what they make of the
// answers, with and without time information.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "probe_plugin.h"

namespace {

class HostServicesTest : public ProbePlugin {
protected:
    HostServicesTest()
    {
        info.tempo = 96.5;
        info.ppqPos = 17.25;
        info.barStartPos = 16.0;
        info.timeSigNumerator = 7;
        info.timeSigDenominator = 8;
        info.flags = kVstTransportPlaying;
        host.requests.clear();
    }
    void giveTimeInfo() { host.answers[audioMasterGetTime] = reinterpret_cast<VstIntPtr>(&info); }
    std::vector<VstIntPtr> timeFilters() const
    {
        std::vector<VstIntPtr> filters;
        for (const HostRequest& r : host.requests)
            if (r.opcode == audioMasterGetTime)
                filters.push_back(r.value);
        return filters;
    }

    VstTimeInfo info{};
};

TEST_F(HostServicesTest, TimeQueriesReadTheirFieldWithTheirFilter)
{
    giveTimeInfo();
    EXPECT_EQ(vestGetTempo(vest), 96.5);
    EXPECT_EQ(vestGetPpqPos(vest), 17.25);
    EXPECT_EQ(vestGetBarStartPos(vest), 16.0);
    EXPECT_EQ(vestIsPlaying(vest), 1);
    EXPECT_EQ(vestIsRecording(vest), 0);
    info.flags = kVstTransportRecording;
    EXPECT_EQ(vestIsPlaying(vest), 0);
    EXPECT_EQ(vestIsRecording(vest), 1);
    const std::vector<VstIntPtr> expected
        = {kVstTempoValid,         kVstPpqPosValid,      kVstBarsValid,         kVstTransportPlaying,
           kVstTransportRecording, kVstTransportPlaying, kVstTransportRecording};
    EXPECT_EQ(timeFilters(), expected);
}

TEST_F(HostServicesTest, TempoAndTimeSignatureGoThroughTheGivenPointers)
{
    giveTimeInfo();
    double tempo = 0, numerator = 0, denominator = 0;
    EXPECT_EQ(vestGetTempoAndTimeSig(vest, &tempo, &numerator, &denominator), 1);
    EXPECT_EQ(tempo, 96.5);
    EXPECT_EQ(numerator, 7.0);
    EXPECT_EQ(denominator, 8.0);
    tempo = 0;
    EXPECT_EQ(vestGetTempoAndTimeSig(vest, &tempo, nullptr, nullptr), 1);
    EXPECT_EQ(tempo, 96.5);
    EXPECT_EQ(timeFilters().back(), 0x2400);
}

TEST_F(HostServicesTest, WithoutTimeInformationEveryTimeQueryIsZero)
{
    double tempo = -1, numerator = -1, denominator = -1;
    EXPECT_EQ(vestGetTempo(vest), 0.0);
    EXPECT_EQ(vestGetPpqPos(vest), 0.0);
    EXPECT_EQ(vestGetBarStartPos(vest), 0.0);
    EXPECT_EQ(vestIsPlaying(vest), 0);
    EXPECT_EQ(vestIsRecording(vest), 0);
    EXPECT_EQ(vestGetTempoAndTimeSig(vest, &tempo, &numerator, &denominator), 0);
    EXPECT_EQ(tempo, -1);
    EXPECT_EQ(numerator, -1);
    EXPECT_EQ(denominator, -1);
}

TEST_F(HostServicesTest, ShortMidiEventsCarryTheLowBytes)
{
    VstMidiEvent seen{};
    VstInt32 count = 0;
    host.onRequest = [&](const HostRequest& r) {
        if (r.opcode != audioMasterProcessEvents)
            return;
        const auto* events = static_cast<const VstEvents*>(r.ptr);
        count = events->numEvents;
        std::memcpy(&seen, events->events[0], sizeof(seen));
        EXPECT_EQ(events->events[1], nullptr);
    };
    EXPECT_FALSE(vestSendMidiEvent(vest, 12, 0x1FF, 0x13C, 0x64));
    host.answers[audioMasterProcessEvents] = 1;
    EXPECT_TRUE(vestSendMidiEvent(vest, 12, 0x1FF, 0x13C, 0x64));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(seen.type, kVstMidiType);
    EXPECT_EQ(seen.byteSize, 32);
    EXPECT_EQ(seen.deltaFrames, 12);
    EXPECT_EQ(static_cast<unsigned char>(seen.midiData[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(seen.midiData[1]), 0x3C);
    EXPECT_EQ(static_cast<unsigned char>(seen.midiData[2]), 0x64);
    EXPECT_EQ(seen.midiData[3] | seen.flags | seen.noteLength | seen.detune, 0);
}

TEST_F(HostServicesTest, SysexEventsPointAtTheCallersBytes)
{
    char dump[] = {static_cast<char>(0xF0), 0x7E, static_cast<char>(0xF7)};
    VstMidiSysexEvent seen{};
    host.onRequest = [&](const HostRequest& r) {
        if (r.opcode == audioMasterProcessEvents)
            std::memcpy(&seen, static_cast<const VstEvents*>(r.ptr)->events[0], sizeof(seen));
    };
    host.answers[audioMasterProcessEvents] = 1;
    EXPECT_TRUE(vestSendMidiSysex(vest, 3, dump, 3));
    EXPECT_EQ(seen.type, kVstSysExType);
    EXPECT_EQ(seen.byteSize, static_cast<VstInt32>(sizeof(VstMidiSysexEvent)));
    EXPECT_EQ(seen.deltaFrames, 3);
    EXPECT_EQ(seen.dumpBytes, 3);
    EXPECT_EQ(seen.sysexDump, dump);
}

TEST_F(HostServicesTest, SetupCallsChangeTheRecord)
{
    EXPECT_EQ(vestSetNumInputs(vest, 4), 1);
    EXPECT_EQ(vestSetNumOutputs(vest, 6), 1);
    EXPECT_EQ(vestSetInitialDelay(vest, 64), 1);
    EXPECT_EQ(vestSetUniqueID(vest, 9), 1);
    EXPECT_EQ(vestSetIsSynth(vest, true), 1);
    EXPECT_EQ(vestGetNumInputs(vest), 4);
    EXPECT_EQ(vestGetNumOutputs(vest), 6);
    const AEffect* record = vestGetAeffect(vest);
    EXPECT_EQ(record->initialDelay, 64);
    EXPECT_EQ(record->uniqueID, 9);
    EXPECT_TRUE(record->flags & effFlagsIsSynth);
    EXPECT_EQ(vestProgramsAreChunks(vest, false), 1);
    EXPECT_FALSE(record->flags & effFlagsProgramChunks);
    EXPECT_EQ(vestGetEffect(vest), effect);
}

TEST_F(HostServicesTest, AutomationSetsTheParameterAndTellsTheHost)
{
    EXPECT_EQ(vestSetParameterAutomated(vest, ProbeEffect::kSpeed, 1.0), 1);
    EXPECT_EQ(slider(ProbeEffect::kSpeed), 2.0);
    ASSERT_FALSE(host.requests.empty());
    EXPECT_EQ(host.requests.back().opcode, audioMasterAutomate);
    EXPECT_EQ(host.requests.back().index, ProbeEffect::kSpeed);
}

TEST_F(HostServicesTest, HostIdentificationIsAsked)
{
    host.answers[audioMasterGetVendorVersion] = 3;
    host.answers[audioMasterGetLanguage] = 2;
    host.answers[audioMasterVersion] = 0;
    host.answers[audioMasterCurrentId] = 6248;
    char text[64] = "";
    EXPECT_FALSE(vestGetHostVendorString(vest, text));
    EXPECT_FALSE(vestGetHostProductString(vest, text));
    EXPECT_EQ(vestGetHostVendorVersion(vest), 3);
    EXPECT_EQ(vestGetHostLanguage(vest), 2);
    EXPECT_EQ(vestGetMasterVersion(vest), 1);
    EXPECT_EQ(vestGetCurrentUniqueId(vest), 6248);
    EXPECT_EQ(vestMasterIdle(vest), 1);
    EXPECT_EQ(host.requests.back().opcode, audioMasterIdle);
    EXPECT_TRUE(vestUpdateDisplay(vest) == false);
}

TEST(HostServicesWithoutPluginTest, EveryServiceAnswersItsFailureValue)
{
    double value = 5;
    int32_t a = 5, b = 5, c = 5, d = 5;
    char text[4] = "abc";
    EXPECT_EQ(vestGetAeffect(nullptr), nullptr);
    EXPECT_EQ(vestGetEffect(nullptr), nullptr);
    EXPECT_EQ(vestGetNumInputs(nullptr), 0);
    EXPECT_EQ(vestGetNumOutputs(nullptr), 0);
    EXPECT_EQ(vestSetNumInputs(nullptr, 2), 0);
    EXPECT_EQ(vestSetNumOutputs(nullptr, 2), 0);
    EXPECT_EQ(vestSetUniqueID(nullptr, 2), 0);
    EXPECT_EQ(vestProgramsAreChunks(nullptr, true), 0);
    EXPECT_EQ(vestSetInitialDelay(nullptr, 2), 0);
    EXPECT_EQ(vestSetIsSynth(nullptr, true), 0);
    EXPECT_EQ(vestGetSampleRate(nullptr), 0.0f);
    EXPECT_EQ(vestGetBlockSize(nullptr), 0);
    EXPECT_EQ(vestGetTempo(nullptr), 0.0);
    EXPECT_EQ(vestIsRecording(nullptr), 0);
    EXPECT_EQ(vestIsPlaying(nullptr), 0);
    EXPECT_EQ(vestGetPpqPos(nullptr), 0.0);
    EXPECT_EQ(vestGetBarStartPos(nullptr), 0.0);
    EXPECT_EQ(vestGetTempoAndTimeSig(nullptr, &value, &value, &value), 0);
    EXPECT_FALSE(vestUpdateDisplay(nullptr));
    EXPECT_EQ(vestSetParameterAutomated(nullptr, 0, 1.0), 0);
    EXPECT_FALSE(vestSendMidiEvent(nullptr, 0, 0x90, 1, 2));
    EXPECT_FALSE(vestSendMidiSysex(nullptr, 0, text, 3));
    EXPECT_EQ(vestReceiveMidiEvent(nullptr, &a, &b, &c, &d), 0);
    EXPECT_FALSE(vestGetHostVendorString(nullptr, text));
    EXPECT_FALSE(vestGetHostProductString(nullptr, text));
    EXPECT_EQ(vestGetHostVendorVersion(nullptr), 0);
    EXPECT_EQ(vestGetHostLanguage(nullptr), 0);
    EXPECT_EQ(vestGetMasterVersion(nullptr), 0);
    EXPECT_EQ(vestGetCurrentUniqueId(nullptr), 0);
    EXPECT_EQ(vestMasterIdle(nullptr), 0);
    EXPECT_EQ(vestGetEditorSize(nullptr, &a, &b), 0);
    EXPECT_EQ(vestRedraw(nullptr), 0);
    EXPECT_EQ(value, 5);
    EXPECT_STREQ(text, "abc");
}

#ifdef _WIN32
TEST_F(HostServicesTest, TheEditorHasItsSizeFromInitButNoRedrawWhileClosed)
{
    int32_t width = -1, height = -1;
    EXPECT_EQ(vestGetEditorSize(vest, &width, &height), 1);
    EXPECT_EQ(width, 700);
    EXPECT_EQ(height, 300);
    EXPECT_EQ(vestRedraw(vest), 0);
    // One editor per plug-in: a second one is refused.
    AEffEditor* editor = vest->getEditor();
    EXPECT_EQ(vestCreateEditor(vest, 10, 10), 0);
    EXPECT_EQ(vest->getEditor(), editor);
    EXPECT_EQ(vestCreateEditor(nullptr, 10, 10), 0);
}
#else
TEST_F(HostServicesTest, WithoutAWindowSystemThereIsNoEditorSizeAndNoRedraw)
{
    int32_t width = -1, height = -1;
    EXPECT_EQ(vestCreateEditor(vest, 700, 300), 0);
    EXPECT_EQ(vestGetEditorSize(vest, &width, &height), 0);
    EXPECT_EQ(vestRedraw(vest), 0);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(height, -1);
}
#endif

} // namespace
