#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "zarkune_description.h"

// Numbered strings: the script's string table and its file names, entered
// while the effect is constructed; the graphics section reads them and
// stringAt enters a missing number. [GUI thread]
class CZarkuneStrings : public CZarkuneDescription {
public:
    // The string table; the script's literals live from number 10000 upward.
    std::map<int32_t, std::string> strings;
    // File names by number (images are named here).
    std::map<int32_t, std::string> fileNames;
    // How many entries `strings` had when stringAt() last ran.
    double stringCount = 0.0;

    // String number n, entered empty when missing; refreshes stringCount.
    std::string& stringAt(int32_t n);

protected:
    ~CZarkuneStrings() = default;
};
