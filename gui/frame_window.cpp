#include "frame.h"

#include "bitmap.h"
#include "draw_context.h"
#include "drop_target.h"
#include "mouse_input.h"
#include "offscreen_context.h"
#include "window_thread_call.h"

#include "module_handle.h"

#include <windows.h>

#include <ole2.h>

#include <cstdlib>
#include <cwchar>
#include <mutex>

// The frame's window side: the window class shared by all frames, the child
// window and its procedure, painting, sizes and positions of the window and
// its hosts, cursors and the drop target.

namespace VSTGUI {

namespace {

// Windows of the class that exist; the class is registered while there are
// any. Frames on more than one thread share it, hence the lock.
std::mutex windowClassLock;
int32_t windowClassUseCount = 0;
wchar_t windowClassName[32] = {};
// Read by every frame constructor; a failed query leaves major version 0.
OSVERSIONINFOEXW osVersionInfo = {};
// Guards every frame's uses, its waiting release and its window field,
// and the link from a window to its frame.
std::mutex frameUseLock;

constexpr DWORD kWindowClassStyle = CS_GLOBALCLASS | CS_DBLCLKS;
// A host window more than this much bigger than the frame's window is not
// resized along with it.
constexpr int kMaxHostExtra = 80;
// Beyond this difference from the frame a window is no longer the editor's.
constexpr int kMaxOuterExtra = 60;
constexpr int kClassNameCapacity = 1024;
// The wheel reports multiples of this per notch.
constexpr int kWheelDelta = 120;
// Posted to a window whose frame's release waits for the window's thread:
// the message's use of the frame is the last one, and its end releases the
// frame there. Registered, so that no host message shares its number.
UINT releaseWaitingMessage()
{
    static const UINT message = RegisterWindowMessageW(L"VSTGUI.ReleaseWaitingFrame");
    return message;
}

HWND asWindow(void* window)
{
    return static_cast<HWND>(window);
}

int widthOf(const RECT& r)
{
    return r.right - r.left;
}

int heightOf(const RECT& r)
{
    return r.bottom - r.top;
}

RECT windowRectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

// The signed 16-bit halves of a message parameter.
CPoint pointFromParameter(LPARAM lParam)
{
    return CPoint(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
}

CFrame* frameOf(HWND window)
{
    return reinterpret_cast<CFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void registerWindowClass()
{
    wsprintfW(windowClassName, L"Plugin%p", hInstance);
    WNDCLASSW windowClass = {};
    windowClass.style = kWindowClassStyle;
    windowClass.lpfnWndProc = frameWindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = windowClassName;
    RegisterClassW(&windowClass);
    swapMouseButtons = GetSystemMetrics(SM_SWAPBUTTON) > 0;
}

void takeWindowClass()
{
    std::lock_guard<std::mutex> guard(windowClassLock);
    if (++windowClassUseCount == 1)
        registerWindowClass();
}

// A window of the class is gone: the class must not outlive the last one
// (its procedure lives in this library).
void releaseWindowClass()
{
    std::lock_guard<std::mutex> guard(windowClassLock);
    if (--windowClassUseCount == 0)
        UnregisterClassW(windowClassName, hInstance);
}

void CALLBACK releaseWindowClassFromTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    releaseWindowClass();
}

// For a frame released while its window is still being destroyed, inside
// the window's own last messages: the class cannot go before the window
// has, so its use is given back by a timer of this thread, which fires once
// the destruction has returned to the thread's message loop. The timer's
// procedure is in this library, which therefore stays. Without a timer the
// class stays registered, which the pinned library keeps harmless.
void releaseWindowClassOnceDestroyed()
{
    pinLibrary();
    SetTimer(nullptr, 0, 0, releaseWindowClassFromTimer);
}

bool hasEnded(HANDLE thread)
{
    return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

} // namespace

void CFrame::readWindowsVersion()
{
    osVersionInfo = {};
    osVersionInfo.dwOSVersionInfoSize = sizeof(osVersionInfo);
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&osVersionInfo));
}

bool CFrame::composesWindows()
{
    return osVersionInfo.dwMajorVersion >= 6;
}

bool CFrame::createWindow(void* parent)
{
    if (!parent)
        return false;
    takeWindowClass();

    const DWORD extendedStyle = composesWindows() ? WS_EX_COMPOSITED : 0;
    HWND created = CreateWindowExW(
        extendedStyle, windowClassName, L"Window", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
        truncateToInt(size.getWidth()), truncateToInt(size.getHeight()), asWindow(parent), nullptr, hInstance, nullptr);
    if (!created) {
        releaseWindowClass();
        return false;
    }
    windowThreadId = GetCurrentThreadId();
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &windowThread, SYNCHRONIZE, FALSE, 0);
    {
        std::lock_guard<std::mutex> guard(frameUseLock);
        window = created;
        SetWindowLongPtrW(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    setDropActive(true);
    return true;
}

void CFrame::destroyWindow()
{
    HWND handle = asWindow(window);
    if (handle) {
        {
            std::lock_guard<std::mutex> guard(frameUseLock);
            SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
            window = nullptr;
        }
        // Decided by the thread that made the window, not by the handle,
        // which may be dead: a window whose thread ended went with it.
        if (windowThreadId == GetCurrentThreadId()) {
            // A window whose destruction is under way (the frame goes at the
            // end of its WM_DESTROY) is left to finish it.
            if (windowInDestruction) {
                releaseWindowClassOnceDestroyed();
            } else {
                DestroyWindow(handle);
                releaseWindowClass();
            }
        } else if (hasEnded(windowThread)) {
            releaseWindowClass();
        }
    } else if (windowWentBefore) {
        // Destroyed by the host; the class could not go while it was being
        // destroyed, nor while its last message still runs.
        if (windowInDestruction)
            releaseWindowClassOnceDestroyed();
        else
            releaseWindowClass();
    }
    windowWentBefore = false;
    if (windowThread)
        CloseHandle(windowThread);
    windowThread = nullptr;
}

void CFrame::windowDestroyed()
{
    {
        std::lock_guard<std::mutex> guard(frameUseLock);
        SetWindowLongPtrW(asWindow(window), GWLP_USERDATA, 0);
        window = nullptr;
    }
    windowWentBefore = true;
    // OLE served the window's drop target, which is gone: its start is left
    // here, on its thread, whichever thread releases the frame later.
    oleInitialization.leave();
}

CFrame* CFrame::enterUseOfWindow(HWND window, bool& released)
{
    std::lock_guard<std::mutex> guard(frameUseLock);
    CFrame* frame = frameOf(window);
    if (frame) {
        ++frame->windowThreadUses;
        released = frame->releaseWaiting;
    }
    return frame;
}

void CFrame::enterUse()
{
    std::lock_guard<std::mutex> guard(frameUseLock);
    ++windowThreadUses;
}

void CFrame::leaveUse(bool inWindowDestruction)
{
    bool releaseHere = false;
    {
        std::lock_guard<std::mutex> guard(frameUseLock);
        releaseHere = --windowThreadUses == 0 && releaseWaiting;
    }
    if (releaseHere) {
        windowInDestruction = inWindowDestruction;
        releaseNow();
    }
}

CFrame::WindowThreadUse::WindowThreadUse(CFrame& frame) : frame(frame)
{
    frame.enterUse();
}

CFrame::WindowThreadUse::~WindowThreadUse()
{
    frame.leaveUse();
}

CFrame::OwnerUse::OwnerUse(CFrame* const& owner)
{
    std::lock_guard<std::mutex> guard(frameUseLock);
    frame = owner;
    if (frame)
        ++frame->windowThreadUses;
}

CFrame::OwnerUse::~OwnerUse()
{
    if (frame)
        frame->leaveUse();
}

void CFrame::setFrameOf(CFrame*& owner, CFrame* frame)
{
    std::lock_guard<std::mutex> guard(frameUseLock);
    owner = frame;
}

CFrame* CFrame::clearFrameOf(CFrame*& owner)
{
    std::lock_guard<std::mutex> guard(frameUseLock);
    CFrame* frame = owner;
    owner = nullptr;
    return frame;
}

void CFrame::releaseWhenUnused()
{
    {
        std::lock_guard<std::mutex> guard(frameUseLock);
        releaseWaiting = true;
        if (windowThreadUses > 0) {
            // The owner may go on to free the library once it returns.
            pinLibrary();
            return;
        }
    }
    releaseNow();
}

void CFrame::releaseWhenUnusedOf(void* frame)
{
    static_cast<CFrame*>(frame)->releaseWhenUnused();
}

void CFrame::releaseNow()
{
    void (*gone)(void*) = whenGone;
    void* goneContext = whenGoneContext;
    forget();
    if (gone)
        gone(goneContext);
}

void CFrame::forgetOnWindowThread(void (*whenGoneCall)(void*), void* context)
{
    whenGone = whenGoneCall;
    whenGoneContext = context;
    HWND handle = nullptr;
    {
        std::lock_guard<std::mutex> guard(frameUseLock);
        handle = asWindow(window);
    }
    if (!handle || windowThreadId == GetCurrentThreadId()) {
        releaseWhenUnused();
        return;
    }
    if (callOnWindowThread(handle, releaseWhenUnusedOf, this))
        return;
    {
        // The window's thread is busy or blocked: whatever of the frame it
        // runs now, or reaches through the window later, releases the frame
        // when it ends, there. The posted message is one such way in; when
        // it cannot be posted, the window's next message of any kind is.
        std::lock_guard<std::mutex> guard(frameUseLock);
        releaseWaiting = true;
        if (windowThreadUses > 0 || (window && !hasEnded(windowThread))) {
            if (windowThreadUses == 0)
                PostMessageW(handle, releaseWaitingMessage(), 0, 0);
            pinLibrary();
            return;
        }
    }
    // The window is gone, or went with its thread, and with it every way
    // into the frame from there.
    releaseNow();
}

void CFrame::invalidRect(const CRect rect)
{
    if (!bVisible || !window)
        return;
    const RECT r
        = {truncateToInt(rect.left), truncateToInt(rect.top), truncateToInt(rect.right), truncateToInt(rect.bottom)};
    InvalidateRect(asWindow(window), &r, TRUE);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    where = CPoint(cursor.x, cursor.y);
    if (window) {
        const RECT r = windowRectOf(asWindow(window));
        where.offset(-r.left, -r.top);
    }
    return true;
}

void CFrame::requestMouseLeave()
{
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = asWindow(window);
    track.dwHoverTime = 0;
    TrackMouseEvent(&track);
}

void CFrame::setCursor(CCursorType type)
{
    // The system cursor of each type that has one; the others show the
    // cursor that was current at the first call.
    static const struct {
        CCursorType type;
        LPCWSTR cursor;
    } systemCursors[] = {
        {kCursorWait, MAKEINTRESOURCEW(32514)}, // IDC_WAIT
        {kCursorHSize, MAKEINTRESOURCEW(32644)}, // IDC_SIZEWE
        {kCursorVSize, MAKEINTRESOURCEW(32645)}, // IDC_SIZENS
        {kCursorSizeAll, MAKEINTRESOURCEW(32646)}, // IDC_SIZEALL
        {kCursorNESWSize, MAKEINTRESOURCEW(32643)}, // IDC_SIZENESW
        {kCursorNWSESize, MAKEINTRESOURCEW(32642)}, // IDC_SIZENWSE
        {kCursorNotAllowed, MAKEINTRESOURCEW(32648)}, // IDC_NO
        {kCursorHand, MAKEINTRESOURCEW(32649)}, // IDC_HAND
    };
    if (!defaultCursor)
        defaultCursor = GetCursor();
    HCURSOR cursor = static_cast<HCURSOR>(defaultCursor);
    for (const auto& entry : systemCursors) {
        if (entry.type == type)
            cursor = LoadCursorW(nullptr, entry.cursor);
    }
    SetCursor(cursor);
}

bool CFrame::setDropActive(bool active)
{
    if (!active && !dropActive)
        return true;
    if (!window)
        return false;
    if (dropTarget) {
        // The registration holds a reference of its own, which only the
        // revocation gives back; a window that went with its thread can no
        // longer be revoked, and nothing will use that reference again.
        if (FAILED(RevokeDragDrop(asWindow(window))) && dropRegistered && hasEnded(windowThread))
            dropTarget->Release();
        dropRegistered = false;
        // OLE may still hold the target (a drag in progress): from now on it
        // must not reach this frame.
        dropTarget->detachFrame();
        dropTarget->Release();
        dropTarget = nullptr;
    }
    if (active) {
        dropTarget = new CDropTarget(this);
        dropTarget->AddRef();
        dropRegistered = SUCCEEDED(RegisterDragDrop(asWindow(window), dropTarget));
    }
    dropActive = active;
    return true;
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    if (!openFlag)
        return false;
    if (width == size.getWidth() && height == size.getHeight())
        return false;
    CRect newSize(size.left, size.top, size.left + width, size.top + height);
    if (backBuffer)
        backBuffer->forget();
    backBuffer = nullptr;

    // Resizing a host window of another thread delivers the messages sent
    // to this one meanwhile; one of them may release the frame.
    WindowThreadUse inUse(*this);
    if (window) {
        const int frameExtra = 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
        const int w = truncateToInt(width);
        const int h = truncateToInt(height);
        int diffWidth = 0;
        int diffHeight = 0;
        HWND current = asWindow(window);
        // Each host window keeps its margin around the one inside it, up to
        // the first window with a frame of its own or the MDI client.
        if (frameExtra != 0) {
            do {
                HWND parent = GetParent(current);
                wchar_t className[kClassNameCapacity] = {};
                if (parent)
                    GetClassNameW(parent, className, kClassNameCapacity);
                if (!parent || std::wcscmp(className, L"MDIClient") == 0)
                    break;
                const RECT currentRect = windowRectOf(current);
                const RECT parentRect = windowRectOf(parent);
                SetWindowPos(current, HWND_TOP, 0, 0, w + diffWidth, h + diffHeight, SWP_NOMOVE);
                diffWidth += widthOf(parentRect) - widthOf(currentRect);
                diffHeight += heightOf(parentRect) - heightOf(currentRect);
                if (diffWidth > kMaxHostExtra || diffHeight > kMaxHostExtra)
                    return true;
                if (diffWidth < 0)
                    diffWidth = 0;
                if (diffHeight < 0)
                    diffHeight = 0;
                current = parent;
            } while (diffWidth != frameExtra);
        }
        SetWindowPos(current, HWND_TOP, 0, 0, w + diffWidth, h + diffHeight, SWP_NOMOVE);
    }
    setViewSize(newSize, true);
    return true;
}

bool CFrame::getSize(CRect* result) const
{
    if (!openFlag || !result)
        return false;
    HWND host = GetParent(asWindow(window));
    HWND hostParent = GetParent(GetParent(host));
    const RECT r = windowRectOf(host);
    POINT topLeft = {r.left, r.top};
    MapWindowPoints(HWND_DESKTOP, hostParent, &topLeft, 1);
    *result = CRect(topLeft.x, topLeft.y, topLeft.x + widthOf(r), topLeft.y + heightOf(r));
    return true;
}

bool CFrame::getPosition(CCoord& x, CCoord& y) const
{
    if (!openFlag)
        return false;
    HWND outer = asWindow(getOuterWindow());
    const RECT r = windowRectOf(outer);
    POINT topLeft = {r.left, r.top};
    MapWindowPoints(HWND_DESKTOP, GetParent(outer), &topLeft, 1);
    x = topLeft.x;
    y = topLeft.y;
    return true;
}

void* CFrame::getOuterWindow() const
{
    const RECT frameRect = windowRectOf(asWindow(window));
    for (HWND current = asWindow(window); current;) {
        const LONG style = GetWindowLongW(current, GWL_STYLE);
        HWND parent = GetParent(current);
        if ((style & (WS_BORDER | WS_DLGFRAME)) != 0 || !parent)
            return current;
        const RECT parentRect = windowRectOf(parent);
        if (std::abs(widthOf(parentRect) - widthOf(frameRect)) > kMaxOuterExtra
            || std::abs(heightOf(parentRect) - heightOf(frameRect)) > kMaxOuterExtra)
            return current;
        current = parent;
    }
    return nullptr;
}

void CFrame::paint()
{
    HWND handle = asWindow(window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetUpdateRgn(handle, region, FALSE) != NULLREGION) {
        PAINTSTRUCT paint;
        HDC deviceContext = BeginPaint(handle, &paint);
        CRect updateRect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom);
        // The views draw into the back buffer, and the window takes the
        // painted rectangle from it in one copy: Wine composites no window,
        // so drawing straight onto it would let whoever reads the window
        // meanwhile (a screen recorder, a host's thumbnail) see half a frame.
        if (COffscreenContext* buffer = getBackBuffer()) {
            drawRect(buffer, updateRect);
            CDrawContext screen(this, deviceContext, handle);
            if (CBitmap* bitmap = buffer->getBitmap())
                bitmap->draw(&screen, updateRect, CPoint(updateRect.left, updateRect.top));
        } else {
            // No memory for the image: half a frame beats none.
            CDrawContext screen(this, deviceContext, handle);
            drawRect(&screen, updateRect);
        }
        EndPaint(handle, &paint);
    }
    DeleteObject(region);
}

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1; // the frame paints every pixel itself
    if (message == windowThreadCallMessage()) {
        runWindowThreadCall(window, lParam);
        return 0;
    }
    bool released = false;
    CFrame* frame = CFrame::enterUseOfWindow(window, released);
    if (!frame)
        return DefWindowProcW(window, message, wParam, lParam);
    // A frame whose release waits takes only the end of its window; this
    // use's end may carry out the release.
    const bool ending = message == WM_DESTROY || message == WM_NCDESTROY;
    const LRESULT result = !released || ending ? frameMessage(*frame, window, message, wParam, lParam)
                                               : DefWindowProcW(window, message, wParam, lParam);
    frame->leaveUse(ending);
    return result;
}

