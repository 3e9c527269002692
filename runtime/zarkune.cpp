#include "zarkune.h"

#include "fft.h"
#include "runtime_platform.h"

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
