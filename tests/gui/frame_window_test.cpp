#include "gui/frame.h"

#include "gui/drop_target.h"

#include "frame_test_support.h"
#include "module_handle.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <algorithm>
#include <iterator>

namespace VSTGUI {
namespace test {
namespace {

constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kBlue{0, 0, 255, 255};

// A window's outer width and height, as the toolkit gives sizes.
CPoint sizeOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return CPoint(r.right - r.left, r.bottom - r.top);
}

// Every test ends with as many toolkit objects and drop targets alive as it
// began with.
class FrameWindowTest : public testing::Test {
protected:
    FrameWindowTest()
    {
        hInstance = GetModuleHandleW(nullptr);
        pumpMessages();
    }
    ~FrameWindowTest() override
    {
        pumpMessages();
        EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
        EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets);
    }

    HWND windowOf(const CFrame& frame) const { return static_cast<HWND>(frame.getSystemWindow()); }

    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
    const int32_t liveDropTargets = CDropTarget::getLiveCount();
};

TEST_F(FrameWindowTest, MakesOneChildWindowOfItsClassAtItsSize)
{
    HostWindow host(400, 300);
    auto* frame = new CFrame(CRect(0, 0, 240, 130), host.handle(), nullptr);
    HWND window = windowOf(*frame);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(countDescendantWindows(host.handle()), 1);
    EXPECT_EQ(GetParent(window), host.handle());

    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    EXPECT_EQ(std::wstring(className), expectedWindowClassName());
    EXPECT_EQ(GetClassLongW(window, GCL_STYLE), static_cast<DWORD>(CS_GLOBALCLASS | CS_DBLCLKS));

    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 130);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG wanted = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    EXPECT_EQ(style & wanted, wanted);
    // Wine reports Windows 6.1: a composited window.
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(frame));
    EXPECT_TRUE(frame->isOpen());
    EXPECT_TRUE(frame->isDropActive());
    EXPECT_EQ(frame->getFrame(), frame);
    EXPECT_TRUE(frame->isAttached());

    frame->forget();
    EXPECT_EQ(countDescendantWindows(host.handle()), 0);
    EXPECT_FALSE(isWindowClassRegistered(expectedWindowClassName()));
}

TEST_F(FrameWindowTest, WithoutParentMakesNoWindowAndRegistersNothing)
{
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    EXPECT_EQ(frame->getSystemWindow(), nullptr);
    EXPECT_FALSE(frame->isDropActive());
    EXPECT_FALSE(frame->setDropActive(true));
    EXPECT_TRUE(frame->setDropActive(false));
    EXPECT_FALSE(isWindowClassRegistered(expectedWindowClassName()));
    frame->forget();
}

TEST_F(FrameWindowTest, AWindowThatCannotBeMadeLeavesNoClassBehind)
{
    HostWindow host(100, 100);
    // A parent that no longer exists.
    HWND gone = makeChildWindow(host.handle(), 0, 0, 10, 10);
    DestroyWindow(gone);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), gone, nullptr);
    EXPECT_EQ(frame->getSystemWindow(), nullptr);
    EXPECT_FALSE(frame->isDropActive());
    EXPECT_FALSE(isWindowClassRegistered(expectedWindowClassName()));
    frame->forget();

    // The next frame registers the class again and unregisters it.
    frame = new CFrame(CRect(0, 0, 100, 100), host.handle(), nullptr);
    EXPECT_NE(frame->getSystemWindow(), nullptr);
    frame->forget();
    EXPECT_FALSE(isWindowClassRegistered(expectedWindowClassName()));
}

TEST_F(FrameWindowTest, ClassIsRegisteredForTheFirstFrameAndUnregisteredWithTheLast)
{
    HostWindow host(400, 300);
    const std::wstring name = expectedWindowClassName();
    EXPECT_FALSE(isWindowClassRegistered(name));
    auto* first = new CFrame(CRect(0, 0, 100, 100), host.handle(), nullptr);
    EXPECT_TRUE(isWindowClassRegistered(name));
    auto* second = new CFrame(CRect(0, 0, 100, 100), host.handle(), nullptr);
    EXPECT_NE(second->getSystemWindow(), nullptr);
    // A frame without a window takes no part in the count.
    auto* windowless = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    windowless->forget();
    EXPECT_TRUE(isWindowClassRegistered(name));

    first->forget();
    EXPECT_TRUE(isWindowClassRegistered(name));
    EXPECT_EQ(countDescendantWindows(host.handle()), 1);
    second->forget();
    EXPECT_FALSE(isWindowClassRegistered(name));
}

