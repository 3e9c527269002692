#include "wide_text.h"

namespace VSTGUI {

std::vector<wchar_t> widenText(const char* text, UINT codePage)
{
    const int units = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(units > 0 ? units : 0) + 1, L'\0');
    if (units <= 0 || MultiByteToWideChar(codePage, 0, text, -1, wide.data(), units) == 0)
        wide[0] = L'\0';
    return wide;
}

} // namespace VSTGUI
