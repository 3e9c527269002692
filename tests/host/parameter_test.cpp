// Parameters, their texts and the state chunk, through the record and the
// dispatcher as a host reaches them.
#include <cmath>
#include <limits>
#include <vector>

#include "plugin_fixture.h"

namespace {

constexpr std::size_t kRoomyBuffer = 256;

// The float at position k of a chunk (position 0 is the marker).
float chunkValue(const std::vector<uint8_t>& chunk, std::size_t k)
{
    float value;
    std::memcpy(&value, chunk.data() + 4 * k, sizeof(value));
    return value;
}

void setChunkValue(std::vector<uint8_t>& chunk, std::size_t k, float value)
{
    std::memcpy(chunk.data() + 4 * k, &value, sizeof(value));
}

class ParameterTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        start();
    }
    std::string display(VstInt32 index) { return host.text(effGetParamDisplay, index, kRoomyBuffer).text; }
};

struct StepCase {
    float normalised;
    float stored;
    const char* display;
};

TEST_F(ParameterTest, AutoSpeedStepsToWholeValues)
{
    // AutoSpeed: 0 to 2 in steps of 1.
    const StepCase cases[] = {{0.24f, 0.0f, "0.00"}, {0.25f, 0.5f, "1.00"}, {0.74f, 0.5f, "1.00"},
                              {0.75f, 1.0f, "2.00"}, {1.0f, 1.0f, "2.00"},  {0.0f, 0.0f, "0.00"}};
    for (const StepCase& c : cases) {
        host.setParameter(1, c.normalised);
        EXPECT_EQ(host.getParameter(1), c.stored) << c.normalised;
        EXPECT_EQ(display(1), c.display) << c.normalised;
    }
}

TEST_F(ParameterTest, NamesAndLabels)
{
    const char* names[] = {"TOV AutoWidth", "TOV AutoSpeed", "TOV AutoDepth"};
    for (VstInt32 i = 0; i < 3; ++i) {
        EXPECT_EQ(host.text(effGetParamName, i, kRoomyBuffer).text, names[i]);
        EXPECT_EQ(host.text(effGetParamLabel, i, kRoomyBuffer).text, "");
    }
}

TEST_F(ParameterTest, IndexesOutsideTheParametersReadZeroChangeNothingAndShowNoText)
{
    host.setParameter(0, 1.0f);
    const std::vector<uint8_t> before = host.getChunk();
    for (VstInt32 index : {3, -1, 128, std::numeric_limits<VstInt32>::max(), std::numeric_limits<VstInt32>::min()}) {
        host.setParameter(index, 1.0f);
        EXPECT_EQ(host.getParameter(index), 0.0f) << index;
        for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
            const HostText text = host.text(opcode, index, kRoomyBuffer);
            EXPECT_EQ(text.text, "") << index;
            EXPECT_LE(text.bytesTouched, 16u) << index;
        }
    }
    EXPECT_EQ(host.getChunk(), before);
}

TEST_F(ParameterTest, HostValuesOutsideTheRangeAreBoundedAndNonFiniteOnesIgnored)
{
    host.setParameter(2, 2.0f);
    EXPECT_EQ(host.getParameter(2), 1.0f);
    host.setParameter(2, -3.0f);
    EXPECT_EQ(host.getParameter(2), 0.0f);
    host.setParameter(2, 0.5f);
    for (float value : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                        -std::numeric_limits<float>::infinity()}) {
        host.setParameter(2, value);
        EXPECT_EQ(host.getParameter(2), 0.5f) << value;
    }
}

TEST_F(ParameterTest, RestoredSliderValuesSurviveWhileTheHostReadsBoundedOnes)
{
    std::vector<uint8_t> chunk = host.getChunk();
    ASSERT_EQ(chunk.size(), 260u);
    setChunkValue(chunk, 1, 0.5f); // AutoWidth half on
    setChunkValue(chunk, 2, 7.0f); // AutoSpeed far above its range
    setChunkValue(chunk, 3, -4.0f); // AutoDepth below
    ASSERT_EQ(host.setChunk(chunk.data(), static_cast<VstInt32>(chunk.size())), 260);

    EXPECT_EQ(host.getParameter(0), 0.5f);
    EXPECT_EQ(host.getParameter(1), 1.0f);
    EXPECT_EQ(host.getParameter(2), 0.0f);
    EXPECT_EQ(display(0), "0.50");
    EXPECT_EQ(display(1), "7.00");
    const std::vector<uint8_t> after = host.getChunk();
    EXPECT_EQ(chunkValue(after, 1), 0.5f);
    EXPECT_EQ(chunkValue(after, 2), 7.0f);
    EXPECT_EQ(chunkValue(after, 3), -4.0f);
}

