#pragma once

// CVeST is what the host's record points at: an AudioEffectX that forwards
// each host request it overrides to one entry of its own copy of the
// callback table. It keeps the effect, the drawing services' fonts and the
// MIDI events the host delivered, and deletes them when it goes.
#include <atomic>
#include <cstdint>
#include <vector>

#include "audio_effect_x.h"
#include "callback_table.h"
#include "mouse_state_queue.h"

class TZarkune;
namespace VSTGUI {
class CDrawContext;
class CFontDesc;
} // namespace VSTGUI

class CVeST : public AudioEffectX {
public:
    static constexpr int32_t kMidiRingSize = 1000;

    // Only vestCreate makes one.
    CVeST(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams, TZarkune* effect,
          const CVeSTCallbacks& callbacks);

    void open() override;
    void close() override;
    void suspend() override;
    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;
    // The host's value: not finite changes nothing, outside 0..1 counts as 0 or 1.
    void setParameter(VstInt32 index, float value) override;
    // Always finite and within 0..1, whatever slider value the effect holds.
    float getParameter(VstInt32 index) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    // Copies every MIDI event of the list into the ring, overwriting unread
    // ones when it is full; other events are skipped. [audio thread]
    VstInt32 processEvents(VstEvents* events) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    // 1 for "receiveVstMidiEvent" exactly, -1 for anything else.
    VstInt32 canDo(char* text) override;
    // Closes an open editor, then drops the host's hold: the plug-in goes
    // now, or on the GUI thread right after the release of an editor frame
    // that is still in use there. [dispatcher thread]
    void deleteOnClose() override;
    // A hold keeps the plug-in until its release; the last release deletes
    // it. hold answers false, and takes none, once the plug-in is going.
    // [any thread]: the count is atomic.
    bool hold();
    void release();

    // Owned; deleted through the destroy slot.
    TZarkune* effect;
    // Not owned: set only while the editor's view paints. [GUI thread]
    VSTGUI::CDrawContext* drawContext = nullptr;
    // The mouse states the display's next frames see, one a frame; the
    // effect's mouse state is the first of them. [GUI thread]
    MouseStateQueue mouseStates;
    // The ring's write and read positions, each moved by one side only.
    int32_t midiWriteIndex = 0;
    int32_t midiReadIndex = 0;
    // Fonts of vestSetFont by face, oldest first; one reference each.
    std::vector<VSTGUI::CFontDesc*> fonts;
    // kMidiRingSize entries, zeroed at creation; never resized.
    std::vector<VstMidiEvent> midiEvents;
    CVeSTCallbacks callbacks;

protected:
    // Closes an open editor, drops the cached fonts, deletes the effect
    // (destroy slot), then the editor (base classes). Only the last release
    // deletes the object: a frame's release may still hold it.
    ~CVeST() override;

private:
    // The host's, and one for each editor frame whose release is under way.
    std::atomic<int32_t> holds{1};
};

// Makes the plug-in object around the effect: asks the host for its version
// first and makes nothing (null) when it answers 0 or there is no host.
// Otherwise the object owns the effect from then on, keeps a copy of the
// table, declares 32- and 64-bit in-place processing and runs the init slot.
CVeST* vestCreate(TZarkune* effect, const CVeSTCallbacks& callbacks, audioMasterCallback audioMaster,
                  int32_t numPrograms, int32_t numParams);
