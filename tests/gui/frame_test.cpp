#include "gui/frame.h"

#include "gui/draw_context.h"
#include "gui/drop_target.h"
#include "gui/editor_interface.h"
#include "gui/mouse_input.h"

#include "apartment_probe.h"
#include "frame_test_support.h"
#include "module_handle.h"
#include "vst_records.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <array>
#include <functional>
#include <thread>

namespace VSTGUI {
namespace test {
namespace {

// The frame's roles, dispatch, cursor and OLE, mostly on frames without a
// window. Every test ends with the toolkit objects it began with.
class FrameTest : public testing::Test {
protected:
    FrameTest() { hInstance = GetModuleHandleW(nullptr); }
    ~FrameTest() override
    {
        pumpMessages();
        EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
    }

    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
};

TEST_F(FrameTest, DrawContextsOfAFrameAreClippedToItsSize)
{
    auto* frame = new CFrame(CRect(5, 7, 305, 207), nullptr, nullptr);
    CRect clip;
    {
        CDrawContext context(frame, nullptr, nullptr);
        EXPECT_EQ(context.getClipRect(clip), CRect(5, 7, 305, 207));
        context.setClipRect(CRect(0, 0, 10, 10));
        context.resetClipRect();
        EXPECT_EQ(context.getClipRect(clip), CRect(5, 7, 305, 207));
    }
    CDrawContext* made = frame->createDrawContext();
    EXPECT_EQ(made->getClipRect(clip), CRect(5, 7, 305, 207));
    EXPECT_EQ(made->getFrame(), frame);
    made->forget();
    frame->forget();
}

TEST_F(FrameTest, IsAFrameAContainerAndAView)
{
    auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_TRUE(frame->isTypeOf("CFrame"));
    EXPECT_TRUE(frame->isTypeOf("CViewContainer"));
    EXPECT_TRUE(frame->isTypeOf("CView"));
    EXPECT_FALSE(frame->isTypeOf("CFrames"));
    EXPECT_FALSE(frame->isTypeOf(nullptr)) << "no name is no type, as for views and containers";
    EXPECT_EQ(frame->notify(nullptr, kMsgCheckIfViewContainer), kMessageNotified);
    EXPECT_EQ(frame->getEditor(), nullptr);
    EXPECT_EQ(frame->getKnobMode(), 0);
    EXPECT_FALSE(frame->setPosition(1, 2));
    frame->forget();
}

TEST_F(FrameTest, WithoutWindowSetSizeChangesOnlyTheRectangle)
{
    auto* frame = new CFrame(CRect(10, 20, 110, 120), nullptr, nullptr);
    EXPECT_FALSE(frame->setSize(100, 100));
    EXPECT_TRUE(frame->setSize(50, 60));
    EXPECT_EQ(frame->getViewSize(), CRect(10, 20, 60, 80));
    frame->setOpenFlag(false);
    EXPECT_FALSE(frame->setSize(70, 70));
    EXPECT_EQ(frame->getViewSize(), CRect(10, 20, 60, 80));
    frame->forget();
}

TEST_F(FrameTest, WithoutWindowTheMouseIsOnTheScreen)
{
    auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    SetCursorPos(123, 45);
    CPoint where(-1, -1);
    EXPECT_TRUE(frame->getCurrentMouseLocation(where));
    EXPECT_EQ(where, CPoint(123, 45));
    CPoint same;
    EXPECT_TRUE(frame->getCurrentLocation(same));
    EXPECT_EQ(same, where);
    frame->forget();
}

// Three views of 100 × 100 side by side, added to the frame in order.
template <class View> std::array<View*, 3> addRowOfThree(CFrame* frame)
{
    std::array<View*, 3> views;
    for (int i = 0; i < 3; ++i) {
        views[i] = new View(CRect(i * 100, 0, i * 100 + 100, 100));
        frame->addView(views[i]);
    }
    return views;
}

TEST_F(FrameTest, InvalidateMarksTheChildrenThatMeetTheRectangle)
{
    auto* frame = new CFrame(CRect(0, 0, 300, 100), nullptr, nullptr);
    const auto views = addRowOfThree<RecordingView>(frame);
    for (RecordingView* view : views)
        view->setDirty(false);
    // Touching the first view's right edge counts as meeting it.
    frame->invalidate(CRect(100, 10, 150, 20));
    EXPECT_TRUE(views[0]->isDirty());
    EXPECT_TRUE(views[1]->isDirty());
    EXPECT_FALSE(views[2]->isDirty());
    frame->forget();
}

TEST_F(FrameTest, ACopyHasItsOwnChildrenAndNoWindow)
{
    HostWindow host(100, 100);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), host.handle(), nullptr);
    frame->addView(new RecordingView(CRect(0, 0, 50, 50)));
    auto* copy = static_cast<CFrame*>(frame->newCopy());
    EXPECT_TRUE(copy->isTypeOf("CFrame"));
    EXPECT_EQ(copy->getSystemWindow(), nullptr);
    EXPECT_FALSE(copy->isDropActive());
    ASSERT_EQ(copy->getNbViews(), 1);
    EXPECT_NE(copy->getView(0), frame->getView(0));
    EXPECT_EQ(copy->getView(0)->getFrame(), copy);
    copy->forget();
    // The first frame keeps its window and drop target.
    EXPECT_TRUE(IsWindow(static_cast<HWND>(frame->getSystemWindow())));
    EXPECT_TRUE(frame->isDropActive());
    frame->forget();
}

TEST_F(FrameTest, DrawingAViewDrawsThatChildOrElseTheWholeFrame)
{
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* child = new RecordingView(CRect(0, 0, 50, 50));
    frame->addView(child);
    frame->draw(child);
    EXPECT_EQ(child->draws, 1);
    auto* stranger = new RecordingView(CRect(0, 0, 50, 50));
    frame->draw(stranger);
    frame->draw(static_cast<CView*>(nullptr));
    EXPECT_EQ(stranger->draws, 0);
    EXPECT_EQ(child->draws, 3);
    stranger->forget();
    frame->forget();
}

// Counts what the frame asks of its editor.
class CountingEditor : public VSTGUIEditorInterface {
public:
    void doIdleStuff() override
    {
        ++idles;
        if (onIdle)
            onIdle(idles);
    }
    int32_t getKnobMode() override { return 2; }
    void beginEdit(int32_t index) override { begun.push_back(index); }
    void endEdit(int32_t index) override { ended.push_back(index); }

