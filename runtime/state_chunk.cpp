// The state chunk: file slot 0 carries the host's chunk of floats to and from
// the serialize section.
#include <cstring>
#include <vector>

#include "zarkune.h"

int32_t TZarkune::getChunk(void** data)
{
    if (data == nullptr)
        return 0;
    files[0].reopen(kFileWrite);
    files[0].write(kChunkMarker);
    doSerialize();
    // Looked up anew: the section may have added file slots.
    FileSlot& stream = files[0];
    if (stream.data.size() <= 1)
        return 0;
    *data = stream.data.data();
    return static_cast<int32_t>(stream.data.size() * sizeof(float));
}

int32_t TZarkune::setChunk(const void* data, int32_t byteSize)
{
    // A negative size, or bytes announced without a pointer: nothing to read,
    // and the stream keeps what it holds.
    if (byteSize < 0 || (data == nullptr && byteSize >= static_cast<int32_t>(sizeof(float))))
        return byteSize;

    // Copy before reopening: hosts hand back the very pointer getChunk gave
    // them, which points into the stream that reopening empties.
    std::vector<float> values(static_cast<size_t>(byteSize) / sizeof(float));
    if (!values.empty())
        std::memcpy(values.data(), data, values.size() * sizeof(float));
    files[0].reopen(kFileRead);
    files[0].data = std::move(values);

    double marker = 0.0;
    if (!files[0].read(marker) || marker != kChunkMarker)
        return byteSize;
    initOnce();
    doSerialize();
    doSlider();
    return byteSize;
}
