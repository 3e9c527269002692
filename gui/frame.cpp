#include "frame.h"

#include "draw_context.h"
#include "editor_interface.h"
#include "gdiplus_globals.h"
#include "mouse_input.h"
#include "offscreen_context.h"

#include "vst_records.h"

#include <cstring>

// The frame's view-tree side: roles, drawing, dispatch of mouse, wheel and
// keys, and focus. The window side lives in frame_window.cpp.

namespace VSTGUI {

namespace {

// Key codes as the host delivers them.
constexpr unsigned char kVirtualKeyTab = 2;
constexpr unsigned char kModifierShift = 1;

// Guards setFocusView against being re-entered from the notifications and
// focus calls it makes. Process-wide: one GUI thread drives all frames.
bool inSetFocusView = false;

bool isContainer(const CView* view)
{
    return view && view->isTypeOf("CViewContainer");
}

CPoint toLocalOf(const CView* view, const CPoint& where)
{
    CPoint local = where;
    view->frameToLocal(local);
    return local;
}

} // namespace

CFrame::CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor)
    : CViewContainer(size, nullptr, nullptr), editor(editor), parentWindow(parentWindow)
{
    pParentFrame = this;
    bIsAttached = true;
    GDIPlusGlobals::enter();
    readWindowsVersion();
    createWindow(parentWindow);
}

// A copy shares the plain settings but none of what the first frame releases
// when it goes (window, drop target, back buffer): it has no window.
CFrame::CFrame(const CFrame& other)
    : CViewContainer(other), editor(other.editor), mouseObserver(other.mouseObserver), parentWindow(other.parentWindow),
      firstDraw(other.firstDraw), openFlag(other.openFlag), mouseTracking(other.mouseTracking),
      frameContext(other.frameContext), defaultCursor(other.defaultCursor)
{
    pParentFrame = this;
    bIsAttached = true;
    for (CCView* node = pFirstView; node; node = node->pNext)
        node->pView->attached(this);
    if (frameContext)
        frameContext->remember();
    GDIPlusGlobals::enter();
}

CFrame::~CFrame()
{
    if (modalView) {
        CView* view = modalView;
        modalView = nullptr;
        CViewContainer::removeView(view, false);
    }
    setCursor(kCursorDefault);
    setDropActive(false);
    if (frameContext)
        frameContext->forget();
    frameContext = nullptr;
    pParentFrame = nullptr;
    focusView = nullptr;
    mouseOverView = nullptr;
    CViewContainer::removeAll(true);
    if (backBuffer)
        backBuffer->forget();
    backBuffer = nullptr;
    destroyWindow();
    GDIPlusGlobals::exit();
    // OLE is left when the guard member goes, after this body.
}

void CFrame::idle()
{
    if (openFlag)
        invalidateDirtyViews();
}

void CFrame::doIdleStuff()
{
    if (editor)
        editor->doIdleStuff();
}

uint32_t CFrame::getTicks() const
{
    return GetTickCount();
}

int32_t CFrame::getKnobMode() const
{
    return editor ? editor->getKnobMode() : 0;
}

bool CFrame::setPosition(CCoord, CCoord)
{
    return false;
}

bool CFrame::getSize(CRect& size) const
{
    return getSize(&size);
}

bool CFrame::setModalView(CView* view)
{
    if (!view) {
        if (modalView) {
            CViewContainer::removeView(modalView, false);
            modalView = nullptr;
        }
        return true;
    }
    if (modalView || view->isAttached())
        return false;
    modalView = view;
    return addView(view);
}

void CFrame::beginEdit(int32_t index)
{
    if (editor)
        editor->beginEdit(index);
}

void CFrame::endEdit(int32_t index)
{
    if (editor)
        editor->endEdit(index);
}

int32_t CFrame::getCurrentMouseButtons() const
{
    return pollMouseButtons();
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView || inSetFocusView)
        return;
    inSetFocusView = true;
    CView* old = focusView;
    focusView = view;
    if (view && view->wantsFocus()) {
        view->setDirty(true);
        for (CView* parent = view->getParentView(); parent && parent != this; parent = parent->getParentView())
            parent->notify(view, kMsgNewFocusView);
    }
    if (old) {
        if (old->wantsFocus()) {
            old->setDirty(true);
            for (CView* parent = old->getParentView(); parent && parent != this; parent = parent->getParentView())
                parent->notify(old, kMsgOldFocusView);
        }
        old->looseFocus();
    }
    inSetFocusView = false;
}

