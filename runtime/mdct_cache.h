#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "mdct.h"

// The MDCT contexts, cached per size for the whole process, whichever
// runtime object asks; the transforms (memory_transforms.cpp) make and use
// them, and only the tests' support empties the cache. A slot's context is
// made once under its lock and read without it; the lock also keeps two
// forward transforms from sharing the context's work buffer at the same time.

constexpr int32_t kMdctMinLog2 = 5;
constexpr int32_t kMdctMaxLog2 = 12;

struct MdctSlot {
    std::atomic<MdctContext*> context{nullptr};
    std::mutex lock;
};

// Indexed by the size's log2.
extern MdctSlot mdctContexts[kMdctMaxLog2 + 1];
