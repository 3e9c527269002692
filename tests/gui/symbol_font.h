#pragma once

// A TrueType font of the symbol kind, made by the tests: its character map
// is the symbol one (platform 3, encoding 0) and its code page range says
// symbol, as the picture fonts have, and every code it maps draws the same
// box. Nothing of it comes from an existing font.

#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {
namespace test {

// The font file's bytes, for a family of that name (ASCII).
std::vector<uint8_t> symbolFontFile(const std::string& family);

} // namespace test
} // namespace VSTGUI
