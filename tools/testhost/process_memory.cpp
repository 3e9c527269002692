#include "process_memory.h"

#include <windows.h>

#include <psapi.h>

#include <vector>

namespace {

int64_t heapBytesInUse()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr));
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    int64_t inUse = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                inUse += static_cast<int64_t>(entry.cbData);
        HeapUnlock(heap);
    }
    return inUse;
}

} // namespace

ProcessMemory processMemory()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    // Wine reports no PrivateUsage; its PagefileUsage is the same figure,
    // the committed private memory.
    const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return {static_cast<int64_t>(privateBytes), static_cast<int64_t>(counters.WorkingSetSize), heapBytesInUse()};
}
