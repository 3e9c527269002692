#pragma once

// Owners of the flat API's handles. Each wrapper deletes its handle with the
// matching GDI+ call and remembers the last failing status; no caller acts on
// it, so a call that fails just draws nothing. A wrapper belongs to the
// toolkit object that contains it. [GUI thread]

#include <windows.h>

// The build leaves the COM headers out of windows.h; GDI+ needs them.
#include <objidl.h>

#include <gdiplus.h>

namespace VSTGUI {

template <class Handle, Gdiplus::GpStatus (*Delete)(Handle*)> class GdiPlusObject {
public:
    GdiPlusObject() = default;
    ~GdiPlusObject() { reset(); }
    GdiPlusObject(const GdiPlusObject&) = delete;
    GdiPlusObject& operator=(const GdiPlusObject&) = delete;

    Handle* get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

    // Keeps the status when the call failed; true when it succeeded.
    bool record(Gdiplus::GpStatus status)
    {
        if (status != Gdiplus::Ok)
            lastStatus = status;
        return status == Gdiplus::Ok;
    }

    // For creation: obj.record(GdipCreateX(..., obj.receive())).
    Handle** receive()
    {
        reset();
        return &handle;
    }

    void reset()
    {
        if (handle)
            Delete(handle);
        handle = nullptr;
    }

    Gdiplus::GpStatus getLastStatus() const { return lastStatus; }

private:
    Handle* handle = nullptr;
    Gdiplus::GpStatus lastStatus = Gdiplus::Ok;
};

namespace gdiplus_delete {
// The flat API's deleters take base handle types and use the platform's
// calling convention; these adapt them to one template parameter each.
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
inline GpStatus graphics(GpGraphics* h)
{
    return GdipDeleteGraphics(h);
}
inline GpStatus pen(GpPen* h)
{
    return GdipDeletePen(h);
}
inline GpStatus solidFill(GpSolidFill* h)
{
    return GdipDeleteBrush(h);
}
inline GpStatus bitmap(GpBitmap* h)
{
    return GdipDisposeImage(h);
}
inline GpStatus font(GpFont* h)
{
    return GdipDeleteFont(h);
}
inline GpStatus fontFamily(GpFontFamily* h)
{
    return GdipDeleteFontFamily(h);
}
inline GpStatus path(GpPath* h)
{
    return GdipDeletePath(h);
}
inline GpStatus imageAttributes(GpImageAttributes* h)
{
    return GdipDisposeImageAttributes(h);
}
} // namespace gdiplus_delete

using GdiGraphics = GdiPlusObject<Gdiplus::GpGraphics, gdiplus_delete::graphics>;
using GdiPen = GdiPlusObject<Gdiplus::GpPen, gdiplus_delete::pen>;
using GdiSolidBrush = GdiPlusObject<Gdiplus::GpSolidFill, gdiplus_delete::solidFill>;
using GdiBitmap = GdiPlusObject<Gdiplus::GpBitmap, gdiplus_delete::bitmap>;
using GdiFontFamily = GdiPlusObject<Gdiplus::GpFontFamily, gdiplus_delete::fontFamily>;
using GdiPath = GdiPlusObject<Gdiplus::GpPath, gdiplus_delete::path>;
using GdiImageAttributes = GdiPlusObject<Gdiplus::GpImageAttributes, gdiplus_delete::imageAttributes>;

// The GDI+ font of a font description (declared with CFontDesc).
struct PlatformFont : GdiPlusObject<Gdiplus::GpFont, gdiplus_delete::font> {};

} // namespace VSTGUI
