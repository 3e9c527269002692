#pragma once

// The plug-in library's module handle. DllMain writes it on every call; the
// runtime reads it for files beside the library, the toolkit for its window
// class and for "DATA" resources. Natively there is no module handle: the
// portable code that reads it there has its own stand-in. It is written
// before the library's first other call and never changes. [any thread]
#ifdef _WIN32
#include <windows.h>
extern HINSTANCE hInstance;
#else
extern void* hInstance;
#endif
