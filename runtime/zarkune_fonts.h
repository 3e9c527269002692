#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "zarkune_files.h"

// A font as the graphics section fills it and hands it to vestSetFont.
// [GUI thread]
struct FontSlot {
    std::string face;
    double size = 0.0; // handed on as an integer
    int32_t flags = 0; // style flags, 0 for plain
};

class CZarkuneFonts : public CZarkuneFiles {
public:
    // Font slots by number, created empty on first use.
    std::map<int32_t, FontSlot> fonts;
    // Height of one text line in the current font.
    double fontHeight = 0.0;

protected:
    ~CZarkuneFonts() = default;
};
