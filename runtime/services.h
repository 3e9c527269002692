#pragma once

#include <cstdint>

// The service functions of the plug-in shell: the runtime's and the effect's
// only door to the host and the screen. The shell implements them.
//
// Every function that takes the plug-in object first does nothing and
// answers its failure value (0, 0.0, false or null) when that object is null;
// the drawing functions also when no draw context is current (they work only
// while the editor's view is painted), the bitmap functions when the handle
// is null or empty. Out-pointers must be valid unless a line says otherwise.
// Texts are narrow strings; buffers for returned texts belong to the caller.
// Colours are four int32 values, each cut to its low byte.
//
// The tag at the end of each line names the thread a caller may be on. The
// plug-in starts no thread of its own, so the tags are promises about the
// host's threads. They mean this in every header of the plug-in, and a tag
// on a class or at the top of a header holds for all it declares unless a
// line says otherwise:
//   [GUI thread]         the host's user-interface thread: it opens the
//                        editor, sends the editor's idle turns and runs the
//                        window procedure that paints the view. Toolkit
//                        objects and draw contexts are made and used on it;
//                        only the editor's frame may be released elsewhere,
//                        when the host closes the editor from another thread
//                        (gui/frame.h says how).
//   [audio thread]       the thread on which the host hands over audio blocks
//                        (and MIDI events). Work done there must not block,
//                        wait for the GUI thread or allocate.
//   [dispatcher thread]  whichever thread the host calls the record's
//                        dispatcher and parameter functions on for anything
//                        but opening the editor and its drawing, input and
//                        idle: most hosts use their GUI thread, some move
//                        parameter changes, suspend and resume, or closing
//                        the editor, to a worker or to the audio thread.
//                        Nothing is locked, so such a call may run while a
//                        block is being processed.
//   [any thread]         any of these, also at the same time as the others.
//                        The function keeps no state that such calls could
//                        tear: it works on its arguments, constants, atomics
//                        or tables made once, on plain fields of the plug-in
//                        record as the dispatcher thread's calls do, or asks
//                        the host, which may answer on any thread.

class CVeST;
class TZarkune;
struct AEffect;
struct VestBitmapHandle;

// ---- Host: plug-in record, counts and set-up ----

// The plug-in's own VST record; owned by the plug-in. [any thread]
AEffect* vestGetAeffect(CVeST* vest);
// The effect object the plug-in owns. [any thread]
TZarkune* vestGetEffect(CVeST* vest);
// Input and output channel counts of the plug-in record. [any thread]
int32_t vestGetNumInputs(CVeST* vest);
int32_t vestGetNumOutputs(CVeST* vest);
// Set the channel counts, the unique id, chunk-based programs, the latency in
// samples and the synth flag of the plug-in record; 1 when done. [any thread]
int32_t vestSetNumInputs(CVeST* vest, int32_t count);
int32_t vestSetNumOutputs(CVeST* vest, int32_t count);
int32_t vestSetUniqueID(CVeST* vest, int32_t id);
int32_t vestProgramsAreChunks(CVeST* vest, bool state);
int32_t vestSetInitialDelay(CVeST* vest, int32_t samples);
int32_t vestSetIsSynth(CVeST* vest, bool state);

// ---- Host: rate, size, time and transport (asked anew on every call) ----

// The host's sample rate in Hz. [any thread]
float vestGetSampleRate(CVeST* vest);
// The host's maximum block size in frames. [any thread]
int32_t vestGetBlockSize(CVeST* vest);
// Tempo in beats per minute; 0.0 when the host gives no time info. [any thread]
double vestGetTempo(CVeST* vest);
// 1 while the host records / plays, else 0. [any thread]
int32_t vestIsRecording(CVeST* vest);
int32_t vestIsPlaying(CVeST* vest);
// Musical position and start of the current bar, in quarter notes. [any thread]
double vestGetPpqPos(CVeST* vest);
double vestGetBarStartPos(CVeST* vest);
// Tempo and time signature through the non-null pointers; 1 when the host
// gave time info, else 0 and nothing written. [any thread]
int32_t vestGetTempoAndTimeSig(CVeST* vest, double* tempo, double* numerator, double* denominator);

// ---- Host: display, automation, MIDI ----

// Tells the host that the plug-in's display (names, values) changed. [any thread]
bool vestUpdateDisplay(CVeST* vest);
// Sets parameter index to value (as float) and tells the host; 1. [any thread]
int32_t vestSetParameterAutomated(CVeST* vest, int32_t index, double value);
// Sends one short MIDI event (low bytes of status, data1, data2) to the host;
// true when the host took it. [audio thread]
bool vestSendMidiEvent(CVeST* vest, int32_t deltaFrames, int32_t status, int32_t data1, int32_t data2);
// Sends one SysEx event of length bytes; the bytes stay the caller's and are
// not copied. True when the host took it. [audio thread]
bool vestSendMidiSysex(CVeST* vest, int32_t deltaFrames, char* data, int32_t length);
// Takes the oldest received MIDI event: 1 and its fields (bytes widened with
// their sign), or 0 and all four outputs 0 when none waits. [audio thread]
int32_t vestReceiveMidiEvent(CVeST* vest, int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2);

// ---- Host: identification ----

// The host's vendor and product strings, copied into the caller's buffer
// (64 bytes); true when the host answered. [any thread]
bool vestGetHostVendorString(CVeST* vest, char* text);
bool vestGetHostProductString(CVeST* vest, char* text);
// The host's vendor version, language code, VST version and the unique id of
// the plug-in it is loading. [any thread]
int32_t vestGetHostVendorVersion(CVeST* vest);
int32_t vestGetHostLanguage(CVeST* vest);
int32_t vestGetMasterVersion(CVeST* vest);
int32_t vestGetCurrentUniqueId(CVeST* vest);
// Gives the host a chance to run its idle work; 1. [GUI thread]
int32_t vestMasterIdle(CVeST* vest);

