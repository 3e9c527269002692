#include "stereo_render.h"

#include <algorithm>
#include <cstdint>

namespace {

// cos and sin of the phase steps of the two tones: 2 pi 220 / 44100 and
// 2 pi 331 / 44100, as literals so no library function is involved.
constexpr double kLeftCos = 0.9995087954669746;
constexpr double kLeftSin = 0.03133955622145082;
constexpr double kRightCos = 0.9988881964453319;
constexpr double kRightSin = 0.0471420301025752;

// A plain linear congruential generator: the same numbers everywhere.
class NoiseSource {
public:
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

private:
    uint32_t state = 12345u;
};

template <class Sample, class Process>
StereoSignal<Sample> renderInBlocks(const StereoSignal<Sample>& input, VstInt32 blockSize, Process process)
{
    StereoSignal<Sample> output{std::vector<Sample>(input.frames()), std::vector<Sample>(input.frames())};
    const std::size_t block = static_cast<std::size_t>(std::max<VstInt32>(blockSize, 1));
    std::vector<Sample> inLeft(block), inRight(block), outLeft(block), outRight(block);
    for (std::size_t start = 0; start < input.frames(); start += block) {
        const std::size_t frames = std::min(block, input.frames() - start);
        std::copy_n(input.left.begin() + start, frames, inLeft.begin());
        std::copy_n(input.right.begin() + start, frames, inRight.begin());
        Sample* inputs[2] = {inLeft.data(), inRight.data()};
        Sample* outputs[2] = {outLeft.data(), outRight.data()};
        process(inputs, outputs, static_cast<VstInt32>(frames));
        std::copy_n(outLeft.begin(), frames, output.left.begin() + start);
        std::copy_n(outRight.begin(), frames, output.right.begin() + start);
    }
    return output;
}

} // namespace

StereoSignal<float> makeTestSignal(std::size_t frames)
{
    StereoSignal<float> signal{std::vector<float>(frames), std::vector<float>(frames)};
    double leftX = 1.0, leftY = 0.0, rightX = 0.0, rightY = 1.0;
    NoiseSource noise;
    for (std::size_t i = 0; i < frames; ++i) {
        // A triangle swell over two seconds between 0.2 and 1.0.
        const double phase = static_cast<double>(i % 88200) / 44100.0;
        const double swell = 0.2 + 0.8 * (phase < 1.0 ? phase : 2.0 - phase);
        const double shared = 0.05 * noise.next();
        signal.left[i] = static_cast<float>(swell * 0.5 * leftY + shared + 0.02 * noise.next());
        signal.right[i] = static_cast<float>(0.4 * rightY + 0.3 * swell * leftY + shared);
        const double nextLeftX = kLeftCos * leftX - kLeftSin * leftY;
        leftY = kLeftSin * leftX + kLeftCos * leftY;
        leftX = nextLeftX;
        const double nextRightX = kRightCos * rightX - kRightSin * rightY;
        rightY = kRightSin * rightX + kRightCos * rightY;
        rightX = nextRightX;
    }
    return signal;
}

StereoSignal<float> makeSineSignal(std::size_t frames, double amplitude)
{
    StereoSignal<float> signal{std::vector<float>(frames), std::vector<float>(frames)};
    double x = 1.0, y = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        signal.left[i] = static_cast<float>(amplitude * y);
        signal.right[i] = static_cast<float>(amplitude * x);
        const double nextX = kLeftCos * x - kLeftSin * y;
        y = kLeftSin * x + kLeftCos * y;
        x = nextX;
    }
    return signal;
}

StereoSignal<double> widenedSignal(const StereoSignal<float>& signal)
{
    return {std::vector<double>(signal.left.begin(), signal.left.end()),
            std::vector<double>(signal.right.begin(), signal.right.end())};
}

StereoSignal<float> narrowedSignal(const StereoSignal<double>& signal)
{
    StereoSignal<float> narrow{std::vector<float>(signal.frames()), std::vector<float>(signal.frames())};
    std::transform(signal.left.begin(), signal.left.end(), narrow.left.begin(),
                   [](double v) { return static_cast<float>(v); });
    std::transform(signal.right.begin(), signal.right.end(), narrow.right.begin(),
                   [](double v) { return static_cast<float>(v); });
    return narrow;
}

StereoSignal<float> renderReplacing(PluginHost& host, const StereoSignal<float>& input, VstInt32 blockSize)
{
    return renderInBlocks(input, blockSize, [&host](float** inputs, float** outputs, VstInt32 frames) {
        host.processReplacing(inputs, outputs, frames);
    });
}

StereoSignal<double> renderDoubleReplacing(PluginHost& host, const StereoSignal<double>& input, VstInt32 blockSize)
{
    return renderInBlocks(input, blockSize, [&host](double** inputs, double** outputs, VstInt32 frames) {
        host.processDoubleReplacing(inputs, outputs, frames);
    });
}
