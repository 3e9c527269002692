// output.dll's editor closed on another thread at the awkward moments of
// its GUI thread: the host's window destroyed before a release left to that
// thread is pumped, an idle turn running while the close comes, a release
// message that cannot be posted, and a call that the GUI thread takes just
// after the closing thread stopped waiting. The library's own imports are
// pointed at the tests' functions to force each order. Every case keeps the
// library loaded, so each runs in a process of its own.
#include <windows.h>

#include <atomic>
#include <ctime>
#include <string>
#include <thread>

#include "editor_window.h"
#include "library_hooks.h"
#include "plugin_fixture.h"

namespace {

// Well past the toolkit's one-second wait for the GUI thread.
constexpr DWORD kLongWaitMs = 10000;
// Enough for messages and thread timers left after a close to come due.
constexpr DWORD kSettleMs = 300;

class Event {
public:
    Event() : handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set() { SetEvent(handle); }
    bool wait(DWORD ms = kLongWaitMs) { return WaitForSingleObject(handle, ms) == WAIT_OBJECT_0; }

private:
    HANDLE handle;
};

// The seams in the library's imports. Each stays armed for one use.
struct ImportSeams {
    std::atomic<bool> stallNextClock{false};
    Event clockStalling;
    Event clockResume;
    std::clock_t(__cdecl* clock)() = nullptr;

    std::atomic<bool> failPosts{false};
    decltype(&PostMessageW) postMessage = nullptr;

    std::atomic<bool> takeNextLate{false};
    // The message of the call that timed out, as the GUI thread takes it.
    HWND lateWindow = nullptr;
    UINT lateMessage = 0;
    LPARAM lateCall = 0;
    Event lateTakeAllowed;
    Event lateTaken;
    decltype(&SendMessageTimeoutW) sendMessageTimeout = nullptr;
};
ImportSeams seams;

std::clock_t __cdecl stallingClock()
{
    if (seams.stallNextClock.exchange(false)) {
        seams.clockStalling.set();
        seams.clockResume.wait();
    }
    return seams.clock();
}

BOOL WINAPI failingPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (seams.failPosts) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA); // the queue is full
        return FALSE;
    }
    return seams.postMessage(window, message, wParam, lParam);
}

// A call that timed out is taken by the GUI thread before the closing thread
// looks whether it was.
LRESULT WINAPI lateTakingSendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                            UINT timeout, PDWORD_PTR result)
{
    const LRESULT answered = seams.sendMessageTimeout(window, message, wParam, lParam, flags, timeout, result);
    if (!answered && seams.takeNextLate.exchange(false)) {
        seams.lateWindow = window;
        seams.lateMessage = message;
        seams.lateCall = lParam;
        seams.lateTakeAllowed.set();
        seams.lateTaken.wait();
    }
    return answered;
}

// WM_DESTROY messages that reach one window of this thread.
std::atomic<HWND> destroyWatched{nullptr};
std::atomic<int> destroysSeen{0};

LRESULT CALLBACK countDestroys(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_DESTROY && sent->hwnd == destroyWatched)
        ++destroysSeen;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void pumpFor(EditorWindow& window, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        window.pump();
        Sleep(5);
    }
}

// What the GUI thread knew of the editor before the close, and found after.
struct GuiThread {
    std::string problem;
    DWORD id = 0;
    HWND topLevel = nullptr;
    HWND pluginWindow = nullptr;
    std::wstring windowClass;
    HINSTANCE module = nullptr;
    const void* frame = nullptr;
    bool pluginWindowLeft = true;
    bool classLeft = true;

    // Opens the editor, lets it paint and notes its window and frame.
    bool open(EditorWindow& window)
    {
        id = GetCurrentThreadId();
        if (!window.open() || !window.idleUntilPainted()) {
            problem = "the editor did not open and paint: " + window.problem();
            return false;
        }
        topLevel = window.topLevel();
        pluginWindow = window.pluginWindow();
        windowClass = classNameOf(pluginWindow);
        module = reinterpret_cast<HINSTANCE>(GetClassLongPtrW(pluginWindow, GCLP_HMODULE));
        frame = reinterpret_cast<const void*>(GetWindowLongPtrW(pluginWindow, GWLP_USERDATA));
        return true;
    }