// ---- Drawing, on the current draw context; 1 when drawn ----

// Draw mode: 0 copy, 3 antialiased. [GUI thread]
int32_t vestSetDrawMode(CVeST* vest, int32_t mode);
// Colours of text, of fills and of lines and outlines. [GUI thread]
int32_t vestSetFontColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a);
int32_t vestSetFillColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a);
int32_t vestSetFrameColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a);
// Width of the text in the current font. [GUI thread]
double vestGetStringWidth(CVeST* vest, const char* text);
// Size of the current font, cut toward zero; 0 without a font. [GUI thread]
int32_t vestGetFontSize(CVeST* vest);
// Selects a font by face name (cached per plug-in, case ignored), size and
// style flags (0 plain). [GUI thread]
int32_t vestSetFont(CVeST* vest, const char* face, int32_t size, int32_t style);
// Moves the pen / draws a line from the pen to the point. [GUI thread]
int32_t vestMoveTo(CVeST* vest, double x, double y);
int32_t vestLineTo(CVeST* vest, double x, double y);
// Style 0 stroked, 1 filled, 2 filled and stroked. [GUI thread]
int32_t vestDrawRect(CVeST* vest, double left, double top, double right, double bottom, int32_t style);
int32_t vestDrawEllipse(CVeST* vest, double left, double top, double right, double bottom, int32_t style);
// Arc of the ellipse in the rectangle, angles in degrees. [GUI thread]
int32_t vestDrawArc(CVeST* vest, double left, double top, double right, double bottom, double startAngle,
                    double endAngle, int32_t style);
// Text in the rectangle; align 0 left, 1 centred, 2 right. [GUI thread]
int32_t vestDrawString(CVeST* vest, const char* text, double left, double top, double right, double bottom, bool opaque,
                       int32_t align);
// UTF-8 text at a point / in a rectangle. [GUI thread]
int32_t vestDrawStringAt(CVeST* vest, const char* text, double x, double y, bool antialias);
int32_t vestDrawStringInRect(CVeST* vest, const char* text, double left, double top, double right, double bottom,
                             int32_t align, bool antialias);
// One pixel in the colour. [GUI thread]
int32_t vestDrawPoint(CVeST* vest, double x, double y, int32_t r, int32_t g, int32_t b, int32_t a);
// The colour of one pixel, each byte 0..255 through its pointer. [GUI thread]
int32_t vestGetPointColor(CVeST* vest, double x, double y, int32_t* r, int32_t* g, int32_t* b, int32_t* a);

// ---- Bitmaps: a handle owns at most one bitmap ----

// A new empty handle, owned by the caller until vestDeleteBitmap. [GUI thread]
VestBitmapHandle* vestNewBitmap();
// Releases the held bitmap (if any) and frees the handle; 1. [GUI thread]
int32_t vestDeleteBitmap(VestBitmapHandle* bitmap);
// Replace the held bitmap by one loaded from an image file / a "DATA"
// resource of the library by name / by numeric id; 1 when loaded, else 0
// with the handle empty. [GUI thread]
int32_t vestLoadBitmapFile(VestBitmapHandle* bitmap, const char* path);
int32_t vestLoadBitmapResource(VestBitmapHandle* bitmap, const char* name);
int32_t vestLoadBitmapResourceId(VestBitmapHandle* bitmap, int32_t id);
// Size of the held bitmap in whole pixels; 0.0 when empty. [GUI thread]
double vestGetBitmapWidth(VestBitmapHandle* bitmap);
double vestGetBitmapHeight(VestBitmapHandle* bitmap);
// The transparent colour of the held bitmap, read or set. [GUI thread]
int32_t vestGetBitmapTransparentColor(VestBitmapHandle* bitmap, int32_t* r, int32_t* g, int32_t* b, int32_t* a);
int32_t vestSetBitmapTransparentColor(VestBitmapHandle* bitmap, int32_t r, int32_t g, int32_t b, int32_t a);
// The no-alpha flag of the held bitmap (0 or 1), read or set. [GUI thread]
int32_t vestGetBitmapNoAlpha(VestBitmapHandle* bitmap);
int32_t vestSetBitmapNoAlpha(VestBitmapHandle* bitmap, bool flag);
// Draw the held bitmap into the rectangle of the current draw context, from
// the source offset: plainly, with an alpha of 0..255, or with its
// transparent colour left out; false without plug-in object, draw context or
// bitmap. [GUI thread]
bool vestDrawBitmap(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right, double bottom,
                    double offsetX, double offsetY);
bool vestDrawBitmapAlpha(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right, double bottom,
                         double offsetX, double offsetY, uint8_t alpha);
bool vestDrawBitmapTransparent(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right,
                               double bottom, double offsetX, double offsetY);

// ---- Editor ----

// Creates the plug-in's editor of the given size, owned by the plug-in; 0
// when it already has one. From the init slot, while the plug-in is made.
// [dispatcher thread]
int32_t vestCreateEditor(CVeST* vest, int32_t width, int32_t height);
// The editor's size; 0 when there is no editor. [GUI thread]
int32_t vestGetEditorSize(CVeST* vest, int32_t* width, int32_t* height);
// Asks for the whole editor view to be painted again; 0 when no view is
// open. [GUI thread]
int32_t vestRedraw(CVeST* vest);
