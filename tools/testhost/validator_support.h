#pragma once

// What the validator's checks share besides audio and random numbers: the
// report each check fills, the run it belongs to, plug-in instances made and
// started as a host makes them, and texts and parameters as a host reads
// them.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "audio_block.h"
#include "plugin_host.h"
#include "validator_random.h"

// Parameter names: hosts commonly give far more room than the published 8,
// so they are held to this and their length reported. Every other text is
// held to its published size (kVstMax... in vst_records.h).
constexpr std::size_t kParameterNameBytes = 64;

// What one check found: its figures and its first problem.
class CheckReport {
public:
    // The check fails; only the first problem is kept in full.
    void fail(const std::string& problem);
    // Fails with the problem unless the condition holds; returns it.
    bool expect(bool condition, const std::string& problem);

    bool passed() const { return problemCount == 0; }
    int problems() const { return problemCount; }
    const std::string& firstProblem() const { return first; }

    // What the check did, as it is printed: "12 runs, 4096 frames, ...".
    std::ostringstream figures;

private:
    int problemCount = 0;
    std::string first;
};

// The run the checks belong to: the plug-in, the seed, and the totals that
// the summary line reports.
struct ValidatorContext {
    std::string pluginPath;
    uint32_t seed = 0;
    uint64_t dispatcherCalls = 0;
    uint64_t chunks = 0;
    // Instances created and destroyed by the memory check.
    int memoryInstances = 1000;

    // A random source of the check's own, so that each check sees the same
    // numbers whatever the others drew.
    RandomSource randomFor(const char* checkName) const;
};

// Loads the library into a host of its own and calls its entry; null (and
// the reason in problem) when either fails.
std::unique_ptr<PluginHost> createInstance(const std::string& pluginPath, std::string& problem);
// Host and plug-in agree on the sample rate and block size; then open and
// resume.
void startInstance(PluginHost& host, float sampleRate, VstInt32 blockSize);

// createInstance for a check: null, with the problem in the report, when it
// fails.
std::unique_ptr<PluginHost> createdInstance(const ValidatorContext& context, CheckReport& report);
// createdInstance, then startInstance.
std::unique_ptr<PluginHost> startedInstance(const ValidatorContext& context, CheckReport& report,
                                            float sampleRate = 44100.0f, VstInt32 blockSize = 512);

// A text opcode answered into a buffer far larger than any published size,
// prefilled with a sentinel, so that an overrun shows: the text up to its
// terminator, how far into the buffer the plug-in wrote (to the last byte it
// changed), and the dispatcher's answer.
struct TextAnswer {
    std::string text;
    std::size_t extent;
    VstIntPtr answer;
    // The text and its terminator lie within the first bytes of the buffer.
    bool fitsIn(std::size_t bytes) const { return extent <= bytes && text.size() < bytes; }
};
TextAnswer askText(PluginHost& host, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

// A parameter value as a host must read it: within 0..1 (so not a NaN).
inline bool isNormalised(float value)
{
    return value >= 0.0f && value <= 1.0f;
}

// The parameter values as the host reads them.
std::vector<float> parametersOf(PluginHost& host);
// Every parameter set to a random value in 0..1.
void randomiseParameters(PluginHost& host, RandomSource& random);
