#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "module_paths.h"
#include "scratch_folder.h"
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

// A scratch folder beside the test executable: files of the runtime are found
// beside the library, which is the executable here. Its name() is the path
// relative to the executable's folder.
class ModuleScratchFolder : public ScratchFolder {
public:
    ModuleScratchFolder() : ScratchFolder(moduleFolder(), "scratch") {}

    void addFile(const std::string& entry) const { std::ofstream(path(entry)) << "x"; }
    void addFolder(const std::string& entry) const { std::filesystem::create_directory(path(entry)); }
};

inline std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
