#include "audio_effect.h"

#include <cmath>
#include <cstring>
#include <string>

#include "host_text.h"

namespace {

constexpr VstInt32 kNoEffectId = fourCharConstant('N', 'o', 'E', 'f');
constexpr VstInt32 kIdentifyAnswer = fourCharConstant('N', 'v', 'E', 'f');

AudioEffect* effectOf(AEffect* record)
{
    return record ? static_cast<AudioEffect*>(record->object) : nullptr;
}

VstIntPtr VSTCALLBACK dispatchEffect(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                     float opt)
{
    AudioEffect* effect = effectOf(record);
    if (!effect)
        return 0;
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        effect->deleteOnClose();
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK processEffect(AEffect* record, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (AudioEffect* effect = effectOf(record))
        effect->process(inputs, outputs, sampleFrames);
}

void VSTCALLBACK setEffectParameter(AEffect* record, VstInt32 index, float value)
{
    if (AudioEffect* effect = effectOf(record))
        effect->setParameter(index, value);
}

float VSTCALLBACK getEffectParameter(AEffect* record, VstInt32 index)
{
    AudioEffect* effect = effectOf(record);
    return effect ? effect->getParameter(index) : 0.0f;
}

void VSTCALLBACK processEffectReplacing(AEffect* record, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (AudioEffect* effect = effectOf(record))
        effect->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALLBACK processEffectDoubleReplacing(AEffect* record, double** inputs, double** outputs, VstInt32 sampleFrames)
{
    if (AudioEffect* effect = effectOf(record))
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}

std::size_t boundOf(VstInt32 maxLen)
{
    return maxLen > 0 ? static_cast<std::size_t>(maxLen) : 0;
}

// The largest integer part float2string writes, by sign: larger magnitudes
// give an empty text.
constexpr double kLargestPositive = 99999999.0;
constexpr double kLargestNegative = 9999999.0;
// Sign, integer digits and point share this budget with the fraction.
constexpr int kFloatTextBudget = 8;

char digitOf(double value)
{
    return static_cast<char>('0' + static_cast<int>(std::fmod(value, 10.0)));
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffect;
    cEffect.process = processEffect;
    cEffect.setParameter = setEffectParameter;
    cEffect.getParameter = getEffectParameter;
    cEffect.processReplacing = processEffectReplacing;
    cEffect.processDoubleReplacing = processEffectDoubleReplacing;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kNoEffectId;
    cEffect.version = 1;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    // Every opcode that writes or reads through ptr meets a null one with 0.
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms)
            setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text)
            setProgramName(text);
        return 0;
    case effGetProgramName:
        if (text)
            getProgramName(text);
        return 0;
    case effGetParamLabel:
        if (text)
            getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        if (text)
            getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        if (text)
            getParameterName(index, text);
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effEditGetRect:
        return editor && ptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor)
            editor->idle();
        return 0;
    case effIdentify:
        return kIdentifyAnswer;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        return ptr ? setChunk(ptr, static_cast<VstInt32>(value), index != 0) : 0;
    default:
        return 0;
    }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion()
{
    if (!audioMaster)
        return 1;
    VstInt32 version = static_cast<VstInt32>(callHost(audioMasterVersion));
    return version != 0 ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

bool AudioEffect::isInputConnected(VstInt32 input)
{
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output)
{
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

void AudioEffect::writeEmptyText(char* text)
{
    if (text)
        text[0] = '\0';
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen)
{
    if (value <= 0.0f)
        copyHostText(text, "-oo", boundOf(maxLen));
    else
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen)
{
    float hertz = samples != 0.0f ? getSampleRate() / samples : 0.0f;
    float2string(hertz, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen)
{
    double milliseconds = static_cast<double>(samples) * 1000.0 / static_cast<double>(getSampleRate());
    float2string(static_cast<float>(milliseconds), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
    const std::size_t bound = boundOf(maxLen);
    double v = value;
    const bool negative = v < 0.0;
    if (negative)
        v = -v;
    // Beyond the limits (and for NaN) the text is empty rather than left as
    // whatever the host's buffer held.
    if (!(v <= (negative ? kLargestNegative : kLargestPositive))) {
        copyHostText(text, "", bound);
        return;
    }

    // The integer part keeps all its digits even where they use up the
    // budget: dropping the highest ones would show a different number.
    int count = negative ? 2 : 1; // sign and point
    std::string integerDigits(1, digitOf(std::floor(v)));
    ++count;
    for (double i = std::floor(v) / 10.0; i >= 1.0; i /= 10.0) {
        integerDigits.insert(integerDigits.begin(), digitOf(i));
        ++count;
    }
    copyHostText(text, ((negative ? "-" : "") + integerDigits + ".").c_str(), bound);
    if (count >= kFloatTextBudget)
        return;

    std::string fraction(static_cast<std::size_t>(kFloatTextBudget - count), '0');
    double m = std::fmod(v, 1.0) * std::pow(10.0, kFloatTextBudget - count);
    for (auto position = fraction.rbegin(); position != fraction.rend(); ++position) {
        if (m > 0.0) {
            *position = digitOf(m);
            m /= 10.0;
        }
    }
    appendHostText(text, fraction.c_str(), bound);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
    const std::size_t bound = boundOf(maxLen);
    const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    // Both signs have the same bound, so no text grows past nine characters.
    if (magnitude > 99999999) {
        copyHostText(text, "Huge!", bound);
        return;
    }
    std::string digits = std::to_string(magnitude);
    copyHostText(text, ((value < 0 ? "-" : "") + digits).c_str(), bound);
}