    int idles = 0;
    void (*onIdle)(int pass) = nullptr;
    std::vector<int32_t> begun;
    std::vector<int32_t> ended;
};

TEST_F(FrameTest, PassesEditorCallsOn)
{
    CountingEditor editor;
    auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr, &editor);
    frame->doIdleStuff();
    frame->beginEdit(3);
    frame->endEdit(4);
    EXPECT_EQ(editor.idles, 1);
    EXPECT_EQ(editor.begun, std::vector<int32_t>{3});
    EXPECT_EQ(editor.ended, std::vector<int32_t>{4});
    EXPECT_EQ(frame->getKnobMode(), 2);
    EXPECT_EQ(frame->getEditor(), &editor);
    frame->forget();
}

TEST_F(FrameTest, AModalViewTakesThePressesWhileItIsSet)
{
    auto* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, nullptr);
    auto* below = new RecordingView(CRect(0, 0, 200, 200));
    frame->addView(below);
    auto* modal = new RecordingView(CRect(50, 50, 100, 100));
    modal->remember(); // the test's own, beyond the frame's
    EXPECT_TRUE(frame->setModalView(nullptr));
    ASSERT_TRUE(frame->setModalView(modal));
    EXPECT_EQ(frame->getModalView(), modal);
    EXPECT_TRUE(modal->isAttached());
    // One modal view at a time, and never one already in a tree.
    auto* other = new RecordingView(CRect(0, 0, 10, 10));
    EXPECT_FALSE(frame->setModalView(other));
    other->forget();
    EXPECT_FALSE(frame->setModalView(below));

    CPoint inside(60, 60);
    EXPECT_EQ(frame->onMouseDown(inside, kLButton), kMouseEventHandled);
    CPoint outside(10, 10);
    EXPECT_EQ(frame->onMouseDown(outside, kLButton), kMouseEventNotHandled);
    EXPECT_EQ(modal->count("down"), 1);
    EXPECT_EQ(below->count("down"), 0);
    EXPECT_EQ(frame->getCurrentView(), modal);

    EXPECT_TRUE(frame->setModalView(nullptr));
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_FALSE(modal->isAttached());
    EXPECT_EQ(modal->getNbReference(), 2);
    EXPECT_EQ(frame->onMouseDown(outside, kLButton), kMouseEventHandled);
    EXPECT_EQ(below->count("down"), 1);
    frame->forget();
    modal->forget();
    modal->forget();
}

