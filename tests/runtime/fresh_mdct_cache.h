#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "memory_transforms.h"

// Frees every cached MDCT context, so that each size is made anew on its
// next use, as in a fresh process. No transform may run meanwhile: they read
// the cache without its locks. Tests only; the library has no such call.
void emptyMdctCache();

// For tests that watch the MDCT context cache make, refuse or share a size:
// each starts with the empty cache and the standard allocator a new process
// has, and leaves them so, since the cache outlives every test of a run.
class FreshMdctCache : public ::testing::Test {
protected:
    void SetUp() override { emptyMdctCache(); }
    void TearDown() override
    {
        setMdctCacheAllocator(std::malloc);
        emptyMdctCache();
    }
};
