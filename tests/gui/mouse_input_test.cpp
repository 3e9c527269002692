#include "gui/draw_context.h"
#include "gui/editor_interface.h"
#include "gui/frame.h"
#include "gui/mouse_input.h"

#include "view_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace VSTGUI {
namespace test {
namespace {

// Sets the thread's key state for the test and clears it again.
class ThreadKeyState {
public:
    explicit ThreadKeyState(std::initializer_list<int> heldKeys)
    {
        BYTE state[256] = {};
        for (int key : heldKeys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~ThreadKeyState()
    {
        BYTE state[256] = {};
        SetKeyboardState(state);
    }
};

TEST(MouseInputTest, MessageFlagsBecomeButtonBits)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM flags;
        int32_t expected;
    };
    const Case cases[] = {
        {"left with shift", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 0x12},
        {"right with control", WM_RBUTTONUP, MK_RBUTTON | MK_CONTROL, kRButton | kControl},
        {"middle while moving", WM_MOUSEMOVE, MK_MBUTTON, kMButton},
        {"button 4", WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON1, XBUTTON1), kButton4},
        {"button 5", WM_XBUTTONUP, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), kButton5},
        {"left double click", WM_LBUTTONDBLCLK, MK_LBUTTON, kLButton | kDoubleClick},
        {"right double click", WM_RBUTTONDBLCLK, MK_RBUTTON, kRButton | kDoubleClick},
        {"middle double click", WM_MBUTTONDBLCLK, MK_MBUTTON, kMButton | kDoubleClick},
        {"x double click", WM_XBUTTONDBLCLK, MAKEWPARAM(MK_XBUTTON1, XBUTTON1), kButton4 | kDoubleClick},
        {"nothing held", WM_MOUSEMOVE, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(buttonsFromMouseMessage(c.message, c.flags), c.expected);
    }
}

TEST(MouseInputTest, MessagesTakeAltAndTheWheelItsModifiersFromTheThreadsKeyState)
{
    {
        ThreadKeyState alt({VK_MENU});
        EXPECT_EQ(buttonsFromMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON), kLButton | kAlt);
        EXPECT_EQ(modifiersFromKeyState(), kAlt);
    }
    {
        ThreadKeyState shiftAndControl({VK_SHIFT, VK_CONTROL, VK_LBUTTON});
        EXPECT_EQ(modifiersFromKeyState(), kShift | kControl) << "no button bits for the wheel";
        EXPECT_EQ(buttonsFromMouseMessage(WM_MOUSEMOVE, 0), 0) << "the message's own flags count, not the state";
    }
    EXPECT_EQ(modifiersFromKeyState(), 0);
}

// Physical keys held for the polling seam.
struct HeldKeys {
    static bool read(int virtualKey) { return held[virtualKey & 0xFF]; }
    static bool held[256];
};
bool HeldKeys::held[256];

class PollingTest : public testing::Test {
protected:
    PollingTest()
    {
        std::fill(std::begin(HeldKeys::held), std::end(HeldKeys::held), false);
        setKeyHeldReader(HeldKeys::read);
    }
    ~PollingTest() override
    {
        setKeyHeldReader(nullptr);
        swapMouseButtons = false;
    }
};

TEST_F(PollingTest, PhysicalButtonsSwapWhenTheSystemSwapsThem)
{
    HeldKeys::held[VK_LBUTTON] = true;
    EXPECT_EQ(pollMouseButtons(), kLButton);
    swapMouseButtons = true;
    EXPECT_EQ(pollMouseButtons(), kRButton);
    EXPECT_EQ(buttonsFromMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON), kLButton) << "messages are already swapped";
    HeldKeys::held[VK_LBUTTON] = false;
    HeldKeys::held[VK_RBUTTON] = true;
    EXPECT_EQ(pollMouseButtons(), kLButton);
}

TEST_F(PollingTest, PollingNeverReportsExtraButtonsOrDoubleClicks)
{
    std::fill(std::begin(HeldKeys::held), std::end(HeldKeys::held), true);
    EXPECT_EQ(pollMouseButtons(), kLButton | kMButton | kRButton | kShift | kControl | kAlt);
    CDrawContext context(nullptr, nullptr, nullptr);
    EXPECT_EQ(context.getMouseButtons(), pollMouseButtons());
}

TEST(MouseInputTest, ContextMouseLocationIsTheCursorLessTheScreenOffset)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    context.setScreenOffset(CPoint(-40, 25));
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    CPoint where;
    EXPECT_TRUE(context.getMouseLocation(where));
    EXPECT_EQ(where, CPoint(cursor.x + 40, cursor.y - 25));
}

// Makes the time of the thread's last retrieved message "now".
void retrieveAMessage()
{
    PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

bool leftPressPending()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE) != FALSE;
}

TEST(MouseInputTest, ASecondPressInTimeIsADoubleClickAndIsTakenFromTheQueue)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    retrieveAMessage();
    PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(context.waitDoubleClick());
    EXPECT_FALSE(leftPressPending());
}

TEST(MouseInputTest, NoSecondPressWithinTheDoubleClickTimeIsNoDoubleClick)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    retrieveAMessage();
    const DWORD start = GetTickCount();
    EXPECT_FALSE(context.waitDoubleClick());
    EXPECT_GE(GetTickCount() - start + 20, GetDoubleClickTime()) << "it waited for the whole time";
}

