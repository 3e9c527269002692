#pragma once

#include <cstdint>

#include "zarkune_graphics.h"

// The runtime's mouse bits, as the script reads them in mouseCap.
constexpr int32_t kMouseCapLeft = 1;
constexpr int32_t kMouseCapRight = 2;
constexpr int32_t kMouseCapControl = 4;
constexpr int32_t kMouseCapShift = 8;
constexpr int32_t kMouseCapAlt = 16;
constexpr int32_t kMouseCapMiddle = 64;

// The mouse as the shell's mouse callbacks last reported it; only they write
// it. [GUI thread]
class CZarkuneMouse : public CZarkuneGraphics {
public:
    double mouseCap = 0.0; // kMouseCap... bits, 0 with no button down
    double mouseX = 0.0; // view coordinates
    double mouseY = 0.0;

protected:
    ~CZarkuneMouse() = default;
};
