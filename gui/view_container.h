#pragma once

#include "view.h"

#include <cstdint>

namespace VSTGUI {

class COffscreenContext;

// A node of a container's child list. The node holds one reference to its
// view for as long as it exists.
struct CCView {
    explicit CCView(CView* view);
    ~CCView();
    CCView(const CCView&) = delete;
    CCView& operator=(const CCView&) = delete;

    CView* pView;
    CCView* pNext = nullptr;
    CCView* pPrevious = nullptr;
};

// A view holding an ordered list of children. The first child lies at the
// bottom and is drawn first; searches for the child under a point, and
// presses and keys, go from the last child to the first. Children live in
// the container's local coordinates, whose origin is its top-left corner.
//
// addView takes over the caller's reference; removeView and removeAll with
// withForget release it again, and the destructor removes every child so.
// [GUI thread]
class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    // Copies every child with newCopy; the copy is not attached.
    CViewContainer(const CViewContainer& other);
    CViewContainer& operator=(const CViewContainer&) = delete;
    ~CViewContainer() override;

    // Overrides of the view, in the view's order.
    CMessageResult notify(CBaseObject* sender, const char* message) override;
    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    bool isDirty() const override;
    void invalidRect(const CRect rect) override;
    void invalid() override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    bool hitTest(const CPoint& where, const int32_t buttons = -1) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const int32_t& buttons) override;
    bool onDrop(CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDragContainer* drag, const CPoint& where) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    // Moves and stretches the children by their autosize flags.
    void setViewSize(CRect& rect, bool invalid = true) override;
    void parentSizeChanged() override;
    CPoint& frameToLocal(CPoint& point) const override;
    CPoint& localToFrame(CPoint& point) const override;
    void looseFocus() override;
    void takeFocus() override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;

    // The container's own operations.
    // False for a null view or one that already is in a tree.
    virtual bool addView(CView* view);
    virtual bool addView(CView* view, CRect& mouseableArea, bool mouseEnabled = true);
    // A before that is not a child puts the view just before the last child.
    virtual bool addView(CView* view, CView* before);
    virtual bool removeView(CView* view, const bool& withForget = true);
    virtual bool removeAll(const bool& withForget = true);
    virtual bool isChild(CView* view) const;
    virtual int32_t getNbViews() const;
    // Null for an index outside the list.
    virtual CView* getView(int32_t index) const;
    // The topmost visible child under the point (parent coordinates); deep
    // descends into child containers.
    virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
    // The innermost container under the point, at least this one.
    virtual CViewContainer* getContainerAt(const CPoint& where, bool deep = false);
    virtual void setBackgroundColor(CColor color);
    virtual CColor getBackgroundColor() const;
    virtual void setBackgroundOffset(const CPoint& offset);
    virtual const CPoint& getBackgroundOffset() const;
    // rect is in local coordinates.
    virtual void drawBackgroundRect(CDrawContext* context, CRect& rect);
    virtual void useOffscreen(bool state);
    virtual bool advanceNextFocusView(CView* oldFocus, bool reverse = false);
    virtual bool invalidateDirtyViews();
    using CView::getVisibleSize;
    // rect (local coordinates) clipped by this container and the ones
    // enclosing it.
    virtual CRect getVisibleSize(const CRect rect) const;
    // The child under the current cursor position.
    virtual CView* getCurrentView() const;
    virtual bool checkUpdateRect(CView* view, const CRect& rect);
    virtual bool hitTestSubViews(const CPoint& where, const int32_t buttons = -1);

    // Draws the children behind the given rectangle straight into the
    // context, never through the offscreen.
    void drawBackToFront(CDrawContext* context, const CRect& updateRect);

protected:
    CCView* pFirstView = nullptr;
    CCView* pLastView = nullptr;
    COffscreenContext* pOffscreenContext = nullptr;
    CColor backgroundColor{0, 0, 0, 255};
    CPoint backgroundOffset;
    bool bDrawInOffscreen = false;
    // Neither holds a reference; both are cleared when their child leaves.
    CView* currentDragView = nullptr;
    CView* mouseDownView = nullptr;

private:
    // Makes the offscreen of the container's size when drawing through one.
    void makeOffscreen();
    // Steps shared by drawRect and drawBackToFront: clip, background and the
    // children that meet the update rectangle.
    void drawChildren(CDrawContext* context, CDrawContext* target, const CRect& updateRect, bool intoOffscreen);
    // Forgets links to a child that is leaving the list.
    void forgetLinksTo(CView* view);
    void sendUpInvalidRect(const CRect& rect);
    CPoint toLocal(const CPoint& where) const;
    // The topmost visible child whose mouseable area holds the local point.
    CView* visibleChildAt(const CPoint& local) const;
    // Children from the last to the first until one takes the key.
    int32_t offerKey(VstKeyCode& keyCode, int32_t (CView::*handler)(VstKeyCode&));
};

} // namespace VSTGUI
