#pragma once

#include <cstdint>

#include "mdct.h"
#include "zarkune_memory.h"

// The transform built-ins a script runs on its paged memory. Each works in
// place on one run of doubles from `index`; a run that would pass the end of
// its page does nothing at all (no page is made). Sizes count from 2 and
// round down to a power of two (100 acts as 64); a size outside a built-in's
// range does nothing. Nothing is reported. Besides the caller's memory they
// use only tables made once for the process, and a lock keeps two forward
// MDCTs of one size apart. [any thread]

// One FFT step (kFftForward, kFftInverse, kFftPermute, kFftInversePermute) on
// `size` complex values, 16 to 32768, stored as 2 * size doubles. Another
// mode changes nothing, though the page at index is made.
void memoryFft(CZarkuneMemory& memory, int32_t index, int32_t size, int32_t mode);

// Sine-windowed MDCT of block size n = `size`, 32 to 4096; the run is n
// doubles. Forward: windows the n values at index and writes their n/2
// coefficients over the first half (the second half keeps its values).
// Inverse: reads n/2 coefficients at index and writes the n windowed values.
// Up to 32 the forward is unscaled and the inverse scaled by 4/n; from 64 on
// the other way round. Windowed inverse outputs of blocks overlapping by n/2
// add up to the signal. Each size's context is made on first use, once in
// the process, and kept; while it cannot be made the call does nothing.
void memoryMdct(CZarkuneMemory& memory, int32_t index, int32_t size, bool inverse);

// Where the context cache gets storage for the contexts it makes from now on
// (std::malloc unless changed): the seam through which tests see a failed
// allocation.
void setMdctCacheAllocator(MdctAllocate allocate);