    // Lets whatever the close left come due, then looks at what is left.
    void settle(EditorWindow& window)
    {
        RedrawWindow(topLevel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        pumpFor(window, kSettleMs);
        pluginWindowLeft = IsWindow(pluginWindow) != 0;
        classLeft = classIsRegistered(module, windowClass);
        // A window that a failing close left behind goes now, so that the run
        // still comes to its end.
        if (pluginWindowLeft)
            DestroyWindow(pluginWindow);
    }
};

// Run only through exitCodeOfTestInItsOwnProcess.
class CloseInItsOwnProcess : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        library = GetModuleHandleW(L"output.dll");
        ASSERT_NE(library, nullptr);
        ASSERT_TRUE(FreeWatch::install(library));
        start();
        plugin = host.effect()->object;
    }

    // The host's close of editor and plug-in, then the unload: the library
    // must stay, for the GUI thread is not done with it.
    void closeAndUnload(bool closeEditorFirst = true)
    {
        if (closeEditorFirst)
            host.dispatch(effEditClose);
        EXPECT_EQ(host.close(), 1);
        host.unload();
        EXPECT_NE(GetModuleHandleW(L"output.dll"), nullptr) << "the library stays while its GUI thread needs it";
    }

    // Opens the editor on a GUI thread of its own and runs guiWork(window,
    // closed) there, while this thread watches the frame and the plug-in
    // object and runs closeWork; closed is set once closeWork is done. Then
    // the GUI thread ends, and everything must have gone there without a
    // fault.
    template <class GuiWork, class CloseWork>
    void closeWhileTheGuiThread(GuiWork guiWork, CloseWork closeWork)
    {
        Event opened;
        Event closed;
        std::thread thread([&] {
            EditorWindow window(host);
            const bool open = gui.open(window);
            opened.set();
            if (open)
                guiWork(window, closed);
        });
        const bool open = opened.wait() && gui.problem.empty();
        if (open) {
            FreeWatch::watch(plugin, gui.frame);
            closeWork();
        }
        closed.set();
        thread.join();
        ASSERT_TRUE(open) << gui.problem;
        EXPECT_EQ(faults.count(), 0);
        EXPECT_EQ(FreeWatch::freedOn(gui.frame), gui.id) << "the frame is released on its window's thread";
        EXPECT_NE(FreeWatch::freedOn(plugin), 0u) << "the plug-in object is deleted";
        EXPECT_FALSE(gui.pluginWindowLeft);
        EXPECT_FALSE(gui.classLeft);
    }

    const AccessViolationCount faults;
    HMODULE library = nullptr;
    const void* plugin = nullptr;
    GuiThread gui;
};

TEST_F(CloseInItsOwnProcess, DISABLED_HostWindowDestroyedBeforeThePendingReleaseIsPumped)
{
    closeWhileTheGuiThread(
        [&](EditorWindow& window, Event& closed) {
            // Blocked through the close, which then leaves its release to
            // this thread; the host destroys its window before pumping again.
            closed.wait();
            destroyWatched = gui.pluginWindow;
            HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, countDestroys, nullptr, GetCurrentThreadId());
            DestroyWindow(gui.topLevel);
            UnhookWindowsHookEx(hook);
            gui.settle(window);
        },
        [&] {
            closeAndUnload();
            EXPECT_EQ(FreeWatch::freedOn(gui.frame), 0u) << "the frame waits for its window's thread";
        });
    EXPECT_EQ(destroysSeen, 1) << "the window is destroyed once";
}