TEST_F(FrameTest, AModalViewWithoutPressHandlingIsPolledAndThePressIsHandled)
{
    auto* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, nullptr);
    auto* modal = new RecordingView(CRect(50, 50, 100, 100));
    modal->downAnswer = kMouseEventNotImplemented;
    ASSERT_TRUE(frame->setModalView(modal));
    const int32_t liveBefore = CBaseObject::getLiveObjectCount();
    CPoint where(60, 70);
    EXPECT_EQ(frame->onMouseDown(where, kRButton | kShift), kMouseEventHandled);
    EXPECT_EQ(modal->names(), (std::vector<std::string>{"down", "mouse"}));
    // The modal view polls with the frame's point and a context of its own
    // from the frame, which the frame releases again.
    EXPECT_EQ(modal->last("mouse").where, CPoint(60, 70));
    EXPECT_EQ(modal->last("mouse").buttons, kRButton | kShift);
    EXPECT_NE(modal->mouseContext, nullptr);
    EXPECT_EQ(modal->mouseContextFrame, frame);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveBefore) << "the context is released again";
    frame->forget();
    modal->forget(); // the frame leaves a modal view's first reference with its maker
}

TEST_F(FrameTest, TheWheelIsRefusedWhileAPressIsHeld)
{
    auto* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, nullptr);
    auto* view = new RecordingView(CRect(0, 0, 200, 200));
    frame->addView(view);
    CPoint where(20, 20);
    EXPECT_TRUE(frame->onWheel(where, 1.0f, 0));
    frame->onMouseDown(where, kLButton);
    EXPECT_FALSE(frame->onWheel(where, 1.0f, 0));
    frame->onMouseUp(where, 0);
    EXPECT_TRUE(frame->onWheel(where, kMouseWheelAxisX, 2.0f, kShift));
    EXPECT_EQ(view->last("wheel").distance, -2.0f);
    EXPECT_EQ(view->last("wheel").buttons, kShift);
    frame->forget();
}

// A view that takes the focus and the keys the test tells it to.
class FocusView : public RecordingView {
public:
    explicit FocusView(const CRect& size) : RecordingView(size) { setWantsFocus(true); }
    int32_t onKeyDown(VstKeyCode& key) override { return key.character == takenCharacter ? 0 : kKeyNotHandled; }
    void looseFocus() override
    {
        RecordingView::looseFocus();
        if (onLooseFocus)
            onLooseFocus();
    }

    int32_t takenCharacter = -1;
    std::function<void()> onLooseFocus;
};

// A container that records the focus notices that reach it.
class NoticeContainer : public CViewContainer {
public:
    using CViewContainer::CViewContainer;
    CMessageResult notify(CBaseObject* sender, const char* message) override
    {
        if (message == kMsgNewFocusView || message == kMsgOldFocusView)
            notices.push_back({sender, message});
        return CViewContainer::notify(sender, message);
    }
    std::vector<std::pair<CBaseObject*, const char*>> notices;
};

VstKeyCode keyOf(unsigned char virtualKey, unsigned char modifier = 0, int32_t character = 0)
{
    VstKeyCode key{};
    key.character = character;
    key.virt = virtualKey;
    key.modifier = modifier;
    return key;
}

constexpr unsigned char kTab = 2;
constexpr unsigned char kShiftModifier = 1;

TEST_F(FrameTest, TabMovesTheFocusForwardAndShiftTabBack)
{
    auto* frame = new CFrame(CRect(0, 0, 300, 100), nullptr, nullptr);
    const auto views = addRowOfThree<FocusView>(frame);
    VstKeyCode tab = keyOf(kTab);
    VstKeyCode shiftTab = keyOf(kTab, kShiftModifier);
    EXPECT_EQ(frame->onKeyDown(tab), 1);
    EXPECT_EQ(frame->getFocusView(), views[0]);
    EXPECT_EQ(frame->onKeyDown(tab), 1);
    EXPECT_EQ(frame->getFocusView(), views[1]);
    EXPECT_EQ(views[0]->count("looseFocus"), 1);
    EXPECT_EQ(frame->onKeyDown(shiftTab), 1);
    EXPECT_EQ(frame->getFocusView(), views[0]);

    // Past the last view the focus is given up.
    frame->setFocusView(views[2]);
    EXPECT_EQ(frame->onKeyDown(tab), kKeyNotHandled);
    EXPECT_EQ(frame->getFocusView(), nullptr);

    // A key the focus view takes ends there; other keys are not handled.
    frame->setFocusView(views[1]);
    views[1]->takenCharacter = 'a';
    VstKeyCode a = keyOf(0, 0, 'a');
    VstKeyCode b = keyOf(0, 0, 'b');
    EXPECT_EQ(frame->onKeyDown(a), 0);
    EXPECT_EQ(frame->onKeyDown(b), kKeyNotHandled);
    EXPECT_EQ(frame->onKeyUp(tab), kKeyNotHandled);
    EXPECT_EQ(frame->getFocusView(), views[1]);

    // A view leaving the tree leaves the focus too.
    frame->removeView(views[1]);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    frame->forget();
}

