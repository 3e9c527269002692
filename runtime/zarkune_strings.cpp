#include "zarkune_strings.h"

std::string& CZarkuneStrings::stringAt(int32_t n)
{
    std::string& entry = strings[n];
    stringCount = static_cast<double>(strings.size());
    return entry;
}
