#include "view_container.h"

#include "autosize.h"
#include "bitmap.h"
#include "draw_context.h"
#include "frame.h"
#include "offscreen_context.h"

#include <cstring>

namespace VSTGUI {

namespace {

constexpr CColor kOpaqueBlack{0, 0, 0, 255};

CViewContainer* asContainer(CView* view)
{
    return view && view->isTypeOf("CViewContainer") ? static_cast<CViewContainer*>(view) : nullptr;
}

} // namespace

CCView::CCView(CView* view) : pView(view)
{
    pView->remember();
}

CCView::~CCView()
{
    pView->forget();
}

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background) : CView(size)
{
    pParentFrame = frame;
    setBackground(background);
}

CViewContainer::CViewContainer(const CViewContainer& other)
    : CView(other), backgroundColor(other.backgroundColor), backgroundOffset(other.backgroundOffset),
      bDrawInOffscreen(other.bDrawInOffscreen)
{
    const int32_t count = other.getNbViews();
    for (int32_t index = 0; index < count; ++index)
        addView(other.getView(index)->newCopy());
}

CViewContainer::~CViewContainer()
{
    removeAll(true);
    if (pOffscreenContext)
        pOffscreenContext->forget();
}

CMessageResult CViewContainer::notify(CBaseObject* sender, const char* message)
{
    if (message == kMsgCheckIfViewContainer)
        return kMessageNotified;
    return CView::notify(sender, message);
}

// Child list.

bool CViewContainer::addView(CView* view)
{
    if (!view || view->isAttached())
        return false;
    auto* node = new CCView(view);
    node->pPrevious = pLastView;
    if (pLastView)
        pLastView->pNext = node;
    else
        pFirstView = node;
    pLastView = node;
    if (bIsAttached) {
        view->attached(this);
        view->invalid();
    }
    return true;
}

bool CViewContainer::addView(CView* view, CRect& mouseableArea, bool mouseEnabled)
{
    if (!view || !addView(view))
        return false;
    view->setMouseEnabled(mouseEnabled);
    view->setMouseableArea(mouseableArea);
    return true;
}

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view->isAttached())
        return false;
    auto* node = new CCView(view);
    if (!pFirstView) {
        pFirstView = pLastView = node;
    } else {
        // Stops at before, or at the last child when before is not a child.
        CCView* next = pFirstView;
        while (next->pView != before && next->pNext)
            next = next->pNext;
        node->pNext = next;
        node->pPrevious = next->pPrevious;
        if (next->pPrevious)
            next->pPrevious->pNext = node;
        else
            pFirstView = node;
        next->pPrevious = node;
    }
    if (bIsAttached) {
        view->attached(this);
        view->invalid();
    }
    return true;
}

bool CViewContainer::removeView(CView* view, const bool& withForget)
{
    CCView* node = pFirstView;
    while (node && node->pView != view)
        node = node->pNext;
    if (!node)
        return false;
    view->invalid();
    if (pParentFrame)
        pParentFrame->onViewRemoved(view);
    if (bIsAttached)
        view->removed(this);

    (node->pPrevious ? node->pPrevious->pNext : pFirstView) = node->pNext;
    (node->pNext ? node->pNext->pPrevious : pLastView) = node->pPrevious;
    forgetLinksTo(view);
    if (withForget)
        view->forget();
    delete node;
    return true;
}

bool CViewContainer::removeAll(const bool& withForget)
{
    // Each node leaves the list before its view is told, so whatever the
    // view does meanwhile sees a consistent list.
    while (CCView* node = pFirstView) {
        pFirstView = node->pNext;
        if (pFirstView)
            pFirstView->pPrevious = nullptr;
        else
            pLastView = nullptr;

        CView* view = node->pView;
        if (pParentFrame)
            pParentFrame->onViewRemoved(view);
        if (bIsAttached)
            view->removed(this);
        forgetLinksTo(view);
        if (withForget)
            view->forget();
        delete node;
    }
    return true;
}

void CViewContainer::forgetLinksTo(CView* view)
{
    if (mouseDownView == view)
        mouseDownView = nullptr;
    if (currentDragView == view)
        currentDragView = nullptr;
}

bool CViewContainer::isChild(CView* view) const
{
    for (CCView* node = pFirstView; node; node = node->pNext)
        if (node->pView == view)
            return true;
    return false;
}