TEST_F(FrameWindowTest, EraseBackgroundAnswersOneWithOrWithoutFrame)
{
    HostWindow host(200, 200);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), host.handle(), nullptr);
    HDC deviceContext = GetDC(windowOf(*frame));
    EXPECT_EQ(SendMessageW(windowOf(*frame), WM_ERASEBKGND, reinterpret_cast<WPARAM>(deviceContext), 0), 1);
    ReleaseDC(windowOf(*frame), deviceContext);

    // A window of the frames' class that no frame owns.
    HWND bare = CreateWindowExW(0, expectedWindowClassName().c_str(), L"", WS_CHILD, 0, 0, 10, 10, host.handle(),
                                nullptr, hInstance, nullptr);
    ASSERT_NE(bare, nullptr);
    deviceContext = GetDC(bare);
    EXPECT_EQ(SendMessageW(bare, WM_ERASEBKGND, reinterpret_cast<WPARAM>(deviceContext), 0), 1);
    ReleaseDC(bare, deviceContext);
    DestroyWindow(bare);
    frame->forget();
}

TEST_F(FrameWindowTest, PaintsItsViewsThroughTheUpdateRegion)
{
    HostWindow host(300, 200);
    auto* frame = new CFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
    auto* view = new RecordingView(CRect(0, 0, 300, 200), kBlue);
    frame->addView(view);
    HWND window = windowOf(*frame);
    UpdateWindow(window);
    pumpMessages();
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kBlue));
    EXPECT_EQ(screenPixel(host.handle(), 15, 15), rgbOf(kBlue));

    // Only the invalidated rectangle is painted again.
    view->fill = kRed;
    const RECT part = {10, 10, 30, 30};
    InvalidateRect(window, &part, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(screenPixel(host.handle(), 15, 15), rgbOf(kRed));
    EXPECT_EQ(screenPixel(host.handle(), 29, 29), rgbOf(kRed));
    EXPECT_EQ(screenPixel(host.handle(), 30, 30), rgbOf(kBlue));
    EXPECT_EQ(screenPixel(host.handle(), 50, 50), rgbOf(kBlue));

    // With nothing to update, a paint message draws nothing.
    ValidateRect(window, nullptr);
    view->fill = kBlue;
    const int draws = view->draws;
    EXPECT_EQ(SendMessageW(window, WM_PAINT, 0, 0), 0);
    EXPECT_EQ(view->draws, draws);
    EXPECT_EQ(screenPixel(host.handle(), 15, 15), rgbOf(kRed));
    frame->forget();
}

TEST_F(FrameWindowTest, IdleSendsTheDirtyViewsToTheWindowWhileOpen)
{
    HostWindow host(300, 200);
    auto* frame = new CFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
    auto* view = new RecordingView(CRect(20, 30, 60, 90));
    frame->addView(view);
    HWND window = windowOf(*frame);
    pumpMessages();
    ValidateRect(window, nullptr);

    view->setDirty(true);
    frame->setOpenFlag(false);
    frame->idle();
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));

    frame->setOpenFlag(true);
    frame->idle();
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 20);
    EXPECT_EQ(update.top, 30);
    EXPECT_EQ(update.right, 60);
    EXPECT_EQ(update.bottom, 90);
    EXPECT_FALSE(view->isDirty());
    frame->forget();
}

// A frame filling a host window and one recording view in it at (20, 10).
// The cursor rests over the frame but off the view, so that Wine sends no
// leave of its own and no view is under the mouse when a test starts.
class FrameMessageTest : public FrameWindowTest {
protected:
    FrameMessageTest() : host(300, 200)
    {
        frame = new CFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
        view = new RecordingView(CRect(20, 10, 220, 110));
        frame->addView(view);
        window = windowOf(*frame);
        RECT r = {};
        GetWindowRect(window, &r);
        SetCursorPos(r.left + 250, r.top + 150);
        pumpMessages();
        view->calls.clear();
    }
    ~FrameMessageTest() override
    {
        frame->forget();
        ReleaseCapture();
    }

