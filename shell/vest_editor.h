#pragma once

// The plug-in's editor: while the host has it open, a frame in the host's
// window with exactly one CVeSTView; on idle the effect decides whether the
// view needs drawing again. Made once per plug-in by vestCreateEditor and
// owned by the plug-in object. [GUI thread], except close: the host may
// close the editor, or delete the plug-in with it open, on its
// [dispatcher thread].
#include <atomic>
#include <cstdint>

#include "aeff_gui_editor.h"

class CVeST;
class CVeSTView;

class CVeSTEditor : public AEffGUIEditor {
public:
    // Reports width x height from the top left corner (0, 0).
    CVeSTEditor(CVeST* vest, int32_t width, int32_t height);
    // An editor the host left open releases its frame and window first.
    ~CVeSTEditor() override;

    // Makes the frame inside the parent window and its view; true. An editor
    // that is already open closes its frame before making the new one.
    bool open(void* parentWindow) override;
    // Releases the frame, which destroys its window and the view, on the
    // thread that owns the window (see CFrame::forgetOnWindowThread). The
    // plug-in object stays until that release has happened, also when it
    // happens later on the GUI thread.
    void close() override;
    // The effect's idle while a view is open, then the frame's.
    void idle() override;

    CVeST* vest; // not owned
    // Owned by the frame; null while closed. Cleared by close on whichever
    // thread closes; valid wherever a use holds the frame.
    std::atomic<CVeSTView*> view{nullptr};
    int32_t width;
    int32_t height;
};
