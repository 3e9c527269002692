// The audio path must not allocate, in the effect's sections nor on the
// shell's way to them: every allocation of this executable goes through the
// counting operators below.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "audio_timing.h"
#include "effect.h"
#include "plugin_entry.h"

namespace {

long allocationCount = 0;

void* countedAllocation(std::size_t size)
{
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return countedAllocation(size);
}
void* operator new[](std::size_t size)
{
    return countedAllocation(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

TEST(AudioPath, TheCounterSeesAllocations)
{
    const long before = allocationCount;
    const auto probe = std::make_unique<double>(1.0);
    EXPECT_EQ(allocationCount, before + 1);
}

TEST(AudioPath, BlocksAndFramesAllocateNothing)
{
    const std::unique_ptr<TZarkune> owned = std::make_unique<TZarkuneEffect>();
    auto& effect = static_cast<TZarkuneEffect&>(*owned);
    effect.reset();
    effect.resume();
    // No host is attached; give the sections a real rate all the same.
    effect.script.hostSampleRate = 48000;

    const long before = allocationCount;
    TZarkune& runtime = *owned;
    for (int block = 0; block < 24; ++block) {
        // Every parameter combination, so that every table row and rate change runs.
        effect.sliders[TZarkuneEffect::kAutoWidth] = block % 2;
        effect.sliders[TZarkuneEffect::kAutoSpeed] = (block / 2) % 3;
        effect.sliders[TZarkuneEffect::kAutoDepth] = (block / 6) % 3 + (block >= 18 ? 0.5 : 0.0);
        runtime.doBlock();
        for (int i = 0; i < 512; ++i) {
            runtime.samples[0] = (i % 64) / 32.0 - 1.0;
            runtime.samples[1] = (i % 50) / 25.0 - 1.0;
            runtime.doSample();
        }
    }
    EXPECT_EQ(allocationCount, before);
}

TEST(AudioPath, ThePluginsProcessCallsAllocateNothing)
{
    // As a host calls them: the shell's callbacks, the block section's host
    // queries and the frames of both paths, for every parameter combination.
    audio_timing::HostedPlugin plugin(VSTPluginMain, 512);
    ASSERT_TRUE(plugin);
    const audio_timing::Stereo<float> single = audio_timing::noise(4096);
    const audio_timing::Stereo<double> wide = audio_timing::widened(single);
    audio_timing::Stereo<float> singleOut = single;
    audio_timing::Stereo<double> wideOut = wide;
    float* noFloats[2] = {nullptr, nullptr};
    double* noDoubles[2] = {nullptr, nullptr};

    long allocations = 0;
    for (int combination = 0; combination < 18; ++combination) {
        plugin.setParameters(combination % 2, combination / 2 % 3, combination / 6);
        const long before = allocationCount;
        for (const std::size_t block : {512, 64, 1, 1000}) {
            audio_timing::processInBlocks(plugin, single, singleOut, block);
            audio_timing::processInBlocks(plugin, wide, wideOut, block);
        }
        plugin.process(noFloats, noFloats, 0);
        plugin.process(noDoubles, noDoubles, 0);
        allocations += allocationCount - before;
    }
    EXPECT_EQ(allocations, 0);
}

} // namespace
