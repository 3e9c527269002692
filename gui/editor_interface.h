#pragma once

#include <cstdint>

namespace VSTGUI {

class CFrame;

// What a frame knows of the editor that owns it. Every operation has a
// harmless default; the plug-in's editor overrides them all. The frame calls
// them from its window's messages and its polling. [GUI thread]
class VSTGUIEditorInterface {
public:
    VSTGUIEditorInterface() = default;
    VSTGUIEditorInterface(const VSTGUIEditorInterface&) = delete;
    VSTGUIEditorInterface& operator=(const VSTGUIEditorInterface&) = delete;

    // Lets the host breathe while the toolkit polls the mouse.
    virtual void doIdleStuff() {}
    virtual int32_t getKnobMode() { return 0; }
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    virtual ~VSTGUIEditorInterface() = default;

    // Set by the editor while its frame is open; not owned here.
    CFrame* frame = nullptr;
};

} // namespace VSTGUI
