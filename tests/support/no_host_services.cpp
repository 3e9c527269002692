// The shell's host and editor services as they answer when the effect has no
// plug-in object: every one does nothing and gives its failure value. With
// the drawing stand-ins (no_screen_services.cpp) it lets the audio path run
// as in a plug-in that no host has attached yet, without the bookkeeping of
// the recording services (which allocates per call).
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
