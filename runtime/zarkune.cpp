#include "zarkune.h"

#include "fft.h"
#include "runtime_platform.h"

namespace {

template <class Sample>
void frameByFrame(TZarkune& runtime, Sample* const* inputs, Sample* const* outputs, int32_t frames, int32_t channels)
{
    for (int32_t i = 0; i < frames; ++i) {
        for (int32_t k = 0; k < channels; ++k)
            runtime.samples[static_cast<std::size_t>(k)] = inputs[k][i];
        runtime.doSample();
        for (int32_t k = 0; k < channels; ++k)
            outputs[k][i] = static_cast<Sample>(runtime.samples[static_cast<std::size_t>(k)]);
    }
}

} // namespace

TZarkune::TZarkune()
{
    // The transform tables must exist before any script runs.
    ensureFftTables();
    TZarkune::reset();
}

TZarkune::~TZarkune() = default;

void TZarkune::reset()
{
    pages.clear();
    strings.clear();
    stringCount = 0.0;
    lastRedrawTicks = 0;
}

void TZarkune::resume()
{
    doInit();
    doSlider();
}

int32_t TZarkune::initOnce()
{
    if (openCount == 0)
        doInit();
    return ++openCount;
}

void TZarkune::idle()
{
    if (!(frameRate > 0.0))
        return;
    // A signed 32-bit difference stays right across a wrap of the tick count.
    const auto elapsed
        = static_cast<int32_t>(static_cast<uint32_t>(tickCount()) - static_cast<uint32_t>(lastRedrawTicks));
    if (static_cast<double>(elapsed) > 1000.0 / frameRate) {
        vestRedraw(vest);
        lastRedrawTicks = tickCount();
    }
}

void TZarkune::processFrames(float* const* inputs, float* const* outputs, int32_t frames, int32_t channels)
{
    frameByFrame(*this, inputs, outputs, frames, channels);
}

void TZarkune::processFrames(double* const* inputs, double* const* outputs, int32_t frames, int32_t channels)
{
    frameByFrame(*this, inputs, outputs, frames, channels);
}
