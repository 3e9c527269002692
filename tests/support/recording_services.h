#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "bitmap_handle.h"
#include "services.h"

// A recording implementation of the shell's service functions, for tests of
// the runtime and the effect. Every call is recorded with its arguments; the
// answers come from RecordingServices::answers. Like the real shell, every
// function given a null plug-in object (or a null or empty bitmap handle)
// answers its failure value and touches nothing. Single-threaded.

namespace vest_testing {

// One recorded argument: integers (and flags) as int64, doubles, texts, and
// pointers (bitmap handles, out-pointers, buffers) by address.
struct CallArgument {
    enum class Kind { Integer, Real, Text, Pointer };

    Kind kind;
    int64_t integer = 0;
    double real = 0.0;
    std::string string;
    const void* pointer = nullptr;

    CallArgument(int32_t v) : kind(Kind::Integer), integer(v) {}
    CallArgument(uint8_t v) : kind(Kind::Integer), integer(v) {}
    CallArgument(bool v) : kind(Kind::Integer), integer(v) {}
    CallArgument(double v) : kind(Kind::Real), real(v) {}
    CallArgument(const char* text) : kind(Kind::Text), string(text ? text : "(null)") {}
    CallArgument(const void* address) : kind(Kind::Pointer), pointer(address) {}

    bool operator==(const CallArgument& other) const;
    std::string text() const;
};

struct RecordedCall {
    std::string name;
    // The plug-in object passed, null when none was (or the function has none).
    const CVeST* plugin = nullptr;
    // All other arguments, in order.
    std::vector<CallArgument> arguments;

    // The call as written, with the plug-in object left out:
    // vestSetFont("Courier New", 11, 0).
    std::string text() const;
};

std::ostream& operator<<(std::ostream& out, const CallArgument& argument);
std::ostream& operator<<(std::ostream& out, const RecordedCall& call);

// An image that a bitmap source can load.
struct BitmapImage {
    double width = 0.0;
    double height = 0.0;
};

// What a handle made by the recording vestNewBitmap holds in place of a
// toolkit bitmap (the handle's own bitmap pointer stays null).
struct HeldImage {
    bool loaded = false;
    double width = 0.0;
    double height = 0.0;
    int32_t transparentColor[4] = {0, 0, 0, 0};
    bool noAlpha = false;
};

// A MIDI event waiting for vestReceiveMidiEvent, as raw bytes.
struct MidiEvent {
    int32_t deltaFrames = 0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

// What the fake shell answers for a non-null plug-in object.
struct ServiceAnswers {
    AEffect* aeffect = nullptr;
    TZarkune* effect = nullptr;
    int32_t numInputs = 0; // also set by vestSetNumInputs
    int32_t numOutputs = 0; // also set by vestSetNumOutputs
    float sampleRate = 0.0f;
    int32_t blockSize = 0;

    // Time info; without it every time query answers 0.
    bool hasTimeInfo = true;
    double tempo = 0.0;
    double ppqPos = 0.0;
    double barStartPos = 0.0;
    int32_t timeSigNumerator = 4;
    int32_t timeSigDenominator = 4;
    int32_t transportFlags = 0; // playing 2, recording 8

    bool updateDisplayAnswer = true;
    bool hostTakesEvents = true; // the MIDI sends' answer
    std::deque<MidiEvent> incomingMidi;

    std::string hostVendor; // empty: the host does not answer
    std::string hostProduct;
    int32_t hostVendorVersion = 0;
    int32_t hostLanguage = 0;
    int32_t masterVersion = 0;
    int32_t currentUniqueId = 0;

    // Drawing works only while a draw context is current.
    bool drawing = false;
    double charWidth = 0.0; // vestGetStringWidth: length x charWidth
    int32_t fontSize = 0;
    std::set<std::string> refusedFontFaces; // vestSetFont answers 0 for these
    int32_t pointColor[4] = {0, 0, 0, 0};

    // What each bitmap source loads; a source not listed fails.
    std::map<int32_t, BitmapImage> resourceIds;
    std::map<std::string, BitmapImage> resourceNames;
    std::map<std::string, BitmapImage> imageFiles;

    // The editor: made by vestCreateEditor; vestRedraw needs its view open.
    bool hasEditor = false;
    int32_t editorWidth = 0;
    int32_t editorHeight = 0;
    bool editorViewOpen = false;
};

class RecordingServices {
public:
    static RecordingServices& instance();

    // A non-null plug-in object to store in `vest`; never dereferenced.
    static CVeST* fakePlugin();

    ServiceAnswers answers;

    const std::vector<RecordedCall>& calls() const { return recorded; }
    std::vector<std::string> callNames() const;
    std::vector<RecordedCall> callsTo(const std::string& name) const;
    size_t count(const std::string& name) const;

    // Forgets the recorded calls.
    void clear() { recorded.clear(); }
    // Forgets the calls and restores every answer to its default.
    void reset();

    // Bitmap handles made and not yet deleted.
    int32_t liveBitmaps() const { return static_cast<int32_t>(images.size()); }

    // Used by the fake service functions.
    void record(const char* name, const CVeST* plugin, std::vector<CallArgument> arguments);
    VestBitmapHandle* newBitmap();
    void deleteBitmap(VestBitmapHandle* bitmap);
    // What a live handle holds; null for a handle this recorder did not make.
    HeldImage* imageOf(const VestBitmapHandle* bitmap);

private:
    RecordingServices() = default;

    std::vector<RecordedCall> recorded;
    // Every live handle with what it holds; freed handles leave the map.
    std::map<const VestBitmapHandle*, HeldImage> images;
};

} // namespace vest_testing
