// The effect's identity, parameters, tables, init, slider and serialize
// sections.
#include "effect.h"

#include "services.h"
#include "value_guards.h"

namespace {

constexpr const char* kTitle = "TOLVARINE - SkaldoVerix - (20200928)";
constexpr double kVersionNumber = 20200928;

struct NumberedText {
    int32_t number;
    const char* text;
};

constexpr NumberedText kImageFiles[] = {
    {0, "TOLVARINE_LogoTealGlow_SkaldoVerix.png"},
    {1, "Working_ON_dim.png"},
    {2, "Clipping_ON.png"},
};

// The display's font face, the version prefix and the button labels.
constexpr NumberedText kStringLiterals[] = {
    {10000, "Courier New"}, {10001, "v"},    {10002, "AUTO"}, {10003, "AUTO"}, {10004, "TIME"},
    {10005, "SLOW"},        {10006, "FAST"}, {10007, "SIDE"}, {10008, "NARO"}, {10009, "WIDE"},
};

// The chunk carries slider slots 1 to 64: the parameters and the meters.
constexpr double kLastSerializedSlot = 64;

} // namespace

TZarkuneEffect::TZarkuneEffect()
{
    effectName = kTitle;
    productString = kTitle;
    programName = kTitle;
    vendorString = "TOLVARINE";
    vendorVersion = 1000;
    uniqueId = 6248;
    channelCount = 2;
    addSlider(kAutoWidth, nullptr, 0.0, 0.0, 1.0, 1.0, "", "", "TOV AutoWidth");
    addSlider(kAutoSpeed, nullptr, 0.0, 0.0, 2.0, 1.0, "", "", "TOV AutoSpeed");
    addSlider(kAutoDepth, nullptr, 0.0, 0.0, 2.0, 1.0, "", "", "TOV AutoDepth");
}

void TZarkuneEffect::reset()
{
    TZarkune::reset();
    script = EffectScriptVariables();
    for (const NumberedText& file : kImageFiles)
        fileNames[file.number] = file.text;
    for (const NumberedText& literal : kStringLiterals)
        stringAt(literal.number) = literal.text;
}

void TZarkuneEffect::doInit()
{
    frameRate = 30;
    script.colorA = 0;
    script.colorB = script.colorG = script.colorR = 0;
    script.hostSampleRate = finiteOrZero(vestGetSampleRate(vest));
    script.sampleRate = finiteOrZero(script.hostSampleRate);
    script.hostInputCount = vestGetNumInputs(vest);
    script.hostBlockSize = vestGetBlockSize(vest);
    script.hostTempo = finiteOrZero(vestGetTempo(vest));
    script.versionNumber = kVersionNumber;
    script.denormalOffset = 1e-30;
}

void TZarkuneEffect::doSlider()
{
    script.sampleRate = finiteOrZero(script.hostSampleRate);
}

void TZarkuneEffect::doSerialize()
{
    for (script.serializeIndex = 1; !(script.serializeIndex > kLastSerializedSlot); script.serializeIndex += 1) {
        double& value = sliders[static_cast<size_t>(scriptToInt32(script.serializeIndex) & 127)];
        FileSlot& stream = files[0];
        if (stream.mode == kFileWrite)
            stream.write(value);
        else
            stream.read(value);
    }
}
