#pragma once

// Frames in windows of the tests' own: a top-level window to hold them and
// the screen's pixels read back.

#include "gui/frame.h"

#include "geometry_printers.h"
#include "recording_view.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace VSTGUI {
namespace test {

// Opens up the frame's own state for the tests.
class TestFrame : public CFrame {
public:
    using CFrame::CFrame;
    CDropTarget* dropTargetOf() const { return dropTarget; }
    COffscreenContext* backBufferField() const { return backBuffer; }
    bool holdsOle() const { return oleInitialization.holdsInitialization(); }
    bool isTrackingMouse() const { return mouseTracking; }

    // While above zero, each back buffer made comes without an image, the
    // way GDI+ hands one back when it runs out of memory, and counts it down.
    int refusedBackBufferImages = 0;
    int backBuffersMade = 0;

protected:
    COffscreenContext* makeBackBuffer(int32_t width, int32_t height) override
    {
        ++backBuffersMade;
        if (refusedBackBufferImages == 0)
            return CFrame::makeBackBuffer(width, height);
        --refusedBackBufferImages;
        // GDI+ refuses an image without width just as one it has no memory for.
        return CFrame::makeBackBuffer(0, height);
    }
};

// A visible top-level window of the tests' own class with a client area of
// the given size, at a fixed place on the screen. Under Wine without a window
// manager, hiding or destroying a top-level window takes two seconds; so one
// window serves every test of the process, and each test's end destroys only
// what the test put into it. The window itself goes once all tests are done.
class HostWindow {
public:
    HostWindow(int clientWidth, int clientHeight);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window; }
    // Messages of the wheel that reached this window from its children.
    int wheelMessages() const;

private:
    HWND window;
};

// A borderless child window, the kind a host gives an editor to live in.
HWND makeChildWindow(HWND parent, int x, int y, int width, int height);

// Delivers everything waiting in the thread's queue, paints included.
void pumpMessages();

// The pixel at a client position of a top-level window, read from the screen
// through the window's device context, as 0xRRGGBB.
uint32_t screenPixel(HWND topLevel, int x, int y);

// Child windows of a window, counted through its whole tree.
int countDescendantWindows(HWND window);

// The window class name a frame uses in this executable: "Plugin" and the
// module handle in the form of wsprintf's %p (upper-case hex digits, as many
// as a pointer has nibbles).
std::wstring expectedWindowClassName();
bool isWindowClassRegistered(const std::wstring& name);

inline uint32_t rgbOf(CColor color)
{
    return (uint32_t{color.red} << 16) | (uint32_t{color.green} << 8) | uint32_t{color.blue};
}

} // namespace test
} // namespace VSTGUI