void CFrame::onViewRemoved(CView* view)
{
    if (mouseOverView == view)
        mouseOverView = nullptr;
    if (focusView == view)
        focusView = nullptr;
}

void CFrame::invalidate(const CRect& rect)
{
    for (CCView* node = pFirstView; node; node = node->pNext) {
        if (node->pView->getViewSize().rectOverlap(rect))
            node->pView->setDirty(true);
    }
}

void CFrame::draw(CDrawContext* context)
{
    drawRect(context, size);
}

void CFrame::draw(CView* view)
{
    CDrawContext* context = createDrawContext();
    if (view && isChild(view))
        view->draw(context);
    else
        draw(context);
    context->forget();
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    firstDraw = false;
    if (context)
        context->remember();
    else if (frameContext)
        (context = frameContext)->remember();
    else
        context = createDrawContext();

    CRect savedClip;
    context->getClipRect(savedClip);
    CRect clip = updateRect;
    clip.bound(savedClip);
    context->setClipRect(clip);
    if (updateRect.getWidth() > 0 && updateRect.getHeight() > 0)
        CViewContainer::drawRect(context, updateRect);
    context->setClipRect(savedClip);
    context->forget();
}

CDrawContext* CFrame::createDrawContext()
{
    if (frameContext) {
        frameContext->remember();
        return frameContext;
    }
    return new CDrawContext(this, nullptr, window);
}

COffscreenContext* CFrame::getBackBuffer()
{
    // A frame without a window never paints: no image for it.
    if (!backBuffer && window) {
        backBuffer = makeBackBuffer(truncateToInt(size.getWidth()), truncateToInt(size.getHeight()));
        // A buffer whose image GDI+ refused is not kept: the memory may be
        // there by the next call.
        if (backBuffer && !backBuffer->hasImage()) {
            backBuffer->forget();
            backBuffer = nullptr;
        }
    }
    return backBuffer;
}

COffscreenContext* CFrame::makeBackBuffer(int32_t width, int32_t height)
{
    return new COffscreenContext(this, width, height, CColor{0, 0, 0, 255});
}

void CFrame::invalid()
{
    invalidRect(size);
    setDirty(false);
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const int32_t& buttons)
{
    mouseDownView = nullptr;
    if (focusView)
        setFocusView(nullptr);
    // A press ends hovering; the view gets the point as the frame has it.
    if (mouseOverView)
        leaveMouseOverView(where, buttons);
    if (mouseObserver)
        mouseObserver->onMouseDown(this, where);
    if (!modalView)
        return CViewContainer::onMouseDown(where, buttons);

    if (!modalView->hitTest(where, buttons))
        return kMouseEventNotHandled;
    const CMouseEventResult result = modalView->onMouseDown(where, buttons);
    if (result == kMouseEventHandled) {
        mouseDownView = modalView;
        return kMouseEventHandled;
    }
    if (result == kMouseEventNotImplemented) {
        CDrawContext* context = createDrawContext();
        modalView->mouse(context, where, buttons);
        context->forget();
        return kMouseEventHandled;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!mouseTracking) {
        mouseTracking = true;
        requestMouseLeave();
    }
    if (mouseObserver)
        mouseObserver->onMouseMoved(this, where);
    if (modalView)
        return modalView->onMouseMoved(where, buttons);

    const CMouseEventResult result = CViewContainer::onMouseMoved(where, buttons);
    if (result != kMouseEventNotHandled)
        return result;

    CView* view = getViewAt(where, true);
    if (view == mouseOverView) {
        if (!mouseOverView)
            return result;
        CPoint local = toLocalOf(mouseOverView, where);
        return mouseOverView->onMouseMoved(local, 0); // hovering carries no buttons
    }
    if (mouseOverView)
        leaveMouseOverView(toLocalOf(mouseOverView, where), buttons);
    if (!view)
        return kMouseEventHandled;
    CPoint local = toLocalOf(view, where);
    view->onMouseEntered(local, buttons);
    mouseOverView = view;
    if (mouseObserver)
        mouseObserver->onMouseEntered(view, this);
    return kMouseEventHandled;
}

CMouseEventResult CFrame::onMouseExited(CPoint& where, const int32_t& buttons)
{
    if (mouseOverView)
        leaveMouseOverView(toLocalOf(mouseOverView, where), buttons);
    mouseTracking = false;
    return kMouseEventHandled;
}

