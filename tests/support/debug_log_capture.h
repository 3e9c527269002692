#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "debug_log.h"
#include "runtime_platform.h"
#include "scratch_folder.h"

// For its lifetime, sends the runtime's debug log to a file in a scratch
// folder of its own and records the beeps instead of sounding them, so that
// no test writes to the root of the drive. One at a time.
class DebugLogCapture {
public:
    using Beep = std::pair<uint32_t, uint32_t>; // frequency in Hz, duration in ms

    DebugLogCapture()
        : folder_(std::filesystem::temp_directory_path(), "vest-debug-log"), path_(folder_.path("log.txt"))
    {
        setDebugLogFile(path_.c_str());
        heard().clear();
        setBeepSink(&recordBeep);
    }
    ~DebugLogCapture()
    {
        setDebugLogFile(nullptr);
        setBeepSink(nullptr);
    }
    DebugLogCapture(const DebugLogCapture&) = delete;
    DebugLogCapture& operator=(const DebugLogCapture&) = delete;

    const std::string& path() const { return path_; }

    std::vector<std::string> lines() const
    {
        std::vector<std::string> lines;
        std::ifstream file(path_);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    const std::vector<Beep>& beeps() const { return heard(); }

    // What the recorded beeps answer.
    static constexpr int32_t kBeepAnswer = 1;

private:
    static std::vector<Beep>& heard()
    {
        static std::vector<Beep> beeps;
        return beeps;
    }
    static int32_t recordBeep(uint32_t frequencyHz, uint32_t durationMs)
    {
        heard().emplace_back(frequencyHz, durationMs);
        return kBeepAnswer;
    }

    ScratchFolder folder_;
    std::string path_;
};
