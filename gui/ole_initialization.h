#pragma once

namespace VSTGUI {

// Holds OLE for the calling thread while it lives. It leaves OLE only when
// its own OleInitialize succeeded, and only on that same thread: on a thread
// the host already put in the multithreaded apartment the start fails, and
// leaving then would tear down the host's COM. [any thread]: a guard
// destroyed on another thread than its own leaves that thread's OLE alone.
class OleInitialization {
public:
    OleInitialization();
    ~OleInitialization();
    OleInitialization(const OleInitialization&) = delete;
    OleInitialization& operator=(const OleInitialization&) = delete;

    // Whether this guard's start succeeded and it will leave OLE again.
    bool holdsInitialization() const { return initialized; }
    // Leaves OLE now, on the guard's own thread, instead of at the end.
    void leave();

private:
    bool initialized = false;
    unsigned long threadId = 0;
};

} // namespace VSTGUI
