#include "callbacks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "gui/mouse_buttons.h"
#include "services.h"
#include "vest.h"
#include "vst_records.h"
#include "zarkune.h"

namespace {

// The published buffer sizes, terminator included.
constexpr std::size_t kEffectNameBytes = kVstMaxEffectNameLen;
constexpr std::size_t kVendorStringBytes = kVstMaxVendorStrLen;
constexpr std::size_t kProductStringBytes = kVstMaxProductStrLen;
constexpr std::size_t kProgramNameBytes = kVstMaxProgNameLen;
constexpr std::size_t kParameterBytes = static_cast<std::size_t>(kParameterTextBytes);

constexpr double kUnchangedTolerance = 0.00001;
// The editor's size in pixels.
constexpr int32_t kEditorWidth = 700;
constexpr int32_t kEditorHeight = 300;
constexpr double kMouseFrameRate = 30.0;

// Toolkit button bits and the runtime's mouse bits they become.
struct MouseBit {
    int32_t button;
    int32_t cap;
};
constexpr MouseBit kMouseBits[] = {
    {VSTGUI::kLButton, kMouseCapLeft}, {VSTGUI::kRButton, kMouseCapRight}, {VSTGUI::kControl, kMouseCapControl},
    {VSTGUI::kShift, kMouseCapShift},  {VSTGUI::kAlt, kMouseCapAlt},       {VSTGUI::kMButton, kMouseCapMiddle},
};

// The text and its terminator, cut to the buffer, and nothing more: hosts
// size parameter label and display buffers by the published 8 bytes, so a
// short text must not be padded out to the bound.
void copyText(char* text, const std::string& source, std::size_t bufferBytes)
{
    if (!text)
        return;
    const std::size_t length = ::strnlen(source.c_str(), bufferBytes - 1);
    std::memcpy(text, source.data(), length);
    text[length] = '\0';
}

const SliderRecord* recordAt(TZarkune* effect, int32_t index)
{
    if (!effect || index < 0 || static_cast<std::size_t>(index) >= effect->sliderRecords.size())
        return nullptr;
    return &effect->sliderRecords[static_cast<std::size_t>(index)];
}

// The record's slider value, or null for a slider number outside the values.
double* sliderOf(TZarkune* effect, const SliderRecord& record)
{
    if (record.index < 0 || record.index >= static_cast<int32_t>(effect->sliders.size()))
        return nullptr;
    return &effect->sliders[static_cast<std::size_t>(record.index)];
}

// One of the description strings into the host's buffer; 1, or 0 without
// an effect.
int32_t copyDescription(CVeST* vest, std::string CZarkuneDescription::*field, char* text, std::size_t bufferBytes)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return 0;
    copyText(text, effect->*field, bufferBytes);
    return 1;
}

int32_t mouseCapOf(int32_t buttons)
{
    int32_t cap = 0;
    for (const MouseBit& bit : kMouseBits)
        if (buttons & bit.button)
            cap |= bit.cap;
    return cap;
}

void raiseFrameRate(TZarkune* effect)
{
    effect->frameRate = std::max(kMouseFrameRate, effect->frameRate);
}

// The effect's mouse state is what the next frame is to see.
void showNextMouseState(CVeST* vest, TZarkune* effect)
{
    const MouseState& next = vest->mouseStates.next();
    effect->mouseCap = next.cap;
    effect->mouseX = next.x;
    effect->mouseY = next.y;
}

// The effect's channel count, bounded by the sample slots it travels in.
int32_t channelCountOf(TZarkune* effect)
{
    const int32_t count = vestGetNumInputs(effect->vest);
    return std::clamp(count, 0, static_cast<int32_t>(effect->samples.size()));
}

// The block section once, also for a block of no frames, then the frames
// through one call into the runtime rather than one a frame.
template <class Sample>
void processBlock(TZarkune* effect, Sample** inputs, Sample** outputs, int32_t sampleFrames, int32_t channels)
{
    effect->doBlock();
    effect->processFrames(inputs, outputs, sampleFrames, channels);
}

} // namespace

