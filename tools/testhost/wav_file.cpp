#include "wav_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr uint16_t kIeeeFloatFormat = 3;
constexpr uint16_t kChannels = 2;
constexpr uint16_t kBitsPerSample = 32;

void put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool writeFloatWav(const std::string& path, const StereoSignal<float>& signal, VstInt32 sampleRate)
{
    const uint32_t frames = static_cast<uint32_t>(signal.frames());
    const uint32_t dataBytes = frames * kChannels * (kBitsPerSample / 8);
    std::vector<uint8_t> file;
    putTag(file, "RIFF");
    put32(file, 4 + (8 + 18) + (8 + 4) + (8 + dataBytes));
    putTag(file, "WAVE");
    putTag(file, "fmt ");
    put32(file, 18);
    put16(file, kIeeeFloatFormat);
    put16(file, kChannels);
    put32(file, static_cast<uint32_t>(sampleRate));
    put32(file, static_cast<uint32_t>(sampleRate) * kChannels * (kBitsPerSample / 8));
    put16(file, kChannels * (kBitsPerSample / 8));
    put16(file, kBitsPerSample);
    put16(file, 0);
    putTag(file, "fact");
    put32(file, 4);
    put32(file, frames);
    putTag(file, "data");
    put32(file, dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        for (float sample : {signal.left[i], signal.right[i]}) {
            uint32_t bits;
            static_assert(sizeof(bits) == sizeof(sample), "32-bit float samples");
            std::memcpy(&bits, &sample, sizeof(bits));
            put32(file, bits);
        }
    }
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    return out && std::fwrite(file.data(), 1, file.size(), out.get()) == file.size();
}
