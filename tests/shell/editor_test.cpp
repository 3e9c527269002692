// The plug-in's editor in a window of the test's own: what the host sees
// through the editor opcodes, the frame and view it builds and releases, the
// view's hand-over of drawing, mouse and keys to the callback table, the
// idle pacing and the editor's OLE balance.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <tuple>
#include <vector>

#include "gui/draw_context.h"
#include "gui/frame.h"
#include "probe_plugin.h"
#include "process_memory.h"
#include "vest_editor.h"
#include "vest_view.h"

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 300;
constexpr int kCycles = 100;
// What the cycles may add to the committed memory: far less than one leaked
// frame with its window and drawing surface per cycle would.
constexpr int64_t kCycleGrowthBound = 1u << 20;

// What the replaced table entries received.
struct TableCalls {
    int idles = 0;
    int draws = 0;
    double drawWidth = 0.0, drawHeight = 0.0;
    bool contextLent = false;
    VSTGUI::CRect drawClip;
    std::vector<std::tuple<int32_t, uint8_t, uint8_t>> keys;
    // The editor's window, and whether it still stood when the effect went.
    HWND watchedWindow = nullptr;
    bool windowStoodWhenTheEffectWent = false;
};
TableCalls calls;

void recordIdle(CVeST*)
{
    ++calls.idles;
}

void recordDraw(CVeST* vest, double width, double height)
{
    ++calls.draws;
    calls.drawWidth = width;
    calls.drawHeight = height;
    calls.contextLent = vest->drawContext != nullptr;
    if (vest->drawContext)
        vest->drawContext->getClipRect(calls.drawClip);
}

void recordKey(CVeST*, int32_t character, uint8_t modifier, uint8_t virt)
{
    calls.keys.emplace_back(character, modifier, virt);
}

void destroyWatchingTheWindow(CVeST* vest)
{
    calls.windowStoodWhenTheEffectWent = IsWindow(calls.watchedWindow) != 0;
    callbackDestroy(vest);
}

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// A top-level window for the editor, as a host gives one. One serves every
// test of the process: under Wine on a screen without a window manager,
// destroying a visible top-level window takes seconds.
HWND hostWindow()
{
    static HWND window = [] {
        HWND made = CreateWindowExW(0, L"STATIC", L"editor test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 760, 360,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        pump();
        return made;
    }();
    return window;
}

std::vector<HWND> childrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// An editor whose due time a test can set.
class PacedEditor : public CVeSTEditor {
public:
    using CVeSTEditor::CVeSTEditor;
    using CVeSTEditor::lLastTicks;
};

class EditorTest : public ProbePlugin {
protected:
    EditorTest() : parent(hostWindow()) { calls = TableCalls{}; }
    // The plug-in goes first, and its editor with it.
    ~EditorTest() override
    {
        if (vest)
            vest->release();
        vest = nullptr;
        for (HWND child : childrenOf(parent))
            DestroyWindow(child);
        pump();
    }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return vest->dispatcher(opcode, index, value, ptr, opt);
    }
    bool openEditor()
    {
        const bool opened = dispatch(effEditOpen, 0, 0, parent) == 1;
        pump();
        return opened;
    }
    CVeSTEditor* editor() { return static_cast<CVeSTEditor*>(vest->getEditor()); }
    // Puts a paced editor in the place of the plug-in's own.
    PacedEditor* usePacedEditor()
    {
        AEffEditor* made = vest->getEditor();
        vest->setEditor(nullptr);
        delete made;
        return new PacedEditor(vest, kWidth, kHeight);
    }
    HWND editorWindow() { return GetWindow(parent, GW_CHILD); }

    HWND parent;
};

TEST_F(EditorTest, ReportsItsRectangleBeforeAndAfterOpening)
{
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(vest->getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
    for (int round = 0; round < 2; ++round) {
        ERect* rect = nullptr;
        ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1) << round;
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->top, 0);
        EXPECT_EQ(rect->left, 0);
        EXPECT_EQ(rect->bottom, kHeight);
        EXPECT_EQ(rect->right, kWidth);
        if (round == 0) {
            EXPECT_TRUE(openEditor());
        }
    }
    // The host's window is not kept: the editor does not count as open.
    EXPECT_FALSE(editor()->isOpen());
    int32_t width = 0, height = 0;
    EXPECT_EQ(vestGetEditorSize(vest, &width, &height), 1);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
}

