// The speaker-arrangement helpers of the extended plug-in class.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "test_effect.h"

namespace {

class SpeakerArrangementTest : public ::testing::Test {
protected:
    ~SpeakerArrangementTest() override
    {
        effect.deallocateArrangement(&source);
        effect.deallocateArrangement(&target);
    }

    TestEffect effect;
    VstSpeakerArrangement* source = nullptr;
    VstSpeakerArrangement* target = nullptr;
};

TEST_F(SpeakerArrangementTest, AllocatesZeroedChannelsAndReplacesAnEarlierBlock)
{
    ASSERT_TRUE(effect.allocateArrangement(&source, 2));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->numChannels, 2);
    EXPECT_EQ(source->type, 0);
    EXPECT_EQ(source->speakers[1].name[0], '\0');
    EXPECT_EQ(source->speakers[1].azimuth, 0.0f);

    // The earlier block is released (the sanitizers see a leak otherwise).
    ASSERT_TRUE(effect.allocateArrangement(&source, 12));
    EXPECT_EQ(source->numChannels, 12);
    EXPECT_FALSE(effect.allocateArrangement(&source, -1));
}

TEST_F(SpeakerArrangementTest, DeallocatingStoresNull)
{
    ASSERT_TRUE(effect.allocateArrangement(&source, 1));
    EXPECT_TRUE(effect.deallocateArrangement(&source));
    EXPECT_EQ(source, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&source));
}

TEST_F(SpeakerArrangementTest, MatchCopiesTypeAndEverySpeaker)
{
    // More channels than the declared eight: the records run past them.
    const VstInt32 channels = 10;
    ASSERT_TRUE(effect.allocateArrangement(&source, channels));
    source->type = 5;
    VstSpeakerProperties* speakers = source->speakers;
    for (VstInt32 i = 0; i < channels; ++i) {
        speakers[i].azimuth = 0.5f * static_cast<float>(i);
        speakers[i].elevation = 1.0f;
        speakers[i].radius = 2.0f;
        speakers[i].reserved = 3.0f;
        speakers[i].type = i + 100;
        std::snprintf(speakers[i].name, sizeof(speakers[i].name), "speaker %d", i);
        std::memset(speakers[i].future, i, sizeof(speakers[i].future));
    }

    ASSERT_TRUE(effect.matchArrangement(&target, source));
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->type, 5);
    EXPECT_EQ(target->numChannels, channels);
    const VstSpeakerProperties* copies = target->speakers;
    for (VstInt32 i = 0; i < channels; ++i)
        EXPECT_EQ(std::memcmp(&copies[i], &speakers[i], sizeof(VstSpeakerProperties)), 0) << "speaker " << i;
}

TEST_F(SpeakerArrangementTest, MatchWithoutSourceFails)
{
    EXPECT_FALSE(effect.matchArrangement(&target, nullptr));
    EXPECT_EQ(target, nullptr);
}

TEST_F(SpeakerArrangementTest, CopySpeakerTruncatesTheNameTo63Characters)
{
    VstSpeakerProperties from{};
    VstSpeakerProperties to{};
    std::memset(from.name, 'n', sizeof(from.name)); // no terminator at all
    EXPECT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::strlen(to.name), 63u);
    EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
}

} // namespace
