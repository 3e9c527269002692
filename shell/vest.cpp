#include "vest.h"

#include <cmath>
#include <cstring>

#include "gui/font_desc.h"

namespace {

constexpr char kMidiCapability[] = "receiveVstMidiEvent";

} // namespace

CVeST::CVeST(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams, TZarkune* effect,
             const CVeSTCallbacks& callbacks)
    : AudioEffectX(audioMaster, numPrograms, numParams), effect(effect), midiEvents(kMidiRingSize, VstMidiEvent{}),
      callbacks(callbacks)
{
}

CVeST::~CVeST()
{
    // An open editor's window paints on the host's GUI thread, which need
    // not be this one, until its frame is gone: the frame goes before the
    // fonts and the effect it draws with. The editor itself goes last.
    if (AEffEditor* openEditor = getEditor())
        openEditor->close();
    for (VSTGUI::CFontDesc*& font : fonts) {
        font->forget();
        font = nullptr;
    }
    if (callbacks.destroy)
        callbacks.destroy(this);
}

void CVeST::deleteOnClose()
{
    if (AEffEditor* openEditor = getEditor())
        openEditor->close();
    release();
}

bool CVeST::hold()
{
    int32_t current = holds.load();
    while (current > 0 && !holds.compare_exchange_weak(current, current + 1)) {}
    return current > 0;
}

void CVeST::release()
{
    if (--holds == 0)
        delete this;
}

void CVeST::open()
{
    if (callbacks.open)
        callbacks.open(this);
}

void CVeST::close()
{
    if (callbacks.close)
        callbacks.close(this);
}

void CVeST::suspend()
{
    if (callbacks.suspend)
        callbacks.suspend(this);
}

void CVeST::resume()
{
    AudioEffectX::resume();
    if (callbacks.resume)
        callbacks.resume(this);
}

void CVeST::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (callbacks.processReplacing)
        callbacks.processReplacing(this, inputs, outputs, sampleFrames);
}

void CVeST::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
    if (callbacks.processDoubleReplacing)
        callbacks.processDoubleReplacing(this, inputs, outputs, sampleFrames);
}

void CVeST::setParameter(VstInt32 index, float value)
{
    if (!callbacks.setParameter || !std::isfinite(value))
        return;
    callbacks.setParameter(this, index, value < 0.0f ? 0.0 : value > 1.0f ? 1.0 : static_cast<double>(value));
}

float CVeST::getParameter(VstInt32 index)
{
    if (!callbacks.getParameter)
        return 0.0f;
    // A restored chunk may hold any slider value; the host still gets a
    // normalised one.
    const double value = callbacks.getParameter(this, index);
    if (!(value > 0.0))
        return 0.0f;
    return value < 1.0 ? static_cast<float>(value) : 1.0f;
}

void CVeST::setProgramName(char* name)
{
    if (callbacks.setProgramName)
        callbacks.setProgramName(this, name);
}

void CVeST::getProgramName(char* name)
{
    if (callbacks.getProgramName)
        callbacks.getProgramName(this, name);
}

void CVeST::getParameterLabel(VstInt32 index, char* label)
{
    if (callbacks.getParameterLabel)
        callbacks.getParameterLabel(this, index, label);
}

void CVeST::getParameterDisplay(VstInt32 index, char* text)
{
    if (callbacks.getParameterDisplay)
        callbacks.getParameterDisplay(this, index, text);
}

void CVeST::getParameterName(VstInt32 index, char* text)
{
    if (callbacks.getParameterName)
        callbacks.getParameterName(this, index, text);
}

VstInt32 CVeST::getChunk(void** data, bool isPreset)
{
    return callbacks.getChunk ? callbacks.getChunk(this, data, isPreset) : 0;
}

VstInt32 CVeST::setChunk(void* data, VstInt32 byteSize, bool isPreset)
{
    return callbacks.setChunk ? callbacks.setChunk(this, data, byteSize, isPreset) : 0;
}

bool CVeST::getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text)
{
    return callbacks.getProgramNameIndexed && callbacks.getProgramNameIndexed(this, category, index, text) != 0;
}

VstInt32 CVeST::processEvents(VstEvents* events)
{
    if (!events)
        return 0;
    // The list runs past its declared two entries, as long as numEvents says.
    VstEvent* const* list = events->events;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = list[i];
        if (!event || event->type != kVstMidiType)
            continue;
        std::memcpy(&midiEvents[static_cast<std::size_t>(midiWriteIndex)], event, sizeof(VstMidiEvent));
        midiWriteIndex = midiWriteIndex + 1 == kMidiRingSize ? 0 : midiWriteIndex + 1;
    }
    return 1;
}

bool CVeST::getEffectName(char* name)
{
    return callbacks.getEffectName && callbacks.getEffectName(this, name) != 0;
}

bool CVeST::getVendorString(char* text)
{
    return callbacks.getVendorString && callbacks.getVendorString(this, text) != 0;
}

bool CVeST::getProductString(char* text)
{
    return callbacks.getProductString && callbacks.getProductString(this, text) != 0;
}

VstInt32 CVeST::getVendorVersion()
{
    return callbacks.getVendorVersion ? callbacks.getVendorVersion(this) : 0;
}

VstInt32 CVeST::canDo(char* text)
{
    return text && std::strcmp(text, kMidiCapability) == 0 ? 1 : -1;
}

CVeST* vestCreate(TZarkune* effect, const CVeSTCallbacks& callbacks, audioMasterCallback audioMaster,
                  int32_t numPrograms, int32_t numParams)
{
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    auto* vest = new CVeST(audioMaster, numPrograms, numParams, effect, callbacks);
    vest->AudioEffect::canProcessReplacing(true);
    vest->AudioEffect::canDoubleReplacing(true);
    if (vest->callbacks.init)
        vest->callbacks.init(vest);
    return vest;
}
