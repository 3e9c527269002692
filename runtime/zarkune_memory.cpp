#include "zarkune_memory.h"

double* CZarkuneMemory::at(int32_t index)
{
    // One map lookup per access: operator[] finds or inserts in one go.
    std::vector<double>& page = pages[index >> 16];
    if (page.size() != static_cast<size_t>(kPageSize))
        page.resize(kPageSize);
    return &page[static_cast<size_t>(index & 0xFFFF)];
}