TEST_F(EditorTest, OpenMakesOneChildWindowOfTheEditorsSizeAndCloseRemovesIt)
{
    ASSERT_TRUE(openEditor());
    const std::vector<HWND> children = childrenOf(parent);
    ASSERT_EQ(children.size(), 1u);
    wchar_t className[64] = {};
    GetClassNameW(children[0], className, 64);
    EXPECT_EQ(std::wstring(className).rfind(L"Plugin", 0), 0u);
    RECT client{};
    GetClientRect(children[0], &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    EXPECT_NE(editor()->frame, nullptr);
    EXPECT_NE(editor()->view.load(), nullptr);

    dispatch(effEditClose);
    pump();
    EXPECT_TRUE(childrenOf(parent).empty());
    EXPECT_FALSE(IsWindow(children[0]));
    EXPECT_EQ(editor()->frame, nullptr);
    EXPECT_EQ(editor()->view.load(), nullptr);
}

TEST_F(EditorTest, ReopeningBuildsANewFrameAndView)
{
    ASSERT_TRUE(openEditor());
    // Kept alive so that the new view cannot take its address.
    CVeSTView* firstView = editor()->view.load();
    firstView->remember();
    dispatch(effEditClose);
    ASSERT_TRUE(openEditor());
    EXPECT_NE(editor()->view.load(), nullptr);
    EXPECT_NE(editor()->view.load(), firstView);
    EXPECT_NE(editor()->frame, nullptr);
    EXPECT_EQ(childrenOf(parent).size(), 1u);
    firstView->forget();
}

TEST_F(EditorTest, ASecondOpenWithoutCloseReleasesTheFirstFrameAndWindow)
{
    ASSERT_TRUE(openEditor());
    HWND first = editorWindow();
    const int32_t objectsWhileOpen = VSTGUI::CBaseObject::getLiveObjectCount();
    ASSERT_TRUE(openEditor());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(VSTGUI::CBaseObject::getLiveObjectCount(), objectsWhileOpen);
    EXPECT_EQ(childrenOf(parent).size(), 1u);
    EXPECT_NE(editorWindow(), nullptr);
}

TEST_F(EditorTest, AHundredOpenAndCloseCyclesLeaveNoToolkitObjectAndNoGrowth)
{
    // The first cycle makes what stays: GDI+ and the effect's images.
    ASSERT_TRUE(openEditor());
    RedrawWindow(editorWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    dispatch(effEditClose);
    pump();
    const int32_t objectsBefore = VSTGUI::CBaseObject::getLiveObjectCount();
    const int64_t bytesBefore = processMemory().privateBytes;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        ASSERT_TRUE(openEditor()) << cycle;
        // Frame and view.
        EXPECT_GE(VSTGUI::CBaseObject::getLiveObjectCount(), objectsBefore + 2);
        RedrawWindow(editorWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        dispatch(effEditIdle);
        dispatch(effEditClose);
        pump();
    }
    const int64_t bytesAfter = processMemory().privateBytes;
    EXPECT_EQ(VSTGUI::CBaseObject::getLiveObjectCount(), objectsBefore);
    EXPECT_TRUE(childrenOf(parent).empty());
    EXPECT_LT(bytesAfter - bytesBefore, kCycleGrowthBound) << bytesBefore << " -> " << bytesAfter;
}

TEST_F(EditorTest, DeletingThePluginWithItsEditorOpenReleasesFrameAndWindowBeforeTheEffect)
{
    const int32_t objectsBefore = VSTGUI::CBaseObject::getLiveObjectCount();
    ASSERT_TRUE(openEditor());
    HWND window = editorWindow();
    ASSERT_NE(window, nullptr);
    // The window may paint until it is gone, and painting reaches the effect.
    calls.watchedWindow = window;
    vest->callbacks.destroy = destroyWatchingTheWindow;
    vest->release();
    vest = nullptr;
    EXPECT_FALSE(calls.windowStoodWhenTheEffectWent);
    pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(childrenOf(parent).empty());
    EXPECT_EQ(VSTGUI::CBaseObject::getLiveObjectCount(), objectsBefore);
}

TEST_F(EditorTest, IdleReachesTheEffectOnlyWhileOpen)
{
    vest->callbacks.idle = recordIdle;
    dispatch(effEditIdle);
    EXPECT_EQ(calls.idles, 0);
    ASSERT_TRUE(openEditor());
    dispatch(effEditIdle);
    dispatch(effEditIdle);
    EXPECT_EQ(calls.idles, 2);
    dispatch(effEditClose);
    dispatch(effEditIdle);
    EXPECT_EQ(calls.idles, 2);
}

TEST_F(EditorTest, RedrawInvalidatesTheWholeOpenViewOnly)
{
    EXPECT_EQ(vestRedraw(vest), 0);
    ASSERT_TRUE(openEditor());
    HWND window = editorWindow();
    ValidateRect(window, nullptr);
    EXPECT_EQ(vestRedraw(vest), 1);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, kWidth);
    EXPECT_EQ(update.bottom, kHeight);
    dispatch(effEditClose);
    EXPECT_EQ(vestRedraw(vest), 0);
}

TEST_F(EditorTest, PaintingLendsTheDrawContextToTheDrawEntryWithTheViewsSize)
{
    vest->callbacks.draw = recordDraw;
    ASSERT_TRUE(openEditor());
    RedrawWindow(editorWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GE(calls.draws, 1);
    EXPECT_EQ(calls.drawWidth, 700.0);
    EXPECT_EQ(calls.drawHeight, 300.0);
    EXPECT_TRUE(calls.contextLent);
    EXPECT_EQ(vest->drawContext, nullptr);
}

TEST_F(EditorTest, WithoutADrawEntryTheViewLeavesTheDrawContextAlone)
{
    vest->callbacks.draw = nullptr;
    ASSERT_TRUE(openEditor());
    // Any pointer will do: the view must neither use nor replace it.
    auto* marker = reinterpret_cast<VSTGUI::CDrawContext*>(&calls);
    vest->drawContext = marker;
    editor()->view.load()->draw(nullptr);
    EXPECT_EQ(vest->drawContext, marker);
    vest->drawContext = nullptr;
}

TEST_F(EditorTest, DrawingAnAreaWithSwappedCornersDrawsTheSameArea)
{
    vest->callbacks.draw = recordDraw;
    ASSERT_TRUE(openEditor());
    ERect ordered{10, 30, 20, 50}; // top, left, bottom, right
    ERect swapped{20, 50, 10, 30};
    editor()->draw(&ordered);
    const VSTGUI::CRect clipOrdered = calls.drawClip;
    calls.drawClip = VSTGUI::CRect();
    editor()->draw(&swapped);
    EXPECT_EQ(calls.drawClip.left, 30.0);
    EXPECT_EQ(calls.drawClip.top, 10.0);
    EXPECT_EQ(calls.drawClip.right, 50.0);
    EXPECT_EQ(calls.drawClip.bottom, 20.0);
    EXPECT_EQ(clipOrdered.left, calls.drawClip.left);
    EXPECT_EQ(clipOrdered.bottom, calls.drawClip.bottom);
}

TEST_F(EditorTest, MouseMessagesReachTheEffectsMouseState)
{
    ASSERT_TRUE(openEditor());
    HWND window = editorWindow();
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(123, 45));
    pump();
    EXPECT_EQ(effect->mouseCap, kMouseCapLeft | kMouseCapShift);
    EXPECT_EQ(effect->mouseX, 123.0);
    EXPECT_EQ(effect->mouseY, 45.0);
    EXPECT_GE(effect->frameRate, 30.0);
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 47));
    pump();
    EXPECT_EQ(effect->mouseX, 130.0);
    EXPECT_EQ(effect->mouseCap, kMouseCapLeft | kMouseCapShift);
    // A release waits until a paint has drawn the press.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(131, 48));
    pump();
    EXPECT_EQ(effect->mouseCap, 0.0);
    EXPECT_EQ(effect->mouseY, 48.0);
}

