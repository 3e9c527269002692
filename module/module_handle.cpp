#include "module_handle.h"

#ifdef _WIN32
HINSTANCE hInstance = nullptr;

void pinLibrary()
{
    HMODULE pinned = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(hInstance), &pinned);
}
#else
void* hInstance = nullptr;
#endif