    void post(UINT message, WPARAM wParam, int x, int y)
    {
        PostMessageW(window, message, wParam, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        pumpMessages();
    }

    HostWindow host;
    CFrame* frame;
    RecordingView* view;
    HWND window;
};

TEST_F(FrameMessageTest, ButtonMessagesReachTheViewWithTheirBits)
{
    const struct {
        UINT message;
        WPARAM wParam;
        const char* call;
        int32_t buttons;
    } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, "down", kLButton | kShift},
        {WM_LBUTTONUP, MK_SHIFT, "up", kShift},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, "down", kRButton | kDoubleClick},
        {WM_RBUTTONUP, 0, "up", 0},
        {WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, "down", kMButton | kControl},
        {WM_MBUTTONUP, MK_CONTROL, "up", kControl},
        {WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON1, XBUTTON1), "down", kButton4},
        {WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), "up", 0},
        {WM_XBUTTONDBLCLK, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), "down", kButton5 | kDoubleClick},
        {WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON2), "up", 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, "down", kLButton | kDoubleClick},
        {WM_LBUTTONUP, 0, "up", 0},
    };
    int x = 30;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        view->calls.clear();
        post(c.message, c.wParam, x, 40);
        ASSERT_EQ(view->calls.size(), 1u);
        EXPECT_EQ(view->calls[0].what, c.call);
        EXPECT_EQ(view->calls[0].buttons, c.buttons);
        // A direct child of the frame lives in frame coordinates.
        EXPECT_EQ(view->calls[0].where, CPoint(x, 40));
        ++x;
    }
}

TEST_F(FrameMessageTest, AHandledPressCapturesTheMouseUntilTheRelease)
{
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
    EXPECT_EQ(GetCapture(), window);
    post(WM_LBUTTONUP, 0, 50, 50);
    EXPECT_EQ(GetCapture(), nullptr);

    view->downAnswer = kMouseEventNotHandled;
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
    EXPECT_EQ(GetCapture(), nullptr);

    // A release lets go of a capture it did not take.
    SetCapture(host.handle());
    post(WM_LBUTTONUP, 0, 50, 50);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FrameMessageTest, ClientPointsAreSigned)
{
    CRect reachingLeft(-10, -10, 100, 100);
    view->setViewSize(reachingLeft, false);
    view->setMouseableArea(reachingLeft);
    post(WM_LBUTTONDOWN, MK_LBUTTON, -5, 20);
    ASSERT_EQ(view->count("down"), 1);
    EXPECT_EQ(view->last("down").where, CPoint(-5, 20));
}

TEST_F(FrameMessageTest, MovesEnterHoverAndLeaveTheViewUnderTheMouse)
{
    post(WM_MOUSEMOVE, MK_LBUTTON, 50, 40);
    EXPECT_EQ(view->names(), (std::vector<std::string>{"entered"}));
    EXPECT_EQ(view->last("entered").where, CPoint(50, 40));
    EXPECT_EQ(view->last("entered").buttons, kLButton);

    // Hovering moves carry no buttons.
    post(WM_MOUSEMOVE, MK_LBUTTON, 60, 45);
    EXPECT_EQ(view->last("moved").where, CPoint(60, 45));
    EXPECT_EQ(view->last("moved").buttons, 0);

    // Off the view: it is left.
    post(WM_MOUSEMOVE, 0, 250, 150);
    EXPECT_EQ(view->names(), (std::vector<std::string>{"entered", "moved", "exited"}));
    EXPECT_EQ(view->last("exited").where, CPoint(250, 150));

    // The window's leave notice is taken at the cursor's position.
    post(WM_MOUSEMOVE, 0, 50, 40);
    view->calls.clear();
    POINT cursor = {};
    GetCursorPos(&cursor);
    RECT r = {};
    GetWindowRect(window, &r);
    post(WM_MOUSELEAVE, 0, 0, 0);
    EXPECT_EQ(view->names(), (std::vector<std::string>{"exited"}));
    EXPECT_EQ(view->last("exited").where, CPoint(cursor.x - r.left, cursor.y - r.top));

    // No view under the mouse any more: a second leave reaches nothing.
    post(WM_MOUSELEAVE, 0, 0, 0);
    EXPECT_EQ(view->count("exited"), 1);
}

