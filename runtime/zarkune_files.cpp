#include "zarkune_files.h"

#include <cstdint>
#include <cstdio>

#include "module_paths.h"
#include "value_guards.h"

namespace {

// The byte a written file keeps for a value: the low 8 bits of its whole
// number. A NaN, or a whole number beyond 32 bits, writes 0; the low bits of
// a saturated number (0xFF for every huge value) would pass for a real byte.
int fileByte(float value)
{
    const double whole = scriptWholeNumber(value);
    if (!(whole >= INT32_MIN && whole <= INT32_MAX))
        return 0;
    return static_cast<int32_t>(whole) & 0xFF;
}

// A file that cannot be created is skipped silently: its values are lost.
void writeFileBytes(const FileSlot& slot)
{
    std::FILE* file = std::fopen(resolveModuleRelativePath(slot.name).c_str(), "wb");
    if (file == nullptr)
        return;
    for (const float value : slot.data)
        std::fputc(fileByte(value), file);
    std::fclose(file);
}

} // namespace

void FileSlot::write(double value)
{
    if (mode != kFileWrite)
        return;
    const size_t at = static_cast<size_t>(position);
    if (data.size() < at + 1)
        data.resize(at + 1, 0.0f);
    data[at] = static_cast<float>(value);
    ++position;
}

bool FileSlot::read(double& target)
{
    if (mode != kFileRead || static_cast<size_t>(position) >= data.size())
        return false;
    target = data[static_cast<size_t>(position)];
    ++position;
    return true;
}

void FileSlot::reopen(int32_t newMode)
{
    if (mode == kFileWrite && !name.empty())
        writeFileBytes(*this);
    name.clear();
    position = 0;
    data.clear();
    mode = newMode;
}

CZarkuneFiles::CZarkuneFiles() : files(1) {}

CZarkuneFiles::~CZarkuneFiles()
{
    for (FileSlot& slot : files)
        slot.close();
}
