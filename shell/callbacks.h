#pragma once

// The 27 functions that fill the callback table. The shell reaches the
// effect through them and nothing else. Each takes the effect out of the plug-in object and
// reads or writes the runtime's fields or runs one of its operations.
#include <cstdint>

#include "callback_table.h"

// Sets every slot to null, then stores the callbacks below; the two key
// slots stay empty.
void initCallbacks(CVeSTCallbacks* callbacks);

// Channel counts and unique id from the effect's description, the 700 x 300
// editor, chunk-based programs; 1.
int32_t callbackInit(CVeST* vest);
// Deletes the effect object; nothing when there is none.
void callbackDestroy(CVeST* vest);
void callbackOpen(CVeST* vest);
void callbackSuspend(CVeST* vest);
void callbackResume(CVeST* vest);
void callbackIdle(CVeST* vest);
void callbackClose(CVeST* vest);
// Runs the graphics section; the effect asks for the editor size itself.
// Then the mouse state waiting behind the one this frame drew comes next.
void callbackDraw(CVeST* vest, double width, double height);
// Mouse position and buttons into the plug-in's mouse states, whose first is
// the runtime's mouse state; each raises the frame rate to at least 30. A
// press or release before any frame has drawn the change before it waits for
// the next frames, so that each click, however quick, reaches the display's
// buttons once.
void callbackMouseDown(CVeST* vest, double x, double y, int32_t buttons);
// Not a table entry: forgets the mouse states no frame has drawn and leaves
// the effect with no button down, so that input for an editor that is gone
// does not act in the next one. No mouse input itself: the frame rate
// stays. [GUI thread], or wherever a closed editor's frame is released.
void dropMouseStates(CVeST* vest);
void callbackMouseUp(CVeST* vest, double x, double y, int32_t buttons);
void callbackMouseMoved(CVeST* vest, double x, double y, int32_t buttons);

// The description strings, each cut to the host buffer's published size.
int32_t callbackGetVendorVersion(CVeST* vest);
int32_t callbackGetVendorString(CVeST* vest, char* text);
int32_t callbackGetProductString(CVeST* vest, char* text);
int32_t callbackGetEffectName(CVeST* vest, char* text);
int32_t callbackGetProgramName(CVeST* vest, char* text);
void callbackSetProgramName(CVeST* vest, const char* text);
// Touches nothing; 0.
int32_t callbackGetProgramNameIndexed(CVeST* vest, int32_t category, int32_t index, char* text);

// Parameters by index into the effect's slider records. An index outside the
// records reads 0, changes nothing and writes an empty text.
double callbackGetParameter(CVeST* vest, int32_t index);
void callbackSetParameter(CVeST* vest, int32_t index, double value);
void callbackGetParameterName(CVeST* vest, int32_t index, char* text);
void callbackGetParameterLabel(CVeST* vest, int32_t index, char* text);
void callbackGetParameterDisplay(CVeST* vest, int32_t index, char* text);

// The block section once, then the sample section per frame. [audio thread]
void callbackProcessReplacing(CVeST* vest, float** inputs, float** outputs, int32_t sampleFrames);
void callbackProcessDoubleReplacing(CVeST* vest, double** inputs, double** outputs, int32_t sampleFrames);

int32_t callbackGetChunk(CVeST* vest, void** data, bool isPreset);
int32_t callbackSetChunk(CVeST* vest, void* data, int32_t byteSize, bool isPreset);

// Parameter texts are written into at most this many bytes, terminator
// included: the published 8 would cut the effect's 13-character names to
// one common prefix.
constexpr int32_t kParameterTextBytes = 16;
