// The checks of several instances in one process: interleaved instances
// must not reach each other's state, and instances made and destroyed one
// after another must not make the process grow.
#include <windows.h>

#include <algorithm>

#include "process_memory.h"
#include "validator_checks.h"

namespace {

constexpr int kInterleavedBlocks = 64;
constexpr VstInt32 kInterleavedBlockFrames = 256;

// The blocks each interleaved instance lives for, [first, last): two live
// through, two are closed half-way, two join half-way.
struct LaneSpan {
    int first;
    int last;
};
const LaneSpan kLaneSpans[] = {{0, 64}, {0, 32}, {0, 64}, {0, 32}, {32, 64}, {32, 64}};

constexpr int kWarmUpInstances = 50;
constexpr VstInt32 kMemoryBlockFrames = 64;
// A leak of a kilobyte per instance shows as a megabyte over the run; the
// heaps count bytes, so a leak of a few bytes per instance shows there.
constexpr int64_t kAllowedGrowthBytes = 1 << 20;
constexpr int64_t kAllowedHeapGrowthBytes = 4096;

// One interleaved instance: its parameters and every sample it wrote.
struct Lane {
    LaneSpan span;
    std::vector<float> parameters;
    std::unique_ptr<PluginHost> host;
    std::vector<float> output;
};

std::vector<std::size_t> shuffled(std::vector<std::size_t> items, RandomSource& random)
{
    for (std::size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[static_cast<std::size_t>(random.between(0, static_cast<int64_t>(i) - 1))]);
    return items;
}

// The noise every instance gets as block b.
std::vector<AudioBlock<float>> interleavedInput(int channels, RandomSource& random)
{
    std::vector<AudioBlock<float>> blocks;
    for (int b = 0; b < kInterleavedBlocks; ++b) {
        blocks.emplace_back(channels, kInterleavedBlockFrames);
        blocks.back().fillNoise(random);
    }
    return blocks;
}

void startLane(Lane& lane)
{
    startInstance(*lane.host, 44100.0f, kInterleavedBlockFrames);
    for (std::size_t i = 0; i < lane.parameters.size(); ++i)
        lane.host->setParameter(static_cast<VstInt32>(i), lane.parameters[i]);
}

void processLane(Lane& lane, AudioBlock<float>& block, SampleCensus& census)
{
    block.process(*lane.host, kInterleavedBlockFrames, census);
    for (const std::vector<float>& channel : block.outputs)
        lane.output.insert(lane.output.end(), channel.begin(), channel.end());
}

std::string kibibytes(int64_t bytes)
{
    return std::to_string(bytes / 1024) + " KiB";
}

} // namespace

void checkInstances(ValidatorContext& context, CheckReport& report)
{
    RandomSource random = context.randomFor("instances");
    std::vector<Lane> lanes;
    for (const LaneSpan& span : kLaneSpans)
        lanes.push_back({span, {}, nullptr, {}});

    std::vector<AudioBlock<float>> input;
    SampleCensus census;
    for (int b = 0; b < kInterleavedBlocks; ++b) {
        std::vector<std::size_t> live, joining;
        for (std::size_t i = 0; i < lanes.size(); ++i) {
            if (lanes[i].span.first == b)
                joining.push_back(i);
            if (lanes[i].span.first <= b && b < lanes[i].span.last)
                live.push_back(i);
        }
        // Created in one order, started in another.
        for (std::size_t i : joining) {
            lanes[i].host = createdInstance(context, report);
            if (!lanes[i].host)
                return;
            for (VstInt32 p = 0; p < lanes[i].host->effect()->numParams; ++p)
                lanes[i].parameters.push_back(static_cast<float>(random.unit()));
        }
        for (std::size_t i : shuffled(joining, random))
            startLane(lanes[i]);
        if (input.empty())
            input = interleavedInput(channelsOf(*lanes[live.front()].host->effect()), random);
        for (std::size_t i : shuffled(live, random))
            processLane(lanes[i], input[static_cast<std::size_t>(b)], census);
        for (std::size_t i : shuffled(live, random)) {
            if (lanes[i].span.last == b + 1) {
                report.expect(lanes[i].host->close() == 1, "effClose did not answer 1");
                lanes[i].host.reset();
            }
        }
    }

    // Each instance alone, with the same parameters and input, must have
    // written the same samples.
    for (std::size_t i = 0; i < lanes.size(); ++i) {
        Lane alone{lanes[i].span, lanes[i].parameters, createdInstance(context, report), {}};
        if (!alone.host)
            return;
        startLane(alone);
        SampleCensus ignored;
        for (int b = alone.span.first; b < alone.span.last; ++b)
            processLane(alone, input[static_cast<std::size_t>(b)], ignored);
        report.expect(alone.output == lanes[i].output,
                      "instance " + std::to_string(i) + " wrote other samples than when alone");
    }
    report.expect(census.finite(), "output not finite");
    report.figures << lanes.size() << " instances opened, run and closed interleaved over " << kInterleavedBlocks
                   << " blocks (two closed and two added half-way), each wrote what it writes alone; "
                   << census.figures();
}

