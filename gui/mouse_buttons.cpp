#include "mouse_buttons.h"

namespace VSTGUI {

int32_t buttonsFromHeldKeys(const HeldMouseKeys& held, bool buttonsSwapped)
{
    const bool left = buttonsSwapped ? held.rightButton : held.leftButton;
    const bool right = buttonsSwapped ? held.leftButton : held.rightButton;
    int32_t buttons = 0;
    if (left)
        buttons |= kLButton;
    if (held.middleButton)
        buttons |= kMButton;
    if (right)
        buttons |= kRButton;
    if (held.shift)
        buttons |= kShift;
    if (held.control)
        buttons |= kControl;
    if (held.alt)
        buttons |= kAlt;
    return buttons;
}

bool isNearStart(const CPoint& start, const CPoint& position)
{
    constexpr CCoord kReach = 2;
    return position.h >= start.h - kReach && position.h < start.h + kReach && position.v >= start.v - kReach
        && position.v < start.v + kReach;
}

} // namespace VSTGUI
