#include "zarkune_memory.h"

#include "fft.h"

double* CZarkuneMemory::at(int32_t index)
{
    // One map lookup per access: operator[] finds or inserts in one go.
    std::vector<double>& page = pages[index >> 16];
    if (page.size() != static_cast<size_t>(kPageSize))
        page.resize(kPageSize);
    return &page[static_cast<size_t>(index & 0xFFFF)];
}

void CZarkuneMemory::multiplyComplex(int32_t destIndex, int32_t srcIndex, int32_t count)
{
    const int64_t run = int64_t{2} * count;
    if (!runFitsInPage(destIndex, run) || !runFitsInPage(srcIndex, run))
        return;
    const double* src = at(srcIndex);
    double* dest = at(destIndex);
    complexMultiply(dest, src, count & ~1);
}
