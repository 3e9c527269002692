#include "gdiplus_globals.h"

#include "font_desc_gdiplus.h"
#include "gdiplus_object.h"

namespace VSTGUI {

GDIPlusGlobals* GDIPlusGlobals::instance = nullptr;

GDIPlusGlobals::GDIPlusGlobals()
{
    // A failed start goes unnoticed here; every later GDI+ call then fails
    // and keeps its status in its object.
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR startedToken = 0;
    Gdiplus::GdiplusStartup(&startedToken, &input, nullptr);
    token = startedToken;
}

GDIPlusGlobals::~GDIPlusGlobals()
{
    freePlatformFontsBeforeShutdown();
    Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(token));
}

std::recursive_mutex& GDIPlusGlobals::stateLock()
{
    // Never destroyed: descriptions release their fonts during static
    // destruction too.
    static auto* lock = new std::recursive_mutex();
    return *lock;
}

void GDIPlusGlobals::enter()
{
    std::lock_guard<std::recursive_mutex> guard(stateLock());
    if (instance)
        instance->remember();
    else
        instance = new GDIPlusGlobals();
}

void GDIPlusGlobals::exit()
{
    std::lock_guard<std::recursive_mutex> guard(stateLock());
    if (!instance)
        return;
    const bool wasLast = instance->getNbReference() == 1;
    instance->forget();
    if (wasLast)
        instance = nullptr;
}

} // namespace VSTGUI
