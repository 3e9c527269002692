#pragma once

// Reads a fuzz input as a sequence of fields. Past its end every field reads
// as zero bytes, so that every input, however short, is a complete one.
#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class Value> Value take()
    {
        unsigned char bytes[sizeof(Value)] = {};
        const std::size_t count = remaining() < sizeof(Value) ? remaining() : sizeof(Value);
        if (count > 0)
            std::memcpy(bytes, data_ + position_, count);
        position_ += count;
        Value value;
        std::memcpy(&value, bytes, sizeof(Value));
        return value;
    }

    uint8_t byte() { return take<uint8_t>(); }
    std::size_t remaining() const { return size_ - position_; }
    const uint8_t* rest() const { return data_ + position_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};
