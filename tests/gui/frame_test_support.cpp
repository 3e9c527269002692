#include "frame_test_support.h"

#include "module_handle.h"

namespace VSTGUI {
namespace test {

namespace {

const wchar_t kHostClassName[] = L"VestTestHostWindow";
bool hostClassRegistered = false;
// The one top-level window of the process, made by the first HostWindow.
HWND sharedHostWindow = nullptr;
int hostWheelMessages = 0;

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEWHEEL)
        ++hostWheelMessages;
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerHostClass()
{
    if (hostClassRegistered)
        return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kHostClassName;
    hostClassRegistered = RegisterClassW(&windowClass) != 0;
}

void destroyChildrenOf(HWND window)
{
    while (HWND child = GetWindow(window, GW_CHILD))
        DestroyWindow(child);
}

// Once every test is done, takes down what the tests shared, in the order
// the toolkit closes its own: the children, then the host window (whose last
// messages are delivered), then the class. Wine without a window manager
// waits two seconds to see a visible top-level window withdrawn; one that is
// no longer marked visible goes at once.
class SharedHostWindowTearDown : public testing::Environment {
public:
    void TearDown() override
    {
        if (sharedHostWindow) {
            destroyChildrenOf(sharedHostWindow);
            SetWindowLongW(sharedHostWindow, GWL_STYLE, GetWindowLongW(sharedHostWindow, GWL_STYLE) & ~WS_VISIBLE);
            EXPECT_TRUE(DestroyWindow(sharedHostWindow));
            sharedHostWindow = nullptr;
            pumpMessages();
        }
        // Fails while any window of the class is left, a host of a test's own
        // included.
        if (hostClassRegistered) {
            EXPECT_TRUE(UnregisterClassW(kHostClassName, GetModuleHandleW(nullptr)));
            hostClassRegistered = false;
        }
    }
};

const testing::Environment* const sharedHostWindowTearDown
    = testing::AddGlobalTestEnvironment(new SharedHostWindowTearDown);

BOOL CALLBACK countWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

} // namespace

HostWindow::HostWindow(int clientWidth, int clientHeight)
{
    constexpr DWORD style = WS_OVERLAPPEDWINDOW;
    registerHostClass();
    RECT outer = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&outer, style, FALSE);
    if (!sharedHostWindow)
        sharedHostWindow
            = CreateWindowExW(0, kHostClassName, L"host", style | WS_VISIBLE, 40, 40, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    window = sharedHostWindow;
    SetWindowPos(window, HWND_TOP, 40, 40, outer.right - outer.left, outer.bottom - outer.top, SWP_NOACTIVATE);
    hostWheelMessages = 0;
    pumpMessages();
}

HostWindow::~HostWindow()
{
    destroyChildrenOf(window);
    pumpMessages();
}

int HostWindow::wheelMessages() const
{
    return hostWheelMessages;
}

HWND makeChildWindow(HWND parent, int x, int y, int width, int height)
{
    registerHostClass();
    return CreateWindowExW(0, kHostClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

uint32_t screenPixel(HWND topLevel, int x, int y)
{
    // Client position to the window's own device context coordinates.
    POINT client = {x, y};
    ClientToScreen(topLevel, &client);
    RECT windowRect = {};
    GetWindowRect(topLevel, &windowRect);
    HDC windowContext = GetWindowDC(topLevel);
    HDC memoryContext = CreateCompatibleDC(windowContext);
    HBITMAP bitmap = CreateCompatibleBitmap(windowContext, 1, 1);
    HGDIOBJ previous = SelectObject(memoryContext, bitmap);
    BitBlt(memoryContext, 0, 0, 1, 1, windowContext, client.x - windowRect.left, client.y - windowRect.top, SRCCOPY);
    const COLORREF colour = GetPixel(memoryContext, 0, 0);
    SelectObject(memoryContext, previous);
    DeleteObject(bitmap);
    DeleteDC(memoryContext);
    ReleaseDC(topLevel, windowContext);
    return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) | uint32_t{GetBValue(colour)};
}

int countDescendantWindows(HWND window)
{
    int count = 0;
    EnumChildWindows(window, countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::wstring expectedWindowClassName()
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    const auto value = reinterpret_cast<uintptr_t>(hInstance);
    std::wstring name = L"Plugin";
    for (int shift = static_cast<int>(sizeof(void*)) * 8 - 4; shift >= 0; shift -= 4)
        name += digits[(value >> shift) & 0xF];
    return name;
}

bool isWindowClassRegistered(const std::wstring& name)
{
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    return GetClassInfoExW(hInstance, name.c_str(), &info) != 0;
}

} // namespace test
} // namespace VSTGUI
