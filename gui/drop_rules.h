#pragma once

#include <cstdint>

namespace VSTGUI {

// Whether a dropped path names a shortcut file: the extension of its file
// name (after the last dot of the last path component) is "lnk" in any case.
// A dot in a folder name, or ".lnk" inside the name, does not count.
// [any thread], like chooseDropEffect.
bool isShortcutPath(const wchar_t* path);

// The effect bits of OLE's drop protocol.
constexpr uint32_t kDropEffectCopy = 1;
constexpr uint32_t kDropEffectMove = 2;
constexpr uint32_t kDropEffectLink = 4;

// The effect a drop target answers: copy, move or link, the first of them
// that the source allows; the source's word unchanged when it allows none.
uint32_t chooseDropEffect(uint32_t allowedEffects);

} // namespace VSTGUI
