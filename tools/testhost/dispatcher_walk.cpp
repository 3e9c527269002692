// The random walk over the dispatcher: every opcode from 0 to 79 but effClose
// and effEditOpen (they end the instance or need a real window; other checks
// have them), with random index, value and opt, and for the pointer either
// null or a valid record of the kind the opcode carries. The plug-in must
// survive every call, keep its constant answers, write texts within their
// published sizes, and give finite audio and a working state afterwards.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <map>
#include <set>

#include "validator_checks.h"

namespace {

constexpr int kWalkCalls = 20000;
constexpr VstInt32 kLastOpcode = 79;
// Audio between the calls at this interval; the zeroed buffer is also
// checked in full then.
constexpr int kProbeInterval = 500;
constexpr VstInt32 kProbeFrames = 64;

// Larger than any record or text an opcode carries.
constexpr std::size_t kZeroedBytes = 64 * 1024;
// Where plug-ins write; the rest of the buffer is checked at each probe.
constexpr std::size_t kWrittenBytes = 4096;
constexpr std::size_t kLongestText = 300;
constexpr int kMostEvents = 24;
constexpr int kMostSysexBytes = 64;
constexpr int kMostSpeakers = 8;

// The bytes a text opcode may fill, terminator included.
const std::map<VstInt32, std::size_t> kTextBounds = {
    {effGetProgramName, kVstMaxProgNameLen},     {effGetParamLabel, kVstMaxParamStrLen},
    {effGetParamDisplay, kVstMaxParamStrLen},    {effGetParamName, kParameterNameBytes},
    {effGetEffectName, kVstMaxEffectNameLen},    {effGetVendorString, kVstMaxVendorStrLen},
    {effGetProductString, kVstMaxProductStrLen}, {effGetProgramNameIndexed, kVstMaxProgNameLen},
};

// Opcodes whose answer cannot depend on the walk.
const VstInt32 kConstantAnswers[] = {effIdentify, effGetPlugCategory, effGetVendorVersion, effGetVstVersion};

const char* const kCapabilities[] = {"receiveVstMidiEvent", "receiveVstEvents", "sendVstEvents", "sendVstMidiEvent",
                                     "receiveVstTimeInfo",  "offline",          "bypass",        "midiProgramNames",
                                     "plugAsChannelInsert", "1in1out",          "2in2out",       ""};

bool walkSkips(VstInt32 opcode)
{
    return opcode == effClose || opcode == effEditOpen;
}

// The events of one effProcessEvents call, with a list as long as it says.
class EventList {
public:
    explicit EventList(RandomSource& random)
    {
        const auto count = static_cast<std::size_t>(random.between(0, kMostEvents));
        midi.reserve(count);
        sysex.reserve(count);
        dumps.reserve(count);
        other.reserve(count);
        // The list's header overlays its first two pointers.
        static_assert(offsetof(VstEvents, events) == 2 * sizeof(VstEvent*), "VstEvents layout");
        storage.assign(2 + std::max<std::size_t>(count, 2), nullptr);
        for (std::size_t i = 0; i < count; ++i)
            storage[2 + i] = randomEvent(random);
        list()->numEvents = static_cast<VstInt32>(count);
        list()->reserved = 0;
    }
    EventList(const EventList&) = delete;
    EventList& operator=(const EventList&) = delete;

    VstEvents* list() { return reinterpret_cast<VstEvents*>(storage.data()); }
    std::size_t size() const { return storage.size() - 2; }

private:
    VstEvent* randomEvent(RandomSource& random)
    {
        const int64_t kind = random.between(0, 9);
        if (kind < 7) {
            VstMidiEvent event{};
            event.type = kVstMidiType;
            event.byteSize = sizeof(VstMidiEvent);
            event.deltaFrames = random.anyInt32();
            event.noteLength = random.anyInt32();
            for (char& byte : event.midiData)
                byte = static_cast<char>(random.bits());
            midi.push_back(event);
            return reinterpret_cast<VstEvent*>(&midi.back());
        }
        if (kind < 9) {
            dumps.emplace_back(static_cast<std::size_t>(random.between(0, kMostSysexBytes)));
            for (char& byte : dumps.back())
                byte = static_cast<char>(random.bits());
            VstMidiSysexEvent event{};
            event.type = kVstSysExType;
            event.byteSize = sizeof(VstMidiSysexEvent);
            event.deltaFrames = random.anyInt32();
            event.dumpBytes = static_cast<VstInt32>(dumps.back().size());
            event.sysexDump = dumps.back().data();
            sysex.push_back(event);
            return reinterpret_cast<VstEvent*>(&sysex.back());
        }
        // A type the interface does not define, with noise for data.
        VstEvent event{};
        event.type = static_cast<VstInt32>(random.between(2, 12));
        event.byteSize = sizeof(VstEvent);
        event.deltaFrames = random.anyInt32();
        for (char& byte : event.data)
            byte = static_cast<char>(random.bits());
        other.push_back(event);
        return &other.back();
    }

