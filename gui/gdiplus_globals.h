#pragma once

#include "base_object.h"

#include <cstdint>

namespace VSTGUI {

// GDI+ runs while a frame or a bitmap exists: each of them enters in its
// constructor and exits in its destructor. The first entry starts GDI+, the
// exit that drops the last reference shuts it down, and a later entry starts
// it again. Draw contexts and font descriptions take no reference: they are
// used only while a frame or a bitmap exists.
class GDIPlusGlobals : public CBaseObject {
public:
    static void enter();
    static void exit();

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

} // namespace VSTGUI
