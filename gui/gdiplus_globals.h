#pragma once

#include "base_object.h"

#include <cstdint>
#include <mutex>

namespace VSTGUI {

// GDI+ runs while a frame, a bitmap or a draw context exists: each of them
// enters before it makes its first GDI+ object and exits after it deleted its
// last. The first entry starts GDI+, the exit that drops the last reference
// shuts it down, and a later entry starts it again. Font descriptions take no
// reference: the shut-down releases their GDI+ fonts.
// [any thread]: enter and exit hold stateLock, as does the font code that
// keeps the descriptions holding a GDI+ font; a plug-in deleted on the host's
// dispatcher thread releases its share while other editors draw on the GUI
// thread.
class GDIPlusGlobals : public CBaseObject {
public:
    static void enter();
    static void exit();
    // Guards the start count and the set of descriptions with a GDI+ font.
    static std::recursive_mutex& stateLock();

    // The running instance, or null while GDI+ is shut down.
    static const GDIPlusGlobals* getInstance() { return instance; }

    GDIPlusGlobals(const GDIPlusGlobals&) = delete;
    GDIPlusGlobals& operator=(const GDIPlusGlobals&) = delete;

private:
    GDIPlusGlobals();
    ~GDIPlusGlobals() override;

    static GDIPlusGlobals* instance;
    uintptr_t token = 0;
};

// One reference to GDI+ for as long as it exists. As a member it must come
// before the GDI+ objects it has to outlive.
class GdiPlusSession {
public:
    GdiPlusSession() { GDIPlusGlobals::enter(); }
    ~GdiPlusSession() { GDIPlusGlobals::exit(); }
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;
};

} // namespace VSTGUI
