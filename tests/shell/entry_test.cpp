// The plug-in entries with the real effect: the record a host receives, and
// that a refused start or a close leaves nothing allocated. This executable
// counts every allocation through its own global operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "plugin_entry.h"
#include "test_effect.h"
#include "vest.h"

namespace {
std::atomic<long> liveAllocations{0};
} // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++liveAllocations;
    return block;
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    --liveAllocations;
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace {

using Entry = AEffect* (*)(audioMasterCallback);

class PluginEntryTest : public ::testing::TestWithParam<Entry> {
protected:
    RecordingHost host;
};

TEST_P(PluginEntryTest, GivesTheEffectsRecord)
{
    host.answers[audioMasterVersion] = 2400;
    AEffect* record = GetParam()(RecordingHost::callback);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->numParams, 3);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    // Replacing, chunks, double replacing, and the editor where there is a
    // window system to show it.
#ifdef _WIN32
    EXPECT_EQ(record->flags, 0x1031);
#else
    EXPECT_EQ(record->flags, 0x1030);
#endif
    EXPECT_EQ(record->uniqueID, 6248);
    const CVeSTCallbacks& table = static_cast<CVeST*>(record->object)->callbacks;
    EXPECT_EQ(table.onKeyDown, nullptr);
    EXPECT_EQ(table.onKeyUp, nullptr);
    EXPECT_NE(table.init, nullptr);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST_P(PluginEntryTest, VersionZeroLeavesNothingAllocated)
{
    host.requests.reserve(8); // the recording itself allocates nothing then
    const long before = liveAllocations;
    EXPECT_EQ(GetParam()(RecordingHost::callback), nullptr);
    EXPECT_EQ(liveAllocations, before);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.requests[0].effect, nullptr);
}

TEST_P(PluginEntryTest, CloseDeletesThePluginAndTheEffect)
{
    host.answers[audioMasterVersion] = 2400;
    // The first instance may set up process-wide tables that stay.
    AEffect* warmUp = GetParam()(RecordingHost::callback);
    ASSERT_NE(warmUp, nullptr);
    warmUp->dispatcher(warmUp, effClose, 0, 0, nullptr, 0.0f);

    const long before = liveAllocations;
    AEffect* record = GetParam()(RecordingHost::callback);
    ASSERT_NE(record, nullptr);
    record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
    void* chunk = nullptr;
    EXPECT_EQ(record->dispatcher(record, effGetChunk, 0, 0, &chunk, 0.0f), 260);
    EXPECT_GT(liveAllocations, before);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(liveAllocations, before);
}

INSTANTIATE_TEST_SUITE_P(Entries, PluginEntryTest, ::testing::Values(&VSTPluginMain, &MAIN), [](const auto& info) {
    return info.param == &MAIN ? std::string("MAIN") : std::string("VSTPluginMain");
});

} // namespace
