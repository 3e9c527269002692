#pragma once

#include <filesystem>
#include <string>

// A folder of one test's own for the files it makes, removed with everything
// in it when the test is done. Its name is the prefix, the process id and a
// number: the first number whose folder does not exist yet, so that a folder
// an earlier process left behind is never shared, also when the system gave
// that process the same id (Wine reuses ids). A folder that cannot be made
// throws; one that cannot be removed again fails the test.
class ScratchFolder {
public:
    ScratchFolder(const std::filesystem::path& parent, const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's own name, without its parent.
    const std::string& name() const { return name_; }
    // The full path of the folder, or of an entry in it.
    std::string path(const std::string& entry = "") const;
    std::wstring widePath(const std::wstring& entry = L"") const;

private:
    std::string name_;
    std::filesystem::path folder_;
};
