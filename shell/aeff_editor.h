#pragma once

// The editor interface the plug-in base class holds and drives through the
// editor opcodes. Every operation has a harmless default; the plug-in's own
// editor derives from this class. [GUI thread], except close and the
// destructor (the plug-in deleted with the editor open), which the host may
// call on its [dispatcher thread].
#include "vst_records.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual AudioEffect* getEffect() { return effect; }
    virtual bool getRect(ERect** rect)
    {
        *rect = nullptr;
        return false;
    }
    virtual bool open(void* window)
    {
        systemWindow = window;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onWheel(float /*distance*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

protected:
    AudioEffect* effect; // not owned: the editor belongs to the effect
    void* systemWindow = nullptr;
};
