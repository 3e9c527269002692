#pragma once

// Small 24-bit BMP files for the bitmap services to decode: GDI+ reads them
// without any codec of its own, so the expected pixels are the written ones.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Colour of the pixel at (x, y), top row first, as 0xRRGGBB.
using PixelPattern = std::function<uint32_t(int x, int y)>;

inline uint32_t allBlue(int, int)
{
    return 0x0000FF;
}

// Writes a width × height BMP at folder\name and returns its path. The
// folder is a narrow path in the system code page.
inline std::string writeBmp(const std::string& folder, const std::string& name, int width, int height,
                            const PixelPattern& pattern = allBlue)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const int pixelBytes = rowBytes * height;
    std::vector<uint8_t> file(54 + static_cast<std::size_t>(pixelBytes), 0);
    auto put32 = [&](std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<uint32_t>(pixelBytes));
    // Rows are stored bottom row first, each pixel as blue, green, red.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = pattern(x, y);
            const std::size_t at = 54 + static_cast<std::size_t>((height - 1 - y) * rowBytes + x * 3);
            file[at] = static_cast<uint8_t>(colour);
            file[at + 1] = static_cast<uint8_t>(colour >> 8);
            file[at + 2] = static_cast<uint8_t>(colour >> 16);
        }
    }
    const std::string path = folder + "\\" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out) {
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
    }
    return path;
}
