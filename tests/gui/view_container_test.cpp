#include "gui/mouse_input.h"

#include "view_test_support.h"
#include "vst_records.h"

#include <cstring>

namespace VSTGUI {
namespace test {
namespace {

// Three children lying on one another inside a container at (20, 10) of the
// frame, so that every point a child receives is 20 and 10 less than the
// point given to the container.
class ContainerTest : public WindowlessFrameTest {
protected:
    ContainerTest() : container(new CViewContainer(CRect(20, 10, 220, 160), frame))
    {
        frame->addView(container);
        for (const char* name : {"V1", "V2", "V3"})
            views.push_back(addChild(CRect(0, 0, 100, 100), name));
        log.take();
    }

    RecordingView* addChild(const CRect& size, const char* name)
    {
        auto* view = new RecordingView(size, name, log);
        container->addView(view);
        return view;
    }

    std::vector<std::string> keyOrder()
    {
        VstKeyCode key{};
        log.take();
        container->onKeyDown(key);
        return log.take();
    }

    CViewContainer* container;
    std::vector<RecordingView*> views;
};

TEST_F(ContainerTest, PressGoesToTheTopmostChildInLocalCoordinates)
{
    CPoint where(70, 60);
    EXPECT_EQ(container->onMouseDown(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(log.take(), Calls{"V3 down 50,50"});
    EXPECT_EQ(views[2]->last("down").buttons, kLButton);
    EXPECT_EQ(where, CPoint(70, 60)) << "the caller's point is left as it was";
}

TEST_F(ContainerTest, DrawingRunsFromTheFirstChildToTheLast)
{
    CDrawContext* context = frame->createDrawContext();
    container->drawRect(context, container->getViewSize());
    context->forget();
    EXPECT_EQ(log.take(), (Calls{"V1 draw", "V2 draw", "V3 draw"}));
}

TEST_F(ContainerTest, PressSkipsChildrenThatCannotTakeIt)
{
    struct Case {
        const char* name;
        void (*disable)(RecordingView& top);
    };
    const Case cases[] = {
        {"invisible", [](RecordingView& top) { top.setVisible(false); }},
        {"mouse disabled", [](RecordingView& top) { top.setMouseEnabled(false); }},
        {"point outside its mouseable area", [](RecordingView& top) { top.setMouseableArea(CRect(60, 60, 100, 100)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingView* top = addChild(CRect(0, 0, 100, 100), "top");
        c.disable(*top);
        log.take();
        CPoint where(30, 20);
        EXPECT_EQ(container->onMouseDown(where, kLButton), kMouseEventHandled);
        EXPECT_EQ(log.take(), Calls{"V3 down 10,10"});
        container->onMouseUp(where, 0);
        container->removeView(top);
        log.take();
    }
}

TEST_F(ContainerTest, NotHandledEndsTheSearchAndSetsNoPressedChild)
{
    views[1]->downAnswer = kMouseEventNotHandled;
    views[2]->setMouseableArea(CRect(90, 90, 100, 100));
    CPoint where(30, 20);
    EXPECT_EQ(container->onMouseDown(where, kLButton), kMouseEventNotHandled);
    EXPECT_EQ(log.take(), Calls{"V2 down 10,10"}) << "V1 below is not asked";
    EXPECT_EQ(container->onMouseUp(where, 0), kMouseEventNotHandled);
    EXPECT_EQ(container->onMouseMoved(where, 0), kMouseEventNotHandled);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(ContainerTest, ReleaseAndMovesGoToThePressedChildOnly)
{
    CPoint press(30, 20);
    ASSERT_EQ(container->onMouseDown(press, kLButton), kMouseEventHandled);
    views[2]->setMouseableArea(CRect()); // moves elsewhere must still reach it
    log.take();

    CPoint away(250, 150);
    EXPECT_EQ(container->onMouseMoved(away, kLButton), kMouseEventHandled);
    views[2]->upAnswer = kMouseEventNotHandled;
    EXPECT_EQ(container->onMouseUp(away, 0), kMouseEventHandled) << "whatever the child answers";
    EXPECT_EQ(log.take(), (Calls{"V3 moved 230,140", "V3 up 230,140"}));

    EXPECT_EQ(container->onMouseUp(away, 0), kMouseEventNotHandled) << "the release ended the press";
    EXPECT_EQ(container->onMouseMoved(away, 0), kMouseEventNotHandled) << "moves without a press reach nobody";
    EXPECT_TRUE(log.take().empty());
}

TEST_F(ContainerTest, AMoveTheChildDeclinesEndsThePress)
{
    CPoint where(30, 20);
    ASSERT_EQ(container->onMouseDown(where, kLButton), kMouseEventHandled);
    views[2]->movedAnswer = kMouseEventNotHandled;
    EXPECT_EQ(container->onMouseMoved(where, kLButton), kMouseEventNotHandled);
    views[2]->movedAnswer = kMouseEventHandled;
    EXPECT_EQ(container->onMouseMoved(where, kLButton), kMouseEventNotHandled);
    EXPECT_EQ(container->onMouseUp(where, 0), kMouseEventNotHandled);
    EXPECT_EQ(log.take(), (Calls{"V3 down 10,10", "V3 moved 10,10"}));
}

TEST_F(ContainerTest, AChildWithoutPressHandlingIsPolledWithTheFramesContext)
{
    views[2]->downAnswer = kMouseEventNotImplemented;
    const int32_t liveBefore = CBaseObject::getLiveObjectCount();
    CPoint where(30, 20);
    EXPECT_EQ(container->onMouseDown(where, kLButton | kShift), kMouseEventNotImplemented);
    EXPECT_EQ(log.take(), (Calls{"V3 down 10,10", "V3 mouse 10,10"}));
    EXPECT_NE(views[2]->mouseContext, nullptr);
    EXPECT_EQ(views[2]->mouseContextFrame, frame);
    EXPECT_EQ(views[2]->last("mouse").buttons, kLButton | kShift);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveBefore) << "the context is released again";
    EXPECT_EQ(container->onMouseUp(where, 0), kMouseEventNotHandled) << "no press is held";
}

bool leftButtonHeld(int virtualKey)
{
    return virtualKey == VK_LBUTTON;
}

TEST_F(ContainerTest, PollingEntryReadsMissingButtonsFromTheContextAndIgnoresVisibility)
{
    setKeyHeldReader(leftButtonHeld);
    views[2]->setVisible(false);
    views[1]->setMouseEnabled(false);
    CDrawContext* context = frame->createDrawContext();
    CPoint where(30, 20);
    container->mouse(context, where, -1);
    context->forget();
    setKeyHeldReader(nullptr);

    EXPECT_EQ(log.take(), Calls{"V3 mouse 10,10"});
    EXPECT_EQ(views[2]->last("mouse").buttons, kLButton);

    views[2]->setMouseEnabled(false);
    container->mouse(nullptr, where, kRButton);
    EXPECT_EQ(log.take(), Calls{"V1 mouse 10,10"});
    EXPECT_EQ(views[0]->last("mouse").buttons, kRButton);
}

TEST_F(ContainerTest, KeysGoFromTheLastChildUntilOneTakesThem)
{
    struct Case {
        const char* name;
        int32_t answers[3]; // of V1, V2, V3
        int32_t result;
        Calls asked;
    };
    const Case cases[] = {
        {"nobody", {-1, -1, -1}, -1, {"V3 keyDown", "V2 keyDown", "V1 keyDown"}},
        {"0 counts as taken", {5, 0, -1}, 0, {"V3 keyDown", "V2 keyDown"}},
        {"the top one", {-1, -1, 7}, 7, {"V3 keyDown"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 3; ++i)
            views[i]->keyAnswer = c.answers[i];
        views[2]->setVisible(false); // keys ignore visibility
        VstKeyCode key{};
        EXPECT_EQ(container->onKeyDown(key), c.result);
        EXPECT_EQ(log.take(), c.asked);
        EXPECT_EQ(container->onKeyUp(key), c.result);
        log.take();
    }
}

TEST_F(ContainerTest, InsertBeforeAChildOrBeforeANonChild)
{
    auto* v4 = new RecordingView(CRect(), "V4", log);
    ASSERT_TRUE(container->addView(v4, views[1]));
    EXPECT_EQ(keyOrder(), (Calls{"V3 keyDown", "V2 keyDown", "V4 keyDown", "V1 keyDown"}));
    const CView* forwards[] = {views[0], v4, views[1], views[2]};
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(container->getView(i), forwards[i]);
    EXPECT_TRUE(v4->isAttached()) << "the container is attached";
    container->removeView(v4);

    CView outsider(CRect(0, 0, 1, 1));
    auto* v5 = new RecordingView(CRect(), "V5", log);
    ASSERT_TRUE(container->addView(v5, &outsider));
    EXPECT_EQ(keyOrder(), (Calls{"V3 keyDown", "V5 keyDown", "V2 keyDown", "V1 keyDown"}));
    EXPECT_EQ(container->getView(2), v5);
    EXPECT_EQ(container->getView(3), views[2]);
}

TEST_F(ContainerTest, InsertBeforeIntoAnEmptyContainer)
{
    auto* empty = new CViewContainer(CRect(0, 0, 10, 10), frame);
    auto* only = new RecordingView(CRect(), "only", log);
    ASSERT_TRUE(empty->addView(only, views[0]));
    EXPECT_EQ(empty->getNbViews(), 1);
    EXPECT_EQ(empty->getView(0), only);
    VstKeyCode key{};
    empty->onKeyDown(key);
    EXPECT_EQ(log.take(), Calls{"only keyDown"});
    empty->forget();
}

TEST_F(ContainerTest, AddRefusesNullAndViewsAlreadyInATree)
{
    auto* other = new CViewContainer(CRect(0, 0, 50, 50), frame);
    CRect area(0, 0, 5, 5);
    EXPECT_FALSE(other->addView(nullptr));
    EXPECT_FALSE(other->addView(nullptr, area, true));
    EXPECT_FALSE(other->addView(views[0]));
    EXPECT_FALSE(other->addView(views[0], views[1]));
    EXPECT_EQ(other->getNbViews(), 0);
    EXPECT_EQ(views[0]->getParentView(), container);
    EXPECT_EQ(views[0]->getNbReference(), 2) << "creator's reference and the node's";
    other->forget();
}

TEST_F(ContainerTest, IndexLookupsOutsideTheListAnswerNull)
{
    EXPECT_EQ(container->getNbViews(), 3);
    EXPECT_EQ(container->getView(-1), nullptr);
    EXPECT_EQ(container->getView(3), nullptr);
    EXPECT_EQ(container->getView(0), views[0]);
    EXPECT_TRUE(container->isChild(views[1]));
    EXPECT_FALSE(container->isChild(container));
}

TEST_F(ContainerTest, RemoveViewDropsTheNodesReferenceAndTheCallersOnRequest)
{
    RecordingView* kept = views[1];
    ASSERT_EQ(kept->getNbReference(), 2);
    ASSERT_TRUE(container->removeView(kept, false));
    EXPECT_EQ(kept->getNbReference(), 1) << "the caller's reference survives";
    EXPECT_FALSE(kept->isAttached());
    EXPECT_EQ(kept->getParentView(), nullptr);
    EXPECT_EQ(kept->getFrame(), nullptr);
    EXPECT_FALSE(container->isChild(kept));
    EXPECT_FALSE(container->removeView(kept, true)) << "no longer a child";
    EXPECT_EQ(kept->getNbReference(), 1);

    bool destroyed = false;
    views[2]->destroyed = &destroyed;
    views[2]->remember(); // one more holder besides creator and node
    ASSERT_TRUE(container->removeView(views[2], true));
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(views[2]->getNbReference(), 1);
    views[2]->forget();
    EXPECT_TRUE(destroyed);

    EXPECT_EQ(keyOrder(), Calls{"V1 keyDown"});
    kept->forget();
}

TEST_F(ContainerTest, RemoveAllWithAndWithoutForget)
{
    for (RecordingView* view : views)
        view->remember(); // the test's own hold, to look at them afterwards
    ASSERT_TRUE(container->removeAll(false));
    EXPECT_EQ(container->getNbViews(), 0);
    for (RecordingView* view : views) {
        EXPECT_EQ(view->getNbReference(), 2);
        EXPECT_FALSE(view->isAttached());
        ASSERT_TRUE(container->addView(view));
    }

    bool destroyed[3] = {};
    for (int i = 0; i < 3; ++i)
        views[i]->destroyed = &destroyed[i];
    ASSERT_TRUE(container->removeAll(true));
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(destroyed[i]);
        EXPECT_EQ(views[i]->getNbReference(), 1);
        views[i]->forget();
        EXPECT_TRUE(destroyed[i]);
    }
}

TEST_F(ContainerTest, ViewsAddedAndNeverRememberedGoWithTheirContainer)
{
    const int32_t before = CBaseObject::getLiveObjectCount();
    auto* owner = new CViewContainer(CRect(0, 0, 50, 50), frame);
    owner->addView(new CView(CRect(0, 0, 5, 5)));
    auto* inner = new CViewContainer(CRect(0, 0, 20, 20), frame);
    inner->addView(new CView(CRect(0, 0, 5, 5)));
    owner->addView(inner);
    frame->addView(owner);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), before + 4);
    frame->removeView(owner, true);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), before);
}

// A child that leaves while it holds a press or a drag is never reached
// through the container afterwards.
TEST_F(ContainerTest, ARemovedChildThatHeldThePressOrTheDragIsNotUsed)
{
    RecordingView* held = views[2];
    CPoint where(30, 20);
    ASSERT_EQ(container->onMouseDown(where, kLButton), kMouseEventHandled);
    container->onDragEnter(nullptr, where);
    log.take();

    ASSERT_TRUE(container->removeView(held, false));
    EXPECT_EQ(container->onMouseMoved(where, kLButton), kMouseEventNotHandled);
    EXPECT_EQ(container->onMouseUp(where, 0), kMouseEventNotHandled);
    container->onDragLeave(nullptr, where);
    EXPECT_TRUE(log.take().empty());
    held->forget();
}

TEST_F(ContainerTest, AChildDestroyedWhileHoldingThePressIsNotUsed)
{
    bool destroyed = false;
    views[2]->destroyed = &destroyed;
    CPoint where(30, 20);
    ASSERT_EQ(container->onMouseDown(where, kLButton), kMouseEventHandled);
    container->onDragEnter(nullptr, where);
    container->removeAll(true);
    ASSERT_TRUE(destroyed);
    EXPECT_EQ(container->onMouseUp(where, 0), kMouseEventNotHandled);
    EXPECT_FALSE(container->onDrop(nullptr, where));
}

// Removes itself from its container while it handles the press.
class SelfRemovingView : public RecordingView {
public:
    using RecordingView::RecordingView;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override
    {
        RecordingView::onMouseDown(where, buttons);
        static_cast<CViewContainer*>(getParentView())->removeView(this, false);
        return kMouseEventHandled;
    }
};

TEST_F(ContainerTest, AChildThatLeavesDuringItsPressDoesNotBecomeThePressedChild)
{
    auto* leaving = new SelfRemovingView(CRect(0, 0, 100, 100), "leaving", log);
    container->addView(leaving);
    CPoint where(30, 20);
    EXPECT_EQ(container->onMouseDown(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(container->onMouseUp(where, 0), kMouseEventNotHandled);
    EXPECT_EQ(log.take(), Calls{"leaving down 10,10"});
    leaving->forget();
}

TEST_F(ContainerTest, WheelGoesToTheChildUnderThePoint)
{
    views[2]->setMouseableArea(CRect(50, 50, 100, 100));
    CPoint where(30, 20);
    EXPECT_TRUE(container->onWheel(where, 2.0f, kShift));
    EXPECT_EQ(log.take(), Calls{"V2 wheel 10,10"});
    EXPECT_EQ(views[1]->last("wheel").distance, 2.0f);
    EXPECT_EQ(views[1]->last("wheel").buttons, kShift);

    EXPECT_TRUE(container->onWheel(where, kMouseWheelAxisX, 3.0f, 0));
    EXPECT_EQ(views[1]->last("wheel").distance, -3.0f);
    CPoint nowhere(210, 150);
    EXPECT_FALSE(container->onWheel(nowhere, 1.0f, 0));
}

TEST_F(ContainerTest, DragEntersMovesLeavesAndDropsOnTheChildUnderThePoint)
{
    CRect leftHalf(0, 0, 50, 100);
    views[0]->setViewSize(leftHalf, false);
    views[0]->setMouseableArea(CRect(0, 0, 50, 100));
    views[1]->setMouseableArea(CRect(60, 0, 100, 100));
    views[2]->setMouseableArea(CRect(0, 0, 0, 0));
    views[2]->setVisible(false);
    CPoint overV1(30, 20); // local (10, 10)
    CPoint overV2(100, 20); // local (80, 10)
    CPoint overNothing(75, 20); // local (55, 10)

    container->onDragEnter(nullptr, overV1);
    container->onDragMove(nullptr, overV1);
    container->onDragMove(nullptr, overV2);
    container->onDragMove(nullptr, overNothing);
    container->onDragMove(nullptr, overV2);
    EXPECT_TRUE(container->onDrop(nullptr, overV2));
    EXPECT_EQ(log.take(),
              (Calls{"V1 dragEnter 10,10", "V1 dragMove 10,10", "V1 dragLeave 80,10", "V2 dragEnter 80,10",
                     "V2 dragLeave 55,10", "V2 dragEnter 80,10", "V2 drop 80,10", "V2 dragLeave 80,10"}));

    container->onDragEnter(nullptr, overV1);
    EXPECT_TRUE(container->onDrop(nullptr, overV2)) << "a drop on another child leaves the first";
    EXPECT_EQ(log.take(), (Calls{"V1 dragEnter 10,10", "V1 dragLeave 80,10", "V2 drop 80,10", "V2 dragLeave 80,10"}));

    container->onDragEnter(nullptr, overV1);
    container->onDragLeave(nullptr, overV1);
    EXPECT_FALSE(container->onDrop(nullptr, overNothing));
    EXPECT_EQ(log.take(), (Calls{"V1 dragEnter 10,10", "V1 dragLeave 10,10"}));
}

TEST_F(ContainerTest, DragAndLookupsNeedAFrame)
{
    CallLog detachedLog;
    CViewContainer loose(CRect(0, 0, 100, 100), nullptr);
    auto* child = new RecordingView(CRect(0, 0, 100, 100), "child", detachedLog);
    loose.addView(child);
    CPoint where(10, 10);
    loose.onDragEnter(nullptr, where);
    EXPECT_FALSE(loose.onDrop(nullptr, where));
    EXPECT_TRUE(detachedLog.take().empty());
    EXPECT_EQ(loose.getViewAt(where), nullptr);
    EXPECT_EQ(loose.getContainerAt(where), nullptr);
    EXPECT_EQ(loose.getCurrentView(), nullptr);
}

// The frame (0, 0, 300, 200) holds outer (20, 10, 220, 160), which holds
// inner (50, 50, 150, 150) with the view deep (10, 10, 40, 40) and, beside
// it, the view side (0, 0, 40, 40).
class LookupTest : public WindowlessFrameTest {
protected:
    LookupTest()
    {
        outer = new CViewContainer(CRect(20, 10, 220, 160), frame);
        inner = new CViewContainer(CRect(50, 50, 150, 150), frame);
        deep = new CView(CRect(10, 10, 40, 40));
        side = new CView(CRect(0, 0, 40, 40));
        inner->addView(deep);
        outer->addView(side);
        outer->addView(inner);
        frame->addView(outer);
    }

    CViewContainer* outer;
    CViewContainer* inner;
    CView* deep;
    CView* side;
};

TEST_F(LookupTest, ViewAndContainerUnderAPoint)
{
    struct Case {
        const char* name;
        CPoint where; // in the frame
        bool deepSearch;
        CView* view;
        CViewContainer* container;
    };
    const CPoint onDeep(20 + 50 + 20, 10 + 50 + 20);
    const CPoint onDeepsEdge(20 + 50 + 40, 10 + 50 + 40); // edges count
    const CPoint onInnerOnly(20 + 50 + 80, 10 + 50 + 80);
    const CPoint onSide(30, 20);
    const CPoint onNothing(20 + 190, 10 + 10);
    const Case cases[] = {
        {"deep, searched deeply", onDeep, true, deep, inner},
        {"deep, on its edge", onDeepsEdge, true, deep, inner},
        {"deep, shallow search", onDeep, false, inner, outer},
        {"inner without a child there", onInnerOnly, true, nullptr, inner},
        {"beside", onSide, true, side, outer},
        {"no child", onNothing, true, nullptr, outer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outer->getViewAt(c.where, c.deepSearch), c.view);
        EXPECT_EQ(outer->getContainerAt(c.where, c.deepSearch), c.container);
    }
}

TEST_F(LookupTest, InvisibleViewsAreSkippedAndAnInvisibleContainerFindsNothing)
{
    const CPoint onDeep(90, 80);
    deep->setVisible(false);
    EXPECT_EQ(outer->getViewAt(onDeep, true), nullptr);
    inner->setVisible(false);
    EXPECT_EQ(outer->getViewAt(onDeep, true), nullptr);
    EXPECT_EQ(outer->getContainerAt(onDeep, true), outer);
    EXPECT_EQ(outer->getViewAt(onDeep, false), nullptr);
    inner->setVisible(true);
    EXPECT_EQ(outer->getViewAt(onDeep, false), inner);
    outer->setVisible(false);
    EXPECT_EQ(outer->getViewAt(onDeep, false), nullptr);
}

TEST_F(LookupTest, SubviewHitTestsIgnoreVisibilityButNotTheMouseFlag)
{
    const CPoint onSide(30, 20);
    side->setVisible(false);
    EXPECT_TRUE(outer->hitTestSubViews(onSide));
    side->setMouseEnabled(false);
    EXPECT_FALSE(outer->hitTestSubViews(onSide));
}

TEST_F(LookupTest, PointsAndVisibleAreasConvertThroughEveryContainer)
{
    CPoint point(5, 5);
    deep->localToFrame(point);
    EXPECT_EQ(point, CPoint(5 + 50 + 20, 5 + 50 + 10));
    deep->frameToLocal(point);
    EXPECT_EQ(point, CPoint(5, 5));

    CPoint topLeft;
    deep->getFrameTopLeftPos(topLeft);
    EXPECT_EQ(topLeft, CPoint(10 + 50 + 20, 10 + 50 + 10));

    // inner reaches past outer's bottom edge: outer is 150 high.
    CRect tall(50, 50, 150, 250);
    inner->setViewSize(tall, false);
    CRect below(10, 60, 40, 140);
    deep->setViewSize(below, false);
    EXPECT_EQ(deep->getVisibleSize(), CRect(10, 60, 40, 100));
    EXPECT_EQ(CView(CRect(0, 0, 5, 5)).getVisibleSize(), CRect());
}

class FocusView : public RecordingView {
public:
    FocusView(const char* name, CallLog& log) : RecordingView(CRect(0, 0, 10, 10), name, log) { setWantsFocus(true); }
};

// outer holds A, then a container C with B inside, then D. Only A, B and D
// take the focus.
class FocusTest : public WindowlessFrameTest {
protected:
    FocusTest()
    {
        outer = new CViewContainer(CRect(0, 0, 100, 100), frame);
        nested = new CViewContainer(CRect(0, 0, 50, 50), frame);
        a = new FocusView("A", log);
        b = new FocusView("B", log);
        d = new FocusView("D", log);
        nested->addView(b);
        outer->addView(a);
        outer->addView(nested);
        outer->addView(d);
        frame->addView(outer);
        log.take();
    }

    CView* advance(CView* from, bool reverse)
    {
        return outer->advanceNextFocusView(from, reverse) ? frame->getFocusView() : nullptr;
    }

    CViewContainer* outer;
    CViewContainer* nested;
    FocusView* a;
    FocusView* b;
    FocusView* d;
};

TEST_F(FocusTest, TraversalForwardsAndBackwards)
{
    EXPECT_EQ(advance(nullptr, false), a);
    EXPECT_EQ(log.take(), Calls{"A takeFocus"});
    EXPECT_EQ(advance(a, false), b) << "into the nested container";
    EXPECT_EQ(advance(nested, false), d);
    EXPECT_EQ(advance(d, false), nullptr) << "nothing after the last";

    EXPECT_EQ(advance(nullptr, true), d);
    EXPECT_EQ(advance(d, true), b);
    EXPECT_EQ(advance(nested, true), a);
    EXPECT_EQ(advance(a, true), nullptr);
}

TEST_F(FocusTest, AnOldFocusThatIsNoDirectChildEndsTheWalk)
{
    EXPECT_FALSE(outer->advanceNextFocusView(b, false));
    EXPECT_TRUE(log.take().empty());
}

TEST_F(FocusTest, AViewLeavingWithItsContainerStopsHoldingTheFocus)
{
    frame->setFocusView(b);
    ASSERT_EQ(frame->getFocusView(), b);
    outer->removeView(nested, true);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FocusTest, FocusNoticesReachEveryChild)
{
    outer->takeFocus();
    outer->looseFocus();
    EXPECT_EQ(log.take(),
              (Calls{"A takeFocus", "B takeFocus", "D takeFocus", "A looseFocus", "B looseFocus", "D looseFocus"}));
}

TEST_F(WindowlessFrameTest, ColumnAutosizeSharesTheWidthChange)
{
    auto* column = new CViewContainer(CRect(0, 0, 90, 50), frame);
    column->setAutosizeFlags(kAutosizeColumn);
    RecordingView* parts[3];
    for (int i = 0; i < 3; ++i) {
        parts[i] = new RecordingView(CRect(30 * i, 0, 30 * i + 30, 50), "part", log);
        column->addView(parts[i]);
    }
    frame->addView(column);
    CRect wider(0, 0, 120, 50);
    column->setViewSize(wider);
    const CRect expected[] = {{0, 0, 40, 50}, {40, 0, 80, 50}, {80, 0, 120, 50}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(parts[i]->getViewSize(), expected[i]);
        EXPECT_EQ(parts[i]->getMouseableArea(), expected[i]);
        EXPECT_TRUE(parts[i]->isDirty());
    }
    EXPECT_EQ(log.take(), Calls(3, "part parentSizeChanged"));
}

TEST_F(WindowlessFrameTest, RightAndLeftFlagsMoveOrStretchAChild)
{
    struct Case {
        const char* name;
        int32_t flags;
        CRect expected;
    };
    const Case cases[] = {
        {"right only moves", kAutosizeRight, {30, 5, 50, 25}},
        {"left and right stretch", kAutosizeLeft | kAutosizeRight, {10, 5, 50, 25}},
        {"left only stays", kAutosizeLeft, {10, 5, 30, 25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* holder = new CViewContainer(CRect(0, 0, 100, 50), frame);
        auto* child = new RecordingView(CRect(10, 5, 30, 25), "child", log);
        child->setAutosizeFlags(c.flags);
        holder->addView(child);
        frame->addView(holder);
        CRect wider(0, 0, 120, 50);
        holder->setViewSize(wider);
        EXPECT_EQ(child->getViewSize(), c.expected);
        EXPECT_EQ(child->isDirty(), c.expected != CRect(10, 5, 30, 25)) << "only a changed child is resized";
        frame->removeView(holder);
    }
}

TEST_F(WindowlessFrameTest, ResizingToTheSameRectangleDoesNothing)
{
    auto* holder = new CViewContainer(CRect(0, 0, 100, 50), frame);
    auto* child = new RecordingView(CRect(10, 5, 30, 25), "child", log);
    holder->addView(child);
    frame->addView(holder);
    holder->setDirty(false);
    log.take();
    CRect same(0, 0, 100, 50);
    holder->setViewSize(same);
    EXPECT_FALSE(holder->isDirty());
    EXPECT_TRUE(log.take().empty());

    CRect moved(5, 5, 105, 55); // same extent: children stay, notice sent
    holder->setViewSize(moved);
    EXPECT_EQ(child->getViewSize(), CRect(10, 5, 30, 25));
    EXPECT_EQ(log.take(), Calls{"child parentSizeChanged"});
}

// recorder (10, 20, ...) in the frame holds box (5, 5, 105, 105), which
// holds the view.
class InvalidationTest : public WindowlessFrameTest {
protected:
    InvalidationTest()
    {
        recorder = new InvalidationRecorder(CRect(10, 20, 210, 180), frame);
        box = new CViewContainer(CRect(5, 5, 105, 105), frame);
        view = new RecordingView(CRect(10, 10, 30, 30), "view", log);
        box->addView(view);
        recorder->addView(box);
        frame->addView(recorder);
        recorder->received.clear();
        // A new container starts dirty.
        recorder->setDirty(false);
        box->setDirty(false);
    }

    InvalidationRecorder* recorder;
    CViewContainer* box;
    RecordingView* view;
};

TEST_F(InvalidationTest, RectanglesTravelUpInTheParentsCoordinatesClippedToEachContainer)
{
    view->invalid();
    EXPECT_EQ(recorder->received, std::vector<CRect>{CRect(15, 15, 35, 35)});
    recorder->received.clear();

    box->invalidRect(CRect(90, -10, 200, 20));
    EXPECT_EQ(recorder->received, std::vector<CRect>{CRect(95, 5, 105, 25)});
    recorder->received.clear();

    box->invalidRect(CRect(200, 200, 300, 300));
    EXPECT_TRUE(recorder->received.empty()) << "nothing of it inside the box";
    box->setVisible(false);
    view->invalid();
    box->invalid();
    EXPECT_TRUE(recorder->received.empty());
}

TEST_F(InvalidationTest, DirtyViewsAreInvalidatedAndCleared)
{
    view->setDirty(true);
    auto* hidden = new RecordingView(CRect(40, 40, 60, 60), "hidden", log);
    box->addView(hidden);
    hidden->setVisible(false); // marks it dirty
    recorder->received.clear();
    ASSERT_TRUE(box->isDirty());

    EXPECT_TRUE(recorder->invalidateDirtyViews());
    EXPECT_EQ(recorder->received, std::vector<CRect>{CRect(15, 15, 35, 35)});
    EXPECT_FALSE(view->isDirty());
    EXPECT_TRUE(hidden->isDirty()) << "invisible views are not invalidated";
}

TEST_F(InvalidationTest, ADirtyContainerSendsItsWholeArea)
{
    view->setDirty(true);
    box->setDirty(true);
    recorder->invalidateDirtyViews();
    EXPECT_EQ(recorder->received, std::vector<CRect>{CRect(5, 5, 105, 105)});
    EXPECT_TRUE(view->isDirty()) << "its children are not visited";
}

TEST_F(InvalidationTest, RemovingOneViewInvalidatesItsAreaButRemovingAllDoesNot)
{
    box->addView(new CView(CRect(50, 50, 60, 60)));
    recorder->received.clear();
    box->removeView(view);
    EXPECT_EQ(recorder->received, std::vector<CRect>{CRect(15, 15, 35, 35)});
    recorder->received.clear();
    box->removeAll();
    EXPECT_TRUE(recorder->received.empty());
}

TEST_F(InvalidationTest, ADirtyChildOutsideTheContainerDoesNotMakeItDirty)
{
    CRect outside(120, 10, 140, 30);
    view->setViewSize(outside, true);
    EXPECT_FALSE(box->isDirty());
}

TEST_F(WindowlessFrameTest, ViewsJoinATreeOnlyWithTheirContainer)
{
    auto* recorder = new InvalidationRecorder(CRect(0, 0, 200, 200), frame);
    frame->addView(recorder);
    auto* loose = new CViewContainer(CRect(10, 10, 100, 100), frame);
    auto* view = new CView(CRect(0, 0, 20, 20));
    loose->addView(view);
    EXPECT_FALSE(view->isAttached());
    recorder->received.clear();

    recorder->addView(loose);
    EXPECT_TRUE(loose->isAttached());
    EXPECT_TRUE(view->isAttached());
    EXPECT_EQ(view->getFrame(), frame);
    EXPECT_EQ(recorder->received, std::vector<CRect>{CRect(10, 10, 100, 100)}) << "the added container is invalidated";

    recorder->removeView(loose, false);
    EXPECT_FALSE(view->isAttached());
    EXPECT_EQ(view->getFrame(), nullptr);
    loose->forget();
}

TEST_F(WindowlessFrameTest, ContainerAnswersTheContainerMessageOnlyToTheSharedText)
{
    CViewContainer container(CRect(), frame);
    char copy[64];
    std::strcpy(copy, kMsgCheckIfViewContainer);
    EXPECT_EQ(container.notify(nullptr, kMsgCheckIfViewContainer), kMessageNotified);
    EXPECT_EQ(container.notify(nullptr, copy), kMessageUnknown);
    EXPECT_TRUE(container.isTypeOf("CViewContainer"));
    EXPECT_TRUE(container.isTypeOf("CView"));
    EXPECT_FALSE(container.isTypeOf("CFrame"));
}

TEST_F(WindowlessFrameTest, ACopyCopiesTheChildrenAndIsNotAttached)
{
    auto* original = new CViewContainer(CRect(0, 0, 50, 50), frame);
    original->setBackgroundColor(CColor{1, 2, 3, 255});
    original->addView(new CView(CRect(1, 1, 5, 5)));
    original->addView(new CView(CRect(2, 2, 6, 6)));
    frame->addView(original);

    CView* copy = original->newCopy();
    ASSERT_TRUE(copy->isTypeOf("CViewContainer"));
    auto* copied = static_cast<CViewContainer*>(copy);
    EXPECT_FALSE(copied->isAttached());
    EXPECT_EQ(copied->getBackgroundColor(), (CColor{1, 2, 3, 255}));
    ASSERT_EQ(copied->getNbViews(), 2);
    EXPECT_EQ(copied->getView(1)->getViewSize(), CRect(2, 2, 6, 6));
    EXPECT_NE(copied->getView(1), original->getView(1));
    EXPECT_FALSE(copied->getView(1)->isAttached());
    copy->forget();
}

} // namespace
} // namespace test
} // namespace VSTGUI