    std::vector<VstMidiEvent> midi;
    std::vector<VstMidiSysexEvent> sysex;
    std::vector<std::vector<char>> dumps;
    std::vector<VstEvent> other;
    std::vector<VstEvent*> storage;
};

// Drawn alike on both architectures, so that a seed walks the same opcodes
// on each; a 32-bit host keeps the low half of the wide values.
VstIntPtr anyIntPtr(RandomSource& random)
{
    if (random.chance(0.2))
        return static_cast<VstIntPtr>(random.wideBits());
    return random.anyInt32();
}

float anyOpt(RandomSource& random)
{
    return random.chance(0.7) ? static_cast<float>(random.noise() * 100000.0) : random.anyFloat();
}

// The walk's state: the records it hands out and what it has seen.
class DispatcherWalk {
public:
    DispatcherWalk(PluginHost& host, RandomSource& random, CheckReport& report)
        : host(host), random(random), report(report), zeroed(kZeroedBytes, 0)
    {
        for (VstInt32 opcode : kConstantAnswers)
            constantAnswers[opcode] = host.dispatch(opcode);
    }

    void step(int callNumber)
    {
        VstInt32 opcode;
        do
            opcode = static_cast<VstInt32>(random.between(0, kLastOpcode));
        while (walkSkips(opcode));
        const VstInt32 index = random.chance(0.5)
            ? static_cast<VstInt32>(random.between(-2, host.effect()->numParams + 2))
            : random.anyInt32();
        VstIntPtr value = anyIntPtr(random);
        const float opt = anyOpt(random);
        const bool withPointer = random.chance(0.5);
        void* ptr = withPointer ? zeroed.data() : nullptr;
        std::unique_ptr<EventList> events;
        VstSpeakerArrangement arrangements[2] = {};
        VstSpeakerArrangement* arrangementSlots[2] = {nullptr, nullptr};

        switch (opcode) {
        case effProcessEvents:
            if (withPointer) {
                events = std::make_unique<EventList>(random);
                ptr = events->list();
                ++eventLists;
                eventsSent += events->size();
            }
            break;
        case effSetSpeakerArrangement:
            // Both the value and the pointer carry an arrangement.
            for (VstSpeakerArrangement& arrangement : arrangements) {
                arrangement.type = random.anyInt32();
                arrangement.numChannels = static_cast<VstInt32>(random.between(0, kMostSpeakers));
            }
            value = random.chance(0.5) ? reinterpret_cast<VstIntPtr>(&arrangements[0]) : 0;
            ptr = withPointer ? &arrangements[1] : nullptr;
            break;
        case effGetSpeakerArrangement:
            // Both point to where the plug-in stores an arrangement pointer.
            value = random.chance(0.5) ? reinterpret_cast<VstIntPtr>(&arrangementSlots[0]) : 0;
            ptr = withPointer ? &arrangementSlots[1] : nullptr;
            break;
        case effSetChunk:
            // The size is the value's low 32 bits: with data, no more than
            // the buffer holds, or negative.
            if (withPointer)
                value = random.chance(0.8) ? random.between(-8, static_cast<int64_t>(kZeroedBytes))
                                           : random.between(std::numeric_limits<VstInt32>::min(), -1);
            break;
        case effSetProgramName:
        case effString2Parameter:
        case effCanDo:
            if (withPointer)
                writeText(opcode);
            break;
        default:
            break;
        }

        const VstIntPtr answer = host.dispatch(opcode, index, value, ptr, opt);
        ++calls;
        pointerCalls += ptr ? 1 : 0;
        opcodesCalled.insert(opcode);
        const std::string what = "call " + std::to_string(callNumber) + " (opcode " + std::to_string(opcode) + ")";
        auto constant = constantAnswers.find(opcode);
        if (constant != constantAnswers.end())
            report.expect(answer == constant->second, what + ": a constant answer changed");
        if (ptr == zeroed.data())
            checkAndClearWrites(opcode, what);
    }

