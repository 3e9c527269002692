#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "effect_test_support.h"

namespace {

const std::string kTitle = "TOLVARINE - SkaldoVerix - (20200928)";

using EffectDefinition = OpenedEffect;

TEST_F(EffectDefinition, ConstructionGivesTheIdentity)
{
    EXPECT_EQ(effect.effectName, kTitle);
    EXPECT_EQ(kTitle.size(), 36u);
    EXPECT_EQ(effect.productString, kTitle);
    EXPECT_EQ(effect.programName, kTitle);
    EXPECT_EQ(effect.vendorString, "TOLVARINE");
    EXPECT_EQ(effect.vendorVersion, 1000);
    EXPECT_EQ(effect.uniqueId, 6248);
    EXPECT_EQ(effect.channelCount, 2);
}

TEST_F(EffectDefinition, ConstructionDeclaresTheThreeParametersInOrder)
{
    struct Expected {
        int32_t sliderNumber;
        const char* name;
        double maximum;
    };
    const Expected expected[] = {{1, "TOV AutoWidth", 1}, {2, "TOV AutoSpeed", 2}, {3, "TOV AutoDepth", 2}};

    ASSERT_EQ(effect.sliderRecords.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const SliderRecord& record = effect.sliderRecords[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(record.index, expected[i].sliderNumber);
        EXPECT_EQ(record.name, expected[i].name);
        EXPECT_EQ(record.maximum, expected[i].maximum);
        EXPECT_EQ(record.minimum, 0.0);
        EXPECT_EQ(record.defaultValue, 0.0);
        EXPECT_EQ(record.step, 1.0);
        EXPECT_EQ(record.label, "");
        EXPECT_EQ(record.folder, "");
        EXPECT_TRUE(record.options.empty());
        EXPECT_EQ(record.variable, nullptr);
        EXPECT_EQ(record.prepared, 1);
        EXPECT_EQ(effect.sliders[record.index], 0.0);
    }
}

TEST_F(EffectDefinition, ConstructionAsksNothingOfTheHost)
{
    TZarkuneEffect another;
    EXPECT_TRUE(services.calls().empty());
}

TEST_F(EffectDefinition, ResetRegistersTheImageNamesAndStringsOnceEach)
{
    const std::map<int32_t, std::string> files
        = {{0, "TOLVARINE_LogoTealGlow_SkaldoVerix.png"}, {1, "Working_ON_dim.png"}, {2, "Clipping_ON.png"}};
    const std::map<int32_t, std::string> strings
        = {{10000, "Courier New"}, {10001, "v"},    {10002, "AUTO"}, {10003, "AUTO"}, {10004, "TIME"},
           {10005, "SLOW"},        {10006, "FAST"}, {10007, "SIDE"}, {10008, "NARO"}, {10009, "WIDE"}};

    effect.strings[10004] = "changed by the script";
    effect.reset();
    effect.reset();

    EXPECT_EQ(effect.fileNames, files);
    EXPECT_EQ(effect.strings, strings);
    EXPECT_EQ(effect.stringCount, 10.0);
}

TEST_F(EffectDefinition, ResetZeroesTheScriptVariablesAndKeepsTheSliders)
{
    open();
    setParameters(1, 2, 1);
    frames(5000, 0.5, -0.25);
    effect.script.glowPhase = 3;
    effect.script.buttonLatch = 1;
    const double meter = effect.sliders[40];
    ASSERT_NE(meter, 0.0);

    effect.reset();

    const EffectScriptVariables zero;
    EXPECT_EQ(std::memcmp(&effect.script, &zero, sizeof zero), 0);
    EXPECT_EQ(effect.sliders[TZarkuneEffect::kAutoWidth], 1.0);
    EXPECT_EQ(effect.sliders[TZarkuneEffect::kAutoDepth], 1.0);
    EXPECT_EQ(effect.sliders[40], meter);
}

TEST_F(EffectDefinition, InitReadsTheHostInOrder)
{
    effect.vest = vest_testing::RecordingServices::fakePlugin();
    services.answers.sampleRate = 44100.0f;
    services.answers.numInputs = 2;
    services.answers.blockSize = 512;
    services.answers.tempo = 96.5;

    effect.doInit();

    EXPECT_EQ(services.callNames(),
              (std::vector<std::string>{"vestGetSampleRate", "vestGetNumInputs", "vestGetBlockSize", "vestGetTempo"}));
    for (const auto& call : services.calls())
        EXPECT_EQ(call.plugin, effect.vest) << call;
    EXPECT_EQ(effect.frameRate, 30.0);
    EXPECT_EQ(effect.script.hostSampleRate, 44100.0);
    EXPECT_EQ(effect.script.sampleRate, 44100.0);
    EXPECT_EQ(effect.script.hostInputCount, 2.0);
    EXPECT_EQ(effect.script.hostBlockSize, 512.0);
    EXPECT_EQ(effect.script.hostTempo, 96.5);
    EXPECT_EQ(effect.script.versionNumber, 20200928.0);
    EXPECT_EQ(effect.script.denormalOffset, 1e-30);
}

TEST_F(EffectDefinition, InitTurnsAnUnusableSampleRateIntoZero)
{
    effect.vest = vest_testing::RecordingServices::fakePlugin();
    for (const float rate : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 0.0f}) {
        services.answers.sampleRate = rate;
        effect.script.sampleRate = 1;
        effect.doInit();
        EXPECT_EQ(effect.script.hostSampleRate, 0.0) << rate;
        EXPECT_EQ(effect.script.sampleRate, 0.0) << rate;
    }
}

TEST_F(EffectDefinition, WithoutPluginObjectInitReadsZeros)
{
    services.answers.sampleRate = 44100.0f;
    effect.reset();
    effect.resume();
    EXPECT_EQ(effect.script.sampleRate, 0.0);
    EXPECT_EQ(effect.script.denormalOffset, 1e-30);
    for (const auto& call : services.calls())
        EXPECT_EQ(call.plugin, nullptr) << call;
}

TEST_F(EffectDefinition, SliderSectionCopiesTheHostSampleRate)
{
    open(44100.0f);
    effect.script.sampleRate = 0;
    effect.doSlider();
    EXPECT_EQ(effect.script.sampleRate, 44100.0);
    EXPECT_TRUE(services.calls().empty());
}

// ---- The state chunk ----

float chunkValue(const void* chunk, size_t index)
{
    float value;
    std::memcpy(&value, static_cast<const unsigned char*>(chunk) + 4 * index, sizeof value);
    return value;
}

std::vector<float> markedChunk(std::vector<float> values)
{
    values.insert(values.begin(), kChunkMarker);
    return values;
}

TEST_F(EffectDefinition, ChunkOfAnOpenedEffectHoldsParametersAndMeters)
{
    open();
    setParameters(1, 2, 1);
    frames(3000, 0.75, -0.5);

    void* chunk = nullptr;
    ASSERT_EQ(effect.getChunk(&chunk), 260);
    ASSERT_NE(chunk, nullptr);

    const unsigned char marker[] = {0x00, 0x00, 0x7A, 0xC4};
    EXPECT_EQ(std::memcmp(chunk, marker, 4), 0);
    EXPECT_EQ(chunkValue(chunk, 1), 1.0f);
    EXPECT_EQ(chunkValue(chunk, 2), 2.0f);
    EXPECT_EQ(chunkValue(chunk, 3), 1.0f);
    const EffectScriptVariables& v = effect.script;
    const std::pair<size_t, double> meters[]
        = {{30, v.midMeter},   {31, v.midReduction}, {32, v.midFactor},   {33, v.sideMeter}, {34, v.sideReduction},
           {35, v.sideFactor}, {40, v.inputLevel},   {41, v.outputLevel}, {42, v.autoGain}};
    for (const auto& [slot, value] : meters) {
        EXPECT_NE(value, 0.0) << "slot " << slot;
        EXPECT_EQ(chunkValue(chunk, slot), static_cast<float>(value)) << "slot " << slot;
    }
    for (size_t slot = 4; slot <= 64; ++slot)
        EXPECT_EQ(chunkValue(chunk, slot), static_cast<float>(effect.sliders[slot])) << "slot " << slot;
}

TEST_F(EffectDefinition, ChunkRoundTripRestoresSlotsOneToSixtyFour)
{
    open();
    for (size_t slot = 1; slot <= 65; ++slot)
        effect.sliders[slot] = slot * 0.5;
    void* chunk = nullptr;
    const int32_t size = effect.getChunk(&chunk);
    const std::vector<unsigned char> bytes(static_cast<unsigned char*>(chunk),
                                           static_cast<unsigned char*>(chunk) + size);

    TZarkuneEffect restored;
    restored.reset();
    EXPECT_EQ(restored.setChunk(bytes.data(), size), 260);

    for (size_t slot = 1; slot <= 64; ++slot)
        EXPECT_EQ(restored.sliders[slot], slot * 0.5) << "slot " << slot;
    EXPECT_EQ(restored.sliders[65], 0.0);
    EXPECT_EQ(restored.frameRate, 30.0) << "the first accepted chunk runs the init section";
}

// What restoring a chunk leaves in slider slots 1 to 4 of an effect whose
// slots all hold 9 before.
struct RestoreCase {
    const char* what;
    std::vector<float> chunk;
    int32_t extraBytes;
    double slots[4];
    bool sectionsRan;
};

void PrintTo(const RestoreCase& c, std::ostream* out)
{
    *out << c.what;
}

class ChunkRestore : public EffectDefinition, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(ChunkRestore, SetsTheSlotsItCovers)
{
    const RestoreCase& c = GetParam();
    effect.reset();
    for (double& slot : effect.sliders)
        slot = 9;
    std::vector<unsigned char> bytes(c.chunk.size() * 4 + static_cast<size_t>(c.extraBytes), 0xAB);
    if (!c.chunk.empty())
        std::memcpy(bytes.data(), c.chunk.data(), c.chunk.size() * 4);

