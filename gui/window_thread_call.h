#pragma once

#include <windows.h>

namespace VSTGUI {

// The message that carries a call to the thread of one of the toolkit's own
// windows, registered once for the process so that no host message shares
// its number. Its window procedure hands it to runWindowThreadCall.
// [any thread]: the system makes the registration safe.
UINT windowThreadCallMessage();

// How long callOnWindowThread waits for the window's thread to take a call.
constexpr DWORD kWindowThreadCallTimeoutMs = 1000;

// Runs work(context) on the thread that owns the window while the calling
// thread waits, answering the messages sent to it meanwhile, and answers
// true. Answers false when that thread does not take the call within the
// timeout (it is blocked, perhaps waiting for the caller) or no longer has
// the window (it ended and the system destroyed its windows): the work has
// then not run and never will, even when the message reaches the window
// later.
// The wait: at most the timeout until the call is taken; once the window's
// thread has taken it, for as long as the work runs there, without a bound
// of its own. A call taken after the timeout keeps the library loaded for
// the rest of the process: that thread is still in it when this returns.
// [any thread]: each call is its own record, kept in a guarded table.
bool callOnWindowThread(HWND window, void (*work)(void* context), void* context);

// For the window procedure: runs the call that the message's parameter
// names, if it is outstanding for this window; any other parameter (a
// call given up, a stray message of the same number) runs nothing.
// [GUI thread]: the window's own.
void runWindowThreadCall(HWND window, LPARAM call);

} // namespace VSTGUI
