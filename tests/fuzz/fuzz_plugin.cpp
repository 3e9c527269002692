#include "fuzz_plugin.h"

#include <cstring>

#include "callbacks.h"
#include "fuzz_check.h"
#include "plugin_entry.h"
#include "vest.h"

namespace {

constexpr VstIntPtr kHostVersion = 2400;

const VstTimeInfo* hostTime = nullptr;

// A host that knows only what the plug-in asks on these paths.
VstIntPtr VSTCALLBACK fuzzHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                               void* /*ptr*/, float /*opt*/)
{
    switch (opcode) {
    case audioMasterVersion:
        return kHostVersion;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(hostTime);
    default:
        return 0;
    }
}

} // namespace

FuzzPlugin::FuzzPlugin(float sampleRate, VstInt32 blockSize) : record_(VSTPluginMain(fuzzHost))
{
    FUZZ_CHECK(record_ != nullptr && record_->magic == kEffectMagic);
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

FuzzPlugin::~FuzzPlugin()
{
    dispatch(effMainsChanged, 0, 0);
    dispatch(effClose);
}

void FuzzPlugin::setHostTime(const VstTimeInfo* time)
{
    hostTime = time;
}

const TZarkuneEffect& FuzzPlugin::effect() const
{
    auto* vest = static_cast<CVeST*>(static_cast<AudioEffect*>(record_->object));
    return *static_cast<const TZarkuneEffect*>(vest->effect);
}

VstIntPtr FuzzPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return record_->dispatcher(record_, opcode, index, value, ptr, opt);
}

StateChunk FuzzPlugin::chunk()
{
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    StateChunk chunk{};
    FUZZ_CHECK(size == static_cast<VstIntPtr>(sizeof(chunk)) && data != nullptr);
    std::memcpy(chunk.data(), data, sizeof(chunk));
    FUZZ_CHECK(chunk[0] == -1000.0f);
    return chunk;
}

VstIntPtr FuzzPlugin::setChunk(void* bytes, VstInt32 byteSize)
{
    return dispatch(effSetChunk, 0, byteSize, bytes);
}

void FuzzPlugin::restoreParameters(const ParameterValues& values)
{
    std::array<float, 4> chunk{-1000.0f, values[0], values[1], values[2]};
    setChunk(chunk.data(), static_cast<VstInt32>(sizeof(chunk)));
}

std::string FuzzPlugin::parameterText(VstInt32 opcode, VstInt32 index)
{
    // On the heap, so that the sanitizer sees a write past the end.
    std::vector<char> text(kParameterTextBytes, '\x7f');
    dispatch(opcode, index, 0, text.data());
    FUZZ_CHECK(std::memchr(text.data(), '\0', text.size()) != nullptr);
    return text.data();
}

template <class Sample> StereoBlock<Sample>::StereoBlock(std::size_t frames, bool inPlace)
{
    for (auto& buffer : buffers_)
        buffer.assign(frames, Sample(0));
    for (int channel = 0; channel < 2; ++channel) {
        sent_[channel].assign(frames, Sample(0));
        inputs_[channel] = buffers_[channel].data();
        received_[channel] = &buffers_[inPlace ? channel : channel + 2];
        outputs_[channel] = received_[channel]->data();
    }
}

template <class Sample> void StereoBlock<Sample>::fill(int channel, std::size_t frame, Sample value)
{
    buffers_[channel][frame] = value;
    sent_[channel][frame] = value;
}

template <> void StereoBlock<float>::process(FuzzPlugin& plugin, VstInt32 sampleFrames)
{
    plugin.record().processReplacing(&plugin.record(), inputs_, outputs_, sampleFrames);
}

template <> void StereoBlock<double>::process(FuzzPlugin& plugin, VstInt32 sampleFrames)
{
    plugin.record().processDoubleReplacing(&plugin.record(), inputs_, outputs_, sampleFrames);
}

template class StereoBlock<float>;
template class StereoBlock<double>;
