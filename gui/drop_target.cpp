#include "drop_target.h"

#include "drop_rules.h"
#include "frame.h"
#include "win_drag_container.h"

#include <atomic>

namespace VSTGUI {

namespace {

WinDragContainer* currentDragContainer = nullptr;
// The target whose DragEnter made the current container.
CDropTarget* currentDragOwner = nullptr;
std::atomic<int32_t> liveDropTargets{0};

// The mouse in frame coordinates; OLE's own point is not used.
CPoint mouseIn(const CFrame& frame)
{
    CPoint where(0, 0);
    frame.getCurrentMouseLocation(where);
    return where;
}

} // namespace

WinDragContainer* getCurrentDragContainer()
{
    return currentDragContainer;
}

CDropTarget::CDropTarget(CFrame* frame) : frame(frame)
{
    ++liveDropTargets;
}

CDropTarget::~CDropTarget()
{
    detachFrame();
    --liveDropTargets;
}

int32_t CDropTarget::getLiveCount()
{
    return liveDropTargets;
}

STDMETHODIMP CDropTarget::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IDropTarget) || IsEqualIID(iid, IID_IUnknown)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDropTarget::AddRef()
{
    return static_cast<ULONG>(++refCount);
}

STDMETHODIMP_(ULONG) CDropTarget::Release()
{
    if (--refCount > 0)
        return static_cast<ULONG>(refCount);
    delete this;
    return 0;
}

STDMETHODIMP CDropTarget::DragEnter(IDataObject* dataObject, DWORD, POINTL, DWORD* effect)
{
    if (!dataObject || !frame) {
        if (effect)
            *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // A drag that entered before without leaving is over: its container goes.
    endCurrentDrag();
    currentDragContainer = new WinDragContainer(dataObject);
    currentDragOwner = this;
    frame->onDragEnter(currentDragContainer, mouseIn(*frame));
    if (effect)
        *effect = chooseDropEffect(*effect);
    return S_OK;
}

STDMETHODIMP CDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (!currentDragContainer || !frame)
        return S_OK;
    frame->onDragMove(currentDragContainer, mouseIn(*frame));
    if (effect)
        *effect = chooseDropEffect(*effect);
    return S_OK;
}

STDMETHODIMP CDropTarget::DragLeave()
{
    if (!currentDragContainer || !frame)
        return S_OK;
    frame->onDragLeave(currentDragContainer, mouseIn(*frame));
    endCurrentDrag();
    return S_OK;
}

STDMETHODIMP CDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD*)
{
    if (!currentDragContainer || !frame)
        return S_OK;
    frame->onDrop(currentDragContainer, mouseIn(*frame));
    endCurrentDrag();
    return S_OK;
}

void CDropTarget::detachFrame()
{
    frame = nullptr;
    if (currentDragOwner == this)
        endCurrentDrag();
}

void CDropTarget::endCurrentDrag()
{
    if (currentDragContainer)
        currentDragContainer->forget();
    currentDragContainer = nullptr;
    currentDragOwner = nullptr;
}

} // namespace VSTGUI
