#pragma once

#include <windows.h>

#include <oleidl.h>

#include <cstdint>

namespace VSTGUI {

class CFrame;
class WinDragContainer;

// The OLE drop target of a frame's window: wraps each drag in a
// WinDragContainer and hands it to the frame's drag operations with the
// mouse position in frame coordinates. OLE calls it on the thread that
// registered it, the one that owns the window. [GUI thread]
class CDropTarget : public IDropTarget {
public:
    // Starts with no reference: the first owner takes one.
    explicit CDropTarget(CFrame* frame);
    virtual ~CDropTarget();
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP DragEnter(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect) override;

    // The frame is going away: later calls from OLE do nothing, and a drag
    // this target started is ended without reaching the frame.
    void detachFrame();

    // Drop targets alive in the process, for leak checks. [GUI thread]
    static int32_t getLiveCount();

private:
    // Releases the process's current drag container.
    static void endCurrentDrag();

    int32_t refCount = 0;
    CFrame* frame;
};

// What is being dragged over any of this process's frames right now (there
// is only ever one drag); null when no drag is under way. [GUI thread]
WinDragContainer* getCurrentDragContainer();

} // namespace VSTGUI
