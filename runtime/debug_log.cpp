#include "debug_log.h"

#include <cstdio>

#include "runtime_platform.h"

namespace {

#ifdef _WIN32
constexpr const char* kLogFile = "\\plon.log.txt";
#else
constexpr const char* kLogFile = "/plon.log.txt";
#endif

std::string& logFile()
{
    static std::string path = kLogFile;
    return path;
}

} // namespace

void setDebugLogFile(const char* path)
{
    logFile() = path ? path : kLogFile;
}

int32_t debugLog(const std::string& message)
{
    std::FILE* file = std::fopen(logFile().c_str(), "a");
    if (!file)
        return 0;
    std::fprintf(file, "%s\n", message.c_str());
    std::fclose(file);
    return beep(2000, 200);
}