void CFrame::leaveMouseOverView(CPoint where, int32_t buttons)
{
    CView* view = mouseOverView;
    mouseOverView = nullptr;
    view->onMouseExited(where, buttons);
    if (mouseObserver)
        mouseObserver->onMouseExited(view, this);
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const int32_t& buttons)
{
    return onWheel(where, kMouseWheelAxisY, distance, buttons);
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance, const int32_t& buttons)
{
    if (mouseDownView)
        return false;
    CView* target = modalView ? modalView : getViewAt(where, false);
    return target && target->onWheel(where, axis, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    if (focusView) {
        const int32_t result = focusView->onKeyDown(keyCode);
        if (result != kKeyNotHandled)
            return result;
    }
    if (modalView) {
        const int32_t result = modalView->onKeyDown(keyCode);
        if (result != kKeyNotHandled)
            return result;
    }
    if (keyCode.virt == kVirtualKeyTab)
        return advanceNextFocusView(focusView, (keyCode.modifier & kModifierShift) != 0) ? 1 : kKeyNotHandled;
    return kKeyNotHandled;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode)
{
    if (focusView) {
        const int32_t result = focusView->onKeyUp(keyCode);
        if (result != kKeyNotHandled)
            return result;
    }
    if (modalView)
        return modalView->onKeyUp(keyCode);
    return kKeyNotHandled;
}

bool CFrame::isTypeOf(const char* type) const
{
    return (type && std::strcmp(type, "CFrame") == 0) || CViewContainer::isTypeOf(type);
}

CView* CFrame::newCopy() const
{
    return new CFrame(*this);
}

void CFrame::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!context)
        context = frameContext;
    if (buttons == -1)
        buttons = pollMouseButtons();
    // The idle work of the loop delivers messages; one of them may release
    // the frame.
    WindowThreadUse inUse(*this);
    if (onMouseDown(where, buttons) != kMouseEventHandled)
        return;

    // Polling needs a context to read the mouse through; without one of the
    // caller's or an override, the frame makes its own for the loop.
    CDrawContext* ownContext = context ? nullptr : createDrawContext();
    if (ownContext)
        context = ownContext;
    const int32_t heldButtons = buttons & (kLButton | kMButton | kRButton);
    const CPoint start = where;
    int32_t current = buttons;
    // Only the release of a held button ends the loop: a press with none
    // held has nothing to wait for.
    while (heldButtons != 0) {
        doIdleStuff();
        current = pollMouseButtons();
        context->getMouseLocation(where);
        if ((heldButtons & ~current) != 0)
            break;
        if (where != start)
            onMouseMoved(where, current);
    }
    onMouseUp(where, current);
    if (ownContext)
        ownContext->forget();
}

bool CFrame::removeView(CView* view, const bool& withForget)
{
    if (view && view == modalView)
        modalView = nullptr;
    return CViewContainer::removeView(view, withForget);
}

bool CFrame::removeAll(const bool& withForget)
{
    modalView = nullptr;
    focusView = nullptr;
    mouseOverView = nullptr;
    return CViewContainer::removeAll(withForget);
}

bool CFrame::advanceNextFocusView(CView* oldFocus, bool reverse)
{
    if (modalView) {
        if (isContainer(modalView))
            return static_cast<CViewContainer*>(modalView)->advanceNextFocusView(oldFocus, reverse);
        if (oldFocus == modalView)
            return false;
        setFocusView(modalView);
        return true;
    }
    if (!oldFocus) {
        oldFocus = focusView;
        if (!oldFocus)
            return CViewContainer::advanceNextFocusView(nullptr, reverse);
    }
    if (isChild(oldFocus)) {
        if (CViewContainer::advanceNextFocusView(oldFocus, reverse))
            return true;
        setFocusView(nullptr);
        return false;
    }
    // A nested focus view: each enclosing container tries to move on past
    // the child it holds, innermost first.
    CView* child = oldFocus;
    for (CView* parent = oldFocus->getParentView(); isContainer(parent); parent = parent->getParentView()) {
        auto* container = static_cast<CViewContainer*>(parent);
        if (container->advanceNextFocusView(child, reverse))
            return true;
        child = container;
    }
    return CViewContainer::advanceNextFocusView(oldFocus, reverse);
}

CView* CFrame::getCurrentView() const
{
    return modalView ? modalView : CViewContainer::getCurrentView();
}

} // namespace VSTGUI
