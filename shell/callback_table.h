#pragma once

// The table through which the plug-in object reaches the effect: 29 plain
// function pointers, each taking the plug-in object first. A null entry is a
// slot that is not provided; every caller tests its entry before calling.
// The table is a value: the plug-in object keeps its own copy.
#include <cstdint>

class CVeST;

struct CVeSTCallbacks {
    // Once, from vestCreate: sets up the plug-in record; 1.
    int32_t (*init)(CVeST* vest);
    // From the plug-in's destructor: deletes the effect object.
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
