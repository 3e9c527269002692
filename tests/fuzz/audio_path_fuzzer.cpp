// Fuzz target: the audio path. The input sets the sample rate (any bits),
// the three parameters (any float, restored through the chunk), the host's
// time information, up to four blocks of any size with a parameter change
// before each, and the audio itself: the rest of the input, cycled, as
// 32-bit or 64-bit samples with every value that is not finite made 0. A
// block size with its top bit set is sent as a negative count.
// Every block's output is finite (within -1..1 while AutoWidth is on, the
// input bit for bit while it is off), and so is every meter.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "effect_invariants.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_plugin.h"

namespace {

constexpr std::size_t kMaxBlocks = 4;
constexpr std::size_t kMaxFrames = 4096;

enum Flags : uint8_t {
    kDoublePrecision = 1 << 0,
    kInPlace = 1 << 1,
    kWithTimeInfo = 1 << 2,
};

enum Change : uint8_t { kNoChange, kHostValue, kChunkValue, kChangeCount };

// The audio of the input: its rest as samples, cycled; silence when empty.
template <class Sample> class SamplePool {
public:
    explicit SamplePool(const FuzzInput& input) : data_(input.rest()), count_(input.remaining() / sizeof(Sample)) {}

    Sample next()
    {
        if (count_ == 0)
            return Sample(0);
        Sample value;
        std::memcpy(&value, data_ + position_ * sizeof(Sample), sizeof(Sample));
        position_ = (position_ + 1) % count_;
        return std::isfinite(value) ? value : Sample(0);
    }

private:
    const uint8_t* data_;
    std::size_t count_;
    std::size_t position_ = 0;
};

struct Block {
    // What the host announces: a negative count has nothing to process.
    VstInt32 sampleFrames;
    Change change;
    VstInt32 parameter;
    float value;
};

// Restores the parameters, then processes the blocks with their changes.
template <class Sample>
void run(FuzzPlugin& plugin, ParameterValues parameters, const std::array<Block, kMaxBlocks>& blocks,
         std::size_t blockCount, bool inPlace, SamplePool<Sample> pool)
{
    plugin.restoreParameters(parameters);
    for (std::size_t b = 0; b < blockCount; ++b) {
        const Block& block = blocks[b];
        if (block.change == kHostValue) {
            plugin.setParameter(block.parameter, block.value);
        } else if (block.change == kChunkValue) {
            parameters[static_cast<std::size_t>(block.parameter)] = block.value;
            plugin.restoreParameters(parameters);
        }
        const auto frames = static_cast<std::size_t>(std::max(block.sampleFrames, 0));
        StereoBlock<Sample> audio(frames, inPlace);
        for (std::size_t frame = 0; frame < frames; ++frame)
            for (int channel = 0; channel < 2; ++channel)
                audio.fill(channel, frame, pool.next());
        audio.process(plugin, block.sampleFrames);
        checkBlockOutput(audio, frames, plugin.effect());
        checkEffectState(plugin.effect());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const uint8_t flags = input.byte();
    const float sampleRate = input.take<float>();
    ParameterValues parameters{};
    for (float& value : parameters)
        value = input.take<float>();

    static VstTimeInfo time;
    time = VstTimeInfo{};
    time.tempo = input.take<double>();
    time.ppqPos = input.take<double>();
    time.timeSigNumerator = input.take<VstInt32>();
    time.timeSigDenominator = input.take<VstInt32>();
    time.flags = input.take<VstInt32>();
    FuzzPlugin::setHostTime(flags & kWithTimeInfo ? &time : nullptr);

    const std::size_t blockCount = 1 + input.byte() % kMaxBlocks;
    std::array<Block, kMaxBlocks> blocks{};
    for (std::size_t b = 0; b < blockCount; ++b) {
        const auto frames = input.take<uint16_t>();
        const auto count = static_cast<VstInt32>(frames & 0x7fff);
        blocks[b].sampleFrames = (frames & 0x8000) ? -count - 1 : count % (kMaxFrames + 1);
        blocks[b].change = static_cast<Change>(input.byte() % kChangeCount);
        blocks[b].parameter = static_cast<VstInt32>(input.byte() % kParameterCount);
        blocks[b].value = input.take<float>();
    }

    {
        FuzzPlugin plugin(sampleRate, static_cast<VstInt32>(kMaxFrames));
        if (flags & kDoublePrecision)
            run(plugin, parameters, blocks, blockCount, (flags & kInPlace) != 0, SamplePool<double>(input));
        else
            run(plugin, parameters, blocks, blockCount, (flags & kInPlace) != 0, SamplePool<float>(input));
        checkParameterReads(plugin);
        plugin.chunk();
    }
    FuzzPlugin::setHostTime(nullptr);
    return 0;
}
