#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "recording_services.h"

using vest_testing::BitmapImage;
using vest_testing::CallArgument;
using vest_testing::MidiEvent;
using vest_testing::RecordingServices;

namespace {

class Recorder : public ::testing::Test {
protected:
    Recorder() : services(RecordingServices::instance()) { services.reset(); }
    ~Recorder() override { services.reset(); }

    RecordingServices& services;
    CVeST* const plugin = RecordingServices::fakePlugin();
};

// Answers that differ from every failure value, so that a failure shows.
void scriptLiveAnswers(vest_testing::ServiceAnswers& a)
{
    static int token;
    a.aeffect = reinterpret_cast<AEffect*>(&token);
    a.effect = reinterpret_cast<TZarkune*>(&token);
    a.numInputs = a.numOutputs = 2;
    a.sampleRate = 44100.0f;
    a.blockSize = 512;
    a.tempo = 120.0;
    a.ppqPos = 4.5;
    a.barStartPos = 4.0;
    a.transportFlags = 2 | 8;
    a.hostVendor = a.hostProduct = "Host";
    a.hostVendorVersion = a.hostLanguage = a.masterVersion = a.currentUniqueId = 7;
    a.incomingMidi = {MidiEvent{0, 0x90, 60, 100}};
    a.drawing = true;
    a.charWidth = 6.0;
    a.fontSize = 11;
    a.hasEditor = a.editorViewOpen = true;
    a.editorWidth = 700;
    a.editorHeight = 300;
}

struct PluginFunction {
    const char* name;
    std::function<double(CVeST*)> call; // the answer as a number
};

double pointerAnswer(const void* pointer)
{
    return pointer ? 1.0 : 0.0;
}

const std::vector<PluginFunction>& pluginFunctions()
{
    static int32_t i[4];
    static double d[3];
    static char text[64];
    static const std::vector<PluginFunction> functions = {
        {"vestGetAeffect", [](CVeST* v) { return pointerAnswer(vestGetAeffect(v)); }},
        {"vestGetEffect", [](CVeST* v) { return pointerAnswer(vestGetEffect(v)); }},
        {"vestGetNumInputs", [](CVeST* v) { return vestGetNumInputs(v); }},
        {"vestGetNumOutputs", [](CVeST* v) { return vestGetNumOutputs(v); }},
        {"vestSetNumInputs", [](CVeST* v) { return vestSetNumInputs(v, 2); }},
        {"vestSetNumOutputs", [](CVeST* v) { return vestSetNumOutputs(v, 2); }},
        {"vestSetUniqueID", [](CVeST* v) { return vestSetUniqueID(v, 6248); }},
        {"vestProgramsAreChunks", [](CVeST* v) { return vestProgramsAreChunks(v, true); }},
        {"vestSetInitialDelay", [](CVeST* v) { return vestSetInitialDelay(v, 10); }},
        {"vestSetIsSynth", [](CVeST* v) { return vestSetIsSynth(v, false); }},
        {"vestGetSampleRate", [](CVeST* v) { return vestGetSampleRate(v); }},
        {"vestGetBlockSize", [](CVeST* v) { return vestGetBlockSize(v); }},
        {"vestGetTempo", [](CVeST* v) { return vestGetTempo(v); }},
        {"vestIsRecording", [](CVeST* v) { return vestIsRecording(v); }},
        {"vestIsPlaying", [](CVeST* v) { return vestIsPlaying(v); }},
        {"vestGetPpqPos", [](CVeST* v) { return vestGetPpqPos(v); }},
        {"vestGetBarStartPos", [](CVeST* v) { return vestGetBarStartPos(v); }},
        {"vestGetTempoAndTimeSig", [](CVeST* v) { return vestGetTempoAndTimeSig(v, &d[0], &d[1], &d[2]); }},
        {"vestUpdateDisplay", [](CVeST* v) { return vestUpdateDisplay(v); }},
        {"vestSetParameterAutomated", [](CVeST* v) { return vestSetParameterAutomated(v, 0, 0.5); }},
        {"vestSendMidiEvent", [](CVeST* v) { return vestSendMidiEvent(v, 0, 0x90, 60, 100); }},
        {"vestSendMidiSysex", [](CVeST* v) { return vestSendMidiSysex(v, 0, text, 4); }},
        {"vestReceiveMidiEvent", [](CVeST* v) { return vestReceiveMidiEvent(v, &i[0], &i[1], &i[2], &i[3]); }},
        {"vestGetHostVendorString", [](CVeST* v) { return vestGetHostVendorString(v, text); }},
        {"vestGetHostProductString", [](CVeST* v) { return vestGetHostProductString(v, text); }},
        {"vestGetHostVendorVersion", [](CVeST* v) { return vestGetHostVendorVersion(v); }},
        {"vestGetHostLanguage", [](CVeST* v) { return vestGetHostLanguage(v); }},
        {"vestGetMasterVersion", [](CVeST* v) { return vestGetMasterVersion(v); }},
        {"vestGetCurrentUniqueId", [](CVeST* v) { return vestGetCurrentUniqueId(v); }},
        {"vestMasterIdle", [](CVeST* v) { return vestMasterIdle(v); }},
        {"vestSetDrawMode", [](CVeST* v) { return vestSetDrawMode(v, 3); }},
        {"vestSetFontColor", [](CVeST* v) { return vestSetFontColor(v, 1, 2, 3, 4); }},
        {"vestSetFillColor", [](CVeST* v) { return vestSetFillColor(v, 1, 2, 3, 4); }},
        {"vestSetFrameColor", [](CVeST* v) { return vestSetFrameColor(v, 1, 2, 3, 4); }},
        {"vestGetStringWidth", [](CVeST* v) { return vestGetStringWidth(v, "abc"); }},
        {"vestGetFontSize", [](CVeST* v) { return vestGetFontSize(v); }},
        {"vestSetFont", [](CVeST* v) { return vestSetFont(v, "Courier New", 11, 0); }},
        {"vestMoveTo", [](CVeST* v) { return vestMoveTo(v, 1, 2); }},
        {"vestLineTo", [](CVeST* v) { return vestLineTo(v, 1, 2); }},
        {"vestDrawRect", [](CVeST* v) { return vestDrawRect(v, 1, 2, 3, 4, 1); }},
        {"vestDrawEllipse", [](CVeST* v) { return vestDrawEllipse(v, 1, 2, 3, 4, 1); }},
        {"vestDrawArc", [](CVeST* v) { return vestDrawArc(v, 1, 2, 3, 4, 0, 90, 0); }},
        {"vestDrawString", [](CVeST* v) { return vestDrawString(v, "a", 1, 2, 3, 4, false, 0); }},
        {"vestDrawStringAt", [](CVeST* v) { return vestDrawStringAt(v, "a", 1, 2, true); }},
        {"vestDrawStringInRect", [](CVeST* v) { return vestDrawStringInRect(v, "a", 1, 2, 3, 4, 1, true); }},
        {"vestDrawPoint", [](CVeST* v) { return vestDrawPoint(v, 1, 2, 255, 0, 0, 255); }},
        {"vestGetPointColor", [](CVeST* v) { return vestGetPointColor(v, 1, 2, &i[0], &i[1], &i[2], &i[3]); }},
        {"vestDrawBitmap",
         [](CVeST* v) {
             RecordingServices::instance().answers.resourceIds[1] = BitmapImage{10, 10};
             VestBitmapHandle* bitmap = vestNewBitmap();
             vestLoadBitmapResourceId(bitmap, 1);
             const bool drawn = vestDrawBitmap(bitmap, v, 0, 0, 10, 10, 0, 0);
             vestDeleteBitmap(bitmap);
             return drawn ? 1.0 : 0.0;
         }},
        {"vestCreateEditor",
         [](CVeST* v) {
             RecordingServices::instance().answers.hasEditor = false;
             return vestCreateEditor(v, 700, 300);
         }},
        {"vestGetEditorSize", [](CVeST* v) { return vestGetEditorSize(v, &i[0], &i[1]); }},
        {"vestRedraw", [](CVeST* v) { return vestRedraw(v); }},
    };
    return functions;
}

TEST_F(Recorder, EveryPluginFunctionAnswersItsFailureValueForANullPluginAndIsRecorded)
{
    for (const PluginFunction& function : pluginFunctions()) {
        services.reset();
        scriptLiveAnswers(services.answers);
        EXPECT_NE(function.call(plugin), 0.0) << function.name << " with a live plug-in";
        scriptLiveAnswers(services.answers);
        services.clear();
        EXPECT_EQ(function.call(nullptr), 0.0) << function.name << " with a null plug-in";
        EXPECT_EQ(services.count(function.name), 1u) << function.name;
    }
    EXPECT_EQ(services.liveBitmaps(), 0);
}

TEST_F(Recorder, CallsReadAsWrittenWithoutThePluginObject)
{
    vestSetFont(plugin, "Courier New", 11, 0);
    vestDrawRect(plugin, 0.5, 1, 2.25, 1e-7, 1);
    vestDrawString(plugin, "AUTO", 280, 248, 304, 263, false, 0);
    vestGetEditorSize(plugin, nullptr, nullptr);
    ASSERT_EQ(services.calls().size(), 4u);
    EXPECT_EQ(services.calls()[0].text(), "vestSetFont(\"Courier New\", 11, 0)");
    EXPECT_EQ(services.calls()[1].text(), "vestDrawRect(0.5, 1, 2.25, 1e-07, 1)");
    EXPECT_EQ(services.calls()[2].text(), "vestDrawString(\"AUTO\", 280, 248, 304, 263, 0, 0)");
    EXPECT_EQ(services.calls()[3].text(), "vestGetEditorSize(null, null)");
    EXPECT_EQ(services.calls()[0].plugin, plugin);
    EXPECT_EQ(services.calls()[1].arguments[4], CallArgument(int32_t{1}));
}

TEST_F(Recorder, DrawingWorksOnlyWhileADrawContextIsCurrent)
{
    services.answers.charWidth = 6.0;
    EXPECT_EQ(vestMoveTo(plugin, 1, 2), 0);
    EXPECT_EQ(vestGetStringWidth(plugin, "abc"), 0.0);
    services.answers.drawing = true;
    EXPECT_EQ(vestMoveTo(plugin, 1, 2), 1);
    EXPECT_EQ(vestGetStringWidth(plugin, "abc"), 18.0);
}

TEST_F(Recorder, ARefusedFontFaceIsRecordedAndAnswersZero)
{
    services.answers.drawing = true;
    services.answers.refusedFontFaces = {"Courier New"};
    EXPECT_EQ(vestSetFont(plugin, "Courier New", 11, 0), 0);
    EXPECT_EQ(vestSetFont(plugin, "verdana", 11, 0), 1);
    EXPECT_EQ(services.count("vestSetFont"), 2u);
}

TEST_F(Recorder, BitmapHandlesLoadWhatTheSourcesHoldAndAreCounted)
{
    services.answers.resourceIds[0] = BitmapImage{99.0, 99.0};
    services.answers.resourceIds[3] = BitmapImage{0.0, 20.0};
    services.answers.imageFiles["C:\\fx\\logo.png"] = BitmapImage{10.7, 20.2};

    VestBitmapHandle* bitmap = vestNewBitmap();
    EXPECT_EQ(services.liveBitmaps(), 1);
    EXPECT_EQ(vestGetBitmapWidth(bitmap), 0.0);
    EXPECT_EQ(vestLoadBitmapResourceId(bitmap, 0), 1);
    EXPECT_EQ(vestGetBitmapWidth(bitmap), 99.0);
    EXPECT_EQ(vestLoadBitmapResourceId(bitmap, 3), 0); // no area: fails and empties the handle
    EXPECT_EQ(vestGetBitmapHeight(bitmap), 0.0);
    EXPECT_EQ(vestLoadBitmapResource(bitmap, "missing.png"), 0);
    EXPECT_EQ(vestLoadBitmapFile(bitmap, "C:\\fx\\logo.png"), 1);
    EXPECT_EQ(vestGetBitmapWidth(bitmap), 10.0); // whole pixels
    EXPECT_EQ(vestGetBitmapHeight(bitmap), 20.0);
    EXPECT_EQ(vestSetBitmapTransparentColor(bitmap, 300, 0, 0, 255), 1);
    int32_t r = 0, g = 0, b = 0, a = 0;
    EXPECT_EQ(vestGetBitmapTransparentColor(bitmap, &r, &g, &b, &a), 1);
    EXPECT_EQ(r, 44);
    EXPECT_FALSE(vestDrawBitmap(bitmap, plugin, 0, 0, 10, 10, 0, 0)); // not drawing
    services.answers.drawing = true;
    EXPECT_TRUE(vestDrawBitmap(bitmap, plugin, 0, 0, 10, 10, 0, 0));
    EXPECT_EQ(vestDeleteBitmap(bitmap), 1);
    EXPECT_EQ(services.liveBitmaps(), 0);
    EXPECT_EQ(services.callsTo("vestDeleteBitmap")[0].arguments[0], CallArgument(static_cast<const void*>(bitmap)));
}

TEST_F(Recorder, NullBitmapHandleAnswersFailureEverywhere)
{
    int32_t c[4];
    EXPECT_EQ(vestDeleteBitmap(nullptr), 0);
    EXPECT_EQ(vestLoadBitmapFile(nullptr, "a.png"), 0);
    EXPECT_EQ(vestLoadBitmapResource(nullptr, "a"), 0);
    EXPECT_EQ(vestLoadBitmapResourceId(nullptr, 0), 0);
    EXPECT_EQ(vestGetBitmapWidth(nullptr), 0.0);
    EXPECT_EQ(vestGetBitmapHeight(nullptr), 0.0);
    EXPECT_EQ(vestGetBitmapTransparentColor(nullptr, &c[0], &c[1], &c[2], &c[3]), 0);
    EXPECT_EQ(vestSetBitmapTransparentColor(nullptr, 1, 2, 3, 4), 0);
    EXPECT_EQ(vestGetBitmapNoAlpha(nullptr), 0);
    EXPECT_EQ(vestSetBitmapNoAlpha(nullptr, true), 0);
    services.answers.drawing = true;
    EXPECT_FALSE(vestDrawBitmap(nullptr, plugin, 0, 0, 1, 1, 0, 0));
    EXPECT_FALSE(vestDrawBitmapAlpha(nullptr, plugin, 0, 0, 1, 1, 0, 0, 128));
    EXPECT_FALSE(vestDrawBitmapTransparent(nullptr, plugin, 0, 0, 1, 1, 0, 0));
    EXPECT_EQ(services.calls().size(), 13u);
}

TEST_F(Recorder, WithoutTimeInfoEveryTimeQueryAnswersZeroAndWritesNothing)
{
    services.answers.hasTimeInfo = false;
    services.answers.tempo = 120.0;
    services.answers.transportFlags = 2 | 8;
    double tempo = -1.0;
    EXPECT_EQ(vestGetTempo(plugin), 0.0);
    EXPECT_EQ(vestIsPlaying(plugin), 0);
    EXPECT_EQ(vestIsRecording(plugin), 0);
    EXPECT_EQ(vestGetTempoAndTimeSig(plugin, &tempo, nullptr, nullptr), 0);
    EXPECT_EQ(tempo, -1.0);
}

TEST_F(Recorder, TimeSignatureIsWrittenOnlyThroughGivenPointers)
{
    services.answers.tempo = 96.0;
    services.answers.timeSigNumerator = 7;
    services.answers.timeSigDenominator = 8;
    double tempo = 0.0, numerator = 0.0, denominator = 0.0;
    EXPECT_EQ(vestGetTempoAndTimeSig(plugin, &tempo, nullptr, nullptr), 1);
    EXPECT_EQ(tempo, 96.0);
    EXPECT_EQ(vestGetTempoAndTimeSig(plugin, nullptr, &numerator, &denominator), 1);
    EXPECT_EQ(numerator, 7.0);
    EXPECT_EQ(denominator, 8.0);
}

TEST_F(Recorder, ReceivedMidiBytesArriveWidenedWithTheirSign)
{
    services.answers.incomingMidi = {MidiEvent{5, 0x90, 60, 100}};
    int32_t delta = -1, status = -1, data1 = -1, data2 = -1;
    EXPECT_EQ(vestReceiveMidiEvent(plugin, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(delta, 5);
    EXPECT_EQ(status, -112);
    EXPECT_EQ(data1, 60);
    EXPECT_EQ(data2, 100);
    EXPECT_EQ(vestReceiveMidiEvent(plugin, &delta, &status, &data1, &data2), 0);
    EXPECT_EQ(delta + status + data1 + data2, 0);
}

TEST_F(Recorder, EditorIsMadeOnceAndRedrawNeedsItsViewOpen)
{
    EXPECT_EQ(vestRedraw(plugin), 0);
    EXPECT_EQ(vestCreateEditor(plugin, 700, 300), 1);
    EXPECT_EQ(vestCreateEditor(plugin, 10, 10), 0);
    int32_t width = 0, height = 0;
    EXPECT_EQ(vestGetEditorSize(plugin, &width, &height), 1);
    EXPECT_EQ(width, 700);
    EXPECT_EQ(height, 300);
    EXPECT_EQ(vestRedraw(plugin), 0);
    services.answers.editorViewOpen = true;
    EXPECT_EQ(vestRedraw(plugin), 1);
}

TEST_F(Recorder, SetChannelCountsAreWhatTheGettersAnswer)
{
    vestSetNumInputs(plugin, 2);
    vestSetNumOutputs(plugin, 4);
    EXPECT_EQ(vestGetNumInputs(plugin), 2);
    EXPECT_EQ(vestGetNumOutputs(plugin), 4);
}

} // namespace
