#include "audio_block.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <type_traits>

namespace {

template <class Sample> std::vector<Sample*> pointersTo(std::vector<std::vector<Sample>>& channels)
{
    std::vector<Sample*> pointers;
    for (std::vector<Sample>& channel : channels)
        pointers.push_back(channel.data());
    return pointers;
}

} // namespace

template <class Sample> void SampleCensus::count(const Sample* values, std::size_t n)
{
    samples += n;
    for (std::size_t i = 0; i < n; ++i) {
        switch (std::fpclassify(values[i])) {
        case FP_NAN:
            ++nans;
            break;
        case FP_INFINITE:
            ++infinities;
            break;
        case FP_SUBNORMAL:
            ++subnormals;
            break;
        default:
            break;
        }
    }
}

template void SampleCensus::count(const float*, std::size_t);
template void SampleCensus::count(const double*, std::size_t);

void SampleCensus::add(const SampleCensus& other)
{
    samples += other.samples;
    nans += other.nans;
    infinities += other.infinities;
    subnormals += other.subnormals;
}

std::string SampleCensus::figures() const
{
    std::ostringstream text;
    text << samples << " samples, " << nans << " NaN, " << infinities << " inf, " << subnormals << " subnormal";
    return text.str();
}

template <class Sample>
AudioBlock<Sample>::AudioBlock(int channels, std::size_t frames)
    : inputs(static_cast<std::size_t>(channels), std::vector<Sample>(frames)),
      outputs(static_cast<std::size_t>(channels), std::vector<Sample>(frames)), inputPointers(pointersTo(inputs)),
      outputPointers(pointersTo(outputs))
{
}

template <class Sample> void AudioBlock<Sample>::fillNoise(RandomSource& random)
{
    for (std::vector<Sample>& channel : inputs)
        for (Sample& sample : channel)
            sample = static_cast<Sample>(random.noise());
}

template <class Sample> void AudioBlock<Sample>::fillSilence()
{
    for (std::vector<Sample>& channel : inputs)
        std::fill(channel.begin(), channel.end(), Sample(0));
}

template <class Sample> void AudioBlock<Sample>::poisonOutputs()
{
    for (std::vector<Sample>& channel : outputs)
        std::fill(channel.begin(), channel.end(), std::numeric_limits<Sample>::quiet_NaN());
}

template <class Sample> void AudioBlock<Sample>::runPlugin(PluginHost& host, Sample** targets, VstInt32 frames)
{
    if constexpr (std::is_same_v<Sample, float>)
        host.processReplacing(inputPointers.data(), targets, frames);
    else
        host.processDoubleReplacing(inputPointers.data(), targets, frames);
}

template <class Sample> void AudioBlock<Sample>::process(PluginHost& host, VstInt32 frames, SampleCensus& census)
{
    poisonOutputs();
    runPlugin(host, outputPointers.data(), frames);
    for (const std::vector<Sample>& channel : outputs)
        census.count(channel.data(), static_cast<std::size_t>(frames));
}

template <class Sample> void AudioBlock<Sample>::processInPlace(PluginHost& host, VstInt32 frames, SampleCensus& census)
{
    runPlugin(host, inputPointers.data(), frames);
    for (const std::vector<Sample>& channel : inputs)
        census.count(channel.data(), static_cast<std::size_t>(frames));
}

template <class Sample> bool AudioBlock<Sample>::processLeavesOutputsUntouched(PluginHost& host, VstInt32 frames)
{
    poisonOutputs();
    runPlugin(host, outputPointers.data(), frames);
    for (const std::vector<Sample>& channel : outputs)
        if (!std::all_of(channel.begin(), channel.end(), [](Sample s) { return std::isnan(s); }))
            return false;
    return true;
}

template class AudioBlock<float>;
template class AudioBlock<double>;

void processNoiseOnBothPaths(PluginHost& host, RandomSource& random, VstInt32 frames, SampleCensus& census)
{
    const int channels = channelsOf(*host.effect());
    AudioBlock<float> single(channels, static_cast<std::size_t>(frames));
    single.fillNoise(random);
    single.process(host, frames, census);
    if (host.effect()->flags & effFlagsCanDoubleReplacing) {
        AudioBlock<double> twice(channels, static_cast<std::size_t>(frames));
        twice.fillNoise(random);
        twice.process(host, frames, census);
    }
}

AlternatingPaths::AlternatingPaths(const AEffect& effect, VstInt32 frames)
    : doublePath((effect.flags & effFlagsCanDoubleReplacing) != 0), frames(frames),
      single(channelsOf(effect), static_cast<std::size_t>(frames)),
      twice(channelsOf(effect), static_cast<std::size_t>(frames))
{
}

void AlternatingPaths::processNoise(PluginHost& host, RandomSource& random, SampleCensus& census)
{
    if (doublePath && nextDouble) {
        twice.fillNoise(random);
        twice.process(host, frames, census);
    } else {
        single.fillNoise(random);
        single.process(host, frames, census);
    }
    nextDouble = !nextDouble;
}

int channelsOf(const AEffect& effect)
{
    return std::max({effect.numInputs, effect.numOutputs, 1});
}