TEST_F(FrameTest, APressTakesTheFocusAway)
{
    auto* frame = new CFrame(CRect(0, 0, 300, 100), nullptr, nullptr);
    const auto views = addRowOfThree<FocusView>(frame);
    frame->setFocusView(views[1]);
    // Even a press on the focus view itself.
    CPoint where(150, 50);
    frame->onMouseDown(where, kLButton);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(views[1]->names(), (std::vector<std::string>{"looseFocus", "down"}));
    frame->forget();
}

TEST_F(FrameTest, TheOldFocusViewLosesTheFocusAlsoWhenItNeverWantedIt)
{
    auto* frame = new CFrame(CRect(0, 0, 300, 100), nullptr, nullptr);
    const auto views = addRowOfThree<RecordingView>(frame);
    frame->setFocusView(views[0]);
    views[0]->setDirty(false);
    frame->setFocusView(views[1]);
    EXPECT_EQ(views[0]->names(), std::vector<std::string>{"looseFocus"});
    EXPECT_FALSE(views[0]->isDirty()) << "only a view that wanted the focus is drawn again";
    frame->setFocusView(nullptr);
    EXPECT_EQ(views[1]->names(), std::vector<std::string>{"looseFocus"});
    frame->forget();
}

TEST_F(FrameTest, FocusNoticesGoToTheContainersBetweenTheViewAndTheFrame)
{
    auto* frame = new CFrame(CRect(0, 0, 300, 100), nullptr, nullptr);
    auto* outer = new NoticeContainer(CRect(0, 0, 300, 100), frame);
    auto* inner = new NoticeContainer(CRect(0, 0, 200, 100), frame);
    auto* first = new FocusView(CRect(0, 0, 50, 50));
    auto* second = new FocusView(CRect(50, 0, 100, 50));
    frame->addView(outer);
    outer->addView(inner);
    inner->addView(first);
    outer->addView(second);

    frame->setFocusView(first);
    using Notice = std::pair<CBaseObject*, const char*>;
    EXPECT_EQ(inner->notices, (std::vector<Notice>{{first, kMsgNewFocusView}}));
    EXPECT_EQ(outer->notices, (std::vector<Notice>{{first, kMsgNewFocusView}}));
    EXPECT_TRUE(first->isDirty());

    inner->notices.clear();
    outer->notices.clear();
    frame->setFocusView(second);
    EXPECT_EQ(inner->notices, (std::vector<Notice>{{first, kMsgOldFocusView}}));
    EXPECT_EQ(outer->notices, (std::vector<Notice>{{second, kMsgNewFocusView}, {first, kMsgOldFocusView}}));
    EXPECT_EQ(first->count("looseFocus"), 1);

    // A switch asked for from inside another switch is ignored.
    second->onLooseFocus = [&] { frame->setFocusView(second); };
    frame->setFocusView(first);
    EXPECT_EQ(frame->getFocusView(), first);
    frame->forget();
}

