// The checks of the plug-in's state: save and restore give back the same
// bytes and parameters, and chunks of any length and content, negative
// sizes and null data leave a plug-in that still works.
#include <algorithm>
#include <cstring>
#include <limits>

#include "validator_checks.h"

namespace {

constexpr int kStateRounds = 50;
constexpr VstInt32 kStateAudioFrames = 256;

constexpr int kRandomChunks = 500;
constexpr std::size_t kLargeChunkBytes = 1 << 20;
constexpr VstInt32 kProbeFrames = 64;

std::vector<uint8_t> saveChunk(PluginHost& host, bool preset)
{
    void* data = nullptr;
    const VstIntPtr size = host.dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
    if (size <= 0 || !data)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

void restoreChunk(PluginHost& host, std::vector<uint8_t> bytes, bool preset)
{
    host.dispatch(effSetChunk, preset ? 1 : 0, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

// A chunk a careless or hostile host might hand over, mostly built from the
// plug-in's own chunk so that it gets past the plug-in's header.
std::vector<uint8_t> hostileChunk(const std::vector<uint8_t>& own, RandomSource& random)
{
    auto randomBytes = [&random](std::size_t count) {
        std::vector<uint8_t> bytes(count);
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(random.bits());
        return bytes;
    };
    const std::size_t ownSize = own.size();
    switch (random.between(0, 9)) {
    case 0:
        return randomBytes(static_cast<std::size_t>(random.between(0, 16)));
    case 1:
    case 2:
        return randomBytes(static_cast<std::size_t>(random.between(0, 2048)));
    case 3:
    case 4: {
        // A few bytes changed anywhere.
        std::vector<uint8_t> bytes = own;
        for (int64_t n = random.between(1, 8); n > 0 && !bytes.empty(); --n)
            bytes[static_cast<std::size_t>(random.between(0, static_cast<int64_t>(ownSize) - 1))]
                = static_cast<uint8_t>(random.bits());
        return bytes;
    }
    case 5:
    case 6: {
        // Cut short or run on with noise.
        std::vector<uint8_t> bytes = own;
        bytes.resize(static_cast<std::size_t>(random.between(0, 2 * static_cast<int64_t>(ownSize) + 8)));
        for (std::size_t i = std::min(ownSize, bytes.size()); i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(random.bits());
        return bytes;
    }
    case 7:
    case 8: {
        // The plug-in's first four bytes, then floats of every class.
        std::vector<uint8_t> bytes(own.begin(),
                                   own.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(4, ownSize)));
        for (int64_t n = random.between(0, 80); n > 0; --n) {
            const float value = random.anyFloat();
            const auto* raw = reinterpret_cast<const uint8_t*>(&value);
            bytes.insert(bytes.end(), raw, raw + sizeof(value));
        }
        bytes.resize(bytes.size() - static_cast<std::size_t>(random.between(0, std::min<int64_t>(3, bytes.size()))));
        return bytes;
    }
    default:
        return randomBytes(random.chance(0.05) ? kLargeChunkBytes : static_cast<std::size_t>(random.between(0, 64)));
    }
}

// What must hold after any chunk: restoring what the plug-in then gives
// changes nothing, the parameters read within 0..1, and the audio is finite.
void expectWorkingAfterChunk(PluginHost& host, RandomSource& random, CheckReport& report, const std::string& what,
                             SampleCensus& census, std::size_t& longestDisplay)
{
    const std::vector<uint8_t> given = host.getChunk();
    if (host.effect()->flags & effFlagsProgramChunks)
        report.expect(!given.empty(), what + ": the plug-in gives an empty chunk");
    host.setChunk(given.data(), static_cast<VstInt32>(given.size()));
    report.expect(host.getChunk() == given, what + ": restoring the chunk it gave changes it");
    for (VstInt32 i = 0; i < host.effect()->numParams; ++i) {
        report.expect(isNormalised(host.getParameter(i)), what + ": a parameter reads outside 0..1");
        const TextAnswer display = askText(host, effGetParamDisplay, i);
        // A restored value far outside the range shows as a long number: held
        // to the room names get, the longest reported against the published 8.
        report.expect(display.fitsIn(kParameterNameBytes), what + ": a display runs past 64 bytes");
        longestDisplay = std::max(longestDisplay, display.extent);
    }
    SampleCensus after;
    processNoiseOnBothPaths(host, random, kProbeFrames, after);
    report.expect(after.finite(), what + ": audio not finite afterwards: " + after.figures());
    census.add(after);
}

} // namespace

void checkState(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report);
    std::unique_ptr<PluginHost> other = startedInstance(context, report);
    if (!host || !other)
        return;
    RandomSource random = context.randomFor("state");
    SampleCensus census;
    std::size_t chunkBytes = 0;
    for (int round = 0; round < kStateRounds; ++round) {
        const std::string what = "round " + std::to_string(round);
        const bool preset = round % 2 == 1;
        randomiseParameters(*host, random);
        processNoiseOnBothPaths(*host, random, kStateAudioFrames, census);
        const std::vector<uint8_t> saved = saveChunk(*host, preset);
        const std::vector<float> savedParameters = parametersOf(*host);
        chunkBytes = saved.size();
        if (host->effect()->flags & effFlagsProgramChunks)
            report.expect(!saved.empty(), what + ": the chunk is empty");

        randomiseParameters(*host, random);
        processNoiseOnBothPaths(*host, random, kStateAudioFrames, census);
        restoreChunk(*host, saved, preset);
        report.expect(saveChunk(*host, preset) == saved, what + ": the restored state reads back other bytes");
        report.expect(parametersOf(*host) == savedParameters, what + ": the restored parameters differ");

        restoreChunk(*other, saved, preset);
        report.expect(saveChunk(*other, preset) == saved, what + ": another instance reads back other bytes");
        report.expect(parametersOf(*other) == savedParameters, what + ": another instance has other parameters");
    }

    // Hosts hand back the very block the plug-in gave them.
    void* own = nullptr;
    const std::vector<uint8_t> saved = host->getChunk(&own);
    host->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(saved.size()), own);
    report.expect(host->getChunk() == saved, "restoring the plug-in's own block changes the state");
    report.expect(census.finite(), "output not finite");

    report.figures << kStateRounds << " rounds of save, randomise, run, restore (program and preset chunks of "
                   << chunkBytes << " bytes): bytes and parameters back, also in a second instance; "
                   << "the plug-in's own block restored; " << census.figures();
}

void checkChunks(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report);
    if (!host)
        return;
    RandomSource random = context.randomFor("chunks");
    SampleCensus census;
    uint64_t bytesFuzzed = 0;
    std::size_t longestDisplay = 0;
    for (int n = 0; n < kRandomChunks; ++n) {
        randomiseParameters(*host, random);
        const std::vector<uint8_t> chunk = hostileChunk(host->getChunk(), random);
        bytesFuzzed += chunk.size();
        host->setChunk(chunk.data(), static_cast<VstInt32>(chunk.size()));
        expectWorkingAfterChunk(*host, random, report,
                                "chunk " + std::to_string(n) + " of " + std::to_string(chunk.size()) + " bytes", census,
                                longestDisplay);
    }

