#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace {

// More numbers than the leftovers of one process id could ever take.
constexpr int kMaxNumber = 1000;

} // namespace

ScratchFolder::ScratchFolder(const std::filesystem::path& parent, const std::string& prefix)
{
    const std::string stem = prefix + "-" + std::to_string(getpid()) + "-";
    for (int number = 1; number <= kMaxNumber; ++number) {
        name_ = stem + std::to_string(number);
        folder_ = parent / name_;
        std::error_code createError;
        if (std::filesystem::create_directory(folder_, createError))
            return;
        std::error_code lookError;
        if (!std::filesystem::exists(folder_, lookError))
            throw std::runtime_error("cannot make the scratch folder " + folder_.string() + ": "
                                     + createError.message());
    }
    throw std::runtime_error("the scratch folders " + stem + "1 to " + std::to_string(kMaxNumber) + " in "
                             + parent.string() + " are all taken");
}

ScratchFolder::~ScratchFolder()
{
    std::error_code removeError;
    std::filesystem::remove_all(folder_, removeError);
    std::error_code lookError;
    if (removeError || std::filesystem::exists(folder_, lookError))
        ADD_FAILURE() << "cannot remove the scratch folder " << folder_.string() << ": " << removeError.message();
}

std::string ScratchFolder::path(const std::string& entry) const
{
    return entry.empty() ? folder_.string() : (folder_ / entry).string();
}

std::wstring ScratchFolder::widePath(const std::wstring& entry) const
{
    return entry.empty() ? folder_.wstring() : (folder_ / entry).wstring();
}
