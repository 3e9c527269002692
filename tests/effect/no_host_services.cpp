// The shell's service functions as they answer when the effect has no
// plug-in object: every one does nothing and gives its failure value. It lets
// the audio path run as in a plug-in that no host has attached yet, without
// the bookkeeping of the recording services (which allocates per call).
#include <cstdint>

#include "services.h"

AEffect* vestGetAeffect(CVeST*)
{
    return {};
}
TZarkune* vestGetEffect(CVeST*)
{
    return {};
}
int32_t vestGetNumInputs(CVeST*)
{
    return {};
}
int32_t vestGetNumOutputs(CVeST*)
{
    return {};
}
int32_t vestSetNumInputs(CVeST*, int32_t)
{
    return {};
}
int32_t vestSetNumOutputs(CVeST*, int32_t)
{
    return {};
}
int32_t vestSetUniqueID(CVeST*, int32_t)
{
    return {};
}
int32_t vestProgramsAreChunks(CVeST*, bool)
{
    return {};
}
int32_t vestSetInitialDelay(CVeST*, int32_t)
{
    return {};
}
int32_t vestSetIsSynth(CVeST*, bool)
{
    return {};
}
float vestGetSampleRate(CVeST*)
{
    return {};
}
int32_t vestGetBlockSize(CVeST*)
{
    return {};
}
double vestGetTempo(CVeST*)
{
    return {};
}
int32_t vestIsRecording(CVeST*)
{
    return {};
}
int32_t vestIsPlaying(CVeST*)
{
    return {};
}
double vestGetPpqPos(CVeST*)
{
    return {};
}
double vestGetBarStartPos(CVeST*)
{
    return {};
}
int32_t vestGetTempoAndTimeSig(CVeST*, double*, double*, double*)
{
    return {};
}
bool vestUpdateDisplay(CVeST*)
{
    return {};
}
int32_t vestSetParameterAutomated(CVeST*, int32_t, double)
{
    return {};
}
bool vestSendMidiEvent(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return {};
}
bool vestSendMidiSysex(CVeST*, int32_t, char*, int32_t)
{
    return {};
}
int32_t vestReceiveMidiEvent(CVeST*, int32_t*, int32_t*, int32_t*, int32_t*)
{
    return {};
}
bool vestGetHostVendorString(CVeST*, char*)
{
    return {};
}
bool vestGetHostProductString(CVeST*, char*)
{
    return {};
}
int32_t vestGetHostVendorVersion(CVeST*)
{
    return {};
}
int32_t vestGetHostLanguage(CVeST*)
{
    return {};
}
int32_t vestGetMasterVersion(CVeST*)
{
    return {};
}
int32_t vestGetCurrentUniqueId(CVeST*)
{
    return {};
}
int32_t vestMasterIdle(CVeST*)
{
    return {};
}
int32_t vestSetDrawMode(CVeST*, int32_t)
{
    return {};
}
int32_t vestSetFontColor(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return {};
}
int32_t vestSetFillColor(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return {};
}
int32_t vestSetFrameColor(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return {};
}
double vestGetStringWidth(CVeST*, const char*)
{
    return {};
}
int32_t vestGetFontSize(CVeST*)
{
    return {};
}
int32_t vestSetFont(CVeST*, const char*, int32_t, int32_t)
{
    return {};
}
int32_t vestMoveTo(CVeST*, double, double)
{
    return {};
}
int32_t vestLineTo(CVeST*, double, double)
{
    return {};
}
int32_t vestDrawRect(CVeST*, double, double, double, double, int32_t)
{
    return {};
}
int32_t vestDrawEllipse(CVeST*, double, double, double, double, int32_t)
{
    return {};
}
int32_t vestDrawArc(CVeST*, double, double, double, double, double, double, int32_t)
{
    return {};
}
int32_t vestDrawString(CVeST*, const char*, double, double, double, double, bool, int32_t)
{
    return {};
}
int32_t vestDrawStringAt(CVeST*, const char*, double, double, bool)
{
    return {};
}
int32_t vestDrawStringInRect(CVeST*, const char*, double, double, double, double, int32_t, bool)
{
    return {};
}
int32_t vestDrawPoint(CVeST*, double, double, int32_t, int32_t, int32_t, int32_t)
{
    return {};
}
int32_t vestGetPointColor(CVeST*, double, double, int32_t*, int32_t*, int32_t*, int32_t*)
{
    return {};
}
VestBitmapHandle* vestNewBitmap()
{
    return {};
}
int32_t vestDeleteBitmap(VestBitmapHandle*)
{
    return {};
}
int32_t vestLoadBitmapFile(VestBitmapHandle*, const char*)
{
    return {};
}
int32_t vestLoadBitmapResource(VestBitmapHandle*, const char*)
{
    return {};
}
int32_t vestLoadBitmapResourceId(VestBitmapHandle*, int32_t)
{
    return {};
}
double vestGetBitmapWidth(VestBitmapHandle*)
{
    return {};
}
double vestGetBitmapHeight(VestBitmapHandle*)
{
    return {};
}
int32_t vestGetBitmapTransparentColor(VestBitmapHandle*, int32_t*, int32_t*, int32_t*, int32_t*)
{
    return {};
}
int32_t vestSetBitmapTransparentColor(VestBitmapHandle*, int32_t, int32_t, int32_t, int32_t)
{
    return {};
}
int32_t vestGetBitmapNoAlpha(VestBitmapHandle*)
{
    return {};
}
int32_t vestSetBitmapNoAlpha(VestBitmapHandle*, bool)
{
    return {};
}
bool vestDrawBitmap(VestBitmapHandle*, CVeST*, double, double, double, double, double, double)
{
    return {};
}
bool vestDrawBitmapAlpha(VestBitmapHandle*, CVeST*, double, double, double, double, double, double, uint8_t)
{
    return {};
}
bool vestDrawBitmapTransparent(VestBitmapHandle*, CVeST*, double, double, double, double, double, double)
{
    return {};
}
int32_t vestCreateEditor(CVeST*, int32_t, int32_t)
{
    return {};
}
int32_t vestGetEditorSize(CVeST*, int32_t*, int32_t*)
{
    return {};
}
int32_t vestRedraw(CVeST*)
{
    return {};
}
