#pragma once

// An editor bound to a toolkit frame: it reports the editor's rectangle to
// the host, passes keys, wheel turns and drawing on to the frame, paces the
// idle work the frame asks for while it polls, and is the frame's way back
// to the plug-in (VSTGUIEditorInterface). A derived editor makes the frame
// in open and sets rect. [GUI thread]; every entry that reaches the frame
// holds a use of it for its whole run (CFrame::OwnerUse), since the host
// may close the editor on another thread meanwhile.
#include <cstdint>

#include "aeff_editor.h"
#include "gui/editor_interface.h"
#include "gui/ole_initialization.h"

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface {
public:
    // Becomes the effect's editor (which owns it from then on).
    explicit AEffGUIEditor(AudioEffect* effect);
    // Releases no frame: a derived editor closes its own first.
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    // Keeps the window and answers false: the derived editor makes the frame.
    bool open(void* window) override;
    // The frame's idle, unless the host called back from inside doIdleStuff.
    void idle() override;
    // Through the frame's key handling; true when a view took the key.
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    // At the cursor's current position, with the buttons held now.
    bool onWheel(float distance) override;
    // One mode shared by every editor in the process; true.
    bool setKnobMode(VstInt32 mode) override;
    virtual void setParameter(VstInt32 index, float value);
    // Redraws the area (its corners in either order), or the whole frame for
    // null.
    virtual void draw(ERect* area);

    // VSTGUIEditorInterface.
    void doIdleStuff() override;
    int32_t getKnobMode() override;
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;

    // The time base: sleeping and the system's millisecond tick count.
    static void wait(uint32_t milliseconds);
    static uint32_t getTicks();

protected:
    ERect rect{};
    // The tick count at which doIdleStuff lets idle work run again.
    uint32_t lLastTicks;
    // Set while doIdleStuff lets the host run its own idle work.
    bool inIdleStuff = false;
    static int32_t knobMode;

private:
    // OLE for the drag and drop of the editor's thread, left only if this
    // editor's start succeeded.
    VSTGUI::OleInitialization oleInitialization;
};
