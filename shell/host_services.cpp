// The host services of services.h: the runtime's and the effect's way to the
// plug-in record and, through the SDK classes' host queries, to the host.
#include <cstring>

#include "services.h"
#include "vest.h"

namespace {

// The host's time information for the request mask, or null.
const VstTimeInfo* timeInfoOf(CVeST* vest, VstInt32 filter)
{
    return vest ? vest->getTimeInfo(filter) : nullptr;
}

// Runs a setup call on the plug-in object; 1, or 0 without one.
template <class Setup> int32_t withPlugin(CVeST* vest, Setup setup)
{
    if (!vest)
        return 0;
    setup(*vest);
    return 1;
}

bool sendEvent(CVeST* vest, VstEvent* event)
{
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = event;
    events.events[1] = nullptr;
    return vest->sendVstEventsToHost(&events);
}

} // namespace

AEffect* vestGetAeffect(CVeST* vest)
{
    return vest ? vest->getAeffect() : nullptr;
}

TZarkune* vestGetEffect(CVeST* vest)
{
    return vest ? vest->effect : nullptr;
}

int32_t vestGetNumInputs(CVeST* vest)
{
    return vest ? vest->getAeffect()->numInputs : 0;
}

int32_t vestGetNumOutputs(CVeST* vest)
{
    return vest ? vest->getAeffect()->numOutputs : 0;
}

int32_t vestSetNumInputs(CVeST* vest, int32_t count)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.setNumInputs(count); });
}

int32_t vestSetNumOutputs(CVeST* vest, int32_t count)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.setNumOutputs(count); });
}

int32_t vestSetUniqueID(CVeST* vest, int32_t id)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.setUniqueID(id); });
}

int32_t vestProgramsAreChunks(CVeST* vest, bool state)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.programsAreChunks(state); });
}

int32_t vestSetInitialDelay(CVeST* vest, int32_t samples)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.setInitialDelay(samples); });
}

int32_t vestSetIsSynth(CVeST* vest, bool state)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.isSynth(state); });
}

float vestGetSampleRate(CVeST* vest)
{
    return vest ? vest->getSampleRate() : 0.0f;
}

int32_t vestGetBlockSize(CVeST* vest)
{
    return vest ? vest->getBlockSize() : 0;
}

double vestGetTempo(CVeST* vest)
{
    const VstTimeInfo* info = timeInfoOf(vest, kVstTempoValid);
    return info ? info->tempo : 0.0;
}

int32_t vestIsRecording(CVeST* vest)
{
    const VstTimeInfo* info = timeInfoOf(vest, kVstTransportRecording);
    return info && (info->flags & kVstTransportRecording) ? 1 : 0;
}

int32_t vestIsPlaying(CVeST* vest)
{
    const VstTimeInfo* info = timeInfoOf(vest, kVstTransportPlaying);
    return info && (info->flags & kVstTransportPlaying) ? 1 : 0;
}

double vestGetPpqPos(CVeST* vest)
{
    const VstTimeInfo* info = timeInfoOf(vest, kVstPpqPosValid);
    return info ? info->ppqPos : 0.0;
}

double vestGetBarStartPos(CVeST* vest)
{
    const VstTimeInfo* info = timeInfoOf(vest, kVstBarsValid);
    return info ? info->barStartPos : 0.0;
}

int32_t vestGetTempoAndTimeSig(CVeST* vest, double* tempo, double* numerator, double* denominator)
{
    const VstTimeInfo* info = timeInfoOf(vest, kVstTempoValid | kVstTimeSigValid);
    if (!info)
        return 0;
    if (tempo)
        *tempo = info->tempo;
    if (numerator)
        *numerator = info->timeSigNumerator;
    if (denominator)
        *denominator = info->timeSigDenominator;
    return 1;
}

bool vestUpdateDisplay(CVeST* vest)
{
    return vest && vest->updateDisplay();
}

int32_t vestSetParameterAutomated(CVeST* vest, int32_t index, double value)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.setParameterAutomated(index, static_cast<float>(value)); });
}

bool vestSendMidiEvent(CVeST* vest, int32_t deltaFrames, int32_t status, int32_t data1, int32_t data2)
{
    if (!vest)
        return false;
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = deltaFrames;
    event.midiData[0] = static_cast<char>(status & 0xFF);
    event.midiData[1] = static_cast<char>(data1 & 0xFF);
    event.midiData[2] = static_cast<char>(data2 & 0xFF);
    return sendEvent(vest, reinterpret_cast<VstEvent*>(&event));
}

bool vestSendMidiSysex(CVeST* vest, int32_t deltaFrames, char* data, int32_t length)
{
    if (!vest)
        return false;
    VstMidiSysexEvent event{};
    event.type = kVstSysExType;
    event.byteSize = sizeof(VstMidiSysexEvent);
    event.deltaFrames = deltaFrames;
    event.dumpBytes = length;
    event.sysexDump = data;
    return sendEvent(vest, reinterpret_cast<VstEvent*>(&event));
}

int32_t vestReceiveMidiEvent(CVeST* vest, int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2)
{
    if (!vest)
        return 0;
    if (vest->midiReadIndex == vest->midiWriteIndex) {
        *deltaFrames = *status = *data1 = *data2 = 0;
        return 0;
    }
    const VstMidiEvent& event = vest->midiEvents[static_cast<std::size_t>(vest->midiReadIndex)];
    *deltaFrames = event.deltaFrames;
    // Each byte widened with its sign: a status byte 0x90 arrives as -112.
    *status = static_cast<signed char>(event.midiData[0]);
    *data1 = static_cast<signed char>(event.midiData[1]);
    *data2 = static_cast<signed char>(event.midiData[2]);
    vest->midiReadIndex = vest->midiReadIndex + 1 == CVeST::kMidiRingSize ? 0 : vest->midiReadIndex + 1;
    return 1;
}

bool vestGetHostVendorString(CVeST* vest, char* text)
{
    return vest && vest->getHostVendorString(text);
}

bool vestGetHostProductString(CVeST* vest, char* text)
{
    return vest && vest->getHostProductString(text);
}

int32_t vestGetHostVendorVersion(CVeST* vest)
{
    return vest ? vest->getHostVendorVersion() : 0;
}

int32_t vestGetHostLanguage(CVeST* vest)
{
    return vest ? vest->getHostLanguage() : 0;
}

int32_t vestGetMasterVersion(CVeST* vest)
{
    return vest ? vest->getMasterVersion() : 0;
}

int32_t vestGetCurrentUniqueId(CVeST* vest)
{
    return vest ? vest->getCurrentUniqueId() : 0;
}

int32_t vestMasterIdle(CVeST* vest)
{
    return withPlugin(vest, [&](CVeST& plugin) { plugin.masterIdle(); });
}