TEST_F(CloseInItsOwnProcess, DISABLED_IdleRunningWhileAnotherThreadClosesAfterTheHostWindowWent)
{
    seams.clock = reinterpret_cast<decltype(seams.clock)>(
        replaceImport(library, "clock", reinterpret_cast<void*>(stallingClock)));
    ASSERT_NE(seams.clock, nullptr);
    AEffect* effect = host.effect();
    closeWhileTheGuiThread(
        [&](EditorWindow& window, Event& closed) {
            // The host's window goes first: the frame is left without one,
            // and the close finds no window to wait for.
            DestroyWindow(gui.topLevel);
            window.pump();
            // The effect's idle asks the clock first; it stalls there while
            // the close runs on the other thread.
            seams.stallNextClock = true;
            effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
            closed.wait();
            gui.settle(window);
        },
        [&] {
            if (seams.clockStalling.wait()) {
                closeAndUnload();
                EXPECT_EQ(FreeWatch::freedOn(gui.frame), 0u) << "the frame stays while the idle holds it";
                EXPECT_EQ(FreeWatch::freedOn(plugin), 0u) << "the plug-in stays while its frame does";
            } else {
                ADD_FAILURE() << "the idle did not reach the effect";
            }
            seams.clockResume.set();
        });
}

TEST_F(CloseInItsOwnProcess, DISABLED_AReleaseThatCannotBePostedIsLeftToTheWindowsThread)
{
    seams.postMessage = reinterpret_cast<decltype(seams.postMessage)>(
        replaceImport(library, "PostMessageW", reinterpret_cast<void*>(failingPostMessage)));
    ASSERT_NE(seams.postMessage, nullptr);
    closeWhileTheGuiThread(
        [&](EditorWindow& window, Event& closed) {
            closed.wait();
            // The window's next message carries out the release.
            gui.settle(window);
        },
        [&] {
            seams.failPosts = true;
            host.dispatch(effEditClose);
            seams.failPosts = false;
            EXPECT_EQ(FreeWatch::freedOn(gui.frame), 0u) << "a frame whose window lives is not freed here";
            closeAndUnload(false);
        });
}

TEST_F(CloseInItsOwnProcess, DISABLED_ACallTakenJustAfterTheTimeoutKeepsTheLibrary)
{
    seams.sendMessageTimeout = reinterpret_cast<decltype(seams.sendMessageTimeout)>(
        replaceImport(library, "SendMessageTimeoutW", reinterpret_cast<void*>(lateTakingSendMessageTimeout)));
    ASSERT_NE(seams.sendMessageTimeout, nullptr);
    closeWhileTheGuiThread(
        [&](EditorWindow& window, Event& closed) {
            // Busy until the closing thread stopped waiting, then it takes
            // the call that is still on its way, delivered here by hand: Wine
            // no longer delivers a sent message once its sender gave up.
            if (seams.lateTakeAllowed.wait())
                SendMessageW(seams.lateWindow, seams.lateMessage, 0, seams.lateCall);
            seams.lateTaken.set();
            closed.wait();
            gui.settle(window);
        },
        [&] {
            seams.takeNextLate = true;
            host.dispatch(effEditClose);
            EXPECT_EQ(FreeWatch::freedOn(gui.frame), gui.id) << "the late call released the frame there";
            closeAndUnload(false);
        });
}

class CloseCase : public ::testing::TestWithParam<const char*> {};

TEST_P(CloseCase, RunsInItsOwnProcessAndPasses)
{
    EXPECT_EQ(exitCodeOfTestInItsOwnProcess(std::string("CloseInItsOwnProcess.DISABLED_") + GetParam()), 0u);
}

INSTANTIATE_TEST_SUITE_P(CloseThreads, CloseCase,
                         ::testing::Values("HostWindowDestroyedBeforeThePendingReleaseIsPumped",
                                           "IdleRunningWhileAnotherThreadClosesAfterTheHostWindowWent",
                                           "AReleaseThatCannotBePostedIsLeftToTheWindowsThread",
                                           "ACallTakenJustAfterTheTimeoutKeepsTheLibrary"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST(CloseThreads, ATestInItsOwnProcessThatMatchesNoTestFails)
{
    EXPECT_NE(exitCodeOfTestInItsOwnProcess("CloseInItsOwnProcess.DISABLED_NoSuchTest"), 0u);
}

} // namespace
