#include "plugin_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

typedef AEffect*(VSTCALLBACK* PluginEntry)(audioMasterCallback host);

constexpr unsigned char kSentinel = 0xA5;
constexpr char kHostVendor[] = "VeST Test Host";
constexpr char kHostProduct[] = "testhost";

std::wstring widened(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

std::vector<PluginHost*> PluginHost::hosts;
PluginHost* PluginHost::creating = nullptr;

PluginHost::PluginHost(HostSettings settings) : settings(std::move(settings))
{
    hosts.push_back(this);
}

PluginHost::~PluginHost()
{
    if (plugin)
        close();
    unload();
    hosts.erase(std::find(hosts.begin(), hosts.end(), this));
}

bool PluginHost::load(const std::string& path)
{
    library = LoadLibraryW(widened(path).c_str());
    if (!library)
        lastError = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return library != nullptr;
}

void PluginHost::unload()
{
    if (library)
        FreeLibrary(library);
    library = nullptr;
}

void* PluginHost::entryAddress(const char* entryName) const
{
    // Through void*: the exported address has no declared type of its own.
    return library ? reinterpret_cast<void*>(GetProcAddress(library, entryName)) : nullptr;
}

AEffect* PluginHost::create(const char* entryName)
{
    auto entry = reinterpret_cast<PluginEntry>(entryAddress(entryName));
    if (!entry) {
        lastError = std::string("no entry ") + entryName;
        return nullptr;
    }
    creating = this;
    plugin = entry(hostCallback);
    creating = nullptr;
    return plugin;
}

VstIntPtr PluginHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return plugin ? plugin->dispatcher(plugin, opcode, index, value, ptr, opt) : 0;
}

void PluginHost::start()
{
    open();
    setSampleRate(settings.sampleRate);
    setBlockSize(settings.blockSize);
    resume();
}

VstIntPtr PluginHost::close()
{
    VstIntPtr answer = dispatch(effClose);
    plugin = nullptr;
    return answer;
}

void PluginHost::setParameter(VstInt32 index, float value)
{
    if (plugin)
        plugin->setParameter(plugin, index, value);
}

float PluginHost::getParameter(VstInt32 index)
{
    return plugin ? plugin->getParameter(plugin, index) : 0.0f;
}

HostText PluginHost::text(VstInt32 opcode, VstInt32 index, std::size_t bufferSize)
{
    std::vector<char> buffer(bufferSize + 1, static_cast<char>(kSentinel));
    buffer[bufferSize] = '\0'; // the host's own guard; not part of the buffer
    dispatch(opcode, index, 0, buffer.data());
    std::size_t touched = bufferSize;
    while (touched > 0 && static_cast<unsigned char>(buffer[touched - 1]) == kSentinel)
        --touched;
    return {std::string(buffer.data(), ::strnlen(buffer.data(), bufferSize)), touched};
}

std::vector<uint8_t> PluginHost::getChunk(void** pluginBlock)
{
    void* data = nullptr;
    VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    if (pluginBlock)
        *pluginBlock = data;
    if (size <= 0 || !data)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

VstIntPtr PluginHost::setChunk(const void* data, VstInt32 byteSize)
{
    return dispatch(effSetChunk, 0, byteSize, const_cast<void*>(data));
}

void PluginHost::processReplacing(float** inputs, float** outputs, VstInt32 frames)
{
    if (plugin)
        plugin->processReplacing(plugin, inputs, outputs, frames);
    advanceTime(frames);
}

void PluginHost::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames)
{
    if (plugin)
        plugin->processDoubleReplacing(plugin, inputs, outputs, frames);
    advanceTime(frames);
}

void PluginHost::advanceTime(VstInt32 frames)
{
    if (frames > 0)
        samplePosition += frames;
}

VstIntPtr VSTCALLBACK PluginHost::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                               void* ptr, float opt)
{
    PluginHost* host = hostFor(effect);
    if (!host)
        return 0;
    std::lock_guard<std::mutex> lock(host->requestLock);
    VstIntPtr result = host->answer(opcode, value, ptr);
    host->requests.push_back({effect != nullptr, opcode, index, value, ptr != nullptr, opt, result});
    return result;
}

PluginHost* PluginHost::hostFor(AEffect* effect)
{
    auto owner = std::find_if(hosts.begin(), hosts.end(),
                              [effect](const PluginHost* host) { return effect && host->plugin == effect; });
    return owner != hosts.end() ? *owner : creating;
}

VstIntPtr PluginHost::answer(VstInt32 opcode, VstIntPtr value, void* ptr)
{
    auto given = settings.answers.find(opcode);
    if (given != settings.answers.end())
        return given->second;
    switch (opcode) {
    case audioMasterVersion:
        return settings.version;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(currentTimeInfo(value));
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(settings.sampleRate);
    case audioMasterGetBlockSize:
        return settings.blockSize;
    case audioMasterWantMidi:
    case audioMasterAutomate:
    case audioMasterProcessEvents:
    case audioMasterUpdateDisplay:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        return 1;
    case audioMasterGetVendorString:
        if (ptr)
            std::strcpy(static_cast<char*>(ptr), kHostVendor);
        return ptr ? 1 : 0;
    case audioMasterGetProductString:
        if (ptr)
            std::strcpy(static_cast<char*>(ptr), kHostProduct);
        return ptr ? 1 : 0;
    case audioMasterGetVendorVersion:
        return 1;
    default:
        return 0;
    }
}

VstTimeInfo* PluginHost::currentTimeInfo(VstIntPtr /*filter*/)
{
    if (!settings.timeInfo)
        return nullptr;
    timeInfo = VstTimeInfo{};
    timeInfo.samplePos = samplePosition;
    timeInfo.sampleRate = settings.sampleRate;
    timeInfo.tempo = settings.tempo;
    timeInfo.ppqPos = samplePosition / settings.sampleRate * settings.tempo / 60.0;
    const double quartersPerBar = 4.0 * settings.timeSigNumerator / settings.timeSigDenominator;
    timeInfo.barStartPos = std::floor(timeInfo.ppqPos / quartersPerBar) * quartersPerBar;
    timeInfo.timeSigNumerator = settings.timeSigNumerator;
    timeInfo.timeSigDenominator = settings.timeSigDenominator;
    timeInfo.flags = kVstTempoValid | kVstPpqPosValid | kVstBarsValid | kVstTimeSigValid
        | (settings.playing ? kVstTransportPlaying : 0) | (settings.recording ? kVstTransportRecording : 0);
    return &timeInfo;
}
