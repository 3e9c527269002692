#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "fft.h"
#include "fresh_mdct_cache.h"
#include "mdct.h"
#include "memory_transforms.h"

// Two threads at once on the process-wide transform state: the tables built
// by whichever comes first, and one MDCT size made and used by both (each
// test from an empty context cache). Built twice: with the other runtime
// tests, and on its own under ThreadSanitizer, which reports any unordered
// access to the shared tables or work buffer.

namespace {

class ScriptMemory : public CZarkuneMemory {};

class TransformThreads : public FreshMdctCache {};

// Runs body(0) and body(1) on two threads released at the same moment.
// The second thread is made only once the first waits at the gate: the x86
// build's tests may run through a user-mode emulator, which crashes when a
// thread is made while another new thread is still starting up.
template <typename Body> void runTogether(Body body)
{
    std::mutex gateLock;
    std::condition_variable gateChanged;
    int atGate = 0;
    bool open = false;
    std::atomic<int> running{0};
    auto start = [&](int which) {
        {
            std::unique_lock<std::mutex> lock(gateLock);
            ++atGate;
            gateChanged.notify_all();
            gateChanged.wait(lock, [&] { return open; });
        }
        running.fetch_add(1);
        while (running.load() < 2) {}
        body(which);
    };
    auto waitForAtGate = [&](int count) {
        std::unique_lock<std::mutex> lock(gateLock);
        gateChanged.wait(lock, [&] { return atGate == count; });
    };
    std::thread first(start, 0);
    waitForAtGate(1);
    std::thread second(start, 1);
    waitForAtGate(2);
    {
        std::lock_guard<std::mutex> lock(gateLock);
        open = true;
    }
    gateChanged.notify_all();
    first.join();
    second.join();
}

TEST_F(TransformThreads, TablesBuiltOnceAreCompleteForBothThreads)
{
    constexpr int32_t kLog2 = 15;
    constexpr int32_t kSize = 1 << kLog2;
    std::vector<double> buffers[2];
    runTogether([&](int which) {
        ensureFftTables();
        std::vector<double>& buffer = buffers[which];
        buffer.assign(2 * kSize, 0.0);
        buffer[2] = 1.0; // impulse at value 1: spectrum e^(-2 pi i k/n)
        fftOperation(kLog2, buffer.data(), kFftForward);
        fftOperation(kLog2, buffer.data(), kFftPermute);
    });
    for (const std::vector<double>& buffer : buffers) {
        for (int32_t k = 0; k < kSize; k += 97) {
            const double angle = 6.283185307179586 * k / kSize;
            ASSERT_NEAR(buffer[2 * k], std::cos(angle), 1e-14) << k;
            ASSERT_NEAR(buffer[2 * k + 1], -std::sin(angle), 1e-14) << k;
        }
    }
}

// Both threads make the size-128 context on first use and then run forward
// transforms of it over and over, each on its own memory; every result must
// be the one a lone thread computes.
TEST_F(TransformThreads, OneMdctSizeFromTwoThreadsGivesTheLoneThreadResults)
{
    constexpr int32_t kSize = 128;
    constexpr int kRounds = 40;
    auto input = [](int which, int round, int32_t i) { return std::sin(0.37 * i + which + 0.11 * round); };
    std::vector<double> results[2];
    runTogether([&](int which) {
        ScriptMemory memory;
        for (int round = 0; round < kRounds; ++round) {
            double* block = memory.at(0);
            for (int32_t i = 0; i < kSize; ++i)
                block[i] = input(which, round, i);
            memoryMdct(memory, 0, kSize, false);
            results[which].insert(results[which].end(), block, block + kSize / 2);
        }
    });
    ScriptMemory memory;
    for (int which = 0; which < 2; ++which) {
        for (int round = 0; round < kRounds; ++round) {
            double* block = memory.at(0);
            for (int32_t i = 0; i < kSize; ++i)
                block[i] = input(which, round, i);
            memoryMdct(memory, 0, kSize, false);
            for (int32_t k = 0; k < kSize / 2; ++k)
                ASSERT_EQ(results[which][round * kSize / 2 + k], block[k]) << which << " " << round << " " << k;
        }
    }
}

// Counts the allocations of the contexts made from now on. The first one
// waits a little, so that the other thread asks for the same size while its
// context is being made.
std::atomic<int> allocations{0};
void* countingAllocate(std::size_t bytes)
{
    if (allocations.fetch_add(1) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return std::malloc(bytes);
}

// Two threads asking for a new size at once, then again and again, make one
// context between them: the cache allocates what one context takes.
TEST_F(TransformThreads, OneMdctSizeIsMadeOnceForBothThreads)
{
    constexpr int32_t kSize = 2048;
    setMdctCacheAllocator(countingAllocate);
    runTogether([&](int which) {
        ScriptMemory memory;
        for (int call = 0; call < 4; ++call)
            memoryMdct(memory, 0, kSize, (call + which) % 2 == 1);
    });
    setMdctCacheAllocator(std::malloc);
    const int byTheCache = allocations.exchange(0);

    mdctContextFree(mdctContextCreate(kSize, countingAllocate));
    const int forOneContext = allocations.exchange(0);
    EXPECT_EQ(forOneContext, 5) << "the record, its window and its three tables";
    EXPECT_EQ(byTheCache, forOneContext);
}

} // namespace
