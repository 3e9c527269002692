#pragma once

// How the plug-in object reaches the effect: a table of 29 bare function
// pointers whose first argument is always the plug-in object. Entries may be null
// (not provided), so callers check an entry before they call through it.
// The table is a value: the plug-in object keeps its own copy.
//
// The thread tags mean what runtime/services.h says. Nothing is locked, so a
// [dispatcher thread] slot may run while a block is being processed.
//
// How a host drives the plug-in, in the order a session goes:
//   1. entry: VSTPluginMain (or main, MAIN) with the host callback; the entry
//      fills a table with initCallbacks, makes the effect and calls
//      vestCreate, whose init slot sets channels, id and chunk programs and
//      creates the editor object. The host gets the plug-in record back.
//   2. open: effOpen reaches the open slot (the effect's reset).
//   3. sample rate and block size, then resume: effMainsChanged with 1 asks
//      the host for MIDI and runs the resume slot (init, then slider section).
//   4. process: processReplacing or processDoubleReplacing per block, on the
//      audio thread: block section once, then the sample section per frame.
//   5. editor open: effEditGetRect, then effEditOpen with the parent window;
//      the editor makes its frame and view.
//   6. idle: effEditIdle on the GUI thread, many times a second; the idle
//      slot asks for a redraw (vestRedraw) once per frame interval.
//   7. draw: painting the window calls CVeSTView::draw; for the length of the
//      draw slot (the graphics section) the plug-in object holds its context.
//   8. close: effEditClose drops the frame; effMainsChanged with 0 suspends;
//      effClose runs the close slot and then deletes the plug-in object,
//      whose destructor calls destroy.
//
// The route of one request, a parameter text for example:
//   host -> AEffect::dispatcher (dispatchEffect in audio_effect.cpp, which
//   finds the object in AEffect::object) -> AudioEffectX::dispatcher (the
//   opcodes it adds) -> AudioEffect::dispatcher (effGetParamDisplay) ->
//   virtual CVeST::getParameterDisplay -> this table's getParameterDisplay
//   slot (callbackGetParameterDisplay in callbacks.cpp) -> the effect's slider
//   record and value -> the text, copied into the host's buffer.
#include <cstdint>

class CVeST;

struct CVeSTCallbacks {
    // Once, from vestCreate: sets up the plug-in record; 1. [dispatcher thread]
    int32_t (*init)(CVeST* vest);
    // From the plug-in's destructor: deletes the effect object. [dispatcher thread]
    void (*destroy)(CVeST* vest);
    // Host open, suspend, resume. [dispatcher thread]
    void (*open)(CVeST* vest);
    void (*suspend)(CVeST* vest);
    void (*resume)(CVeST* vest);
    // The editor's idle turn. [GUI thread]
    void (*idle)(CVeST* vest);
    // Host close. [dispatcher thread]
    void (*close)(CVeST* vest);
    // The editor view's paint, with the view's size, while the plug-in holds
    // the draw context. [GUI thread]
    void (*draw)(CVeST* vest, double width, double height);
    // Mouse events in view coordinates with the toolkit's button bits. [GUI thread]
    void (*onMouseDown)(CVeST* vest, double x, double y, int32_t buttons);
    void (*onMouseUp)(CVeST* vest, double x, double y, int32_t buttons);
    void (*onMouseMoved)(CVeST* vest, double x, double y, int32_t buttons);
    // Keys: the modifier before the virtual key. [GUI thread]
    void (*onKeyDown)(CVeST* vest, int32_t character, uint8_t modifier, uint8_t virt);
    void (*onKeyUp)(CVeST* vest, int32_t character, uint8_t modifier, uint8_t virt);
    // Identification into the host's buffers; 1 when written. [dispatcher thread]
    int32_t (*getVendorVersion)(CVeST* vest);
    int32_t (*getVendorString)(CVeST* vest, char* text);
    int32_t (*getProductString)(CVeST* vest, char* text);
    int32_t (*getEffectName)(CVeST* vest, char* text);
    int32_t (*getProgramName)(CVeST* vest, char* text);
    void (*setProgramName)(CVeST* vest, const char* text);
    int32_t (*getProgramNameIndexed)(CVeST* vest, int32_t category, int32_t index, char* text);
    // Parameters: normalised values 0..1, texts into the host's buffers.
    // [dispatcher thread]
    double (*getParameter)(CVeST* vest, int32_t index);
    void (*setParameter)(CVeST* vest, int32_t index, double value);
    void (*getParameterName)(CVeST* vest, int32_t index, char* text);
    void (*getParameterLabel)(CVeST* vest, int32_t index, char* text);
    void (*getParameterDisplay)(CVeST* vest, int32_t index, char* text);
    // In-place processing of one block. [audio thread]
    void (*processReplacing)(CVeST* vest, float** inputs, float** outputs, int32_t sampleFrames);
    void (*processDoubleReplacing)(CVeST* vest, double** inputs, double** outputs, int32_t sampleFrames);
    // The state chunk: *data points into the effect's own stream, valid until
    // the next chunk operation; the byte size, 0 for none. [dispatcher thread]
    int32_t (*getChunk)(CVeST* vest, void** data, bool isPreset);
    int32_t (*setChunk)(CVeST* vest, void* data, int32_t byteSize, bool isPreset);
};
