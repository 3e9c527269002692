#include "zarkune_files.h"

#include <cstdio>

#include "module_paths.h"
#include "value_guards.h"

namespace {

// A file that cannot be created is skipped silently: its values are lost.
void writeFileBytes(const FileSlot& slot)
{
    std::FILE* file = std::fopen(resolveModuleRelativePath(slot.name).c_str(), "wb");
    if (file == nullptr)
        return;
    for (const float value : slot.data)
        std::fputc(scriptToInt32(value) & 0xFF, file);
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