TEST(MouseInputTest, AfterTheDoubleClickTimeTheAnswerIsNoAtOnce)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    retrieveAMessage();
    Sleep(GetDoubleClickTime() + 50);
    PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(context.waitDoubleClick());
    EXPECT_TRUE(leftPressPending()) << "the queue was not even looked at";
}

// The first idle pass moves the context's screen offset, which moves the
// mouse position the context reads the other way; the third lets the left
// button go.
class MovingEditor : public VSTGUIEditorInterface {
public:
    void doIdleStuff() override
    {
        ++passes;
        if (passes == 1)
            context->setScreenOffset(CPoint(-displacement.h, -displacement.v));
        if (passes == 3)
            HeldKeys::held[VK_LBUTTON] = false;
    }
    CDrawContext* context = nullptr;
    CPoint displacement;
    int passes = 0;
};

class DragWaitTest : public PollingTest {
protected:
    DragWaitTest() : frame(new CFrame(CRect(0, 0, 100, 100), nullptr, &editor))
    {
        context = frame->createDrawContext();
        editor.context = context;
    }
    ~DragWaitTest() override
    {
        context->forget();
        frame->forget();
    }

    MovingEditor editor;
    CFrame* frame;
    CDrawContext* context;
};

TEST_F(DragWaitTest, LeavingTheBoxWhileHoldingTheButtonStartsADrag)
{
    struct Case {
        const char* name;
        CPoint displacement; // of the mouse position at the first pass
        bool dragged;
        int passes;
    };
    const Case cases[] = {
        {"two to the right", {2, 0}, true, 1},
        {"two down", {0, 2}, true, 1},
        {"two to the left stays near", {-2, 0}, false, 3},
        {"two up stays near", {0, -2}, false, 3},
        {"just under two to the right and down", {1.9, 1.9}, false, 3},
        {"a little more than two up", {0, -2.1}, true, 1},
        {"not moved", {0, 0}, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeldKeys::held[VK_LBUTTON] = true;
        context->setScreenOffset(CPoint());
        editor.displacement = c.displacement;
        editor.passes = 0;
        EXPECT_EQ(context->waitDrag(), c.dragged);
        EXPECT_EQ(editor.passes, c.passes);
    }
}

TEST_F(DragWaitTest, NoDragWithoutTheLeftButtonOrWithoutAFrame)
{
    EXPECT_FALSE(context->waitDrag());
    EXPECT_EQ(editor.passes, 0);
    HeldKeys::held[VK_LBUTTON] = true;
    CDrawContext frameless(nullptr, nullptr, nullptr);
    EXPECT_FALSE(frameless.waitDrag());
}

// The cursor in the view's coordinates: the containers above it shift both
// offsets of the context for the query and put them back afterwards.
TEST_F(WindowlessFrameTest, MouseLocationIsInTheViewsCoordinatesAndOffsetsComeBack)
{
    auto* outer = new CViewContainer(CRect(20, 10, 220, 160), frame);
    auto* inner = new CViewContainer(CRect(5, 7, 105, 107), frame);
    auto* view = new CView(CRect(1, 1, 10, 10));
    inner->addView(view);
    outer->addView(inner);
    frame->addView(outer);

    CDrawContext* context = frame->createDrawContext();
    context->setScreenOffset(CPoint(300, 200));
    context->setOffset(CPoint(3, 4));
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    CPoint where;
    view->getMouseLocation(context, where);
    EXPECT_EQ(where, CPoint(cursor.x - 300 - 20 - 5, cursor.y - 200 - 10 - 7));
    EXPECT_EQ(context->getScreenOffset(), CPoint(300, 200));
    EXPECT_EQ(context->getOffset(), CPoint(3, 4));

    CPoint untouched(1, 1);
    view->getMouseLocation(nullptr, untouched);
    EXPECT_EQ(untouched, CPoint(1, 1));
    context->forget();
}

// A frame without a window measures the cursor in screen coordinates; the
// container turns that into its own and finds the child around it.
TEST(CurrentViewTest, TheChildUnderTheCursorFromTheLastToTheFirst)
{
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* container = new CViewContainer(CRect(20, 10, 4000, 4000), frame);
    auto* below = new CView(CRect());
    auto* above = new CView(CRect());
    container->addView(below);
    container->addView(above);
    frame->addView(container);

    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    const CRect aroundCursor(cursor.x - 20 - 5, cursor.y - 10 - 5, cursor.x - 20 + 5, cursor.y - 10 + 5);
    below->setMouseableArea(aroundCursor);
    EXPECT_EQ(container->getCurrentView(), below);
    above->setMouseableArea(aroundCursor);
    above->setVisible(false);
    EXPECT_EQ(container->getCurrentView(), above) << "visibility plays no part";
    CRect elsewhere = aroundCursor;
    elsewhere.offset(20, 0);
    above->setMouseableArea(elsewhere);
    below->setMouseableArea(elsewhere);
    EXPECT_EQ(container->getCurrentView(), nullptr);
    frame->forget();
}

} // namespace
} // namespace test
} // namespace VSTGUI