void initCallbacks(CVeSTCallbacks* callbacks)
{
    *callbacks = CVeSTCallbacks{};
    callbacks->init = callbackInit;
    callbacks->destroy = callbackDestroy;
    callbacks->open = callbackOpen;
    callbacks->suspend = callbackSuspend;
    callbacks->resume = callbackResume;
    callbacks->idle = callbackIdle;
    callbacks->close = callbackClose;
    callbacks->draw = callbackDraw;
    callbacks->onMouseDown = callbackMouseDown;
    callbacks->onMouseUp = callbackMouseUp;
    callbacks->onMouseMoved = callbackMouseMoved;
    callbacks->getVendorVersion = callbackGetVendorVersion;
    callbacks->getVendorString = callbackGetVendorString;
    callbacks->getProductString = callbackGetProductString;
    callbacks->getEffectName = callbackGetEffectName;
    callbacks->getProgramName = callbackGetProgramName;
    callbacks->setProgramName = callbackSetProgramName;
    callbacks->getProgramNameIndexed = callbackGetProgramNameIndexed;
    callbacks->getParameter = callbackGetParameter;
    callbacks->setParameter = callbackSetParameter;
    callbacks->getParameterName = callbackGetParameterName;
    callbacks->getParameterLabel = callbackGetParameterLabel;
    callbacks->getParameterDisplay = callbackGetParameterDisplay;
    callbacks->processReplacing = callbackProcessReplacing;
    callbacks->processDoubleReplacing = callbackProcessDoubleReplacing;
    callbacks->getChunk = callbackGetChunk;
    callbacks->setChunk = callbackSetChunk;
}

int32_t callbackInit(CVeST* vest)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return 0;
    vestSetNumInputs(vest, effect->channelCount);
    vestSetNumOutputs(vest, effect->channelCount);
    vestSetUniqueID(vest, effect->uniqueId);
    vestCreateEditor(vest, kEditorWidth, kEditorHeight);
    return vestProgramsAreChunks(vest, true);
}

void callbackDestroy(CVeST* vest)
{
    if (!vest)
        return;
    delete vest->effect;
    vest->effect = nullptr;
}

void callbackOpen(CVeST* vest)
{
    if (TZarkune* effect = vestGetEffect(vest))
        effect->reset();
}

void callbackSuspend(CVeST* vest)
{
    if (TZarkune* effect = vestGetEffect(vest))
        effect->suspend();
}

void callbackResume(CVeST* vest)
{
    if (TZarkune* effect = vestGetEffect(vest))
        effect->resume();
}

void callbackIdle(CVeST* vest)
{
    if (TZarkune* effect = vestGetEffect(vest))
        effect->idle();
}

void callbackClose(CVeST* vest)
{
    if (TZarkune* effect = vestGetEffect(vest))
        effect->close();
}

void callbackDraw(CVeST* vest, double /*width*/, double /*height*/)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    effect->doGfx();
    vest->mouseStates.frameDrawn();
    showNextMouseState(vest, effect);
}

void dropMouseStates(CVeST* vest)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    vest->mouseStates.drop();
    showNextMouseState(vest, effect);
}

void callbackMouseDown(CVeST* vest, double x, double y, int32_t buttons)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    vest->mouseStates.changeButtons(mouseCapOf(buttons), x, y);
    showNextMouseState(vest, effect);
    raiseFrameRate(effect);
}

void callbackMouseUp(CVeST* vest, double x, double y, int32_t /*buttons*/)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    vest->mouseStates.changeButtons(0, x, y);
    showNextMouseState(vest, effect);
    raiseFrameRate(effect);
}

void callbackMouseMoved(CVeST* vest, double x, double y, int32_t /*buttons*/)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    vest->mouseStates.move(x, y);
    showNextMouseState(vest, effect);
    raiseFrameRate(effect);
}

int32_t callbackGetVendorVersion(CVeST* vest)
{
    TZarkune* effect = vestGetEffect(vest);
    return effect ? effect->vendorVersion : 0;
}

int32_t callbackGetVendorString(CVeST* vest, char* text)
{
    return copyDescription(vest, &CZarkuneDescription::vendorString, text, kVendorStringBytes);
}

int32_t callbackGetProductString(CVeST* vest, char* text)
{
    return copyDescription(vest, &CZarkuneDescription::productString, text, kProductStringBytes);
}

int32_t callbackGetEffectName(CVeST* vest, char* text)
{
    return copyDescription(vest, &CZarkuneDescription::effectName, text, kEffectNameBytes);
}

int32_t callbackGetProgramName(CVeST* vest, char* text)
{
    return copyDescription(vest, &CZarkuneDescription::programName, text, kProgramNameBytes);
}

