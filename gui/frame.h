#pragma once

#include "ole_initialization.h"
#include "view_container.h"

#include <windows.h>

#include <cstdint>

namespace VSTGUI {

class CDrawContext;
class CDropTarget;
class COffscreenContext;
class CFrame;

// The system cursors a frame can show over its window.
enum CCursorType : int32_t {
    kCursorDefault = 0,
    kCursorWait = 1,
    kCursorHSize = 2,
    kCursorVSize = 3,
    kCursorSizeAll = 4,
    kCursorNESWSize = 5,
    kCursorNWSESize = 6,
    kCursorCopy = 7, // no system cursor of its own: shows the default
    kCursorNotAllowed = 8,
    kCursorHand = 9,
};

// Told by a frame where the mouse goes: which view it enters and leaves, and
// where it moves and presses in frame coordinates. Not owned by the frame.
// [GUI thread]
class IMouseObserver {
public:
    virtual ~IMouseObserver() = default;
    virtual void onMouseEntered(CView* view, CFrame* frame) = 0;
    virtual void onMouseExited(CView* view, CFrame* frame) = 0;
    virtual void onMouseMoved(CFrame* /*frame*/, const CPoint& /*where*/) {}
    virtual void onMouseDown(CFrame* /*frame*/, const CPoint& /*where*/) {}
};

// Top of a view tree. It owns one child window, made inside the host's
// window. It turns the window's messages into view calls,
// keeps the frame-wide roles (modal, focus and mouse-over view), resizes
// itself and its host windows, and accepts dropped files and text.
//
// Window handles travel as void*, the way the host hands them to an editor.
// [GUI thread]: the thread that made the frame and owns its window; only
// forgetOnWindowThread and the owner's pointer functions say otherwise.
class CFrame : public CViewContainer {
public:
    // Marks the frame in use by its window's thread for the object's life:
    // a release asked for meanwhile (on any thread) waits until the last
    // use ends and then runs there, so nothing the running code uses goes
    // under it. Every window message holds one, and so does each of the
    // frame's own loops that may deliver messages. [GUI thread]
    class WindowThreadUse {
    public:
        explicit WindowThreadUse(CFrame& frame);
        ~WindowThreadUse();
        WindowThreadUse(const WindowThreadUse&) = delete;
        WindowThreadUse& operator=(const WindowThreadUse&) = delete;

    private:
        CFrame& frame;
    };

    // A use of the frame that an owner's pointer names (an editor's frame
    // field), for an owner entry on the window's thread. The pointer is read
    // under the lock that clearFrameOf clears it under, so the entry either
    // sees no frame or holds one that cannot go before the use ends. The
    // end of the use may carry out a release, and with it whatever the
    // release lets go of: the entry does nothing after it. [GUI thread]
    class OwnerUse {
    public:
        explicit OwnerUse(CFrame* const& owner);
        ~OwnerUse();
        OwnerUse(const OwnerUse&) = delete;
        OwnerUse& operator=(const OwnerUse&) = delete;

        CFrame* get() const { return frame; }
        CFrame* operator->() const { return frame; }
        explicit operator bool() const { return frame != nullptr; }

    private:
        CFrame* frame;
    };

    // Writes and clears an owner's pointer to its frame under the lock of
    // the frames' uses, for owners whose pointer is read on the window's
    // thread through OwnerUse and cleared on another. clearFrameOf answers
    // what the pointer held. [any thread]
    static void setFrameOf(CFrame*& owner, CFrame* frame);
    static CFrame* clearFrameOf(CFrame*& owner);

    // Makes the child window at once inside parentWindow (none for a null
    // parent). The editor interface is not owned and may be null.
    CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor);
    CFrame(const CFrame& other);
    ~CFrame() override;
    CFrame& operator=(const CFrame&) = delete;

    virtual bool isOpen() const { return openFlag; }
    // Sends the dirty views' areas to the window while the frame is open.
    virtual void idle();
    virtual void doIdleStuff();
    virtual uint32_t getTicks() const;
    virtual int32_t getKnobMode() const;

    // A frame lives where its host puts it: setPosition does nothing.
    virtual bool setPosition(CCoord x, CCoord y);
    // Position of the outermost window that belongs to the editor, in its
    // parent's client coordinates. False once the window is gone.
    virtual bool getPosition(CCoord& x, CCoord& y) const;
    // Resizes the frame, its window and the host windows around it.
    virtual bool setSize(CCoord width, CCoord height);
    virtual bool getSize(CRect* size) const;
    virtual bool getSize(CRect& size) const;

    // A modal view takes every mouse event; it is a child while it is set.
    virtual bool setModalView(CView* view);
    virtual CView* getModalView() const { return modalView; }

    virtual void beginEdit(int32_t index);
    virtual void endEdit(int32_t index);

    // Cursor position relative to the window (screen coordinates without
    // one). Always true.
    virtual bool getCurrentMouseLocation(CPoint& where) const;
    virtual int32_t getCurrentMouseButtons() const;
    virtual void setCursor(CCursorType type);

    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() const { return focusView; }
    // Drops the view from the focus and mouse-over roles; containers call
    // this whenever one of their views is taken out of the tree.
    virtual void onViewRemoved(CView* view);

    // Registers (or revokes) the window's drop target. False without a window.
    virtual bool setDropActive(bool active);
    virtual bool isDropActive() const { return dropActive; }

    virtual void setOpenFlag(bool flag) { openFlag = flag; }
    virtual bool getOpenFlag() const { return openFlag; }

    // Marks every direct child whose area meets the rectangle dirty.
    virtual void invalidate(const CRect& rect);

