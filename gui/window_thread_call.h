#pragma once

#include <windows.h>

namespace VSTGUI {

// The message that carries a call to the thread of one of the toolkit's own
// windows. Its window procedure hands it to runWindowThreadCall.
constexpr UINT kWindowThreadCallMessage = WM_USER + 0x100;

// How long callOnWindowThread waits for the window's thread to take a call.
constexpr DWORD kWindowThreadCallTimeoutMs = 1000;

// Runs work(context) on the thread that owns the window while the calling
// thread waits (answering messages sent to it meanwhile), and answers true.
// Answers false when that thread does not take the call within the timeout
// (it is blocked, perhaps waiting for the caller) or no longer has the window
// (it ended and the system destroyed its windows): the work has then not run
// and never will, even when the message reaches the window later.
// [any thread]
bool callOnWindowThread(HWND window, void (*work)(void* context), void* context);

// For the window procedure: runs the call a kWindowThreadCallMessage carries,
// unless its caller gave up on it. [GUI thread]: the window's own.
void runWindowThreadCall(LPARAM call);

} // namespace VSTGUI