    EXPECT_EQ(effect.setChunk(bytes.data(), static_cast<int32_t>(bytes.size())), static_cast<int32_t>(bytes.size()));

    for (size_t slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(effect.sliders[slot], c.slots[slot - 1]) << "slot " << slot;
    for (size_t slot = 5; slot <= 65; ++slot)
        EXPECT_EQ(effect.sliders[slot], 9.0) << "slot " << slot;
    EXPECT_EQ(effect.frameRate, c.sectionsRan ? 30.0 : 0.0) << "init section";
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, ChunkRestore,
    ::testing::Values(RestoreCase{"marker and two values", markedChunk({1, 2}), 0, {1, 2, 9, 9}, true},
                      RestoreCase{"marker only", markedChunk({}), 0, {9, 9, 9, 9}, true},
                      RestoreCase{
                          "marker, one value and two stray bytes", markedChunk({0.5f}), 2, {0.5, 9, 9, 9}, true},
                      RestoreCase{"foreign first value", {-999.0f, 1, 2, 1}, 0, {9, 9, 9, 9}, false},
                      RestoreCase{"a NaN where the marker belongs", {std::nanf(""), 1}, 0, {9, 9, 9, 9}, false},
                      RestoreCase{"fewer than four bytes", {}, 3, {9, 9, 9, 9}, false},
                      RestoreCase{"nothing", {}, 0, {9, 9, 9, 9}, false}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST_F(EffectDefinition, ALongerChunkIsReadOnlyAsFarAsSlotSixtyFour)
{
    effect.reset();
    std::vector<float> values(70);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(i + 1);
    const std::vector<float> chunk = markedChunk(values);

    effect.setChunk(chunk.data(), static_cast<int32_t>(chunk.size() * 4));

    EXPECT_EQ(effect.sliders[64], 64.0);
    EXPECT_EQ(effect.sliders[65], 0.0);
    EXPECT_EQ(effect.script.serializeIndex, 65.0);
}

} // namespace