    // Sizes no buffer has, and null data: the state stays as it was.
    std::vector<uint8_t> buffer = host->getChunk();
    buffer.resize(std::max<std::size_t>(buffer.size(), 64));
    const VstInt32 negativeSizes[] = {-1, -4, -260, std::numeric_limits<VstInt32>::min(),
                                      static_cast<VstInt32>(random.between(std::numeric_limits<VstInt32>::min(), -1))};
    const VstInt32 nullSizes[] = {0, 4, 260, std::numeric_limits<VstInt32>::max()};
    int refused = 0;
    auto expectIgnored = [&](void* data, VstInt32 size, const std::string& what) {
        const std::vector<uint8_t> before = host->getChunk();
        host->dispatch(effSetChunk, 0, size, data);
        report.expect(host->getChunk() == before, what + " changed the state");
        expectWorkingAfterChunk(*host, random, report, what, census, longestDisplay);
        ++refused;
    };
    for (VstInt32 size : negativeSizes)
        expectIgnored(buffer.data(), size, "a chunk of size " + std::to_string(size));
    for (VstInt32 size : nullSizes)
        expectIgnored(nullptr, size, "null data of size " + std::to_string(size));
    context.chunks += static_cast<uint64_t>(kRandomChunks + refused);

    report.figures << kRandomChunks << " chunks of random length and bytes (" << bytesFuzzed << " bytes), "
                   << std::size(negativeSizes) << " negative sizes and " << std::size(nullSizes)
                   << " null blocks ignored; after each the state round-trips, the longest display is "
                   << longestDisplay << " bytes (published 8) and " << census.figures();
}