TEST_F(EditorTest, KeysReachTheTableModifierBeforeVirtualKeyAndCountAsTaken)
{
    ASSERT_TRUE(openEditor());
    VstKeyCode key{65, 13, 2}; // character, virt, modifier
    // This plug-in has no key entries; the view takes the key anyway.
    EXPECT_EQ(editor()->view.load()->onKeyDown(key), 1);
    EXPECT_EQ(editor()->view.load()->onKeyUp(key), 1);
    vest->callbacks.onKeyDown = recordKey;
    vest->callbacks.onKeyUp = recordKey;
    EXPECT_EQ(editor()->view.load()->onKeyDown(key), 1);
    EXPECT_EQ(editor()->view.load()->onKeyUp(key), 1);
    using Key = std::tuple<int32_t, uint8_t, uint8_t>;
    EXPECT_EQ(calls.keys, (std::vector<Key>{Key{65, 2, 13}, Key{65, 2, 13}}));
}

TEST_F(EditorTest, KnobModeIsSharedByEveryEditorInTheProcess)
{
    CVeSTCallbacks table;
    initCallbacks(&table);
    auto* otherEffect = new ProbeEffect();
    CVeST* other = vestCreate(otherEffect, table, RecordingHost::callback, 1, ProbeEffect::kParameterCount);
    otherEffect->vest = other;
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(static_cast<AEffGUIEditor*>(other->getEditor())->getKnobMode(), 2);
    other->dispatcher(effSetEditKnobMode, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(editor()->getKnobMode(), 0);
    other->release();
}

TEST_F(EditorTest, IdleStuffRunsTheIdleWorkOnlyWhenItIsDue)
{
    PacedEditor* paced = usePacedEditor();
    vest->callbacks.idle = recordIdle;
    ASSERT_TRUE(openEditor());
    auto masterIdles = [this] {
        return std::count_if(host.requests.begin(), host.requests.end(),
                             [](const HostRequest& r) { return r.opcode == audioMasterIdle; });
    };

    paced->lLastTicks = GetTickCount() + 10000;
    paced->doIdleStuff();
    EXPECT_EQ(calls.idles, 0);
    EXPECT_EQ(masterIdles(), 0);

    const uint32_t before = GetTickCount();
    paced->lLastTicks = before;
    paced->doIdleStuff();
    const uint32_t after = GetTickCount();
    EXPECT_EQ(calls.idles, 1);
    EXPECT_EQ(masterIdles(), 1);
    EXPECT_GE(paced->lLastTicks, before + 100);
    EXPECT_LE(paced->lLastTicks, after + 100 + 4);
}

TEST_F(EditorTest, IdleStuffPaintsAPaintThatWaitsForTheFramesWindow)
{
    // While the toolkit holds the thread (following a pressed button, say),
    // nobody else takes the window's paints from the queue.
    PacedEditor* paced = usePacedEditor();
    vest->callbacks.draw = recordDraw;
    ASSERT_TRUE(openEditor());
    HWND window = editorWindow();
    ValidateRect(parent, nullptr);
    calls.draws = 0;
    InvalidateRect(window, nullptr, FALSE);
    paced->lLastTicks = GetTickCount();
    paced->doIdleStuff();
    EXPECT_EQ(calls.draws, 1);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

TEST_F(EditorTest, IdleCalledBackFromTheHostsIdleLeavesTheFrameAlone)
{
    ASSERT_TRUE(openEditor());
    HWND window = editorWindow();
    bool frameIdledInside = true;
    // The host calls the editor's idle from inside its own idle work.
    host.onRequest = [&](const HostRequest& request) {
        if (request.opcode != audioMasterIdle)
            return;
        editor()->view.load()->setDirty(true);
        ValidateRect(window, nullptr);
        dispatch(effEditIdle);
        RECT update{};
        frameIdledInside = GetUpdateRect(window, &update, FALSE) != 0;
    };
    editor()->doIdleStuff();
    host.onRequest = nullptr;
    EXPECT_FALSE(frameIdledInside);
    // Outside, the frame's idle sends the dirty view to the window.
    dispatch(effEditIdle);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
}

TEST_F(EditorTest, KeysAndWheelNeedAnOpenEditorAndAViewThatTakesThem)
{
    VstKeyCode key{65, 13, 0};
    EXPECT_EQ(dispatch(effEditKeyDown, 65, 13, nullptr, 0.0f), 0);
    EXPECT_FALSE(editor()->onKeyUp(key));
    EXPECT_FALSE(editor()->onWheel(1.0f));
    ASSERT_TRUE(openEditor());
    // The frame gives keys to its focus view only, and the display view
    // never takes the focus; its wheel handling is the toolkit's, which
    // declines.
    EXPECT_EQ(dispatch(effEditKeyDown, 65, 13, nullptr, 0.0f), 0);
    EXPECT_FALSE(editor()->onKeyUp(key));
    EXPECT_FALSE(editor()->onWheel(1.0f));
}

// The editor of a plug-in made and deleted on a thread of its own, which the
// host first put in the multithreaded apartment or left without COM. The
// answer is what a new start of COM finds afterwards: S_FALSE while the
// host's apartment still stands, S_OK on a thread without COM.
HRESULT comStateAfterAnEditorOnAThread(bool hostInMultithreadedApartment)
{
    HRESULT after = E_FAIL;
    std::thread thread([&] {
        if (hostInMultithreadedApartment) {
            EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        }
        {
            RecordingHost host;
            host.answers[audioMasterVersion] = 2400;
            CVeSTCallbacks table;
            initCallbacks(&table);
            auto* effect = new ProbeEffect();
            CVeST* vest = vestCreate(effect, table, RecordingHost::callback, 1, ProbeEffect::kParameterCount);
            effect->vest = vest;
            EXPECT_NE(vest->getEditor(), nullptr);
            vest->release();
        }
        after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(after))
            CoUninitialize();
        if (hostInMultithreadedApartment)
            CoUninitialize();
    });
    thread.join();
    return after;
}

TEST(EditorOleTest, AnEditorOnAMultithreadedHostThreadLeavesTheHostsComInPlace)
{
    // OLE cannot start in the multithreaded apartment: the editor holds no
    // start of its own and leaves the host's apartment standing.
    EXPECT_EQ(comStateAfterAnEditorOnAThread(true), S_FALSE);
}

TEST(EditorOleTest, AnEditorThatStartedOleLeavesItAgain)
{
    // An editor left in place would keep the thread single-threaded, and
    // the multithreaded start would fail with RPC_E_CHANGED_MODE.
    EXPECT_EQ(comStateAfterAnEditorOnAThread(false), S_OK);
}

} // namespace
