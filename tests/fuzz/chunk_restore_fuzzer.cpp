// Fuzz target: the state chunk restore. The input is the chunk exactly as a
// host hands it back: any bytes, any length. Afterwards the chunk reads
// back as the effect's 260 bytes behind the marker, with what was set in it,
// and audio stays finite whatever slider values the chunk left.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "effect_invariants.h"
#include "fuzz_check.h"
#include "fuzz_plugin.h"

namespace {

constexpr float kSampleRate = 48000.0f;
constexpr VstInt32 kBlockFrames = 128;

bool sameValue(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

bool sameChunk(const StateChunk& a, const StateChunk& b)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameValue(a[i], b[i]))
            return false;
    return true;
}

// The chunk the plug-in must give after restoring the bytes over `before`:
// with the marker first, the floats that follow it replace slider values 1
// to 64 as far as they reach; without it nothing changes.
StateChunk expectedAfter(const StateChunk& before, const uint8_t* bytes, std::size_t size)
{
    StateChunk expected = before;
    const std::size_t floats = size / sizeof(float);
    std::vector<float> values(floats);
    if (floats > 0)
        std::memcpy(values.data(), bytes, floats * sizeof(float));
    if (floats == 0 || values[0] != -1000.0f)
        return expected;
    for (std::size_t slot = 1; slot < expected.size() && slot < floats; ++slot)
        expected[slot] = values[slot];
    return expected;
}

// A block of a fixed tone on both channels, left and right apart.
template <class Sample> void processTone(FuzzPlugin& plugin)
{
    StereoBlock<Sample> block(kBlockFrames, false);
    for (std::size_t frame = 0; frame < kBlockFrames; ++frame) {
        const double phase = static_cast<double>(frame) * 0.05;
        block.fill(0, frame, static_cast<Sample>(0.9 * std::sin(phase)));
        block.fill(1, frame, static_cast<Sample>(0.5 * std::cos(phase * 1.3)));
    }
    block.process(plugin, kBlockFrames);
    checkBlockOutput(block, kBlockFrames, plugin.effect());
    checkEffectState(plugin.effect());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size > static_cast<std::size_t>(INT32_MAX))
        return 0;
    const auto byteSize = static_cast<VstInt32>(size);
    // A buffer of exactly the announced size, never null: a read past it is
    // a finding.
    const std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
    if (size > 0)
        std::memcpy(buffer.get(), data, size);

    FuzzPlugin plugin(kSampleRate, kBlockFrames);
    const StateChunk before = plugin.chunk();

    // A negative size announces nothing to read: the state stays.
    const VstInt32 negativeSize = -byteSize - 1;
    FUZZ_CHECK(plugin.setChunk(buffer.get(), negativeSize) == negativeSize);
    FUZZ_CHECK(sameChunk(plugin.chunk(), before));

    FUZZ_CHECK(plugin.setChunk(buffer.get(), byteSize) == byteSize);
    const StateChunk restored = plugin.chunk();
    FUZZ_CHECK(sameChunk(restored, expectedAfter(before, data, size)));

    // Hosts hand back the very pointer the plug-in gave them.
    void* own = nullptr;
    const auto ownSize = static_cast<VstInt32>(plugin.dispatch(effGetChunk, 0, 0, &own));
    FUZZ_CHECK(plugin.setChunk(own, ownSize) == ownSize);
    FUZZ_CHECK(sameChunk(plugin.chunk(), restored));

    checkParameterReads(plugin);
    processTone<float>(plugin);
    processTone<double>(plugin);
    checkParameterReads(plugin);

    // Audio changes the meters in the chunk, never the parameters.
    const StateChunk afterAudio = plugin.chunk();
    for (int slot : {TZarkuneEffect::kAutoWidth, TZarkuneEffect::kAutoSpeed, TZarkuneEffect::kAutoDepth})
        FUZZ_CHECK(sameValue(afterAudio[static_cast<std::size_t>(slot)], restored[static_cast<std::size_t>(slot)]));
    return 0;
}
