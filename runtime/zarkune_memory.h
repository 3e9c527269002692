#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

// The script's memory: doubles at signed 32-bit indexes in one flat space,
// stored sparsely as 65536-value pages made on first touch. Each section of
// the script uses it on its own thread (TZarkune tags them), and nothing is
// locked: the page map must not grow while another thread reads it.
// [any thread]
class CZarkuneMemory {
public:
    static constexpr int32_t kPageSize = 65536;

    // Page number (index >> 16, sign kept) to its values. Pages are made only
    // by at(), so each one holds exactly kPageSize values.
    std::map<int32_t, std::vector<double>> pages;

    // A reference to the value at the index, for reading or writing; its page
    // is made (zero-filled) if it did not exist yet. Never fails. The pointer stays
    // valid until the pages are freed; from it a caller may step through the
    // rest of its page only (kPageSize - (index & 0xFFFF) values).
    double* at(int32_t index);

    // Multiplies count & ~1 complex values (pairs of doubles) from destIndex
    // by those from srcIndex, in ascending order, so destIndex == srcIndex
    // squares them. Both pages are made first, also when the count leaves
    // nothing to multiply; a run of 2 * count doubles that would pass the
    // end of its page at either index does nothing at all.
    void multiplyComplex(int32_t destIndex, int32_t srcIndex, int32_t count);

    // Whether `length` doubles from index stay inside index's page, which is
    // all a pointer from at() may reach. A length of 0 or less always fits.
    static bool runFitsInPage(int32_t index, int64_t length) { return (index & 0xFFFF) + length <= kPageSize; }

protected:
    ~CZarkuneMemory() = default;
};
