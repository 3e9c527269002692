#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "module_paths.h"
#include "zarkune.h"

// The separator the file-system tests build paths with: what the platform's
// own paths use (the path rules accept both everywhere).
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// A script whose sections log their runs and whose serialize section
// exchanges slider values 1 to serializedSliders with the chunk stream.
class LoggingScript : public TZarkune {
public:
    std::vector<std::string> sections;
    int serializedSliders = 0;

    void doInit() override { sections.push_back("init"); }
    void doSlider() override { sections.push_back("slider"); }
    void doSerialize() override
    {
        sections.push_back("serialize");
        FileSlot& stream = files[0];
        for (int slot = 1; slot <= serializedSliders; ++slot) {
            if (stream.mode == kFileWrite)
                stream.write(sliders[slot]);
            if (stream.mode == kFileRead)
                stream.read(sliders[slot]);
        }
    }
};

// A folder beside the test executable (files of the runtime are found beside
// the library, which is the executable here), removed with its contents.
class ScratchFolder {
public:
    ScratchFolder() : name_("scratch-" + std::to_string(getpid()) + "-" + std::to_string(++serial()))
    {
        std::filesystem::create_directory(path());
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path(), ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's name relative to the executable's folder.
    const std::string& name() const { return name_; }
    // The full path of the folder, or of an entry in it.
    std::string path(const std::string& entry = "") const
    {
        return moduleFolder() + name_ + (entry.empty() ? "" : kSeparator + entry);
    }

    void addFile(const std::string& entry) const { std::ofstream(path(entry)) << "x"; }
    void addFolder(const std::string& entry) const { std::filesystem::create_directory(path(entry)); }

private:
    static int& serial()
    {
        static int count = 0;
        return count;
    }
    std::string name_;
};

inline std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
