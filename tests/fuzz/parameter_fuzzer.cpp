// Fuzz target: parameter setting and the parameter texts. The input is a
// list of host actions: parameter values of any bits for any index, slider
// values of any bits restored through the chunk, program names, audio
// blocks, re-opening and resuming. After each action every parameter reads
// back what a model of the host's view says, finite and within 0..1, and
// its texts are terminated within the buffer the plug-in promises to keep to.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "callbacks.h"
#include "effect_invariants.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_plugin.h"

namespace {

constexpr float kSampleRate = 44100.0f;
constexpr VstInt32 kBlockFrames = 256;

// The three parameters: name and largest value (minimum 0, step 1).
struct Parameter {
    const char* name;
    double maximum;
};
constexpr Parameter kParameters[kParameterCount] = {
    {"TOV AutoWidth", 1.0},
    {"TOV AutoSpeed", 2.0},
    {"TOV AutoDepth", 2.0},
};

// Indices a host may send: mostly the parameters, and those just or far
// outside them.
constexpr VstInt32 kIndices[] = {0, 1, 2, 0, 1, 2, -1, 3, 128, INT32_MIN, INT32_MAX};

enum Action : uint8_t {
    kSetParameter,
    kRestoreSliders,
    kSetProgramName,
    kProcessBlock,
    kReopen,
    kResume,
    kActionCount
};

// The slider values as the host's actions left them, and the program name
// as the host reads it back: no more than its buffer holds.
struct Model {
    std::array<double, kParameterCount> sliders{};
    std::string programName = std::string("TOLVARINE - SkaldoVerix - (20200928)").substr(0, kVstMaxProgNameLen - 1);
};

// The plug-in's answer for a normalised value: finite and within 0..1.
float normalised(double slider, double maximum)
{
    const double value = slider / maximum;
    if (!(value > 0.0))
        return 0.0f;
    return value < 1.0 ? static_cast<float>(value) : 1.0f;
}

std::string displayOf(double slider)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f", slider);
    return std::string(text).substr(0, kParameterTextBytes - 1);
}

// A host value for parameter i: not finite changes nothing, outside 0..1
// counts as 0 or 1, then it is stepped; a change below 0.00001 is none.
void setInModel(Model& model, std::size_t i, float value)
{
    if (!std::isfinite(value))
        return;
    const double n = std::clamp(static_cast<double>(value), 0.0, 1.0);
    const double stepped = std::floor(kParameters[i].maximum * n + 0.5);
    const double change = stepped - model.sliders[i];
    if (!(-0.00001 < change && change < 0.00001))
        model.sliders[i] = stepped;
}

void checkAgainstModel(FuzzPlugin& plugin, const Model& model)
{
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const auto index = static_cast<VstInt32>(i);
        FUZZ_CHECK(plugin.getParameter(index) == normalised(model.sliders[i], kParameters[i].maximum));
        FUZZ_CHECK(plugin.parameterText(effGetParamDisplay, index) == displayOf(model.sliders[i]));
        FUZZ_CHECK(plugin.parameterText(effGetParamName, index) == kParameters[i].name);
        FUZZ_CHECK(plugin.parameterText(effGetParamLabel, index).empty());
    }
    checkParameterReads(plugin);

    std::vector<char> name(kVstMaxProgNameLen, '\x7f');
    plugin.dispatch(effGetProgramName, 0, 0, name.data());
    FUZZ_CHECK(std::memchr(name.data(), '\0', name.size()) != nullptr);
    FUZZ_CHECK(model.programName == name.data());
}

void restoreSliders(FuzzPlugin& plugin, Model& model, FuzzInput& input)
{
    ParameterValues values{};
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        values[i] = input.take<float>();
        model.sliders[i] = values[i];
    }
    plugin.restoreParameters(values);
}

void setProgramName(FuzzPlugin& plugin, Model& model, FuzzInput& input)
{
    const std::size_t length = std::min<std::size_t>(input.byte(), input.remaining());
    std::vector<char> text(input.rest(), input.rest() + length);
    for (std::size_t i = 0; i < length; ++i)
        input.byte();
    text.push_back('\0');
    plugin.dispatch(effSetProgramName, 0, 0, text.data());
    model.programName = std::string(text.data()).substr(0, kVstMaxProgNameLen - 1);
}

void processBlock(FuzzPlugin& plugin, FuzzInput& input)
{
    const auto frames = static_cast<std::size_t>(input.byte()) % (kBlockFrames + 1);
    StereoBlock<float> block(frames, true);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        block.fill(0, frame, std::sin(static_cast<float>(frame) * 0.1f));
        block.fill(1, frame, -0.5f * std::sin(static_cast<float>(frame) * 0.07f));
    }
    block.process(plugin, static_cast<VstInt32>(frames));
    checkBlockOutput(block, frames, plugin.effect());
    checkEffectState(plugin.effect());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    FuzzPlugin plugin(kSampleRate, kBlockFrames);
    Model model;
    checkAgainstModel(plugin, model);
    while (input.remaining() > 0) {
        switch (input.byte() % kActionCount) {
        case kSetParameter: {
            const VstInt32 index = kIndices[input.byte() % std::size(kIndices)];
            const float value = input.take<float>();
            plugin.setParameter(index, value);
            if (index >= 0 && static_cast<std::size_t>(index) < kParameterCount)
                setInModel(model, static_cast<std::size_t>(index), value);
            break;
        }
        case kRestoreSliders:
            restoreSliders(plugin, model, input);
            break;
        case kSetProgramName:
            setProgramName(plugin, model, input);
            break;
        case kProcessBlock:
            processBlock(plugin, input);
            break;
        case kReopen:
            plugin.dispatch(effOpen);
            break;
        case kResume:
            plugin.dispatch(effMainsChanged, 0, 0);
            plugin.dispatch(effMainsChanged, 0, 1);
            break;
        }
        checkAgainstModel(plugin, model);
    }
    return 0;
}
