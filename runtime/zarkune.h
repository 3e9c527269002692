#pragma once

#include <cstdint>

#include "zarkune_mouse.h"

// The runtime object every translated effect script derives from. The shell
// holds one per plug-in object, reaches it only through these virtual
// operations and the public fields of the chain, and deletes it through the
// virtual destructor. The order of the virtual operations is part of the
// interface between runtime, effect and shell: keep it.
//
// Destruction runs the layers top down: image handles are released, font
// slots freed, every file slot closed in order (writing pending named files),
// then the rest freed.
//
// The host's requests reach it on the [dispatcher thread] unless a line says
// otherwise.
class TZarkune : public CZarkuneMouse {
public:
    // Tick count of the last redraw request.
    int32_t lastRedrawTicks = 0;
    // How often initOnce has run; never reset.
    int32_t openCount = 0;

    TZarkune();
    virtual ~TZarkune();

    // Host open. Frees every memory page and the string table and restarts the
    // redraw timer; everything else keeps its value. An override calls this
    // first.
    virtual void reset();
    virtual void close() {}
    virtual void suspend() {}
    // Host resume: the init section, then the slider section.
    virtual void resume();
    // The script's init section.
    virtual void doInit() {}
    // Runs the init section the first time only; returns how often it has been
    // called, this call included.
    virtual int32_t initOnce();
    // The script's graphics section, while a draw context is current. [GUI thread]
    virtual void doGfx() {}
    // Asks for a redraw when more than one frame interval (1000 / frameRate
    // ms) has passed since the last request; nothing unless frameRate > 0.
    // [GUI thread]
    virtual void idle();
    // The script's serialize section, with file slot 0 in write or read mode.
    virtual void doSerialize() {}
    // Takes the host's state chunk: byteSize bytes of floats (1 to 3 trailing
    // bytes ignored), of which the first must be kChunkMarker for initOnce, the
    // serialize and the slider section to run. A negative size, or a null
    // pointer with at least one float announced, changes nothing. Returns
    // byteSize in every case.
    virtual int32_t setChunk(const void* data, int32_t byteSize);
    // Gives the state chunk: *data points to kChunkMarker followed by what the
    // serialize section wrote, valid until the next chunk operation. Returns
    // its byte size, or 0 (and *data untouched) when the section wrote nothing;
    // 0 with nothing run for a null data pointer.
    virtual int32_t getChunk(void** data);

    // Runs the sample section over `frames` frames of `channels` channels (at
    // most the 64 sample slots): for each frame the inputs into the sample
    // slots, doSample, and the slots out to the outputs; nothing for 0 or
    // fewer frames. A script class may override it to run its own sample
    // section without a virtual call per frame, with the same results.
    // [audio thread]
    virtual void processFrames(float* const* inputs, float* const* outputs, int32_t frames, int32_t channels);
    virtual void processFrames(double* const* inputs, double* const* outputs, int32_t frames, int32_t channels);
};