struct BoundCase {
    const char* what;
    VstInt32 opcode;
    std::size_t hostBytes; // what a widely used host gives
    std::size_t written; // the most the plug-in may touch
    const char* text;
};

TEST_F(ParameterTest, TextsStayWithinThePublishedBufferSizes)
{
    const BoundCase cases[] = {
        {"effect name", effGetEffectName, 32, 32, "TOLVARINE - SkaldoVerix - (2020"},
        {"vendor", effGetVendorString, 64, 64, "TOLVARINE"},
        {"product", effGetProductString, 64, 64, "TOLVARINE - SkaldoVerix - (20200928)"},
        {"program name", effGetProgramName, 24, 24, "TOLVARINE - SkaldoVerix"},
        // Parameter texts: 16 bytes, so that the names stay whole.
        {"parameter name", effGetParamName, kRoomyBuffer, 16, "TOV AutoWidth"},
    };
    for (const BoundCase& c : cases) {
        const HostText text = host.text(c.opcode, 0, c.hostBytes);
        EXPECT_EQ(text.text, c.text) << c.what;
        EXPECT_LE(text.bytesTouched, c.written) << c.what;
    }
}

TEST_F(ParameterTest, TheHostCanRenameTheProgram)
{
    char name[] = "Wide mix";
    EXPECT_EQ(host.dispatch(effSetProgramName, 0, 0, name), 0);
    EXPECT_EQ(host.text(effGetProgramName, 0, 24).text, "Wide mix");
    char longName[] = "A program name far longer than any host buffer";
    host.dispatch(effSetProgramName, 0, 0, longName);
    EXPECT_EQ(host.text(effGetProgramName, 0, 24).text, "A program name far long");
}

TEST_F(ParameterTest, OpcodesWithANullPointerAnswerZero)
{
    for (VstInt32 opcode :
         {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effGetChunk,
          effSetChunk, effEditGetRect, effGetEffectName, effGetVendorString, effGetProductString, effCanDo,
          effProcessEvents, effGetProgramNameIndexed, effString2Parameter, effShellGetNextPlugin})
        EXPECT_EQ(host.dispatch(opcode, 0, 4, nullptr), 0) << opcode;
    EXPECT_EQ(host.getChunk().size(), 260u);
}

TEST_F(ParameterTest, ChunkSavesAndRestoresTheParameters)
{
    host.setParameter(0, 1.0f);
    host.setParameter(1, 0.5f);
    host.setParameter(2, 1.0f);
    const std::vector<uint8_t> saved = host.getChunk();
    ASSERT_EQ(saved.size(), 260u);
    EXPECT_EQ(chunkValue(saved, 0), -1000.0f);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.begin() + 4), (std::vector<uint8_t>{0x00, 0x00, 0x7A, 0xC4}));
    EXPECT_EQ(chunkValue(saved, 1), 1.0f);
    EXPECT_EQ(chunkValue(saved, 2), 1.0f);
    EXPECT_EQ(chunkValue(saved, 3), 2.0f);

    for (VstInt32 i = 0; i < 3; ++i)
        host.setParameter(i, 0.0f);
    EXPECT_EQ(host.setChunk(saved.data(), static_cast<VstInt32>(saved.size())), 260);
    EXPECT_EQ(host.getParameter(0), 1.0f);
    EXPECT_EQ(host.getParameter(1), 0.5f);
    EXPECT_EQ(host.getParameter(2), 1.0f);
}

TEST_F(ParameterTest, ChunkRestoresFromThePointerGetChunkReturned)
{
    host.setParameter(1, 1.0f);
    void* block = nullptr;
    const std::vector<uint8_t> saved = host.getChunk(&block);
    ASSERT_NE(block, nullptr);
    host.setParameter(1, 0.0f);
    // Some hosts hand the plug-in's own block straight back.
    host.getChunk(&block);
    host.setParameter(1, 1.0f);
    ASSERT_EQ(host.setChunk(block, 260), 260);
    EXPECT_EQ(host.getParameter(1), 0.0f);
}

TEST_F(ParameterTest, ChunksWithoutTheMarkerOrTooShortChangeNothing)
{
    host.setParameter(0, 1.0f);
    std::vector<uint8_t> chunk = host.getChunk();
    setChunkValue(chunk, 0, -999.0f);
    setChunkValue(chunk, 1, 0.0f);
    EXPECT_EQ(host.setChunk(chunk.data(), 260), 260);
    EXPECT_EQ(host.getParameter(0), 1.0f);
    EXPECT_EQ(host.setChunk(chunk.data(), 3), 3);
    EXPECT_EQ(host.setChunk(chunk.data(), -8), -8);
    EXPECT_EQ(host.getParameter(0), 1.0f);
}

} // namespace
