// The audio path must not allocate: every allocation of this executable goes
// through the counting operators below.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "effect.h"

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

} // namespace
