#include "editor_window.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <memory>

namespace {

constexpr wchar_t kWindowClass[] = L"VeSTTestHostEditor";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Far enough from the screen's corner that nothing of the desktop covers it.
constexpr int kWindowLeft = 40;
constexpr int kWindowTop = 40;

void registerWindowClass()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

struct ButtonMessages {
    UINT down;
    UINT doubleClick;
    UINT up;
    WPARAM held; // the flags while the button is down
    WPARAM released; // the flags that stay after the release
};

ButtonMessages messagesOf(MouseButton button)
{
    switch (button) {
    case MouseButton::right:
        return {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, MK_RBUTTON, 0};
    case MouseButton::leftWithShift:
        return {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON | MK_SHIFT, MK_SHIFT};
    case MouseButton::left:
    default:
        return {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON, 0};
    }
}

// A memory device context with a top-down 32-bit surface; released with it.
class PixelSurface {
public:
    PixelSurface(HDC compatible, int width, int height) : context(CreateCompatibleDC(compatible))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap)
            previous = SelectObject(context, bitmap);
    }
    ~PixelSurface()
    {
        if (bitmap) {
            SelectObject(context, previous);
            DeleteObject(bitmap);
        }
        DeleteDC(context);
    }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    HDC context;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

// GDI+ for the length of one call.
class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession()
    {
        if (started)
            Gdiplus::GdiplusShutdown(token);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool started = false;

private:
    ULONG_PTR token = 0;
};

bool pngEncoder(CLSID& encoder)
{
    UINT count = 0, bytes = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::unique_ptr<char[]> storage(new char[bytes]);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.get());
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && std::wstring(codecs[i].MimeType) == L"image/png") {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

std::wstring widePath(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    return wide;
}

} // namespace

EditorWindow::EditorWindow(PluginHost& host) : host(host) {}

EditorWindow::~EditorWindow()
{
    if (opened)
        close();
    if (window)
        DestroyWindow(window);
    pump();
}

bool EditorWindow::open()
{
    ERect* reported = nullptr;
    if (host.dispatch(effEditGetRect, 0, 0, &reported) != 1 || !reported) {
        lastProblem = "effEditGetRect gave no rectangle";
        return false;
    }
    rect = *reported;
    if (!window) {
        registerWindowClass();
        RECT frame{0, 0, rect.right - rect.left, rect.bottom - rect.top};
        AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
        window = CreateWindowExW(0, kWindowClass, L"testhost editor", kWindowStyle, kWindowLeft, kWindowTop,
                                 frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (!window) {
            lastProblem = "no top-level window (is there a display?)";
            return false;
        }
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    if (host.dispatch(effEditOpen, 0, 0, window) != 1) {
        lastProblem = "effEditOpen did not answer 1";
        return false;
    }
    opened = true;
    pump();
    if (!pluginWindow()) {
        lastProblem = "the open editor made no child window";
        return false;
    }
    return true;
}

void EditorWindow::close()
{
    host.dispatch(effEditClose);
    opened = false;
    pump();
}

HWND EditorWindow::pluginWindow() const
{
    return window ? GetWindow(window, GW_CHILD) : nullptr;
}

void EditorWindow::pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_PAINT && message.hwnd && message.hwnd == pluginWindow())
            ++paints;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void EditorWindow::idle()
{
    host.dispatch(effEditIdle);
    pump();
}

bool EditorWindow::idleUntilPainted(DWORD timeoutMs, DWORD intervalMs)
{
    const uint64_t before = paints;
    const DWORD start = GetTickCount();
    for (;;) {
        idle();
        if (paints > before)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(intervalMs);
    }
}

void EditorWindow::repaintNow()
{
    if (HWND child = pluginWindow()) {
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ++paints;
    }
}

void EditorWindow::post(UINT message, WPARAM flags, int x, int y)
{
    if (HWND child = pluginWindow())
        PostMessageW(child, message, flags, MAKELPARAM(x, y));
    pump();
}

void EditorWindow::mouseDown(int x, int y, MouseButton button)
{
    const ButtonMessages messages = messagesOf(button);
    post(messages.down, messages.held, x, y);
}

void EditorWindow::mouseDoubleClick(int x, int y, MouseButton button)
{
    const ButtonMessages messages = messagesOf(button);
    post(messages.doubleClick, messages.held, x, y);
}

void EditorWindow::mouseMove(int x, int y, MouseButton button)
{
    post(WM_MOUSEMOVE, messagesOf(button).held, x, y);
}

void EditorWindow::mouseUp(int x, int y, MouseButton button)
{
    const ButtonMessages messages = messagesOf(button);
    post(messages.up, messages.released, x, y);
}

bool EditorWindow::click(int x, int y, MouseButton button)
{
    mouseDown(x, y, button);
    const bool paintedWhileDown = idleUntilPainted();
    mouseUp(x, y, button);
    return idleUntilPainted() && paintedWhileDown;
}

bool EditorWindow::drag(int fromX, int fromY, int toX, int toY)
{
    mouseDown(fromX, fromY, MouseButton::left);
    bool painted = idleUntilPainted();
    mouseMove(toX, toY, MouseButton::left);
    painted = idleUntilPainted() && painted;
    mouseUp(toX, toY, MouseButton::left);
    return idleUntilPainted() && painted;
}

WindowPixels EditorWindow::capture() const
{
    WindowPixels pixels;
    RECT client{};
    if (!window || !GetClientRect(window, &client))
        return pixels;
    pixels.width = client.right - client.left;
    pixels.height = client.bottom - client.top;
    HDC screen = GetDC(window);
    {
        PixelSurface surface(screen, pixels.width, pixels.height);
        if (surface.bits && BitBlt(surface.context, 0, 0, pixels.width, pixels.height, screen, 0, 0, SRCCOPY)) {
            GdiFlush();
            const auto* source = static_cast<const uint32_t*>(surface.bits);
            pixels.rgb.assign(source, source + static_cast<std::size_t>(pixels.width) * pixels.height);
            for (uint32_t& pixel : pixels.rgb)
                pixel &= 0x00FFFFFF;
        }
    }
    ReleaseDC(window, screen);
    if (pixels.rgb.empty())
        pixels.width = pixels.height = 0;
    return pixels;
}

bool writePng(const std::string& path, const WindowPixels& pixels)
{
    if (pixels.rgb.empty())
        return false;
    GdiplusSession session;
    CLSID encoder;
    if (!session.started || !pngEncoder(encoder))
        return false;
    std::vector<uint32_t> copy = pixels.rgb; // GDI+ wants writable rows
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromScan0(pixels.width, pixels.height, pixels.width * 4,
                                                       PixelFormat32bppRGB, reinterpret_cast<BYTE*>(copy.data()),
                                                       &bitmap)
        != Gdiplus::Ok)
        return false;
    const bool saved
        = Gdiplus::DllExports::GdipSaveImageToFile(bitmap, widePath(path).c_str(), &encoder, nullptr) == Gdiplus::Ok;
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    return saved;
}