// Writes down what a frame tells its mouse observer.
class RecordingObserver : public IMouseObserver {
public:
    void onMouseEntered(CView* view, CFrame*) override { events.push_back({"entered", view}); }
    void onMouseExited(CView* view, CFrame*) override { events.push_back({"exited", view}); }
    void onMouseMoved(CFrame*, const CPoint& where) override { moves.push_back(where); }
    void onMouseDown(CFrame*, const CPoint& where) override { presses.push_back(where); }

    std::vector<std::pair<std::string, CView*>> events;
    std::vector<CPoint> moves;
    std::vector<CPoint> presses;
};

TEST_F(FrameMessageTest, TheObserverHearsOfEnteringLeavingMovesAndPresses)
{
    RecordingObserver observer;
    frame->setMouseObserver(&observer);
    EXPECT_EQ(frame->getMouseObserver(), &observer);
    post(WM_MOUSEMOVE, 0, 50, 40);
    post(WM_MOUSEMOVE, 0, 250, 150);
    post(WM_MOUSEMOVE, 0, 60, 40);
    // A press ends the hovering first.
    post(WM_LBUTTONDOWN, MK_LBUTTON, 61, 41);
    using Event = std::pair<std::string, CView*>;
    EXPECT_EQ(observer.events,
              (std::vector<Event>{{"entered", view}, {"exited", view}, {"entered", view}, {"exited", view}}));
    EXPECT_EQ(observer.moves, (std::vector<CPoint>{CPoint(50, 40), CPoint(250, 150), CPoint(60, 40)}));
    EXPECT_EQ(observer.presses, std::vector<CPoint>{CPoint(61, 41)});
    // The press's leave carries the frame's point unchanged.
    EXPECT_EQ(view->last("exited").where, CPoint(61, 41));
    post(WM_LBUTTONUP, 0, 61, 41);
    frame->setMouseObserver(nullptr);
}

TEST_F(FrameMessageTest, WheelTurnsWholeNotchesAndPassesTheMessageOn)
{
    RECT r = {};
    GetWindowRect(window, &r);
    const struct {
        int16_t delta;
        float distance;
    } cases[] = {{119, 0}, {120, 1}, {-119, 0}, {-240, -2}, {-360, -3}, {361, 3}};
    int wheelMessages = host.wheelMessages();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delta);
        view->calls.clear();
        // The wheel's point is on the screen.
        post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), r.left + 40, r.top + 30);
        ASSERT_EQ(view->names(), (std::vector<std::string>{"wheel"}));
        EXPECT_EQ(view->last("wheel").distance, c.distance);
        // The frame hands its target the point in frame coordinates.
        EXPECT_EQ(view->last("wheel").where, CPoint(40, 30));
        EXPECT_EQ(view->last("wheel").buttons, 0);
        EXPECT_EQ(host.wheelMessages(), ++wheelMessages);
    }
}

TEST_F(FrameMessageTest, WheelCarriesTheHeldModifiersButNoButtons)
{
    // The thread's key state, which GetKeyState reads.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_SHIFT] = held[VK_CONTROL] = held[VK_MENU] = 0x80;
    SetKeyboardState(held);
    RECT r = {};
    GetWindowRect(window, &r);
    post(WM_MOUSEWHEEL, MAKEWPARAM(MK_LBUTTON | MK_SHIFT, 120), r.left + 40, r.top + 30);
    post(WM_LBUTTONDOWN, MK_LBUTTON, 40, 30);
    post(WM_LBUTTONUP, 0, 40, 30);
    SetKeyboardState(keys);
    EXPECT_EQ(view->last("wheel").buttons, kShift | kControl | kAlt);
    // Button messages take their buttons from the message, and Alt from the
    // key state.
    EXPECT_EQ(view->last("down").buttons, kLButton | kAlt);
}

// A host window inside a top-level window, both exactly the frame's size, and
// the frame in the host window.
class FrameSizeTest : public FrameWindowTest {
protected:
    FrameSizeTest() : topLevel(200, 100)
    {
        hostWindow = makeChildWindow(topLevel.handle(), 0, 0, 200, 100);
        frame = new CFrame(CRect(0, 0, 200, 100), hostWindow, nullptr);
        pumpMessages();
    }
    ~FrameSizeTest() override { frame->forget(); }

    HostWindow topLevel;
    HWND hostWindow;
    CFrame* frame;
};

