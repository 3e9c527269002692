#include "window_thread_call.h"

#include <atomic>

namespace VSTGUI {

namespace {

// Who has a call: nobody yet, the window's thread (running it, then done),
// or the caller, who stopped waiting for it.
enum CallState : int { kWaiting, kRunning, kDone, kAbandoned };

struct WindowThreadCall {
    void (*work)(void*);
    void* context;
    std::atomic<int> state{kWaiting};
};

// The window's thread took the call just as the wait ran out and runs it
// now. Messages sent to this thread are answered meanwhile, as SendMessage
// answers them, so that the work may send to a window of this thread.
void waitUntilDone(const WindowThreadCall& call)
{
    while (call.state.load() != kDone) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

bool callOnWindowThread(HWND window, void (*work)(void*), void* context)
{
    auto* call = new WindowThreadCall{work, context};
    DWORD_PTR unused = 0;
    const bool answered = SendMessageTimeoutW(window, kWindowThreadCallMessage, 0, reinterpret_cast<LPARAM>(call),
                                              SMTO_NORMAL, kWindowThreadCallTimeoutMs, &unused)
        != 0;
    // Only a wait that ran out leaves the message queued for a later delivery.
    const bool neverDeliveredLater = answered || GetLastError() == ERROR_INVALID_WINDOW_HANDLE;
    int expected = kWaiting;
    if (call->state.compare_exchange_strong(expected, kAbandoned)) {
        // The window's thread never took it. A message still queued finds it
        // abandoned when it arrives, and frees it then.
        if (neverDeliveredLater)
            delete call;
        return false;
    }
    waitUntilDone(*call);
    delete call;
    return true;
}

void runWindowThreadCall(LPARAM parameter)
{
    auto* call = reinterpret_cast<WindowThreadCall*>(parameter);
    int expected = kWaiting;
    if (!call->state.compare_exchange_strong(expected, kRunning)) {
        // Its caller stopped waiting and no longer looks at it.
        delete call;
        return;
    }
    call->work(call->context);
    // The caller frees it from here on.
    call->state.store(kDone);
}

} // namespace VSTGUI