    virtual IMouseObserver* getMouseObserver() const { return mouseObserver; }
    virtual void setMouseObserver(IMouseObserver* observer) { mouseObserver = observer; }
    virtual bool getCurrentLocation(CPoint& where) const { return getCurrentMouseLocation(where); }

    // CView and CViewContainer.
    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void invalidRect(CRect rect) override;
    void invalid() override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const int32_t& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    VSTGUIEditorInterface* getEditor() const override { return editor; }
    bool isTypeOf(const char* type) const override;
    CView* newCopy() const override;
    // Follows a press by polling until its button is released.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool removeView(CView* view, const bool& withForget = true) override;
    bool removeAll(const bool& withForget = true) override;
    bool advanceNextFocusView(CView* oldFocus, bool reverse = false) override;
    CView* getCurrentView() const override;

    // Makes the child window, registering the window class for the first
    // frame of the process. False, and nothing made, for a null parent.
    bool createWindow(void* parentWindow);
    // A new context on the window (or the override); the caller forgets it.
    CDrawContext* createDrawContext();
    // The offscreen that every paint of the window draws into before one
    // copy goes to the window; made at the frame's size on the first call,
    // dropped by setSize. Null for a frame without a window, and when GDI+
    // cannot make the buffer's image (each call tries again).
    COffscreenContext* getBackBuffer();
    void* getSystemWindow() const { return window; }
    // The outermost window that still belongs to the editor: the first
    // ancestor with a border or caption, or without a parent, or the last one
    // before a window more than 60 pixels bigger than the frame.
    void* getOuterWindow() const;
    // Draws one direct child, or the whole frame for any other view.
    void draw(CView* view);
    // Drops the owner's reference on the thread that owns the frame's
    // window, for owners that may run on another thread: only that thread
    // can destroy the window. While that thread runs the frame's code, or
    // when it does not take the call in time, the release is left to it
    // (the library then stays loaded for the rest of the process); only a
    // frame whose window is gone, or went with its thread, and which no
    // code of its thread uses is released here. whenGone(context) runs
    // right after the release, wherever it happens; until then the frame
    // may still use what its owner lent it. Call it once, as the owner's
    // last use of the frame.
    // [any thread]: the frame's uses and its window are read under a lock.
    void forgetOnWindowThread(void (*whenGone)(void* context) = nullptr, void* context = nullptr);

protected:
    friend LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT frameMessage(CFrame& frame, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Reads the system's version into the record all frames share.
    static void readWindowsVersion();
    // Major version 6 on: the frame's window asks to be composited.
    static bool composesWindows();
    void destroyWindow();
    void requestMouseLeave();
    // Tells the view under the mouse and the observer that the mouse left it,
    // with the point in the view's coordinates, and forgets the view.
    void leaveMouseOverView(CPoint where, int32_t buttons);
    // Paints the window's update region through the back buffer, or straight
    // onto the window while there is no image for one.
    void paint();
    // A new back buffer of that size. Virtual so that a test can have GDI+
    // refuse the buffer's image, which otherwise happens only when memory
    // runs out.
    virtual COffscreenContext* makeBackBuffer(int32_t width, int32_t height);
    // A use by the window's thread begins for the frame of that window, if
    // it has one. released tells whether the frame's release is waiting:
    // such a frame takes no more messages of its own.
    static CFrame* enterUseOfWindow(HWND window, bool& released);
    void enterUse();
    // The last use out carries out a release that waits for it. A use by
    // the window's WM_DESTROY or WM_NCDESTROY says so: the window is still
    // being destroyed then.
    void leaveUse(bool inWindowDestruction = false);
    // Releases now, unless the window's thread is inside the frame's code.
    void releaseWhenUnused();
    static void releaseWhenUnusedOf(void* frame);
    void releaseNow();
    // The window was destroyed, by its thread: the frame has none from now.
    void windowDestroyed();

    VSTGUIEditorInterface* editor;
    IMouseObserver* mouseObserver = nullptr;
    void* parentWindow;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    CView* mouseOverView = nullptr;
    bool firstDraw = true;
    bool openFlag = true;
    bool dropActive = false;
    void* window = nullptr;
    // The thread that made the window (a handle, to tell whether it ended).
    HANDLE windowThread = nullptr;
    DWORD windowThreadId = 0;
    // Under the lock of the frames' uses: the window thread's uses running
    // now, and whether the owner's release waits for them to end.
    int32_t windowThreadUses = 0;
    // The window was destroyed before the frame: its use of the class is
    // given back with the frame.
    bool windowWentBefore = false;
    // Set by a release at the end of the window's WM_DESTROY or
    // WM_NCDESTROY: the frame then leaves the window to finish its
    // destruction.
    bool windowInDestruction = false;
    bool releaseWaiting = false;
    void (*whenGone)(void*) = nullptr;
    void* whenGoneContext = nullptr;
    // The frame holds a reference of its own: the target goes with the frame
    // also when its registration failed, and one that OLE still holds after
    // the revocation is cut off from the frame first.
    CDropTarget* dropTarget = nullptr;
    bool dropRegistered = false;
    COffscreenContext* backBuffer = nullptr;
    bool mouseTracking = false;
    CDrawContext* frameContext = nullptr;
    void* defaultCursor = nullptr;
    // OLE for this frame's thread, left again only when this frame entered it.
    OleInitialization oleInitialization;
};

// The procedure of every frame's window: finds the frame in the window's user
// data and turns the window's messages into its calls. [GUI thread]
LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// One message of a frame's window, turned into the frame's calls while the
// procedure holds a use of the frame. [GUI thread]
LRESULT frameMessage(CFrame& frame, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace VSTGUI