TEST_F(FrameSizeTest, ResizesItselfAndItsHostWindowsKeepingTheirMargins)
{
    const CPoint outerBefore = sizeOf(topLevel.handle());
    ASSERT_TRUE(frame->setSize(260, 150));
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 260, 150));
    EXPECT_EQ(sizeOf(windowOf(*frame)), CPoint(260, 150));
    EXPECT_EQ(sizeOf(hostWindow), CPoint(260, 150));
    // The top-level window keeps its border and caption around the host.
    EXPECT_EQ(sizeOf(topLevel.handle()), CPoint(outerBefore.h + 60, outerBefore.v + 50));
}

TEST_F(FrameSizeTest, TheSameSizeChangesNothing)
{
    EXPECT_FALSE(frame->setSize(200, 100));
    EXPECT_EQ(sizeOf(windowOf(*frame)).h, 200);
}

TEST_F(FrameSizeTest, AHostMuchBiggerThanTheFrameStopsTheWalk)
{
    SetWindowPos(hostWindow, nullptr, 0, 0, 300, 100, SWP_NOMOVE | SWP_NOZORDER);
    const CPoint outerBefore = sizeOf(topLevel.handle());
    EXPECT_TRUE(frame->setSize(220, 120));
    // The frame's own window follows, its size rectangle and the hosts do not.
    EXPECT_EQ(sizeOf(windowOf(*frame)), CPoint(220, 120));
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 200, 100));
    EXPECT_EQ(sizeOf(hostWindow).h, 300);
    EXPECT_EQ(sizeOf(topLevel.handle()).h, outerBefore.h);
}

// The walk goes on through a host up to 80 pixels bigger than the window
// inside it, in width or in height, and stops at one bigger than that.
TEST_F(FrameWindowTest, TheHostWalkStopsAtAHostMoreThanEightyPixelsBigger)
{
    const struct {
        int extraWidth;
        int extraHeight;
        bool walkGoesOn;
    } cases[] = {{80, 0, true}, {81, 0, false}, {0, 80, true}, {0, 81, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.extraWidth << " x " << c.extraHeight << " more");
        HostWindow topLevel(200, 100);
        HWND host = makeChildWindow(topLevel.handle(), 0, 0, 200 + c.extraWidth, 100 + c.extraHeight);
        auto* frame = new CFrame(CRect(0, 0, 200, 100), host, nullptr);
        EXPECT_TRUE(frame->setSize(220, 120));
        EXPECT_EQ(sizeOf(windowOf(*frame)), CPoint(220, 120));
        if (c.walkGoesOn) {
            EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 220, 120));
            EXPECT_EQ(sizeOf(host), CPoint(220 + c.extraWidth, 120 + c.extraHeight));
        } else {
            EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 200, 100));
            EXPECT_EQ(sizeOf(host), CPoint(200 + c.extraWidth, 100 + c.extraHeight));
        }
        frame->forget();
    }
}

// A host inside an MDI client: the walk resizes the host and leaves the
// client and everything around it alone.
TEST_F(FrameWindowTest, TheHostWalkStopsAtTheMdiClient)
{
    HostWindow topLevel(200, 100);
    CLIENTCREATESTRUCT clientCreation = {nullptr, 1};
    HWND mdiClient = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, topLevel.handle(),
                                     nullptr, GetModuleHandleW(nullptr), &clientCreation);
    ASSERT_NE(mdiClient, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(mdiClient, className, 32);
    ASSERT_EQ(std::wstring(className), L"MDIClient");
    HWND host = makeChildWindow(mdiClient, 0, 0, 200, 100);
    auto* frame = new CFrame(CRect(0, 0, 200, 100), host, nullptr);
    const CPoint outerBefore = sizeOf(topLevel.handle());

    EXPECT_TRUE(frame->setSize(260, 150));
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 260, 150));
    EXPECT_EQ(sizeOf(windowOf(*frame)), CPoint(260, 150));
    EXPECT_EQ(sizeOf(host), CPoint(260, 150));
    EXPECT_EQ(sizeOf(mdiClient), CPoint(200, 100));
    EXPECT_EQ(sizeOf(topLevel.handle()), outerBefore);
    frame->forget();
}

