#pragma once

#include <windows.h>

#include <vector>

namespace VSTGUI {

// Narrow text widened to UTF-16 for GDI+ and the platform, from the given
// code page; a conversion that fails gives the empty string. Zero-terminated.
// [any thread]
std::vector<wchar_t> widenText(const char* text, UINT codePage);

} // namespace VSTGUI