void callbackSetProgramName(CVeST* vest, const char* text)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect || !text)
        return;
    // The host's buffer is no larger than the name it can read back.
    effect->programName.assign(text, ::strnlen(text, kProgramNameBytes - 1));
}

int32_t callbackGetProgramNameIndexed(CVeST* /*vest*/, int32_t /*category*/, int32_t /*index*/, char* /*text*/)
{
    return 0;
}

double callbackGetParameter(CVeST* vest, int32_t index)
{
    TZarkune* effect = vestGetEffect(vest);
    const SliderRecord* record = recordAt(effect, index);
    const double* value = record ? sliderOf(effect, *record) : nullptr;
    if (!value)
        return 0.0;
    const double range = record->maximum - record->minimum;
    // A record without a range (one data file, or none) sits at its start.
    if (range == 0.0)
        return 0.0;
    return (*value - record->minimum) / range;
}

void callbackSetParameter(CVeST* vest, int32_t index, double value)
{
    TZarkune* effect = vestGetEffect(vest);
    const SliderRecord* record = recordAt(effect, index);
    double* slider = record ? sliderOf(effect, *record) : nullptr;
    if (!slider)
        return;
    const double range = record->maximum - record->minimum;
    const double unstepped = range * value + record->minimum;
    // A step that is not positive cannot quantise: the value is taken as it is.
    const double stepped
        = record->step > 0.0 ? std::floor((unstepped + 0.5 * record->step) / record->step) * record->step : unstepped;
    const double change = stepped - *slider;
    if (-kUnchangedTolerance < change && change < kUnchangedTolerance)
        return;
    *slider = stepped;
    if (record->variable)
        *record->variable = stepped;
    effect->doSlider();
}

void callbackGetParameterName(CVeST* vest, int32_t index, char* text)
{
    const SliderRecord* record = recordAt(vestGetEffect(vest), index);
    copyText(text, record ? record->name : std::string(), kParameterBytes);
}

void callbackGetParameterLabel(CVeST* vest, int32_t index, char* text)
{
    const SliderRecord* record = recordAt(vestGetEffect(vest), index);
    copyText(text, record ? record->label : std::string(), kParameterBytes);
}

void callbackGetParameterDisplay(CVeST* vest, int32_t index, char* text)
{
    TZarkune* effect = vestGetEffect(vest);
    const SliderRecord* record = recordAt(effect, index);
    const double* value = record ? sliderOf(effect, *record) : nullptr;
    if (!value) {
        copyText(text, std::string(), kParameterBytes);
        return;
    }
    const std::size_t options = record->options.size();
    if (options == 0) {
        char number[64];
        std::snprintf(number, sizeof(number), "%.2f", *value);
        copyText(text, number, kParameterBytes);
        return;
    }
    const double quotient
        = static_cast<double>(options - 1) * (*value - record->minimum) / (record->maximum - record->minimum);
    // Truncated toward zero; NaN or a quotient outside int32 gives 0.
    const bool fits = quotient > static_cast<double>(std::numeric_limits<int32_t>::min()) - 1.0
        && quotient < static_cast<double>(std::numeric_limits<int32_t>::max()) + 1.0;
    const int64_t chosen = fits ? static_cast<int32_t>(quotient) : 0;
    const int64_t last = static_cast<int64_t>(options) - 1;
    copyText(text, record->options[static_cast<std::size_t>(std::clamp<int64_t>(chosen, 0, last))], kParameterBytes);
}

void callbackProcessReplacing(CVeST* vest, float** inputs, float** outputs, int32_t sampleFrames)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    // Once per library and path: every instance has the same channel count.
    static const int32_t channels = channelCountOf(effect);
    processBlock(effect, inputs, outputs, sampleFrames, channels);
}

void callbackProcessDoubleReplacing(CVeST* vest, double** inputs, double** outputs, int32_t sampleFrames)
{
    TZarkune* effect = vestGetEffect(vest);
    if (!effect)
        return;
    static const int32_t channels = channelCountOf(effect);
    processBlock(effect, inputs, outputs, sampleFrames, channels);
}

int32_t callbackGetChunk(CVeST* vest, void** data, bool /*isPreset*/)
{
    TZarkune* effect = vestGetEffect(vest);
    return effect ? effect->getChunk(data) : 0;
}

int32_t callbackSetChunk(CVeST* vest, void* data, int32_t byteSize, bool /*isPreset*/)
{
    TZarkune* effect = vestGetEffect(vest);
    return effect ? effect->setChunk(data, byteSize) : 0;
}