    // Audio and the zeroed buffer between the calls.
    void probe(const std::string& after)
    {
        report.expect(std::all_of(zeroed.begin(), zeroed.end(), [](unsigned char b) { return b == 0; }),
                      after + ": the plug-in wrote far into a pointer's buffer");
        std::fill(zeroed.begin(), zeroed.end(), 0);
        host.resume();
        SampleCensus probeCensus;
        processNoiseOnBothPaths(host, random, kProbeFrames, probeCensus);
        report.expect(probeCensus.finite(), "audio not finite after " + after + ": " + probeCensus.figures());
        census.add(probeCensus);
    }

    int calls = 0;
    int pointerCalls = 0;
    int eventLists = 0;
    std::size_t eventsSent = 0;
    std::set<VstInt32> opcodesCalled;
    SampleCensus census;

private:
    // A zero-terminated text in the zeroed buffer: a capability, or noise of
    // any length up to a few hundred characters.
    void writeText(VstInt32 opcode)
    {
        std::string text;
        if (opcode == effCanDo && random.chance(0.5)) {
            text = kCapabilities[random.between(0, std::size(kCapabilities) - 1)];
        } else {
            const auto length = static_cast<std::size_t>(random.between(0, kLongestText));
            for (std::size_t i = 0; i < length; ++i)
                text.push_back(static_cast<char>(random.between(1, 255)));
        }
        std::memcpy(zeroed.data(), text.c_str(), text.size() + 1);
    }

    void checkAndClearWrites(VstInt32 opcode, const std::string& what)
    {
        std::size_t extent = kWrittenBytes;
        while (extent > 0 && zeroed[extent - 1] == 0)
            --extent;
        auto bound = kTextBounds.find(opcode);
        if (bound != kTextBounds.end())
            report.expect(extent < bound->second,
                          what + ": a text of " + std::to_string(extent) + " bytes, past its "
                              + std::to_string(bound->second));
        std::fill(zeroed.begin(), zeroed.begin() + static_cast<std::ptrdiff_t>(extent), 0);
    }

    PluginHost& host;
    RandomSource& random;
    CheckReport& report;
    std::vector<unsigned char> zeroed;
    std::map<VstInt32, VstIntPtr> constantAnswers;
};

} // namespace

void checkDispatcher(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report);
    if (!host)
        return;
    RandomSource random = context.randomFor("dispatcher");
    DispatcherWalk walk(*host, random, report);
    for (int n = 0; n < kWalkCalls; ++n) {
        walk.step(n);
        if ((n + 1) % kProbeInterval == 0)
            walk.probe("call " + std::to_string(n));
    }
    context.dispatcherCalls += static_cast<uint64_t>(walk.calls);

    // Back at a sane rate and block size, the state still round-trips.
    host->settings.sampleRate = 44100.0f;
    host->setSampleRate(44100.0f);
    host->setBlockSize(512);
    walk.probe("the walk");
    const std::vector<uint8_t> chunk = host->getChunk();
    host->setChunk(chunk.data(), static_cast<VstInt32>(chunk.size()));
    report.expect(host->getChunk() == chunk, "after the walk the state no longer round-trips");
    for (float value : parametersOf(*host))
        report.expect(isNormalised(value), "after the walk a parameter reads outside 0..1");
    report.expect(host->close() == 1, "effClose did not answer 1 after the walk");

    report.figures << walk.calls << " calls over " << walk.opcodesCalled.size() << " opcodes, " << walk.pointerCalls
                   << " with a pointer, " << walk.eventLists << " event lists (" << walk.eventsSent
                   << " events); audio every " << kProbeInterval << " calls: " << walk.census.figures();
}
