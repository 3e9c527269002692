#include "runtime_platform.h"

#include <chrono>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace {

TickSource tickSource = nullptr;
BeepSink beepSink = nullptr;

const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

int32_t platformTicks()
{
    if constexpr (CLOCKS_PER_SEC == 1000) {
        return static_cast<int32_t>(std::clock());
    } else {
        const auto elapsed = std::chrono::steady_clock::now() - processStart;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        // Keep the low 32 bits, as a 32-bit millisecond counter would.
        return static_cast<int32_t>(static_cast<uint32_t>(ms));
    }
}

} // namespace

int32_t tickCount()
{
    return tickSource ? tickSource() : platformTicks();
}

void setTickSource(TickSource source)
{
    tickSource = source;
}

void setBeepSink(BeepSink sink)
{
    beepSink = sink;
}

#ifdef _WIN32

int32_t beep(uint32_t frequencyHz, uint32_t durationMs)
{
    if (beepSink)
        return beepSink(frequencyHz, durationMs);
    return Beep(frequencyHz, durationMs) ? 1 : 0;
}

std::string moduleFileName(void* module)
{
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), buffer, sizeof buffer);
    // A cut name may or may not carry its terminator inside the count.
    return std::string(buffer, strnlen(buffer, length));
}

#else

int32_t beep(uint32_t frequencyHz, uint32_t durationMs)
{
    return beepSink ? beepSink(frequencyHz, durationMs) : 0;
}

std::string moduleFileName(void* module)
{
    static const char anchor = 0;
    Dl_info info{};
    if (dladdr(module ? module : &anchor, &info) != 0 && info.dli_fname != nullptr && info.dli_fname[0] == '/')
        return info.dli_fname;
    // For the main program the loader reports the name it was started under,
    // which may be relative; the kernel knows the real one.
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

#endif
