// Calls carried to the thread of a window: message-only windows on threads
// of the tests' own, whose procedure takes calls as a frame's window does.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "gui/window_thread_call.h"

namespace {

using VSTGUI::callOnWindowThread;

LRESULT CALLBACK callTakingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == VSTGUI::kWindowThreadCallMessage) {
        VSTGUI::runWindowThreadCall(lParam);
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

TEST(WindowThreadCallTest, RunsTheWorkOnceOnTheWindowsThreadWhileTheCallerWaits)
{
    Runs runs;
    WindowOnItsOwnThread windowThread(false);
    ASSERT_NE(windowThread.window, nullptr);
    EXPECT_TRUE(callOnWindowThread(windowThread.window, countRun, &runs));
    EXPECT_EQ(runs.count, 1);
    EXPECT_EQ(runs.threadId, windowThread.threadId);
    EXPECT_NE(runs.threadId, GetCurrentThreadId());
}

TEST(WindowThreadCallTest, ACallTheThreadDoesNotTakeInTimeAnswersFalseAndNeverRuns)
{
    Runs runs;
    {
        WindowOnItsOwnThread windowThread(true);
        ASSERT_NE(windowThread.window, nullptr);
        EXPECT_FALSE(callOnWindowThread(windowThread.window, countRun, &runs));
        // Released, the thread takes what still waits for it. (Windows
        // still delivers a message whose sender stopped waiting; Wine drops
        // it.)
    }
    EXPECT_EQ(runs.count, 0);
}

} // namespace
