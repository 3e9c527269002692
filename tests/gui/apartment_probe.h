#pragma once

#include <windows.h>

#include <objbase.h>

namespace VSTGUI {
namespace test {

// What COM says of the calling thread, asked so that the question leaves
// nothing behind: S_OK means the thread had no COM (now undone again),
// S_FALSE that it is in the multithreaded apartment, RPC_E_CHANGED_MODE that
// it is in a single-threaded one.
inline HRESULT probeApartment()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result))
        CoUninitialize();
    return result;
}

} // namespace test
} // namespace VSTGUI
