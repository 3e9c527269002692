#include "validator_support.h"

#include <cstring>

namespace {

// Text opcodes answer into this much room, filled with the sentinel.
constexpr std::size_t kTextBufferBytes = 1024;
constexpr unsigned char kTextSentinel = 0xA5;

uint32_t nameHash(const char* name)
{
    uint32_t hash = 2166136261u;
    for (; *name; ++name)
        hash = (hash ^ static_cast<unsigned char>(*name)) * 16777619u;
    return hash;
}

} // namespace

std::unique_ptr<PluginHost> createInstance(const std::string& pluginPath, std::string& problem)
{
    auto host = std::make_unique<PluginHost>();
    if (!host->load(pluginPath)) {
        problem = host->lastError;
        return nullptr;
    }
    if (!host->create()) {
        problem = "the entry gave no plug-in" + (host->lastError.empty() ? "" : " (" + host->lastError + ")");
        return nullptr;
    }
    return host;
}

void startInstance(PluginHost& host, float sampleRate, VstInt32 blockSize)
{
    host.settings.sampleRate = sampleRate;
    host.settings.blockSize = blockSize;
    host.start();
}

std::vector<float> parametersOf(PluginHost& host)
{
    std::vector<float> values;
    for (VstInt32 i = 0; i < host.effect()->numParams; ++i)
        values.push_back(host.getParameter(i));
    return values;
}

void randomiseParameters(PluginHost& host, RandomSource& random)
{
    for (VstInt32 i = 0; i < host.effect()->numParams; ++i)
        host.setParameter(i, static_cast<float>(random.unit()));
}

void CheckReport::fail(const std::string& problem)
{
    if (problemCount++ == 0)
        first = problem;
}

bool CheckReport::expect(bool condition, const std::string& problem)
{
    if (!condition)
        fail(problem);
    return condition;
}

RandomSource ValidatorContext::randomFor(const char* checkName) const
{
    return RandomSource(seed ^ nameHash(checkName));
}

std::unique_ptr<PluginHost> createdInstance(const ValidatorContext& context, CheckReport& report)
{
    std::string problem;
    std::unique_ptr<PluginHost> host = createInstance(context.pluginPath, problem);
    if (!host)
        report.fail(problem);
    return host;
}

std::unique_ptr<PluginHost> startedInstance(const ValidatorContext& context, CheckReport& report, float sampleRate,
                                            VstInt32 blockSize)
{
    std::unique_ptr<PluginHost> host = createdInstance(context, report);
    if (host)
        startInstance(*host, sampleRate, blockSize);
    return host;
}

TextAnswer askText(PluginHost& host, VstInt32 opcode, VstInt32 index, VstIntPtr value)
{
    std::vector<unsigned char> buffer(kTextBufferBytes, kTextSentinel);
    const VstIntPtr answer = host.dispatch(opcode, index, value, buffer.data());
    std::size_t extent = buffer.size();
    while (extent > 0 && buffer[extent - 1] == kTextSentinel)
        --extent;
    const auto* text = reinterpret_cast<const char*>(buffer.data());
    return {std::string(text, ::strnlen(text, buffer.size())), extent, answer};
}
