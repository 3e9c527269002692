#pragma once

// Tools for tests that watch output.dll from inside its process: its imports
// pointed at the test's own functions, faults that Wine would swallow inside
// a window procedure counted, frees of chosen blocks recorded, and a test
// run in a process of its own for a library that stays loaded.
#include <windows.h>

#include <atomic>
#include <string>

// Points the module's import of the function at the replacement; the answer
// is the function it reached before, or null when the module does not
// import it.
void* replaceImport(HMODULE module, const char* functionName, void* replacement);

// Counts access violations anywhere in the process while it lives.
class AccessViolationCount {
public:
    AccessViolationCount();
    ~AccessViolationCount();
    AccessViolationCount(const AccessViolationCount&) = delete;
    AccessViolationCount& operator=(const AccessViolationCount&) = delete;

    int count() const;

private:
    void* handler;
};

// Which thread the library freed a block on, for up to kWatchedBlocks
// blocks the test names, through the library's import of free. Install once
// per loaded library; the library's other frees pass straight through.
class FreeWatch {
public:
    static constexpr int kWatchedBlocks = 2;

    // False when the library imports no free.
    static bool install(HMODULE library);
    // Forgets every earlier block and watches these (null entries are none).
    static void watch(const void* first, const void* second = nullptr);
    // The id of the thread that freed the block, or 0 while it lives.
    static DWORD freedOn(const void* block);
};

// The class name of a window, and whether a module's class of that name is
// registered (still a valid question once the module is freed).
std::wstring classNameOf(HWND window);
bool classIsRegistered(HINSTANCE module, const std::wstring& name);

// A test of this executable run in a process of its own, so that a library
// it keeps loaded goes with that process. The answer is the process's exit
// code; it is not 0 unless exactly the named test ran (a filter that
// matches nothing fails). The process writes to this one's output.
DWORD exitCodeOfTestInItsOwnProcess(const std::string& name);
