#include "library_hooks.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::atomic<int> accessViolations{0};

LONG CALLBACK countAccessViolation(EXCEPTION_POINTERS* exception)
{
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ++accessViolations;
    return EXCEPTION_CONTINUE_SEARCH;
}

struct WatchedBlock {
    std::atomic<const void*> block{nullptr};
    std::atomic<DWORD> freedOn{0};
};
WatchedBlock watchedBlocks[FreeWatch::kWatchedBlocks];
void (*libraryFree)(void*) = nullptr;

void watchingFree(void* block)
{
    if (block) {
        for (WatchedBlock& watched : watchedBlocks) {
            if (watched.block.load() == block)
                watched.freedOn = GetCurrentThreadId();
        }
    }
    libraryFree(block);
}

// Exit code of a child process that ended well without running exactly the
// one test it was asked for.
constexpr DWORD kNotExactlyOneTestRan = 0x7E57;

std::string contentsOf(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// gtest's report of the run: one test in all, and that one run to its end.
bool reportShowsOnlyTheTestRan(const std::string& report, const std::string& name)
{
    const std::string testName = name.substr(name.find('.') + 1);
    return report.find("<testsuites tests=\"1\"") != std::string::npos
        && report.find("<testcase name=\"" + testName + "\"") != std::string::npos
        && report.find("status=\"run\"") != std::string::npos;
}

} // namespace

void* replaceImport(HMODULE module, const char* functionName, void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection);
            void* before = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
            return before;
        }
    }
    return nullptr;
}

AccessViolationCount::AccessViolationCount() : handler(AddVectoredExceptionHandler(1, countAccessViolation))
{
    accessViolations = 0;
}

AccessViolationCount::~AccessViolationCount()
{
    RemoveVectoredExceptionHandler(handler);
}

int AccessViolationCount::count() const
{
    return accessViolations;
}

bool FreeWatch::install(HMODULE library)
{
    void* before = replaceImport(library, "free", reinterpret_cast<void*>(watchingFree));
    if (before)
        libraryFree = reinterpret_cast<void (*)(void*)>(before);
    return before != nullptr;
}

void FreeWatch::watch(const void* first, const void* second)
{
    const void* blocks[kWatchedBlocks] = {first, second};
    for (int i = 0; i < kWatchedBlocks; ++i) {
        watchedBlocks[i].freedOn = 0;
        watchedBlocks[i].block = blocks[i];
    }
}

DWORD FreeWatch::freedOn(const void* block)
{
    for (const WatchedBlock& watched : watchedBlocks) {
        if (block && watched.block.load() == block)
            return watched.freedOn;
    }
    return 0;
}

std::wstring classNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool classIsRegistered(HINSTANCE module, const std::wstring& name)
{
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    return GetClassInfoExW(module, name.c_str(), &info) != 0;
}

DWORD exitCodeOfTestInItsOwnProcess(const std::string& name)
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t report[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"gt", 0, report);
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(executable) + L"\" --gtest_also_run_disabled_tests --gtest_filter="
        + std::wstring(name.begin(), name.end()) + L" --gtest_output=xml:" + report;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const bool ranIt = reportShowsOnlyTheTestRan(contentsOf(report), name);
    DeleteFileW(report);
    if (code == 0 && !ranIt)
        return kNotExactlyOneTestRan;
    return code;
}