int32_t CViewContainer::getNbViews() const
{
    int32_t count = 0;
    for (CCView* node = pFirstView; node; node = node->pNext)
        ++count;
    return count;
}

CView* CViewContainer::getView(int32_t index) const
{
    if (index < 0)
        return nullptr;
    CCView* node = pFirstView;
    for (; node && index > 0; --index)
        node = node->pNext;
    return node ? node->pView : nullptr;
}

// Coordinates and visible area.

CPoint CViewContainer::toLocal(const CPoint& where) const
{
    return CPoint(where.h - size.left, where.v - size.top);
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const
{
    point.offset(-size.left, -size.top);
    if (const CViewContainer* parent = asContainer(pParentView))
        parent->frameToLocal(point);
    return point;
}

CPoint& CViewContainer::localToFrame(CPoint& point) const
{
    point.offset(size.left, size.top);
    if (const CViewContainer* parent = asContainer(pParentView))
        parent->localToFrame(point);
    return point;
}

CRect CViewContainer::getVisibleSize(const CRect rect) const
{
    CRect visible = rect;
    visible.offset(size.left, size.top).bound(size);
    if (static_cast<const CView*>(pParentFrame) != this) {
        if (const CViewContainer* parent = asContainer(pParentView))
            visible = parent->getVisibleSize(visible);
        else if (pParentFrame)
            visible = static_cast<const CViewContainer*>(pParentFrame)->getVisibleSize(visible);
    }
    visible.offset(-size.left, -size.top);
    return visible;
}

// Drawing.

void CViewContainer::makeOffscreen()
{
    pOffscreenContext = new COffscreenContext(pParentFrame, truncateToInt(size.getWidth()),
                                              truncateToInt(size.getHeight()), kOpaqueBlack);
}

void CViewContainer::draw(CDrawContext* context)
{
    drawRect(context, size);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    const bool intoOffscreen = bDrawInOffscreen;
    CDrawContext* target = context;
    const CPoint savedScreenOffset = context->getScreenOffset();
    const CPoint savedOffset = context->getOffset();
    if (intoOffscreen) {
        if (!pOffscreenContext)
            makeOffscreen();
        target = pOffscreenContext;
    } else {
        context->setScreenOffset(CPoint(savedScreenOffset).offset(size.left, size.top));
        context->setOffset(CPoint(savedOffset).offset(size.left, size.top));
    }

    drawChildren(context, target, updateRect, intoOffscreen);

    if (intoOffscreen) {
        CRect bounded = updateRect;
        bounded.bound(size);
        if (CBitmap* bitmap = pOffscreenContext->getBitmap())
            bitmap->draw(context, bounded, CPoint(bounded.left - size.left, bounded.top - size.top));
    } else {
        context->setScreenOffset(savedScreenOffset);
        context->setOffset(savedOffset);
    }
    setDirty(false);
}

void CViewContainer::drawBackToFront(CDrawContext* context, const CRect& updateRect)
{
    const CPoint savedScreenOffset = context->getScreenOffset();
    const CPoint savedOffset = context->getOffset();
    context->setScreenOffset(CPoint(savedScreenOffset).offset(size.left, size.top));
    context->setOffset(CPoint(savedOffset).offset(size.left, size.top));
    drawChildren(context, context, updateRect, false);
    context->setScreenOffset(savedScreenOffset);
    context->setOffset(savedOffset);
}

void CViewContainer::drawChildren(CDrawContext* context, CDrawContext* target, const CRect& updateRect,
                                  bool intoOffscreen)
{
    CRect client = updateRect;
    client.bound(size).offset(-size.left, -size.top);

    CRect oldClip;
    context->getClipRect(oldClip);
    const CRect savedClip = oldClip;
    // The offscreen has its own origin at the container's corner.
    if (intoOffscreen && static_cast<CView*>(pParentFrame) != this)
        oldClip.offset(-oldClip.left, -oldClip.top);

    CRect newClip = client;
    newClip.bound(oldClip);
    target->setClipRect(newClip);

    drawBackgroundRect(target, client);

    for (CCView* node = pFirstView; node; node = node->pNext) {
        CView* child = node->pView;
        if (!checkUpdateRect(child, client))
            continue;
        CRect childClip = child->getViewSize();
        childClip.bound(newClip);
        if (childClip.getWidth() == 0 || childClip.getHeight() == 0)
            continue;
        target->setClipRect(childClip);
        child->drawRect(target, client);
    }
    target->setClipRect(savedClip);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, CRect& rect)
{
    if (pBackground) {
        CRect savedClip;
        context->getClipRect(savedClip);
        CRect clip = rect;
        context->setClipRect(clip.bound(savedClip));
        CRect whole(0, 0, pBackground->getWidth(), pBackground->getHeight());
        if (bTransparencyEnabled)
            pBackground->drawTransparent(context, whole, backgroundOffset);
        else
            pBackground->draw(context, whole, backgroundOffset);
        context->setClipRect(savedClip);
        return;
    }
    if (backgroundColor.alpha == 255 && bTransparencyEnabled)
        return;
    context->setFillColor(backgroundColor);
    context->setFrameColor(backgroundColor);
    context->drawRect(CRect(0, 0, size.getWidth(), size.getHeight()), kDrawFilledAndStroked);
}

bool CViewContainer::checkUpdateRect(CView* view, const CRect& rect)
{
    return view->checkUpdate(rect) && view->isVisible();
}

bool CViewContainer::isDirty() const
{
    if (bDirty)
        return true;
    const CRect local(0, 0, size.getWidth(), size.getHeight());
    for (CCView* node = pFirstView; node; node = node->pNext) {
        if (!node->pView->isDirty())
            continue;
        CRect shown = node->pView->getViewSize();
        shown.bound(local);
        if (shown.getWidth() > 0 && shown.getHeight() > 0)
            return true;
    }
    return false;
}

void CViewContainer::setBackgroundColor(CColor color)
{
    backgroundColor = color;
    setDirty(true);
}

CColor CViewContainer::getBackgroundColor() const
{
    return backgroundColor;
}

void CViewContainer::setBackgroundOffset(const CPoint& offset)
{
    backgroundOffset = offset;
}

const CPoint& CViewContainer::getBackgroundOffset() const
{
    return backgroundOffset;
}

void CViewContainer::useOffscreen(bool state)
{
    bDrawInOffscreen = state;
    if (!state && pOffscreenContext) {
        pOffscreenContext->forget();
        pOffscreenContext = nullptr;
    }
}

// Invalidation.

void CViewContainer::sendUpInvalidRect(const CRect& rect)
{
    if (pParentView)
        pParentView->invalidRect(rect);
    else if (pParentFrame)
        pParentFrame->invalidRect(rect);
}

void CViewContainer::invalidRect(const CRect rect)
{
    if (!bVisible)
        return;
    CRect inParent = rect;
    inParent.offset(size.left, size.top).bound(size);
    if (!inParent.isEmpty())
        sendUpInvalidRect(inParent);
}

void CViewContainer::invalid()
{
    if (bVisible)
        sendUpInvalidRect(size);
}

bool CViewContainer::invalidateDirtyViews()
{
    if (!bVisible)
        return true;
    if (bDirty) {
        sendUpInvalidRect(size);
        return true;
    }
    for (CCView* node = pFirstView; node; node = node->pNext) {
        CView* child = node->pView;
        if (!child->isDirty() || !child->isVisible())
            continue;
        if (CViewContainer* container = asContainer(child))
            container->invalidateDirtyViews();
        else
            child->invalid();
    }
    return true;
}

// Mouse.

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const int32_t& buttons)
{
    CPoint local = toLocal(where);
    for (CCView* node = pLastView; node; node = node->pPrevious) {
        CView* child = node->pView;
        if (!child || !child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        const CMouseEventResult result = child->onMouseDown(local, buttons);
        if (result == kMouseEventHandled) {
            // A child that left the list while handling the press is not
            // followed any further.
            if (isChild(child))
                mouseDownView = child;
        } else if (result == kMouseEventNotImplemented) {
            CDrawContext* context = pParentFrame ? pParentFrame->createDrawContext() : nullptr;
            child->mouse(context, local, buttons);
            if (context)
                context->forget();
        }
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const int32_t& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    CView* pressed = mouseDownView;
    mouseDownView = nullptr;
    CPoint local = toLocal(where);
    pressed->onMouseUp(local, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    CPoint local = toLocal(where);
    if (mouseDownView->onMouseMoved(local, buttons) == kMouseEventHandled)
        return kMouseEventHandled;
    mouseDownView = nullptr;
    return kMouseEventNotHandled;
}

void CViewContainer::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    CPoint local = toLocal(where);
    if (buttons == -1 && context)
        buttons = context->getMouseButtons();
    for (CCView* node = pLastView; node; node = node->pPrevious) {
        CView* child = node->pView;
        if (child && child->getMouseEnabled() && child->hitTest(local, buttons)) {
            child->mouse(context, local, buttons);
            return;
        }
    }
}

bool CViewContainer::hitTest(const CPoint& where, const int32_t buttons)
{
    return CView::hitTest(where, buttons);
}

bool CViewContainer::hitTestSubViews(const CPoint& where, const int32_t buttons)
{
    const CPoint local = toLocal(where);
    for (CCView* node = pLastView; node; node = node->pPrevious)
        if (node->pView->getMouseEnabled() && node->pView->hitTest(local, buttons))
            return true;
    return false;
}

CView* CViewContainer::visibleChildAt(const CPoint& local) const
{
    for (CCView* node = pLastView; node; node = node->pPrevious) {
        CView* child = node->pView;
        if (child && child->isVisible() && local.isInside(child->getMouseableArea()))
            return child;
    }
    return nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    if (!pParentFrame || !bVisible)
        return nullptr;
    const CPoint local = toLocal(where);
    CView* child = visibleChildAt(local);
    if (CViewContainer* container = deep ? asContainer(child) : nullptr)
        return container->getViewAt(local, true);
    return child;
}

CViewContainer* CViewContainer::getContainerAt(const CPoint& where, bool deep)
{
    if (!pParentFrame)
        return nullptr;
    const CPoint local = toLocal(where);
    if (CViewContainer* container = deep ? asContainer(visibleChildAt(local)) : nullptr)
        return container->getContainerAt(local, true);
    return this;
}

CView* CViewContainer::getCurrentView() const
{
    if (!pParentFrame)
        return nullptr;
    CPoint where;
    pParentFrame->getCurrentMouseLocation(where);
    frameToLocal(where);
    for (CCView* node = pLastView; node; node = node->pPrevious)
        if (where.isInside(node->pView->getMouseableArea()))
            return node->pView;
    return nullptr;
}

// Wheel and keys.

bool CViewContainer::onWheel(const CPoint& where, const float& distance, const int32_t& buttons)
{
    return onWheel(where, kMouseWheelAxisY, distance, buttons);
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const int32_t& buttons)
{
    CView* child = getViewAt(where, false);
    if (!child)
        return false;
    return child->onWheel(toLocal(where), axis, distance, buttons);
}

int32_t CViewContainer::offerKey(VstKeyCode& keyCode, int32_t (CView::*handler)(VstKeyCode&))
{
    for (CCView* node = pLastView; node; node = node->pPrevious) {
        const int32_t result = (node->pView->*handler)(keyCode);
        if (result != kKeyNotHandled)
            return result;
    }
    return kKeyNotHandled;
}

int32_t CViewContainer::onKeyDown(VstKeyCode& keyCode)
{
    return offerKey(keyCode, &CView::onKeyDown);
}

int32_t CViewContainer::onKeyUp(VstKeyCode& keyCode)
{
    return offerKey(keyCode, &CView::onKeyUp);
}

// Drag and drop.

void CViewContainer::onDragEnter(CDragContainer* drag, const CPoint& where)
{
    if (!pParentFrame)
        return;
    const CPoint local = toLocal(where);
    if (currentDragView)
        currentDragView->onDragLeave(drag, local);
    currentDragView = getViewAt(where, false);
    if (currentDragView)
        currentDragView->onDragEnter(drag, local);
}

void CViewContainer::onDragMove(CDragContainer* drag, const CPoint& where)
{
    if (!pParentFrame)
        return;
    const CPoint local = toLocal(where);
    CView* under = getViewAt(where, false);
    if (under != currentDragView) {
        if (currentDragView)
            currentDragView->onDragLeave(drag, local);
        if (under)
            under->onDragEnter(drag, local);
        currentDragView = under;
    } else if (under) {
        under->onDragMove(drag, local);
    }
}

void CViewContainer::onDragLeave(CDragContainer* drag, const CPoint& where)
{
    if (!pParentFrame)
        return;
    if (currentDragView)
        currentDragView->onDragLeave(drag, toLocal(where));
    currentDragView = nullptr;
}

bool CViewContainer::onDrop(CDragContainer* drag, const CPoint& where)
{
    if (!pParentFrame)
        return false;
    const CPoint local = toLocal(where);
    CView* under = getViewAt(where, false);
    if (under != currentDragView) {
        if (currentDragView)
            currentDragView->onDragLeave(drag, local);
        currentDragView = under;
    }
    if (!under) {
        currentDragView = nullptr;
        return false;
    }
    const bool dropped = under->onDrop(drag, local);
    // Not told again when the drop took it out of the list.
    if (currentDragView == under)
        under->onDragLeave(drag, local);
    currentDragView = nullptr;
    return dropped;
}

// Focus.

bool CViewContainer::advanceNextFocusView(CView* oldFocus, bool reverse)
{
    if (!pParentFrame)
        return false;
    auto step = [reverse](CCView* node) { return reverse ? node->pPrevious : node->pNext; };
    CCView* node = reverse ? pLastView : pFirstView;
    if (oldFocus) {
        while (node && node->pView != oldFocus)
            node = step(node);
        if (!node)
            return false;
        node = step(node);
    }
    for (; node; node = step(node)) {
        CView* child = node->pView;
        if (child->wantsFocus()) {
            pParentFrame->setFocusView(child);
            child->takeFocus();
            return true;
        }
        if (CViewContainer* container = asContainer(child))
            if (container->advanceNextFocusView(nullptr, reverse))
                return true;
    }
    return false;
}

void CViewContainer::looseFocus()
{
    for (CCView* node = pFirstView; node; node = node->pNext)
        node->pView->looseFocus();
}

void CViewContainer::takeFocus()
{
    for (CCView* node = pFirstView; node; node = node->pNext)
        node->pView->takeFocus();
}

// Resize.

void CViewContainer::setViewSize(CRect& rect, bool invalid)
{
    if (rect == getViewSize())
        return;
    const CRect old = size;
    size = rect;
    if (invalid)
        setDirty(true);

    AutosizeChange change;
    change.dw = size.getWidth() - old.getWidth();
    change.dh = size.getHeight() - old.getHeight();
    if (change.dw != 0 || change.dh != 0) {
        change.containerFlags = getAutosizeFlags();
        change.childCount = getNbViews();
        for (CCView* node = pFirstView; node; node = node->pNext, ++change.childIndex) {
            CView* child = node->pView;
            CRect childSize;
            CRect childArea;
            child->getViewSize(childSize);
            child->getMouseableArea(childArea);
            applyAutosize(change, child->getAutosizeFlags(), childSize, childArea);
            if (childSize != child->getViewSize()) {
                child->setViewSize(childSize, true);
                child->setMouseableArea(childArea);
            }
        }
    }
    parentSizeChanged();

    if (pOffscreenContext && bDrawInOffscreen) {
        pOffscreenContext->forget();
        makeOffscreen();
    }
}

void CViewContainer::parentSizeChanged()
{
    for (CCView* node = pFirstView; node; node = node->pNext)
        node->pView->parentSizeChanged();
}

// Attaching.

bool CViewContainer::attached(CView* parent)
{
    if (bIsAttached || !parent)
        return false;
    if (!pOffscreenContext && bDrawInOffscreen)
        makeOffscreen();
    pParentFrame = parent->getFrame();
    for (CCView* node = pFirstView; node; node = node->pNext)
        node->pView->attached(this);
    return CView::attached(parent);
}

bool CViewContainer::removed(CView* parent)
{
    if (pOffscreenContext) {
        pOffscreenContext->forget();
        pOffscreenContext = nullptr;
    }
    // The children leave the frame's tree with this container: the frame
    // must not keep any of them as its focus or mouse-over view.
    for (CCView* node = pFirstView; node; node = node->pNext)
        if (pParentFrame && bIsAttached)
            pParentFrame->onViewRemoved(node->pView);
    pParentFrame = nullptr;
    for (CCView* node = pFirstView; node; node = node->pNext)
        node->pView->removed(this);
    return CView::removed(parent);
}

bool CViewContainer::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CViewContainer") == 0) || CView::isTypeOf(name);
}

CView* CViewContainer::newCopy() const
{
    return new CViewContainer(*this);
}

} // namespace VSTGUI
