// Calls carried to the thread of a window: message-only windows on threads
// of the tests' own, whose procedure takes calls as a frame's window does.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <thread>

#include "gui/window_thread_call.h"

namespace {

using VSTGUI::callOnWindowThread;

LRESULT CALLBACK callTakingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == VSTGUI::windowThreadCallMessage()) {
        VSTGUI::runWindowThreadCall(window, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* callTakingClass()
{
    static const wchar_t* name = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = callTakingProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WindowThreadCallTest";
        RegisterClassW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

// A thread with one window that delivers its messages until the object
// goes. A held thread first waits, without taking any message, until
// release.
class WindowOnItsOwnThread {
public:
    explicit WindowOnItsOwnThread(bool held)
    {
        if (!held)
            SetEvent(released);
        thread = std::thread([this] {
            window = CreateWindowExW(0, callTakingClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
            threadId = GetCurrentThreadId();
            SetEvent(ready);
            WaitForSingleObject(released, INFINITE);
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0)
                DispatchMessageW(&message);
            DestroyWindow(window);
        });
        WaitForSingleObject(ready, INFINITE);
    }
    // The thread first delivers what waits for it, then ends.
    ~WindowOnItsOwnThread()
    {
        release();
        PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        thread.join();
        CloseHandle(ready);
        CloseHandle(released);
    }
    WindowOnItsOwnThread(const WindowOnItsOwnThread&) = delete;
    WindowOnItsOwnThread& operator=(const WindowOnItsOwnThread&) = delete;

    void release() { SetEvent(released); }

    HWND window = nullptr;
    DWORD threadId = 0;

private:
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread;
};

// The work of the tests: counts its runs and notes the thread of the last.
struct Runs {
    int count = 0;
    DWORD threadId = 0;
};

void countRun(void* context)
{
    auto* runs = static_cast<Runs*>(context);
    ++runs->count;
    runs->threadId = GetCurrentThreadId();
}

// Long enough that a caller which stopped waiting early returns first.
void countRunAfterAWhile(void* context)
{
    Sleep(200);
    countRun(context);
}

TEST(WindowThreadCallTest, RunsTheWorkOnceOnTheWindowsThreadAndReturnsWhenItEnded)
{
    Runs runs;
    WindowOnItsOwnThread windowThread(false);
    ASSERT_NE(windowThread.window, nullptr);
    EXPECT_TRUE(callOnWindowThread(windowThread.window, countRunAfterAWhile, &runs));
    EXPECT_EQ(runs.count, 1);
    EXPECT_EQ(runs.threadId, windowThread.threadId);
    EXPECT_NE(runs.threadId, GetCurrentThreadId());
}

TEST(WindowThreadCallTest, ACallTheThreadDoesNotTakeInTimeAnswersFalseAfterASecondAndNeverRuns)
{
    Runs runs;
    {
        WindowOnItsOwnThread windowThread(true);
        ASSERT_NE(windowThread.window, nullptr);
        const DWORD start = GetTickCount();
        EXPECT_FALSE(callOnWindowThread(windowThread.window, countRun, &runs));
        // A host that blocks its GUI thread freezes for about a second.
        const DWORD waited = GetTickCount() - start;
        EXPECT_GE(waited, 900u);
        EXPECT_LT(waited, 2000u);
        // Released, the thread takes what still waits for it. (Windows
        // still delivers a message whose sender stopped waiting; Wine drops
        // it.)
    }
    EXPECT_EQ(runs.count, 0);
}

// A window of the calling thread that counts what is sent to it.
LRESULT CALLBACK countingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        return static_cast<LRESULT>(GetCurrentThreadId());
    return DefWindowProcW(window, message, wParam, lParam);
}

struct SendBack {
    HWND callersWindow = nullptr;
    bool answered = false;
    DWORD answeringThread = 0;
};

// Runs past the caller's first wait, then needs the caller's thread.
void sendToTheCallerAfterTheTimeout(void* context)
{
    auto* sendBack = static_cast<SendBack*>(context);
    Sleep(VSTGUI::kWindowThreadCallTimeoutMs + 300);
    DWORD_PTR result = 0;
    sendBack->answered = SendMessageTimeoutW(sendBack->callersWindow, WM_APP, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
    sendBack->answeringThread = static_cast<DWORD>(result);
}

TEST(WindowThreadCallTest, AWorkLongerThanTheTimeoutMaySendToAWindowOfTheWaitingThread)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = countingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"WindowThreadCallTestCaller";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    SendBack sendBack;
    sendBack.callersWindow = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(sendBack.callersWindow, nullptr);
    {
        WindowOnItsOwnThread windowThread(false);
        EXPECT_TRUE(callOnWindowThread(windowThread.window, sendToTheCallerAfterTheTimeout, &sendBack));
    }
    EXPECT_TRUE(sendBack.answered);
    EXPECT_EQ(sendBack.answeringThread, GetCurrentThreadId());
    DestroyWindow(sendBack.callersWindow);
    UnregisterClassW(windowClass.lpszClassName, GetModuleHandleW(nullptr));
}

TEST(WindowThreadCallTest, AStrayMessageOfTheCallsNumberRunsNothing)
{
    // What a host might send: numbers that name no call, and the address of
    // something that is not one.
    Runs runs;
    WindowOnItsOwnThread windowThread(false);
    const UINT message = VSTGUI::windowThreadCallMessage();
    EXPECT_GE(message, 0xC000u) << "a registered message";
    for (LPARAM stray : {LPARAM{0}, LPARAM{1}, LPARAM{2}, reinterpret_cast<LPARAM>(&runs), LPARAM{-1}})
        SendMessageW(windowThread.window, message, 0, stray);
    // The window still takes real calls.
    EXPECT_TRUE(callOnWindowThread(windowThread.window, countRun, &runs));
    EXPECT_EQ(runs.count, 1);
}

} // namespace
