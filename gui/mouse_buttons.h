#pragma once

// The bits that say which mouse buttons and modifier keys are held. Nothing
// here calls the platform, so every layer can use the names, the shell's
// mouse callbacks included. [any thread]

#include "geometry.h"

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t {
    kLButton = 0x02,
    kMButton = 0x04,
    kRButton = 0x08,
    kShift = 0x10,
    kControl = 0x20,
    kAlt = 0x40,
    // Only window messages report these three.
    kButton4 = 0x100,
    kButton5 = 0x200,
    kDoubleClick = 0x400,
};

// The physical keys and buttons a poll found held.
struct HeldMouseKeys {
    bool leftButton = false;
    bool middleButton = false;
    bool rightButton = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// Polling sees the physical buttons; with the system's buttons swapped the
// physical left one is the user's right one and the other way round.
int32_t buttonsFromHeldKeys(const HeldMouseKeys& held, bool buttonsSwapped);

// Whether a mouse position is still close enough to where a click or drag
// started: within two pixels in each axis, the lower bound included and the
// upper one excluded.
bool isNearStart(const CPoint& start, const CPoint& position);

} // namespace VSTGUI
