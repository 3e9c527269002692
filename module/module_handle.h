#pragma once

// The plug-in library's module handle. DllMain writes it on every call; the
// runtime reads it for files beside the library, the toolkit for its window
// class and for "DATA" resources. Natively there is no module handle: the
// portable code that reads it there has its own stand-in. It is written
// before the library's first other call and never changes. [any thread]
#ifdef _WIN32
#include <windows.h>
extern HINSTANCE hInstance;

// Keeps the library loaded for the rest of the process, whatever the host
// frees later: for code of the library that may still run on another thread
// once the host's call has returned. [any thread]
void pinLibrary();
#else
extern void* hInstance;
#endif
