#include "audio_effect_x.h"

#include <cmath>
#include <cstring>

namespace {

VstIntPtr answerOf(bool result)
{
    return result ? 1 : 0;
}

// The modifier of a key opcode arrives as the float opt; values that do not
// convert to an integer count as no modifier.
unsigned char modifierOf(float opt)
{
    if (!(std::fabs(opt) < 2147483647.0f))
        return 0;
    return static_cast<unsigned char>(static_cast<int32_t>(opt) & 0xFF);
}

constexpr std::size_t kArrangementHeaderBytes = 8;
constexpr std::size_t kSpeakerNameChars = 63;

} // namespace

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams)
{
}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return answerOf(canParameterBeAutomated(index));
    case effString2Parameter:
        return answerOf(string2parameter(index, text));
    case effGetProgramNameIndexed:
        return answerOf(getProgramNameIndexed(static_cast<VstInt32>(value), index, text));
    case effGetInputProperties:
        return answerOf(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
        return answerOf(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory:
        return static_cast<VstIntPtr>(static_cast<uint32_t>(getPlugCategory()));
    case effOfflineNotify:
        return answerOf(offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0));
    case effOfflinePrepare:
        return answerOf(offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
    case effOfflineRun:
        return answerOf(offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
    case effProcessVarIo:
        return answerOf(processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
        return answerOf(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                              static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBypass:
        return answerOf(setBypass(value != 0));
    case effGetEffectName:
        return text ? answerOf(getEffectName(text)) : 0;
    case effGetVendorString:
        return text ? answerOf(getVendorString(text)) : 0;
    case effGetProductString:
        return text ? answerOf(getProductString(text)) : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return text ? canDo(text) : 0;
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return answerOf(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
        return dispatchKey(opcode, index, value, opt);
    case effSetEditKnobMode:
        return editor ? answerOf(editor->setKnobMode(static_cast<VstInt32>(value))) : 0;
    case effGetMidiProgramName:
        return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
        return answerOf(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
        return answerOf(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
    case effBeginSetProgram:
        return answerOf(beginSetProgram());
    case effEndSetProgram:
        return answerOf(endSetProgram());
    case effGetSpeakerArrangement:
        return answerOf(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                              static_cast<VstSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
        return getNextShellPlugin(text);
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
        return answerOf(setPanLaw(static_cast<VstInt32>(value), opt));
    case effBeginLoadBank:
        return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
        return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
        return answerOf(setProcessPrecision(static_cast<VstInt32>(value)));
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

VstIntPtr AudioEffectX::dispatchKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt)
{
    if (!editor)
        return 0;
    VstKeyCode keyCode{};
    keyCode.character = index;
    keyCode.virt = static_cast<unsigned char>(value & 0xFF);
    keyCode.modifier = modifierOf(opt);
    return answerOf(opcode == effEditKeyDown ? editor->onKeyDown(keyCode) : editor->onKeyUp(keyCode));
}

void AudioEffectX::resume()
{
    if (cEffect.flags & effFlagsIsSynth) {
        wantEvents(1);
        return;
    }
    char capability[] = "receiveVstMidiEvent";
    if (canDo(capability) == 1)
        wantEvents(1);
}

bool AudioEffectX::beginEdit(VstInt32 index)
{
    return askHost(audioMasterBeginEdit, index);
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    return askHost(audioMasterEndEdit, index);
}

bool AudioEffectX::ioChanged()
{
    return askHost(audioMasterIOChanged);
}

double AudioEffectX::updateSampleRate()
{
    VstIntPtr answer = callHost(audioMasterGetSampleRate);
    if (answer > 0)
        sampleRate = static_cast<float>(answer);
    return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    VstInt32 answer = static_cast<VstInt32>(callHost(audioMasterGetBlockSize));
    if (answer > 0)
        blockSize = answer;
    return blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output)
{
    if (input)
        *input = nullptr;
    if (output)
        *output = nullptr;
    return false;
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
{
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
    return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::getHostVendorString(char* text)
{
    return askHost(audioMasterGetVendorString, 0, 0, text);
}

bool AudioEffectX::getHostProductString(char* text)
{
    return askHost(audioMasterGetProductString, 0, 0, text);
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 first, VstIntPtr second, void* pointer, float value)
{
    return callHost(audioMasterVendorSpecific, first, second, pointer, value);
}

VstInt32 AudioEffectX::canHostDo(char* text)
{
    return callHost(audioMasterCanDo, 0, 0, text) == 1 ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
    return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::getDirectory()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

VstPlugCategory AudioEffectX::getPlugCategory()
{
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::updateDisplay()
{
    return askHost(audioMasterUpdateDisplay);
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return askHost(audioMasterSizeWindow, width, height);
}

bool AudioEffectX::openFileSelector(VstFileSelect* fileSelect)
{
    return fileSelect && askHost(audioMasterOpenFileSelector, 0, 0, fileSelect);
}

bool AudioEffectX::closeFileSelector(VstFileSelect* fileSelect)
{
    return fileSelect && askHost(audioMasterCloseFileSelector, 0, 0, fileSelect);
}

bool AudioEffectX::getChunkFile(void* nativePath)
{
    return nativePath && askHost(audioMasterGetChunkFile, 0, 0, nativePath);
}

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 nbChannels)
{
    if (!arrangement || nbChannels < 0)
        return false;
    delete[] reinterpret_cast<char*>(*arrangement);
    const std::size_t bytes
        = kArrangementHeaderBytes + static_cast<std::size_t>(nbChannels) * sizeof(VstSpeakerProperties);
    char* block = new char[bytes]();
    *arrangement = reinterpret_cast<VstSpeakerArrangement*>(block);
    (*arrangement)->numChannels = nbChannels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement)
{
    if (!arrangement)
        return false;
    delete[] reinterpret_cast<char*>(*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from)
{
    if (!to || !from)
        return false;
    std::strncpy(to->name, from->name, kSpeakerNameChars);
    to->name[kSpeakerNameChars] = '\0';
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy(to->future, from->future, sizeof(to->future));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
    if (!from)
        return false;
    if (!deallocateArrangement(to) || !allocateArrangement(to, from->numChannels))
        return false;
    (*to)->type = from->type;
    // The records run past the declared eight for larger arrangements.
    VstSpeakerProperties* target = (*to)->speakers;
    VstSpeakerProperties* source = from->speakers;
    for (VstInt32 channel = 0; channel < from->numChannels; ++channel) {
        if (!copySpeaker(target + channel, source + channel))
            return false;
    }
    return true;
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource)
{
    return askHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline);
}

bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstInt32 option)
{
    return askHost(audioMasterOfflineWrite, 0, option, offline);
}

bool AudioEffectX::offlineStart(VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
    return askHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr);
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
    return askHost(audioMasterOfflineGetCurrentPass) ? 1 : 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
    return askHost(audioMasterOfflineGetCurrentMetaPass) ? 1 : 0;
}

void AudioEffectX::wantEvents(VstInt32 filter)
{
    callHost(audioMasterWantMidi, 0, filter);
}

VstInt32 AudioEffectX::tempoAt(VstInt32 pos)
{
    return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos));
}

VstInt32 AudioEffectX::getNumAutomatableParameters()
{
    return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization()
{
    return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::needIdle()
{
    return askHost(audioMasterNeedIdle);
}

AEffect* AudioEffectX::getPreviousPlug(VstInt32 /*input*/)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug(VstInt32 /*output*/)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}

VstInt32 AudioEffectX::willProcessReplacing()
{
    return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}

void AudioEffectX::setOutputSamplerate(float samplerate)
{
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement()
{
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement()
{
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetOutputSpeakerArrangement));
}

void* AudioEffectX::openWindow(VstWindow* window)
{
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(VstWindow* window)
{
    return askHost(audioMasterCloseWindow, 0, 0, window);
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events)
{
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}
