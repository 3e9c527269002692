#include "mouse_input.h"

#include "draw_context.h"
#include "frame.h"

namespace VSTGUI {

bool swapMouseButtons = false;

namespace {

struct MessageFlag {
    WPARAM flag;
    int32_t button;
};

constexpr MessageFlag kMessageFlags[] = {
    {MK_LBUTTON, kLButton}, {MK_MBUTTON, kMButton},  {MK_RBUTTON, kRButton},  {MK_SHIFT, kShift},
    {MK_CONTROL, kControl}, {MK_XBUTTON1, kButton4}, {MK_XBUTTON2, kButton5},
};

bool systemKeyHeld(int virtualKey)
{
    return GetAsyncKeyState(virtualKey) < 0;
}

KeyHeldReader keyHeld = systemKeyHeld;

bool isDoubleClickMessage(UINT message)
{
    return message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK
        || message == WM_XBUTTONDBLCLK;
}

bool keyDownInThreadState(int virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}

} // namespace

int32_t buttonsFromMouseMessage(UINT message, WPARAM wParam)
{
    int32_t buttons = 0;
    for (const MessageFlag& entry : kMessageFlags)
        if (wParam & entry.flag)
            buttons |= entry.button;
    if (keyDownInThreadState(VK_MENU))
        buttons |= kAlt;
    if (isDoubleClickMessage(message))
        buttons |= kDoubleClick;
    return buttons;
}

int32_t modifiersFromKeyState()
{
    HeldMouseKeys held;
    held.shift = keyDownInThreadState(VK_SHIFT);
    held.control = keyDownInThreadState(VK_CONTROL);
    held.alt = keyDownInThreadState(VK_MENU);
    return buttonsFromHeldKeys(held, false);
}

int32_t pollMouseButtons()
{
    HeldMouseKeys held;
    held.leftButton = keyHeld(VK_LBUTTON);
    held.middleButton = keyHeld(VK_MBUTTON);
    held.rightButton = keyHeld(VK_RBUTTON);
    held.shift = keyHeld(VK_SHIFT);
    held.control = keyHeld(VK_CONTROL);
    held.alt = keyHeld(VK_MENU);
    return buttonsFromHeldKeys(held, swapMouseButtons);
}

void setKeyHeldReader(KeyHeldReader reader)
{
    keyHeld = reader ? reader : systemKeyHeld;
}

bool CDrawContext::getMouseLocation(CPoint& where)
{
    POINT cursor{};
    const BOOL found = GetCursorPos(&cursor);
    where = CPoint(cursor.x - offsetScreen.h, cursor.y - offsetScreen.v);
    return found != FALSE;
}

int32_t CDrawContext::getMouseButtons()
{
    return pollMouseButtons();
}

bool CDrawContext::waitDoubleClick()
{
    CPoint start;
    getMouseLocation(start);
    // Elapsed time as an unsigned difference stays right when the tick
    // count wraps around between the first click and now.
    const DWORD firstClick = static_cast<DWORD>(GetMessageTime());
    const DWORD doubleClickTime = GetDoubleClickTime();
    auto expired = [&] { return GetTickCount() - firstClick >= doubleClickTime; };
    if (expired())
        return false;
    for (;;) {
        CPoint now;
        getMouseLocation(now);
        if (!isNearStart(start, now))
            return false;
        MSG message;
        if (PeekMessageW(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD))
            return true;
        if (expired())
            return false;
    }
}

bool CDrawContext::waitDrag()
{
    if (!frame)
        return false;
    // The frame's idle work delivers messages; one of them may release it.
    CFrame::WindowThreadUse inUse(*frame);
    CPoint start;
    getMouseLocation(start);
    while (getMouseButtons() & kLButton) {
        frame->doIdleStuff();
        CPoint now;
        getMouseLocation(now);
        if (!isNearStart(start, now))
            return true;
    }
    return false;
}

} // namespace VSTGUI
