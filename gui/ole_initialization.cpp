#include "ole_initialization.h"

#include <windows.h>

#include <ole2.h>

namespace VSTGUI {

OleInitialization::OleInitialization() : threadId(GetCurrentThreadId())
{
    // S_FALSE means OLE was already running on this thread: the start still
    // counts and must be matched.
    const HRESULT result = OleInitialize(nullptr);
    initialized = result == S_OK || result == S_FALSE;
}

OleInitialization::~OleInitialization()
{
    leave();
}

void OleInitialization::leave()
{
    // On another thread, leaving would unbalance that thread's OLE, not undo
    // this start; the start is then left to the thread's own end.
    if (initialized && GetCurrentThreadId() == threadId) {
        OleUninitialize();
        initialized = false;
    }
}

} // namespace VSTGUI
