#include "gdiplus_line_calls.h"

#include <cstring>

namespace VSTGUI {
namespace test {

using namespace Gdiplus;

namespace {

using DrawLineFunction = GpStatus(WINGDIPAPI*)(GpGraphics*, GpPen*, REAL, REAL, REAL, REAL);
using DrawLineIFunction = GpStatus(WINGDIPAPI*)(GpGraphics*, GpPen*, INT, INT, INT, INT);

GdiplusLineCalls* active = nullptr;
DrawLineFunction originalDrawLine = nullptr;
DrawLineIFunction originalDrawLineI = nullptr;

// The executable's import slot for a function of gdiplus.dll, or null.
void** importSlot(const char* functionName)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name;
         ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "gdiplus.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

// Puts the function into the slot and answers what was there.
void* exchange(void** slot, void* function)
{
    DWORD protection = 0;
    VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
    void* previous = *slot;
    *slot = function;
    VirtualProtect(slot, sizeof(*slot), protection, &protection);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof(*slot));
    return previous;
}

} // namespace

GdiplusLineCalls::GdiplusLineCalls()
{
    void** lineSlot = importSlot("GdipDrawLine");
    void** lineISlot = importSlot("GdipDrawLineI");
    watchingBoth = lineSlot && lineISlot;
    if (!watchingBoth)
        return;
    active = this;
    originalDrawLine = reinterpret_cast<DrawLineFunction>(exchange(lineSlot, reinterpret_cast<void*>(&drawLine)));
    originalDrawLineI = reinterpret_cast<DrawLineIFunction>(exchange(lineISlot, reinterpret_cast<void*>(&drawLineI)));
}

GdiplusLineCalls::~GdiplusLineCalls()
{
    if (!watchingBoth)
        return;
    exchange(importSlot("GdipDrawLine"), reinterpret_cast<void*>(originalDrawLine));
    exchange(importSlot("GdipDrawLineI"), reinterpret_cast<void*>(originalDrawLineI));
    active = nullptr;
}

GpStatus WINGDIPAPI GdiplusLineCalls::drawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2)
{
    active->handed.push_back({false, x1, y1, x2, y2});
    return originalDrawLine(graphics, pen, x1, y1, x2, y2);
}

GpStatus WINGDIPAPI GdiplusLineCalls::drawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2)
{
    active->handed.push_back(
        {true, static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2)});
    return originalDrawLineI(graphics, pen, x1, y1, x2, y2);
}

} // namespace test
} // namespace VSTGUI
