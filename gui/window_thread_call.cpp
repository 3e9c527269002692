#include "window_thread_call.h"

#include "module_handle.h"

#include <atomic>
#include <map>
#include <mutex>

namespace VSTGUI {

namespace {

struct WindowThreadCall {
    HWND window;
    void (*work)(void*);
    void* context;
    std::atomic<bool> done{false};
};

// The calls that wait for their window's thread, by the number their
// message carries. A number is never given twice in a process's life
// (short of wrapping around), so a message that comes late finds nothing.
std::mutex outstandingLock;
std::map<LPARAM, WindowThreadCall*> outstandingCalls;
LPARAM lastCallNumber = 0;

LPARAM enterOutstanding(WindowThreadCall* call)
{
    std::lock_guard<std::mutex> guard(outstandingLock);
    do
        ++lastCallNumber;
    while (lastCallNumber == 0 || outstandingCalls.count(lastCallNumber) != 0);
    outstandingCalls[lastCallNumber] = call;
    return lastCallNumber;
}

// The call, if it was still outstanding for the window; it is not any more.
WindowThreadCall* takeOutstanding(LPARAM number, HWND window)
{
    std::lock_guard<std::mutex> guard(outstandingLock);
    auto found = outstandingCalls.find(number);
    if (found == outstandingCalls.end() || found->second->window != window)
        return nullptr;
    WindowThreadCall* call = found->second;
    outstandingCalls.erase(found);
    return call;
}

// The window's thread took the call, perhaps just as the first wait ran
// out, and runs it now. Messages sent to this thread are answered
// meanwhile, as SendMessage answers them, so that the work may send to a
// window of this thread.
void waitUntilDone(const WindowThreadCall& call)
{
    while (!call.done.load()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

UINT windowThreadCallMessage()
{
    static const UINT message = RegisterWindowMessageW(L"VSTGUI.WindowThreadCall");
    return message;
}

bool callOnWindowThread(HWND window, void (*work)(void*), void* context)
{
    WindowThreadCall call{window, work, context};
    const LPARAM number = enterOutstanding(&call);
    DWORD_PTR unused = 0;
    const LRESULT answered = SendMessageTimeoutW(window, windowThreadCallMessage(), 0, number, SMTO_NORMAL,
                                                 kWindowThreadCallTimeoutMs, &unused);
    // Still outstanding: the window's thread never took it, and a message
    // delivered later finds nothing to run.
    if (takeOutstanding(number, window))
        return false;
    waitUntilDone(call);
    // Taken only as the wait ran out: the window's thread is still on its
    // way out of this library's code when the work is done, and the caller
    // may go on to free the library.
    if (!answered)
        pinLibrary();
    return true;
}

void runWindowThreadCall(HWND window, LPARAM number)
{
    WindowThreadCall* call = takeOutstanding(number, window);
    if (!call)
        return;
    call->work(call->context);
    // The caller returns, and the call's record goes, from here on.
    call->done.store(true);
}

} // namespace VSTGUI
