#pragma once

// A plug-in editor opened as a host opens it: in a top-level window of the
// host's own, sized to the rectangle the plug-in reports, with the host's
// message pump and idle calls. Mouse input reaches the plug-in's child
// window as window messages, and the window's pixels can be read back.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugin_host.h"

// The pixels of a window's client area, top row first, 0x00RRGGBB each.
struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;

    uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    static int red(uint32_t pixel) { return static_cast<int>((pixel >> 16) & 0xFF); }
    static int green(uint32_t pixel) { return static_cast<int>((pixel >> 8) & 0xFF); }
    static int blue(uint32_t pixel) { return static_cast<int>(pixel & 0xFF); }
};

// Modifiers a host's mouse message may carry with the button.
enum class MouseButton { left, right, leftWithShift };

class EditorWindow {
public:
    explicit EditorWindow(PluginHost& host);
    // Closes the editor (if open) and destroys the window.
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Asks for the editor's rectangle, makes a top-level window with a client
    // area of that size, shows it and opens the editor in it. False, with
    // the reason in problem, when any step fails.
    bool open();
    // effEditClose; the top-level window stays for a later open.
    void close();
    bool isOpen() const { return opened; }

    // Delivers every pending message of the thread.
    void pump();
    // One host idle turn: effEditIdle, then the pump.
    void idle();
    // Idle turns every intervalMs until the plug-in's window painted at least
    // once more; false when none came within timeoutMs.
    bool idleUntilPainted(DWORD timeoutMs = 2000, DWORD intervalMs = 5);
    // Paints the whole plug-in window now, as an uncovered window does.
    void repaintNow();

    // Press at a point of the plug-in's window, let the plug-in paint while
    // the button is down, release, and let it paint again.
    bool click(int x, int y, MouseButton button = MouseButton::left);
    // The same, pressed at one point and released at another after a move.
    bool drag(int fromX, int fromY, int toX, int toY);
    void mouseDown(int x, int y, MouseButton button);
    // The second press of a double click, as Windows sends it to a window
    // whose class takes double clicks.
    void mouseDoubleClick(int x, int y, MouseButton button);
    void mouseMove(int x, int y, MouseButton button);
    void mouseUp(int x, int y, MouseButton button);

    // The client area of the top-level window as the screen shows it.
    WindowPixels capture() const;

    HWND topLevel() const { return window; }
    // The plug-in's own child window, or null.
    HWND pluginWindow() const;
    // WM_PAINT messages of the plug-in's window delivered by the pump.
    uint64_t paintCount() const { return paints; }
    const ERect& editorRect() const { return rect; }
    const std::string& problem() const { return lastProblem; }

private:
    void post(UINT message, WPARAM flags, int x, int y);

    PluginHost& host;
    HWND window = nullptr;
    ERect rect{};
    bool opened = false;
    uint64_t paints = 0;
    std::string lastProblem;
};

// Writes the pixels as a 24-bit PNG file through GDI+; false on failure.
bool writePng(const std::string& path, const WindowPixels& pixels);
