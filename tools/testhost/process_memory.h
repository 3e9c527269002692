#pragma once

// The memory of the current process, as leak checks compare it before and
// after repeated work.
#include <cstdint>

struct ProcessMemory {
    // Committed private memory: moves by whole pages and keeps freed ones.
    int64_t privateBytes;
    int64_t workingSet;
    // The bytes in use in every heap of the process: exact.
    int64_t heapBytes;
};

ProcessMemory processMemory();
