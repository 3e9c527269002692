#include "memory_transforms.h"

#include <atomic>
#include <mutex>

#include "fft.h"
#include "mdct.h"
#include "mdct_cache.h"

MdctSlot mdctContexts[kMdctMaxLog2 + 1];

namespace {

constexpr int32_t kFftMinLog2 = 4;
constexpr int32_t kFftMaxLog2 = 15;
constexpr int32_t kMdctMaxSize = 1 << kMdctMaxLog2;

std::atomic<MdctAllocate> cacheAllocate{std::malloc};

// floor(log2(size)), or -1 for a size below 2.
int32_t floorLog2(int32_t size)
{
    if (size < 2)
        return -1;
    int32_t log2 = 0;
    while (size >> (log2 + 1))
        ++log2;
    return log2;
}

// The size's context, made on first use; null while it cannot be made.
MdctContext* mdctContextFor(int32_t log2n)
{
    MdctSlot& slot = mdctContexts[log2n];
    if (MdctContext* context = slot.context.load(std::memory_order_acquire))
        return context;
    std::lock_guard<std::mutex> guard(slot.lock);
    MdctContext* context = slot.context.load(std::memory_order_relaxed);
    if (!context) {
        context = mdctContextCreate(1 << log2n, cacheAllocate.load());
        slot.context.store(context, std::memory_order_release);
    }
    return context;
}

// out[i] = in[i] * w(i) over the whole sine window, from its stored half.
void applyWindow(const MdctContext& context, const double* in, double* out)
{
    const int32_t half = context.n / 2;
    for (int32_t i = 0; i < half; ++i) {
        out[i] = in[i] * context.window[i];
        out[half + i] = in[half + i] * context.window[half - 1 - i];
    }
}

} // namespace

void setMdctCacheAllocator(MdctAllocate allocate)
{
    cacheAllocate.store(allocate);
}

void memoryFft(CZarkuneMemory& memory, int32_t index, int32_t size, int32_t mode)
{
    const int32_t log2n = floorLog2(size);
    if (log2n < kFftMinLog2 || log2n > kFftMaxLog2)
        return;
    if (!CZarkuneMemory::runFitsInPage(index, int64_t{2} << log2n))
        return;
    fftOperation(log2n, memory.at(index), mode);
}

void memoryMdct(CZarkuneMemory& memory, int32_t index, int32_t size, bool inverse)
{
    const int32_t log2n = floorLog2(size);
    if (log2n < kMdctMinLog2 || log2n > kMdctMaxLog2)
        return;
    const int32_t n = 1 << log2n;
    if (!CZarkuneMemory::runFitsInPage(index, n))
        return;
    MdctContext* context = mdctContextFor(log2n);
    double* values = memory.at(index);
    // Without a window the forward has no windowed input to transform and
    // the inverse cannot window its output: both leave memory alone.
    if (!context || !context->window)
        return;
    double scratch[kMdctMaxSize];
    if (inverse) {
        imdctTransform(context, values, scratch);
        applyWindow(*context, scratch, values);
    } else {
        applyWindow(*context, values, scratch);
        std::lock_guard<std::mutex> guard(mdctContexts[log2n].lock);
        mdctTransform(context, scratch, values);
    }
}