void checkMemory(ValidatorContext& context, CheckReport& report)
{
    PluginHost host;
    if (!report.expect(host.load(context.pluginPath), host.lastError))
        return;
    std::unique_ptr<AudioBlock<float>> audio;
    RandomSource random = context.randomFor("memory");
    SampleCensus census;
    int lifecycles = 0;
    // Entry, open, resume, a short block, the chunk, suspend, close.
    auto lifecycle = [&]() {
        if (!report.expect(host.create() != nullptr, "the entry gave no plug-in"))
            return false;
        startInstance(host, 44100.0f, kMemoryBlockFrames);
        if (!audio) {
            audio = std::make_unique<AudioBlock<float>>(channelsOf(*host.effect()), kMemoryBlockFrames);
            audio->fillNoise(random);
        }
        audio->process(host, kMemoryBlockFrames, census);
        host.getChunk();
        host.suspend();
        report.expect(host.close() == 1, "effClose did not answer 1");
        // The host keeps what it records; the record of a closed instance
        // must not count as the plug-in's growth.
        host.requests.clear();
        ++lifecycles;
        return true;
    };
    const int warmUp = std::min(kWarmUpInstances, context.memoryInstances);
    while (lifecycles < warmUp && lifecycle()) {}
    const ProcessMemory before = processMemory();
    while (lifecycles < context.memoryInstances && lifecycle()) {}
    const ProcessMemory after = processMemory();
    const int64_t growth = after.privateBytes - before.privateBytes;
    const int64_t heapGrowth = after.heapBytes - before.heapBytes;
    const std::string over = " over " + std::to_string(lifecycles - warmUp) + " instances";
    report.expect(growth <= kAllowedGrowthBytes, "private memory grew by " + kibibytes(growth) + over);
    report.expect(heapGrowth <= kAllowedHeapGrowthBytes,
                  "the heaps grew by " + std::to_string(heapGrowth) + " bytes" + over);
    report.expect(census.finite(), "output not finite");
    report.figures << lifecycles << " instances created and destroyed (entry, open, resume, " << kMemoryBlockFrames
                   << " frames, chunk, suspend, close); private memory after " << warmUp << ": "
                   << kibibytes(before.privateBytes) << ", at the end: " << kibibytes(after.privateBytes) << " (growth "
                   << kibibytes(growth) << ", bound " << kibibytes(kAllowedGrowthBytes) << "); heap bytes in use "
                   << before.heapBytes << " -> " << after.heapBytes << " (bound +" << kAllowedHeapGrowthBytes
                   << "); working set " << kibibytes(before.workingSet) << " -> " << kibibytes(after.workingSet);
}
