// output.dll's editor as a host shows it: opened in a top-level window of the
// test host's own on the shared screen, driven by idle turns and mouse
// messages, its pixels read back from the screen.
#include <windows.h>

#include <psapi.h>

#include <memory>
#include <string>

#include "editor_window.h"
#include "plugin_fixture.h"

namespace {

constexpr int kCycles = 100;
// What 100 cycles may add to the process's private memory: far less than
// one leaked frame, window and drawing surface per cycle would.
constexpr SIZE_T kCycleGrowthBound = 1u << 20;

// The process's committed private memory (Wine leaves PrivateUsage at 0).
SIZE_T committedBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

std::wstring classNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool classIsRegistered(const std::wstring& name)
{
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    return GetClassInfoExW(GetModuleHandleW(L"output.dll"), name.c_str(), &info) != 0;
}

class EditorHostTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        start();
        window = std::make_unique<EditorWindow>(host);
    }
    void TearDown() override { window.reset(); }

    // Opens the editor and lets it paint its first frame.
    void openAndPaint()
    {
        ASSERT_TRUE(window->open()) << window->problem();
        ASSERT_TRUE(window->idleUntilPainted());
    }

    std::unique_ptr<EditorWindow> window;
};

TEST_F(EditorHostTest, OpensIdlesPaintsAndClosesLeavingNoWindow)
{
    openAndPaint();
    const ERect& rect = window->editorRect();
    EXPECT_EQ(rect.right - rect.left, 700);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    HWND pluginWindow = window->pluginWindow();
    RECT client{};
    GetClientRect(pluginWindow, &client);
    EXPECT_EQ(client.right, 700);
    EXPECT_EQ(client.bottom, 300);
    const WindowPixels pixels = window->capture();
    ASSERT_EQ(pixels.width, 700);
    ASSERT_EQ(pixels.height, 300);
    window->close();
    EXPECT_FALSE(IsWindow(pluginWindow));
    EXPECT_EQ(window->pluginWindow(), nullptr);
}

TEST_F(EditorHostTest, ReopeningMakesANewWindowThatPaintsAgain)
{
    openAndPaint();
    HWND first = window->pluginWindow();
    window->close();
    EXPECT_FALSE(IsWindow(first));
    openAndPaint();
    EXPECT_NE(window->pluginWindow(), nullptr);
    ERect* rect = nullptr;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 700);
    EXPECT_EQ(rect->bottom, 300);
}

TEST_F(EditorHostTest, AHundredOpenAndCloseCyclesLeaveNoWindowClassAndNoGrowth)
{
    // The first cycle loads what stays for the plug-in's life (images, GDI+).
    openAndPaint();
    const std::wstring windowClass = classNameOf(window->pluginWindow());
    ASSERT_EQ(windowClass.rfind(L"Plugin", 0), 0u);
    window->close();
    const SIZE_T before = committedBytes();
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        ASSERT_TRUE(window->open()) << cycle;
        window->repaintNow();
        window->idle();
        window->close();
    }
    const SIZE_T after = committedBytes();
    EXPECT_EQ(GetWindow(window->topLevel(), GW_CHILD), nullptr);
    // The last frame unregistered the window class.
    EXPECT_FALSE(classIsRegistered(windowClass));
    EXPECT_LT(after > before ? after - before : 0, kCycleGrowthBound)
        << "committed bytes " << before << " -> " << after;
}

TEST_F(EditorHostTest, ClosingThePluginWithItsEditorOpenTakesTheWindowAlong)
{
    openAndPaint();
    HWND pluginWindow = window->pluginWindow();
    EXPECT_EQ(host.close(), 1);
    window->pump();
    EXPECT_FALSE(IsWindow(pluginWindow));
}

TEST_F(EditorHostTest, IdleRedrawsAtMostAtTheEffectsFrameRate)
{
    openAndPaint();
    // Idle turns far more often than the effect's 30 frames per second.
    const uint64_t paintsBefore = window->paintCount();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1000) {
        window->idle();
        Sleep(2);
    }
    const double seconds = (GetTickCount() - start) / 1000.0;
    const double perSecond = static_cast<double>(window->paintCount() - paintsBefore) / seconds;
    RecordProperty("frames_per_second", std::to_string(perSecond));
    EXPECT_GT(perSecond, 0.0);
    // A redraw needs more than 1000 / 30 ms since the one before.
    EXPECT_LE(perSecond, 31.0);
}

} // namespace
