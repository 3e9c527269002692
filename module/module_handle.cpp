#include "module_handle.h"

#ifdef _WIN32
HINSTANCE hInstance = nullptr;
#else
void* hInstance = nullptr;
#endif
