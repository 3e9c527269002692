#include "gui/bitmap.h"

#include "gdiplus_test_support.h"
#include "view_test_support.h"

#include <cstring>

namespace VSTGUI {
namespace test {
namespace {

TEST(ViewTest, DefaultsDeclineEverything)
{
    CView view(CRect(1, 2, 3, 4));
    CPoint where(2, 3);
    EXPECT_EQ(view.onMouseDown(where, kLButton), kMouseEventNotImplemented);
    EXPECT_EQ(view.onMouseUp(where, kLButton), kMouseEventNotImplemented);
    EXPECT_EQ(view.onMouseMoved(where, kLButton), kMouseEventNotImplemented);
    EXPECT_EQ(view.onMouseEntered(where, 0), kMouseEventNotImplemented);
    EXPECT_EQ(view.onMouseExited(where, 0), kMouseEventNotImplemented);
    EXPECT_FALSE(view.onWheel(where, 1.0f, 0));
    EXPECT_FALSE(view.onDrop(nullptr, where));
    EXPECT_EQ(view.getMouseableArea(), CRect(1, 2, 3, 4));
    EXPECT_TRUE(view.getMouseEnabled());
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(view.isDirty());
    EXPECT_FALSE(view.wantsFocus());
    EXPECT_EQ(view.getEditor(), nullptr);
    EXPECT_TRUE(view.isTypeOf("CView"));
    EXPECT_FALSE(view.isTypeOf("CViewContainer"));
    EXPECT_EQ(view.notify(nullptr, kMsgCheckIfViewContainer), kMessageUnknown);
    EXPECT_EQ(view.getVisibleSize(), CRect()) << "no parent and no frame";
}

TEST(ViewTest, HitTestCountsTheEdgesOfTheMouseableArea)
{
    CView view(CRect(0, 0, 50, 50));
    view.setMouseableArea(CRect(10, 10, 20, 20));
    EXPECT_TRUE(view.hitTest(CPoint(20, 20)));
    EXPECT_TRUE(view.hitTest(CPoint(10, 10)));
    EXPECT_FALSE(view.hitTest(CPoint(20.5, 15)));
    EXPECT_FALSE(view.hitTest(CPoint(5, 5))) << "the size plays no part";
}

// Overrides only the three-argument wheel.
class WheelView : public CView {
public:
    WheelView() : CView(CRect()) {}
    bool onWheel(const CPoint&, const float& distance, const int32_t&) override
    {
        received = distance;
        return true;
    }
    float received = 0;
};

TEST(ViewTest, HorizontalWheelReachesTheVerticalFormNegated)
{
    WheelView view;
    CView& asView = view;
    EXPECT_TRUE(asView.onWheel(CPoint(), kMouseWheelAxisX, 2.0f, 0));
    EXPECT_EQ(view.received, -2.0f);
    EXPECT_TRUE(asView.onWheel(CPoint(), kMouseWheelAxisY, 2.0f, 0));
    EXPECT_EQ(view.received, 2.0f);
}

TEST(ViewTest, DirtyMarksFollowVisibilityAndSizeChanges)
{
    CView view(CRect(0, 0, 10, 10));
    view.setVisible(true);
    EXPECT_FALSE(view.isDirty()) << "an unchanged visibility marks nothing";
    view.setVisible(false);
    EXPECT_TRUE(view.isDirty());
    view.invalid();
    EXPECT_FALSE(view.isDirty()) << "also when nothing is sent up";

    CRect moved(5, 5, 20, 20);
    view.setViewSize(moved, false);
    EXPECT_EQ(view.getViewSize(), moved);
    EXPECT_FALSE(view.isDirty());
    EXPECT_EQ(view.getMouseableArea(), CRect(0, 0, 10, 10));
    CRect again(1, 1, 2, 2);
    view.setViewSize(again);
    EXPECT_TRUE(view.isDirty());
}

TEST_F(WindowlessFrameTest, InvalidRectNeedsAnAttachedVisibleView)
{
    auto* parent = new InvalidationRecorder(CRect(0, 0, 100, 100), frame);
    auto* view = new CView(CRect(10, 10, 20, 20));

    view->invalidRect(CRect(1, 2, 3, 4));
    EXPECT_TRUE(parent->received.empty()) << "detached";
    parent->addView(view);
    frame->addView(parent);
    parent->received.clear();

    view->invalidRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(parent->received, std::vector<CRect>{CRect(1, 2, 3, 4)}) << "passed on unchanged";
    view->setVisible(false);
    view->invalidRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(parent->received.size(), 1u);
}

TEST_F(WindowlessFrameTest, AttachedTwiceKeepsTheFirstParent)
{
    auto* first = new CViewContainer(CRect(0, 0, 50, 50), frame);
    frame->addView(first);
    auto* view = new CView(CRect());
    first->addView(view);
    CViewContainer second(CRect(), frame);
    EXPECT_FALSE(view->attached(&second));
    EXPECT_EQ(view->getParentView(), first);
    EXPECT_EQ(view->getFrame(), frame);
    EXPECT_TRUE(view->removed(first));
    EXPECT_FALSE(view->removed(first));
    EXPECT_EQ(view->getParentView(), nullptr);
    EXPECT_EQ(view->getEditor(), nullptr);
    EXPECT_TRUE(view->attached(first)); // back, so that the container's end finds it as it was

    // A container attached a second time keeps its place and its children's.
    EXPECT_FALSE(first->attached(&second));
    EXPECT_EQ(first->getParentView(), frame);
    EXPECT_EQ(view->getParentView(), first);
}

class BitmapViewTest : public GdiPlusTest {};

TEST_F(BitmapViewTest, SettingTheSameBackgroundKeepsItAlive)
{
    auto* bitmap = new CBitmap();
    {
        CView view{CRect()};
        view.setBackground(bitmap);
        EXPECT_EQ(bitmap->getNbReference(), 2);
        view.setBackground(bitmap);
        EXPECT_EQ(bitmap->getNbReference(), 2);
        EXPECT_EQ(view.getBackground(), bitmap);
        view.setBackground(nullptr);
        EXPECT_EQ(bitmap->getNbReference(), 1);
        view.setBackground(bitmap);
    }
    EXPECT_EQ(bitmap->getNbReference(), 1) << "the view's destructor dropped its reference";
    bitmap->forget();
}

TEST_F(BitmapViewTest, ACopyIsDetachedVisibleAndSharesTheBackground)
{
    auto* bitmap = new CBitmap();
    CView original(CRect(1, 2, 3, 4));
    original.setMouseableArea(CRect(0, 0, 9, 9));
    original.setBackground(bitmap);
    original.setVisible(false);
    original.setWantsFocus(true);
    original.setTransparency(true);
    original.setAutosizeFlags(kAutosizeRight);
    original.setMouseEnabled(false);
    const char first[] = "one";
    const char second[] = "second";
    original.setAttribute(4, sizeof first, first);
    original.setAttribute(2, sizeof second, second);

    CView* copy = original.newCopy();
    EXPECT_EQ(bitmap->getNbReference(), 3);
    EXPECT_EQ(copy->getNbReference(), 1);
    EXPECT_TRUE(copy->isVisible());
    EXPECT_FALSE(copy->isDirty());
    EXPECT_FALSE(copy->isAttached());
    EXPECT_EQ(copy->getViewSize(), CRect(1, 2, 3, 4));
    EXPECT_EQ(copy->getMouseableArea(), CRect(0, 0, 9, 9));
    EXPECT_TRUE(copy->wantsFocus());
    EXPECT_TRUE(copy->getTransparency());
    EXPECT_FALSE(copy->getMouseEnabled());
    EXPECT_EQ(copy->getAutosizeFlags(), kAutosizeRight);
    char read[16] = {};
    int32_t size = 0;
    ASSERT_TRUE(copy->getAttribute(2, sizeof read, read, size));
    EXPECT_EQ(size, static_cast<int32_t>(sizeof second));
    EXPECT_STREQ(read, "second");
    ASSERT_TRUE(copy->getAttribute(4, sizeof read, read, size));
    EXPECT_STREQ(read, "one");
    copy->forget();
    EXPECT_EQ(bitmap->getNbReference(), 2);
    bitmap->forget();
}

TEST(ViewTest, AttributesThroughTheView)
{
    CView view{CRect()};
    const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t four[4] = {9, 9, 9, 9};
    EXPECT_TRUE(view.setAttribute(7, 8, eight));
    EXPECT_TRUE(view.setAttribute(7, 4, four));
    int32_t size = 0;
    EXPECT_TRUE(view.getAttributeSize(7, size));
    EXPECT_EQ(size, 8);
    uint8_t read[8] = {};
    EXPECT_TRUE(view.getAttribute(7, 8, read, size));
    EXPECT_EQ(read[3], 9);
    EXPECT_EQ(read[4], 5);
    EXPECT_TRUE(view.removeAttribute(7));
    EXPECT_FALSE(view.getAttributeSize(7, size));
}

} // namespace
} // namespace test
} // namespace VSTGUI
