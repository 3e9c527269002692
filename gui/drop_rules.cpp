#include "drop_rules.h"

#include <cwctype>
#include <initializer_list>

namespace VSTGUI {

bool isShortcutPath(const wchar_t* path)
{
    if (!path)
        return false;
    // Only a dot after the last separator starts the file name's extension.
    const wchar_t* lastDot = nullptr;
    for (const wchar_t* c = path; *c; ++c) {
        if (*c == L'\\' || *c == L'/' || *c == L':') {
            lastDot = nullptr;
        } else if (*c == L'.') {
            lastDot = c;
        }
    }
    if (!lastDot)
        return false;
    const wchar_t* extension = L"lnk";
    const wchar_t* c = lastDot + 1;
    for (; *c && *extension; ++c, ++extension) {
        if (std::towlower(static_cast<wint_t>(*c)) != static_cast<wint_t>(*extension))
            return false;
    }
    return *c == 0 && *extension == 0;
}

uint32_t chooseDropEffect(uint32_t allowedEffects)
{
    for (const uint32_t effect : {kDropEffectCopy, kDropEffectMove, kDropEffectLink}) {
        if (allowedEffects & effect)
            return effect;
    }
    return allowedEffects;
}

} // namespace VSTGUI