TEST_F(FrameTest, CursorsAreTheSystemsAndTheOthersShowTheFirstOne)
{
    // A new thread shows no cursor at all; start from a known one.
    SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
    const HCURSOR original = GetCursor();
    ASSERT_NE(original, nullptr);
    auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    const struct {
        CCursorType type;
        LPCWSTR system;
    } cases[] = {
        {kCursorWait, IDC_WAIT},
        {kCursorHSize, IDC_SIZEWE},
        {kCursorVSize, IDC_SIZENS},
        {kCursorSizeAll, IDC_SIZEALL},
        {kCursorNESWSize, IDC_SIZENESW},
        {kCursorNWSESize, IDC_SIZENWSE},
        {kCursorNotAllowed, IDC_NO},
        {kCursorHand, IDC_HAND},
        {kCursorCopy, nullptr},
        {kCursorDefault, nullptr},
        {static_cast<CCursorType>(42), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        frame->setCursor(c.type);
        EXPECT_EQ(GetCursor(), c.system ? LoadCursorW(nullptr, c.system) : original);
    }
    frame->setCursor(kCursorHand);
    frame->forget();
    EXPECT_EQ(GetCursor(), original);
}

// Polling follows a script: the left button is held for three passes of the
// tracking loop, and each pass puts the cursor somewhere.
int heldPasses = 0;
bool scriptedKeys(int virtualKey)
{
    return virtualKey == VK_LBUTTON && heldPasses > 0;
}

TEST_F(FrameTest, PollingTracksAPressUntilItsButtonIsReleased)
{
    // With the caller's context, and without one: the frame then reads the
    // mouse through a context of its own.
    for (const bool callerHasContext : {true, false}) {
        SCOPED_TRACE(callerHasContext);
        CountingEditor editor;
        auto* frame = new CFrame(CRect(0, 0, 2000, 2000), nullptr, &editor);
        auto* view = new RecordingView(CRect(0, 0, 2000, 2000));
        frame->addView(view);
        setKeyHeldReader(scriptedKeys);
        // Pass 1 stays at the press, pass 2 moves, pass 3 comes back, and the
        // button is up at pass 4.
        editor.onIdle = [](int pass) {
            static const POINT places[] = {{100, 100}, {110, 105}, {100, 100}, {120, 130}};
            SetCursorPos(places[pass - 1].x, places[pass - 1].y);
            heldPasses = 4 - pass;
        };
        heldPasses = 4;
        CDrawContext* context = callerHasContext ? frame->createDrawContext() : nullptr;
        CPoint where(100, 100);
        frame->mouse(context, where, kLButton);
        if (context)
            context->forget();
        setKeyHeldReader(nullptr);

        EXPECT_EQ(editor.idles, 4);
        EXPECT_EQ(view->names(), (std::vector<std::string>{"down", "moved", "up"}));
        EXPECT_EQ(view->last("moved").where, CPoint(110, 105));
        EXPECT_EQ(view->last("moved").buttons, kLButton);
        EXPECT_EQ(view->last("up").where, CPoint(120, 130));
        EXPECT_EQ(view->last("up").buttons, 0);
        frame->forget();
    }
}

TEST_F(FrameTest, PollingRunsNoLoopForAnUnhandledPressOrOneWithoutButton)
{
    CountingEditor editor;
    auto* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, &editor);
    auto* view = new RecordingView(CRect(0, 0, 200, 200));
    frame->addView(view);
    CPoint where(10, 10);
    view->downAnswer = kMouseEventNotHandled;
    frame->mouse(nullptr, where, kLButton);
    EXPECT_EQ(view->names(), std::vector<std::string>{"down"});

    // Nothing held that could be released: the press ends at once, and the
    // frame lends itself a context when the caller has none.
    view->downAnswer = kMouseEventHandled;
    frame->mouse(nullptr, where, kShift);
    EXPECT_EQ(view->names(), (std::vector<std::string>{"down", "down", "up"}));
    EXPECT_EQ(editor.idles, 0);
    frame->forget();
}

// A frame with a window on a thread of its own, inside a message-only window.
template <class Check> void frameOnThread(bool hostInMultithreadedApartment, Check check)
{
    std::thread thread([&] {
        if (hostInMultithreadedApartment) {
            ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        }
        HWND parent = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        auto* frame = new TestFrame(CRect(0, 0, 50, 50), parent, nullptr);
        EXPECT_NE(frame->getSystemWindow(), nullptr);
        check(*frame);
        frame->forget();
        DestroyWindow(parent);
        EXPECT_EQ(CDropTarget::getLiveCount(), 0);
        if (hostInMultithreadedApartment) {
            // The host's apartment is as the host left it.
            EXPECT_EQ(probeApartment(), S_FALSE);
            CoUninitialize();
        }
        EXPECT_EQ(probeApartment(), S_OK);
    });
    thread.join();
}

TEST_F(FrameTest, AFrameOnAFreshThreadStartsAndLeavesOle)
{
    frameOnThread(false, [](TestFrame& frame) {
        EXPECT_TRUE(frame.holdsOle());
        EXPECT_EQ(probeApartment(), RPC_E_CHANGED_MODE);
        EXPECT_TRUE(frame.isDropActive());
    });
}

TEST_F(FrameTest, AFrameInTheHostsMultithreadedApartmentLeavesItsComAlone)
{
    frameOnThread(true, [](TestFrame& frame) {
        EXPECT_FALSE(frame.holdsOle());
        // Without OLE the registration fails; the target does not linger.
        EXPECT_EQ(CDropTarget::getLiveCount(), 1);
    });
}

} // namespace
} // namespace test
} // namespace VSTGUI
