// A frame whose window lives on one thread, released from another or while
// its own thread still runs the frame's code.
#include "gui/frame.h"

#include "gui/drop_target.h"
#include "gui/editor_interface.h"
#include "gui/gdiplus_globals.h"

#include "frame_test_support.h"
#include "module_handle.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <atomic>
#include <thread>

namespace VSTGUI {
namespace test {
namespace {

constexpr CColor kGreen{0, 255, 0, 255};

// A hidden top-level window for frames of a thread of the test's own; a
// hidden one goes at once under Wine.
HWND makeHiddenHost()
{
    return CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A thread answers S_OK to a multithreaded start only while no start of
// OLE (a single-threaded apartment) is left on it.
bool threadIsFreeOfOle()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result))
        CoUninitialize();
    return result == S_OK;
}

class FrameThreadsTest : public testing::Test {
protected:
    FrameThreadsTest() { hInstance = GetModuleHandleW(nullptr); }
    ~FrameThreadsTest() override
    {
        pumpMessages();
        EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
        EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets);
        EXPECT_FALSE(isWindowClassRegistered(expectedWindowClassName()));
    }

    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
    const int32_t liveDropTargets = CDropTarget::getLiveCount();
};

TEST_F(FrameThreadsTest, AFrameWhoseWindowsThreadEndedGoesWithTheClassAndTheDropTarget)
{
    CFrame* frame = nullptr;
    bool viewGone = false;
    std::thread windowThread([&] {
        HWND host = makeHiddenHost();
        frame = new CFrame(CRect(0, 0, 100, 100), host, nullptr);
        auto* view = new RecordingView(CRect(0, 0, 50, 50), kGreen);
        view->destroyed = &viewGone;
        frame->addView(view);
        pumpMessages();
        // The thread ends with its windows: the system destroys them.
    });
    windowThread.join();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(isWindowClassRegistered(expectedWindowClassName()));
    frame->forgetOnWindowThread();
    EXPECT_TRUE(viewGone);
    // The fixture's end checks the class and the drop target.
}

// An editor whose idle work waits, delivering the messages sent to its
// thread, until another thread's release of the frame has returned.
class ReleasingEditor : public VSTGUIEditorInterface {
public:
    void doIdleStuff() override
    {
        if (!releaser.joinable())
            releaser = std::thread([this] {
                frame->forgetOnWindowThread();
                released = true;
            });
        const DWORD start = GetTickCount();
        while (!released && GetTickCount() - start < 5000) {
            MSG message;
            PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE);
            Sleep(1);
        }
        viewGoneDuringTheIdleWork = *watchedViewGone;
    }

    std::thread releaser;
    std::atomic<bool> released{false};
    bool* watchedViewGone = nullptr;
    bool viewGoneDuringTheIdleWork = false;
};

TEST_F(FrameThreadsTest, AReleaseThatArrivesDuringTheIdlePeekWaitsForTheMouseLoopToEnd)
{
    HostWindow host(300, 200);
    ReleasingEditor editor;
    editor.frame = new CFrame(CRect(0, 0, 300, 200), host.handle(), &editor);
    bool viewGone = false;
    editor.watchedViewGone = &viewGone;
    auto* view = new RecordingView(CRect(0, 0, 300, 200), kGreen);
    view->destroyed = &viewGone;
    editor.frame->addView(view);
    pumpMessages();
    CPoint where(10, 10);
    // The press is over before the first poll: one idle turn, then the end.
    editor.frame->mouse(nullptr, where, kLButton);
    ASSERT_TRUE(editor.releaser.joinable());
    editor.releaser.join();
    EXPECT_TRUE(editor.released);
    EXPECT_FALSE(editor.viewGoneDuringTheIdleWork) << "the frame went under its own loop";
    EXPECT_TRUE(viewGone);
    EXPECT_EQ(countDescendantWindows(host.handle()), 0);
}

TEST_F(FrameThreadsTest, AFrameWhoseWindowTheHostDestroyedIsReleasedOnAnotherThreadWhileAnotherFrameLives)
{
    bool firstViewGone = false;
    bool classStayedForTheSecond = false;
    bool gdiplusStayedForTheSecond = false;
    bool oleLeftBalanced = false;
    std::thread guiThread([&] {
        HWND host = makeHiddenHost();
        auto* first = new CFrame(CRect(0, 0, 100, 100), host, nullptr);
        auto* view = new RecordingView(CRect(0, 0, 50, 50), kGreen);
        view->destroyed = &firstViewGone;
        first->addView(view);
        auto* second = new CFrame(CRect(0, 0, 100, 100), host, nullptr);
        second->addView(new RecordingView(CRect(0, 0, 50, 50), kGreen));
        pumpMessages();
        // The host destroys the first editor's window on its own thread,
        // then closes that editor from a worker.
        DestroyWindow(static_cast<HWND>(first->getSystemWindow()));
        std::thread worker([first] { first->forgetOnWindowThread(); });
        worker.join();
        classStayedForTheSecond = isWindowClassRegistered(expectedWindowClassName());
        gdiplusStayedForTheSecond = GDIPlusGlobals::getInstance() != nullptr;
        RedrawWindow(static_cast<HWND>(second->getSystemWindow()), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        second->forget();
        DestroyWindow(host);
        pumpMessages();
        oleLeftBalanced = threadIsFreeOfOle();
    });
    guiThread.join();
    EXPECT_TRUE(firstViewGone);
    EXPECT_TRUE(classStayedForTheSecond);
    EXPECT_TRUE(gdiplusStayedForTheSecond);
    // The frame's start of OLE on the window's thread was left there.
    EXPECT_TRUE(oleLeftBalanced);
}

} // namespace
} // namespace test
} // namespace VSTGUI