LRESULT frameMessage(CFrame& frameOfWindow, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CFrame* frame = &frameOfWindow;
    switch (message) {
    case WM_DESTROY:
        frame->setOpenFlag(false);
        frame->parentWindow = nullptr;
        // While the window still exists: once it is gone the registration
        // can no longer be revoked and would keep the target alive.
        frame->setDropActive(false);
        break;
    case WM_NCDESTROY:
        frame->windowDestroyed();
        break;
    case WM_PAINT:
        frame->paint();
        return 0;
    case WM_MOUSEMOVE: {
        CPoint where = pointFromParameter(lParam);
        frame->onMouseMoved(where, buttonsFromMouseMessage(message, wParam));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK: {
        CPoint where = pointFromParameter(lParam);
        if (frame->onMouseDown(where, buttonsFromMouseMessage(message, wParam)) == kMouseEventHandled)
            SetCapture(window);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP: {
        CPoint where = pointFromParameter(lParam);
        frame->onMouseUp(where, buttonsFromMouseMessage(message, wParam));
        ReleaseCapture();
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // The point arrives in screen coordinates; one notch is one step,
        // and a part of a notch is no step at all.
        CPoint where = pointFromParameter(lParam);
        const RECT r = windowRectOf(window);
        where.offset(-r.left, -r.top);
        const float distance = static_cast<float>(static_cast<int16_t>(HIWORD(wParam)) / kWheelDelta);
        frame->onWheel(where, distance, modifiersFromKeyState());
        break;
    }
    case WM_MOUSELEAVE: {
        CPoint where;
        frame->getCurrentMouseLocation(where);
        frame->onMouseExited(where, frame->getCurrentMouseButtons());
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace VSTGUI
