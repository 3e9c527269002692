#include "view.h"

#include "attribute_list.h"
#include "bitmap.h"
#include "draw_context.h"
#include "frame.h"
#include "view_container.h"

#include <cstring>

namespace VSTGUI {

namespace {

const CViewContainer* asContainer(const CView* view)
{
    return view && view->isTypeOf("CViewContainer") ? static_cast<const CViewContainer*>(view) : nullptr;
}

} // namespace

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::CView(const CView& other)
    : CBaseObject(), size(other.size), mouseableArea(other.mouseableArea), bMouseEnabled(other.bMouseEnabled),
      bTransparencyEnabled(other.bTransparencyEnabled), bWantsFocus(other.bWantsFocus),
      autosizeFlags(other.autosizeFlags), pBackground(other.pBackground)
{
    if (pBackground)
        pBackground->remember();
    for (const CAttributeListEntry* entry = other.pAttributeList; entry; entry = entry->pNext)
        setAttribute(entry->nId, entry->nSize, entry->pData);
}

CView::~CView()
{
    if (pBackground)
        pBackground->forget();
    attribute_list::clear(pAttributeList);
}

CMessageResult CView::notify(CBaseObject* sender, const char* message)
{
    return CBaseObject::notify(sender, message);
}

void CView::draw(CDrawContext* context)
{
    if (pBackground) {
        CRect where = size;
        if (bTransparencyEnabled)
            pBackground->drawTransparent(context, where, CPoint());
        else
            pBackground->draw(context, where, CPoint());
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
}

bool CView::checkUpdate(const CRect& updateRect) const
{
    return updateRect.rectOverlap(size);
}

bool CView::isDirty() const
{
    return bDirty;
}

void CView::setDirty(const bool state)
{
    bDirty = state;
}

void CView::invalidRect(const CRect rect)
{
    if (!bIsAttached || !bVisible)
        return;
    if (pParentView)
        pParentView->invalidRect(rect);
    else if (pParentFrame)
        pParentFrame->invalidRect(rect);
}

void CView::invalid()
{
    setDirty(false);
    invalidRect(size);
}

void CView::setVisible(bool state)
{
    if (state == bVisible)
        return;
    bVisible = state;
    setDirty(true);
}

CMouseEventResult CView::onMouseDown(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseEntered(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseExited(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

bool CView::hitTest(const CPoint& where, const int32_t)
{
    return where.isInside(mouseableArea);
}

bool CView::onWheel(const CPoint&, const float&, const int32_t&)
{
    return false;
}

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance, const int32_t& buttons)
{
    const float along = axis == kMouseWheelAxisX ? -distance : distance;
    return onWheel(where, along, buttons);
}

void CView::setMouseEnabled(const bool state)
{
    bMouseEnabled = state;
}

bool CView::getMouseEnabled() const
{
    return bMouseEnabled;
}

void CView::setMouseableArea(const CRect& rect)
{
    mouseableArea = rect;
}

CRect& CView::getMouseableArea(CRect& rect) const
{
    rect = mouseableArea;
    return rect;
}

const CRect& CView::getMouseableArea() const
{
    return mouseableArea;
}

bool CView::onDrop(CDragContainer*, const CPoint&)
{
    return false;
}

void CView::onDragEnter(CDragContainer*, const CPoint&) {}

void CView::onDragLeave(CDragContainer*, const CPoint&) {}

void CView::onDragMove(CDragContainer*, const CPoint&) {}

int32_t CView::onKeyDown(VstKeyCode&)
{
    return kKeyNotHandled;
}

int32_t CView::onKeyUp(VstKeyCode&)
{
    return kKeyNotHandled;
}

void CView::setViewSize(CRect& rect, bool invalid)
{
    size = rect;
    if (invalid)
        setDirty(true);
}

CRect& CView::getViewSize(CRect& rect) const
{
    rect = size;
    return rect;
}

const CRect& CView::getViewSize() const
{
    return size;
}

CRect CView::getVisibleSize() const
{
    if (const CViewContainer* parent = asContainer(pParentView))
        return parent->getVisibleSize(size);
    if (pParentFrame)
        return static_cast<const CViewContainer*>(pParentFrame)->getVisibleSize(size);
    return CRect();
}

void CView::parentSizeChanged() {}

CPoint& CView::frameToLocal(CPoint& point) const
{
    if (const CViewContainer* parent = asContainer(pParentView))
        return parent->frameToLocal(point);
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    if (const CViewContainer* parent = asContainer(pParentView))
        return parent->localToFrame(point);
    return point;
}

void CView::setAutosizeFlags(int32_t flags)
{
    autosizeFlags = flags;
}

int32_t CView::getAutosizeFlags() const
{
    return autosizeFlags;
}

void CView::looseFocus() {}

void CView::takeFocus() {}

bool CView::wantsFocus() const
{
    return bWantsFocus;
}

void CView::setWantsFocus(bool state)
{
    bWantsFocus = state;
}

void CView::setBackground(CBitmap* background)
{
    // The new reference comes first, so setting the current bitmap again
    // cannot destroy it.
    if (background)
        background->remember();
    if (pBackground)
        pBackground->forget();
    pBackground = background;
    setDirty(true);
}

CBitmap* CView::getBackground() const
{
    return pBackground;
}

void CView::setTransparency(bool state)
{
    bTransparencyEnabled = state;
}

bool CView::getTransparency() const
{
    return bTransparencyEnabled;
}

bool CView::removed(CView*)
{
    if (!bIsAttached)
        return false;
    pParentView = nullptr;
    pParentFrame = nullptr;
    bIsAttached = false;
    return true;
}

bool CView::attached(CView* parent)
{
    if (bIsAttached)
        return false;
    pParentView = parent;
    pParentFrame = parent ? parent->getFrame() : nullptr;
    bIsAttached = true;
    return true;
}

VSTGUIEditorInterface* CView::getEditor() const
{
    return pParentFrame ? pParentFrame->getEditor() : nullptr;
}

bool CView::isTypeOf(const char* name) const
{
    return name && std::strcmp(name, "CView") == 0;
}

CView* CView::newCopy() const
{
    return new CView(*this);
}

void CView::mouse(CDrawContext*, CPoint&, int32_t) {}

void CView::getMouseLocation(CDrawContext* context, CPoint& point)
{
    if (!context)
        return;
    if (pParentView && pParentView->notify(this, kMsgCheckIfViewContainer) == kMessageNotified) {
        const CPoint savedScreenOffset = context->getScreenOffset();
        const CPoint savedOffset = context->getOffset();
        const CPoint parentOrigin = pParentView->size.getTopLeft();
        context->setScreenOffset(CPoint(savedScreenOffset).offset(parentOrigin.h, parentOrigin.v));
        context->setOffset(CPoint(savedOffset).offset(parentOrigin.h, parentOrigin.v));
        pParentView->getMouseLocation(context, point);
        context->setScreenOffset(savedScreenOffset);
        context->setOffset(savedOffset);
        return;
    }
    context->getMouseLocation(point);
}

void CView::setParentView(CView* parent)
{
    pParentView = parent;
}

void CView::setFrame(CFrame* frame)
{
    pParentFrame = frame;
}

void CView::getFrameTopLeftPos(CPoint& topLeft) const
{
    topLeft.offset(size.left, size.top);
    if (pParentView && pParentView->notify(nullptr, kMsgCheckIfViewContainer) == kMessageNotified)
        pParentView->getFrameTopLeftPos(topLeft);
}

bool CView::setAttribute(const CViewAttributeID id, const int32_t inSize, const void* inData)
{
    return attribute_list::set(pAttributeList, id, inSize, inData);
}

bool CView::getAttributeSize(const CViewAttributeID id, int32_t& outSize) const
{
    return attribute_list::getSize(pAttributeList, id, outSize);
}

bool CView::getAttribute(const CViewAttributeID id, const int32_t inSize, void* outData, int32_t& outSize) const
{
    return attribute_list::get(pAttributeList, id, inSize, outData, outSize);
}

bool CView::removeAttribute(const CViewAttributeID id)
{
    return attribute_list::remove(pAttributeList, id);
}

} // namespace VSTGUI
