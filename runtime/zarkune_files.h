#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zarkune_strings.h"

constexpr int32_t kFileClosed = 0;
constexpr int32_t kFileRead = 1;
constexpr int32_t kFileWrite = 2;

// The first value of every state chunk (bytes 00 00 7A C4 in file order).
constexpr float kChunkMarker = -1000.0f;

// Values held as 32-bit floats and taken or added one at a time. Slot 0
// carries the state chunk, which the host's chunk requests fill and read. A
// named slot in write mode is written to its file (one byte per value, beside
// the plug-in library) when it is reopened or closed. [dispatcher thread]
struct FileSlot {
    // Name of the file, taken from the library's folder; empty in slot 0.
    std::string name;
    // The next value to read or to write.
    int32_t position = 0;
    std::vector<float> data;
    int32_t mode = kFileClosed;

    // In write mode: stores the value as a float at the position (growing the
    // data with zeros) and advances. Otherwise nothing.
    void write(double value);
    // In read mode with a value left: stores it in target, advances and
    // answers true. Otherwise target and position stay and the answer is false.
    bool read(double& target);
    // Writes a pending named file, then empties the slot (name, position,
    // data) in the new mode.
    void reopen(int32_t newMode);
    void close() { reopen(kFileClosed); }
};

class CZarkuneFiles : public CZarkuneStrings {
public:
    // Always holds slot 0, the chunk stream.
    std::vector<FileSlot> files;

    CZarkuneFiles();

protected:
    // Closes every slot in order, which writes the pending named files.
    ~CZarkuneFiles();
};
