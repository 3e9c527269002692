#pragma once

#include "base_object.h"
#include "geometry.h"
#include "mouse_buttons.h"

#include <cstdint>

struct VstKeyCode;

namespace VSTGUI {

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;
class VSTGUIEditorInterface;

using CViewAttributeID = uint32_t;

// One tagged blob of a view's attribute list.
struct CAttributeListEntry {
    CAttributeListEntry* pNext = nullptr;
    char* pData = nullptr; // owned; null for an empty blob
    int32_t nSize = 0;
    CViewAttributeID nId = 0;
};

// How a child follows a resize of its container.
enum CViewAutosizing : int32_t {
    kAutosizeLeft = 1,
    kAutosizeTop = 2,
    kAutosizeRight = 4,
    kAutosizeBottom = 8,
    // Set on a container: its children share the change of width (column)
    // or of height (row) equally and move along.
    kAutosizeColumn = 16,
    kAutosizeRow = 32,
};

enum CMouseEventResult : int32_t {
    kMouseEventNotImplemented = 0, // the view still wants the polling mouse()
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
};

enum CMouseWheelAxis : int32_t {
    kMouseWheelAxisX = 0,
    kMouseWheelAxisY = 1,
};

// Answer of a key handler that did not take the key; anything else means taken.
constexpr int32_t kKeyNotHandled = -1;

// A rectangle of the view tree. Every operation has a default that does
// nothing or declines, so a concrete view overrides only what it needs.
// Rectangles and points are in the coordinates of the parent container.
// [GUI thread]
class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    // A detached, visible copy with the same geometry, flags, background and
    // attributes.
    CView(const CView& other);
    CView& operator=(const CView&) = delete;
    ~CView() override;

    CMessageResult notify(CBaseObject* sender, const char* message) override;

    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(const CRect& updateRect) const;
    virtual bool isDirty() const;
    virtual void setDirty(const bool state = true);
    // Sends the rectangle up the tree while the view is attached and visible.
    virtual void invalidRect(const CRect rect);
    // Clears the dirty mark and invalidates the whole view.
    virtual void invalid();
    virtual void setVisible(bool state);

    virtual CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons);
    virtual CMouseEventResult onMouseEntered(CPoint& where, const int32_t& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const int32_t& buttons);
    // Edges of the mouseable area count as inside.
    virtual bool hitTest(const CPoint& where, const int32_t buttons = -1);
    virtual bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons);
    // A horizontal turn reaches the three-argument form with its distance
    // negated.
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const int32_t& buttons);
    virtual void setMouseEnabled(const bool state = true);
    virtual bool getMouseEnabled() const;
    virtual void setMouseableArea(const CRect& rect);
    virtual CRect& getMouseableArea(CRect& rect) const;
    virtual const CRect& getMouseableArea() const;

    virtual bool onDrop(CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDragContainer* drag, const CPoint& where);

    // kKeyNotHandled when the view does not take the key.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    // The mouseable area stays where it was.
    virtual void setViewSize(CRect& rect, bool invalid = true);
    virtual CRect& getViewSize(CRect& rect) const;
    virtual const CRect& getViewSize() const;
    // The part of the view that its enclosing containers leave visible, in
    // the coordinates of size; empty without a parent or frame.
    virtual CRect getVisibleSize() const;
    virtual void parentSizeChanged();
    // Between the frame window's client coordinates and those of size.
    virtual CPoint& frameToLocal(CPoint& point) const;
    virtual CPoint& localToFrame(CPoint& point) const;

    virtual void setAutosizeFlags(int32_t flags);
    virtual int32_t getAutosizeFlags() const;

    virtual void looseFocus();
    virtual void takeFocus();
    virtual bool wantsFocus() const;
    virtual void setWantsFocus(bool state);

    // Holds one reference to the bitmap; null removes the background.
    virtual void setBackground(CBitmap* background);
    virtual CBitmap* getBackground() const;
    virtual void setTransparency(bool state);
    virtual bool getTransparency() const;

    // Both answer false when the view already is in (or out of) a tree.
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);

    virtual VSTGUIEditorInterface* getEditor() const;
    virtual bool isTypeOf(const char* name) const;
    // A new view owned by the caller.
    virtual CView* newCopy() const;

    // The older polling mouse entry; buttons -1 means the caller has none.
    virtual void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1);
    // The cursor in the coordinates of size.
    virtual void getMouseLocation(CDrawContext* context, CPoint& point);
    virtual void setParentView(CView* parent);
    virtual void setFrame(CFrame* frame);
    // Adds the view's offset from the frame's origin to topLeft.
    virtual void getFrameTopLeftPos(CPoint& topLeft) const;

    bool isVisible() const { return bVisible; }
    bool isAttached() const { return bIsAttached; }
    CFrame* getFrame() const { return pParentFrame; }
    CView* getParentView() const { return pParentView; }

    // Attribute blobs by id. Sizes are byte counts and must not be negative.
    bool setAttribute(const CViewAttributeID id, const int32_t inSize, const void* inData);
    bool getAttributeSize(const CViewAttributeID id, int32_t& outSize) const;
    // False when the buffer is smaller than the blob.
    bool getAttribute(const CViewAttributeID id, const int32_t inSize, void* outData, int32_t& outSize) const;
    bool removeAttribute(const CViewAttributeID id);

protected:
    CRect size;
    CRect mouseableArea;
    CFrame* pParentFrame = nullptr;
    CView* pParentView = nullptr;
    bool bDirty = false;
    bool bMouseEnabled = true;
    bool bTransparencyEnabled = false;
    bool bWantsFocus = false;
    bool bIsAttached = false;
    bool bVisible = true;
    int32_t autosizeFlags = 0;
    CBitmap* pBackground = nullptr;
    CAttributeListEntry* pAttributeList = nullptr;
};

} // namespace VSTGUI
