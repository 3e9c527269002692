#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "runtime_test_support.h"
#include "zarkune.h"

namespace {

using Sections = std::vector<std::string>;

const Sections kAcceptedRun = {"init", "serialize", "slider"};

// The host's bytes: the floats in order, then extra trailing bytes.
std::vector<unsigned char> chunkBytes(const std::vector<float>& values, size_t trailingBytes = 0)
{
    std::vector<unsigned char> bytes(values.size() * sizeof(float) + trailingBytes, 0xEE);
    if (!values.empty())
        std::memcpy(bytes.data(), values.data(), values.size() * sizeof(float));
    return bytes;
}

// Floats compared bit for bit, so that a NaN equals itself.
std::vector<uint32_t> bitsOf(const std::vector<float>& values)
{
    std::vector<uint32_t> bits(values.size());
    if (!values.empty())
        std::memcpy(bits.data(), values.data(), values.size() * sizeof(float));
    return bits;
}

class StateChunk : public ::testing::Test {
protected:
    StateChunk()
    {
        script.serializedSliders = 3;
        script.sliders[1] = 11.0;
        script.sliders[2] = 22.0;
        script.sliders[3] = 33.0;
    }

    int32_t give(const std::vector<unsigned char>& bytes)
    {
        return script.setChunk(bytes.data(), static_cast<int32_t>(bytes.size()));
    }
    std::vector<double> slidersOneToThree() const { return {script.sliders[1], script.sliders[2], script.sliders[3]}; }

    LoggingScript script;
};

TEST_F(StateChunk, GetChunkIsTheMarkerThenTheSerializedValues)
{
    void* data = nullptr;
    ASSERT_EQ(script.getChunk(&data), 16);
    const auto* bytes = static_cast<const unsigned char*>(data);
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 4), (std::vector<unsigned char>{0x00, 0x00, 0x7A, 0xC4}));
    const auto* floats = static_cast<const float*>(data);
    EXPECT_EQ(std::vector<float>(floats, floats + 4), (std::vector<float>{-1000.0f, 11.0f, 22.0f, 33.0f}));
    EXPECT_EQ(script.sections, Sections{"serialize"});
    EXPECT_EQ(script.files[0].mode, kFileWrite);
    EXPECT_EQ(script.files[0].position, 4);
}

TEST_F(StateChunk, GetChunkWithNothingSerializedIsNoChunkAndLeavesThePointer)
{
    script.serializedSliders = 0;
    int sentinel = 0;
    void* data = &sentinel;
    EXPECT_EQ(script.getChunk(&data), 0);
    EXPECT_EQ(data, &sentinel);
    EXPECT_EQ(script.files[0].data, std::vector<float>{kChunkMarker});
}

TEST_F(StateChunk, GetChunkWithoutAnOutPointerDoesNothing)
{
    EXPECT_EQ(script.getChunk(nullptr), 0);
    EXPECT_TRUE(script.sections.empty());
    EXPECT_EQ(script.files[0].mode, kFileClosed);
}

struct ChunkCase {
    const char* name;
    std::vector<float> values;
    size_t trailingBytes;
    Sections sections;
    std::vector<double> sliders; // 1 to 3 afterwards
};

void PrintTo(const ChunkCase& c, std::ostream* out)
{
    *out << c.name;
}

class SetChunkTest : public StateChunk, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(SetChunkTest, RunsTheSectionsOnlyForAChunkThatBeginsWithTheMarker)
{
    const ChunkCase& c = GetParam();
    const std::vector<unsigned char> bytes = chunkBytes(c.values, c.trailingBytes);
    EXPECT_EQ(give(bytes), static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(script.sections, c.sections);
    EXPECT_EQ(slidersOneToThree(), c.sliders);
    // Whatever the content, the whole floats stay in the stream in read mode.
    EXPECT_EQ(script.files[0].mode, kFileRead);
    EXPECT_EQ(bitsOf(script.files[0].data), bitsOf(c.values));
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Chunks, SetChunkTest,
    ::testing::Values(
        ChunkCase{"Empty", {}, 0, {}, {11, 22, 33}}, ChunkCase{"ShorterThanOneFloat", {}, 3, {}, {11, 22, 33}},
        ChunkCase{"MarkerOnly", {kChunkMarker}, 0, kAcceptedRun, {11, 22, 33}},
        ChunkCase{"OddSizedMarkerOnly", {kChunkMarker}, 2, kAcceptedRun, {11, 22, 33}},
        ChunkCase{"ShortRestoresTheSlotsItCovers", {kChunkMarker, 1.0f, 2.0f}, 0, kAcceptedRun, {1, 2, 33}},
        ChunkCase{"Full", {kChunkMarker, 1.0f, 2.0f, 0.5f}, 0, kAcceptedRun, {1, 2, 0.5}},
        ChunkCase{"LongerIsReadAsFarAsTheSectionWants", {kChunkMarker, 1, 2, 3, 4, 5}, 1, kAcceptedRun, {1, 2, 3}},
        ChunkCase{"Foreign", {-999.0f, 1.0f, 2.0f}, 0, {}, {11, 22, 33}},
        ChunkCase{"NanMarker", {kNaN}, 0, {}, {11, 22, 33}}),
    [](const ::testing::TestParamInfo<ChunkCase>& info) { return std::string(info.param.name); });

TEST_F(StateChunk, RestoresFromThePointerGetChunkReturned)
{
    void* data = nullptr;
    const int32_t size = script.getChunk(&data);
    script.sliders[1] = script.sliders[2] = script.sliders[3] = -1.0;
    // Hosts hand the very same pointer back; it points into the stream itself.
    EXPECT_EQ(script.setChunk(data, size), size);
    EXPECT_EQ(slidersOneToThree(), (std::vector<double>{11, 22, 33}));
}

TEST_F(StateChunk, OnlyTheFirstAcceptedChunkRunsTheInitSection)
{
    const std::vector<unsigned char> bytes = chunkBytes({kChunkMarker, 5.0f});
    give(bytes);
    give(bytes);
    EXPECT_EQ(script.sections, (Sections{"init", "serialize", "slider", "serialize", "slider"}));
    EXPECT_EQ(script.openCount, 2);
}

TEST_F(StateChunk, NegativeSizeRunsNothingAndKeepsTheStream)
{
    void* data = nullptr;
    script.getChunk(&data);
    script.sections.clear();
    const std::vector<float> held = script.files[0].data;

    EXPECT_EQ(script.setChunk(data, -4), -4);
    EXPECT_TRUE(script.sections.empty());
    EXPECT_EQ(script.files[0].mode, kFileWrite);
    EXPECT_EQ(script.files[0].data, held);
    EXPECT_EQ(script.files[0].data.data(), data);
}

TEST_F(StateChunk, BytesAnnouncedWithoutAPointerRunNothingAndKeepTheStream)
{
    script.files[0].mode = kFileWrite;
    script.files[0].write(1.0);
    EXPECT_EQ(script.setChunk(nullptr, 8), 8);
    EXPECT_TRUE(script.sections.empty());
    EXPECT_EQ(script.files[0].mode, kFileWrite);
    EXPECT_EQ(script.files[0].data, std::vector<float>{1.0f});
}

TEST_F(StateChunk, RoundTripCarriesFloatPrecision)
{
    script.sliders[1] = 0.1;
    void* data = nullptr;
    const int32_t size = script.getChunk(&data);
    const std::vector<unsigned char> saved(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
    script.sliders[1] = 0.0;
    give(saved);
    EXPECT_EQ(script.sliders[1], static_cast<double>(0.1f));
}

} // namespace