TEST_F(FrameSizeTest, AClosedFrameAnswersNoSizeOrPosition)
{
    DestroyWindow(hostWindow);
    pumpMessages();
    EXPECT_FALSE(frame->isOpen());
    EXPECT_FALSE(frame->setSize(300, 300));
    CRect size;
    EXPECT_FALSE(frame->getSize(size));
    CCoord x = 0;
    CCoord y = 0;
    EXPECT_FALSE(frame->getPosition(x, y));
    // The drop target went with the window.
    EXPECT_FALSE(frame->isDropActive());
    EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets);
}

// top-level (300 × 200) > outer host at (10, 20), 260 × 160 > inner host at
// (5, 5), the frame's size > the frame.
class FramePlacementTest : public FrameWindowTest {
protected:
    FramePlacementTest() : topLevel(300, 200)
    {
        outerHost = makeChildWindow(topLevel.handle(), 10, 20, 260, 160);
        innerHost = makeChildWindow(outerHost, 5, 5, 150, 80);
        frame = new CFrame(CRect(0, 0, 150, 80), innerHost, nullptr);
        pumpMessages();
    }
    ~FramePlacementTest() override { frame->forget(); }

    HostWindow topLevel;
    HWND outerHost;
    HWND innerHost;
    CFrame* frame;
};

TEST_F(FramePlacementTest, SizeIsTheHostWindowsRectangleInItsGrandparent)
{
    CRect size;
    ASSERT_TRUE(frame->getSize(&size));
    EXPECT_EQ(size, CRect(15, 25, 165, 105));
}

TEST_F(FramePlacementTest, OuterWindowEndsBeforeAWindowMuchBiggerThanTheFrame)
{
    // The outer host is 110 wider than the frame: the inner one is the last.
    EXPECT_EQ(frame->getOuterWindow(), innerHost);
    CCoord x = 0;
    CCoord y = 0;
    ASSERT_TRUE(frame->getPosition(x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);

    // Close in size, the walk goes on up to the window with a caption.
    SetWindowPos(outerHost, nullptr, 0, 0, 200, 130, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(topLevel.handle(), nullptr, 0, 0, 210, 140, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(frame->getOuterWindow(), topLevel.handle());
}

TEST_F(FramePlacementTest, OuterWindowTakesAParentUpToSixtyPixelsBigger)
{
    const struct {
        int extraWidth;
        int extraHeight;
        bool parentIsTaken;
    } cases[] = {{60, 0, true}, {61, 0, false}, {0, 60, true}, {0, 61, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.extraWidth << " x " << c.extraHeight << " more");
        SetWindowPos(outerHost, nullptr, 0, 0, 150 + c.extraWidth, 80 + c.extraHeight, SWP_NOMOVE | SWP_NOZORDER);
        // Past the outer host, the top-level window is far bigger than the frame.
        EXPECT_EQ(frame->getOuterWindow(), c.parentIsTaken ? outerHost : innerHost);
    }
}

TEST_F(FramePlacementTest, AWindowWithABorderIsTheOuterWindow)
{
    SetWindowLongW(outerHost, GWL_STYLE, GetWindowLongW(outerHost, GWL_STYLE) | WS_BORDER);
    SetWindowPos(outerHost, nullptr, 0, 0, 160, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(frame->getOuterWindow(), outerHost);
}

TEST_F(FrameWindowTest, HundredFramesLeaveNothingBehind)
{
    HostWindow host(300, 200);
    auto makeAndDestroy = [&] {
        auto* frame = new CFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
        frame->addView(new RecordingView(CRect(10, 10, 100, 100), kRed));
        UpdateWindow(static_cast<HWND>(frame->getSystemWindow()));
        pumpMessages();
        frame->forget();
    };
    // Wine leaves PrivateUsage at 0; the page-file figure follows the
    // process's committed private memory there.
    auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
        return counters.PagefileUsage;
    };
    // The first frames warm up GDI+, OLE and the heap.
    for (int i = 0; i < 10; ++i)
        makeAndDestroy();
    const SIZE_T before = privateBytes();
    for (int i = 0; i < 100; ++i)
        makeAndDestroy();
    const SIZE_T after = privateBytes();
    ASSERT_GT(before, 0u) << "the process reports no private memory";
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
    EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets);
    EXPECT_EQ(countDescendantWindows(host.handle()), 0);
    EXPECT_FALSE(isWindowClassRegistered(expectedWindowClassName()));
    EXPECT_LT(after, before + 1024 * 1024) << "grew by " << (after - before) << " bytes";
}

} // namespace
} // namespace test
} // namespace VSTGUI
