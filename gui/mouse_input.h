#pragma once

// Button bits read from window messages and from polling the keyboard and
// mouse state. The key state is the calling thread's, so all of it is for
// the thread that owns the window. [GUI thread]

#include "mouse_buttons.h"

#include <windows.h>

#include <cstdint>

namespace VSTGUI {

// Whether the system swaps the mouse buttons. Process-wide: the frame reads
// it from the system when it registers its window class; false before that.
extern bool swapMouseButtons;

// The bits of a mouse button or move message: its MK_ flags, kAlt while the
// menu key is down, and kDoubleClick for the double-click messages. The
// flags already follow the user's button swapping.
int32_t buttonsFromMouseMessage(UINT message, WPARAM wParam);
// kShift, kControl and kAlt from the thread's key state, for the wheel.
int32_t modifiersFromKeyState();
// The physical keys and buttons held now; never kButton4, kButton5 or
// kDoubleClick.
int32_t pollMouseButtons();

// Tells whether a virtual key is held now. Posted messages leave the polled
// state alone, so tests replace the reader; null restores the system's.
using KeyHeldReader = bool (*)(int virtualKey);
void setKeyHeldReader(KeyHeldReader reader);

} // namespace VSTGUI
