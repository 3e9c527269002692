#include "recording_services.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace vest_testing {

namespace {

// The shortest text that reads back as the same double.
std::string shortestText(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

} // namespace

bool CallArgument::operator==(const CallArgument& other) const
{
    // A NaN argument equals a NaN, so that tests can expect one.
    const bool sameReal = real == other.real || (std::isnan(real) && std::isnan(other.real));
    return kind == other.kind && integer == other.integer && sameReal && string == other.string
        && pointer == other.pointer;
}

std::string CallArgument::text() const
{
    switch (kind) {
    case Kind::Integer:
        return std::to_string(integer);
    case Kind::Real:
        return shortestText(real);
    case Kind::Text:
        return '"' + string + '"';
    case Kind::Pointer:
        break;
    }
    return pointer ? "ptr" : "null";
}

std::string RecordedCall::text() const
{
    std::string result = name + "(";
    for (size_t i = 0; i < arguments.size(); ++i)
        result += (i ? ", " : "") + arguments[i].text();
    return result + ")";
}

std::ostream& operator<<(std::ostream& out, const CallArgument& argument)
{
    return out << argument.text();
}
std::ostream& operator<<(std::ostream& out, const RecordedCall& call)
{
    return out << call.text();
}

RecordingServices& RecordingServices::instance()
{
    static RecordingServices services;
    return services;
}

CVeST* RecordingServices::fakePlugin()
{
    static char token;
    return reinterpret_cast<CVeST*>(&token);
}

std::vector<std::string> RecordingServices::callNames() const
{
    std::vector<std::string> names;
    for (const RecordedCall& call : recorded)
        names.push_back(call.name);
    return names;
}

std::vector<RecordedCall> RecordingServices::callsTo(const std::string& name) const
{
    std::vector<RecordedCall> matching;
    for (const RecordedCall& call : recorded)
        if (call.name == name)
            matching.push_back(call);
    return matching;
}

size_t RecordingServices::count(const std::string& name) const
{
    return callsTo(name).size();
}

void RecordingServices::reset()
{
    recorded.clear();
    answers = ServiceAnswers();
}

void RecordingServices::record(const char* name, const CVeST* plugin, std::vector<CallArgument> arguments)
{
    recorded.push_back(RecordedCall{name, plugin, std::move(arguments)});
}

VestBitmapHandle* RecordingServices::newBitmap()
{
    auto* bitmap = new VestBitmapHandle;
    images[bitmap] = HeldImage();
    return bitmap;
}

void RecordingServices::deleteBitmap(VestBitmapHandle* bitmap)
{
    images.erase(bitmap);
    delete bitmap;
}

HeldImage* RecordingServices::imageOf(const VestBitmapHandle* bitmap)
{
    const auto found = images.find(bitmap);
    return found == images.end() ? nullptr : &found->second;
}

} // namespace vest_testing

using vest_testing::BitmapImage;
using vest_testing::CallArgument;
using vest_testing::HeldImage;
using vest_testing::RecordingServices;

namespace {

// Records the call and gives the answers of a live plug-in object, or null
// for a null one (the caller then answers its failure value).
const vest_testing::ServiceAnswers* call(const char* name, CVeST* vest, std::vector<CallArgument> arguments)
{
    RecordingServices& services = RecordingServices::instance();
    services.record(name, vest, std::move(arguments));
    return vest ? &services.answers : nullptr;
}

vest_testing::ServiceAnswers* mutableCall(const char* name, CVeST* vest, std::vector<CallArgument> arguments)
{
    call(name, vest, std::move(arguments));
    return vest ? &RecordingServices::instance().answers : nullptr;
}

// Like call(), for the drawing functions: the answers only while drawing.
const vest_testing::ServiceAnswers* drawCall(const char* name, CVeST* vest, std::vector<CallArgument> arguments)
{
    const auto* answers = call(name, vest, std::move(arguments));
    return answers && answers->drawing ? answers : nullptr;
}

// Like call(), for the time queries: the answers only with time info.
const vest_testing::ServiceAnswers* timeCall(const char* name, CVeST* vest, std::vector<CallArgument> arguments)
{
    const auto* answers = call(name, vest, std::move(arguments));
    return answers && answers->hasTimeInfo ? answers : nullptr;
}

int32_t drawn(const char* name, CVeST* vest, std::vector<CallArgument> arguments)
{
    return drawCall(name, vest, std::move(arguments)) ? 1 : 0;
}

// Records a bitmap call (the handle is the first argument) and gives what
// the handle holds, null for a null handle.
HeldImage* bitmapCall(const char* name, VestBitmapHandle* bitmap, CVeST* vest, std::vector<CallArgument> arguments)
{
    arguments.insert(arguments.begin(), CallArgument(static_cast<const void*>(bitmap)));
    RecordingServices& services = RecordingServices::instance();
    services.record(name, vest, std::move(arguments));
    return bitmap ? services.imageOf(bitmap) : nullptr;
}

HeldImage* loadedBitmap(const char* name, VestBitmapHandle* bitmap, std::vector<CallArgument> arguments)
{
    HeldImage* held = bitmapCall(name, bitmap, nullptr, std::move(arguments));
    return held && held->loaded ? held : nullptr;
}

// Replaces what the handle holds by the image, if the source has one.
int32_t load(HeldImage* held, const BitmapImage* image, bool needsArea)
{
    if (held == nullptr)
        return 0;
    *held = HeldImage();
    if (image == nullptr || (needsArea && !(image->width > 0.0 && image->height > 0.0)))
        return 0;
    held->loaded = true;
    held->width = image->width;
    held->height = image->height;
    return 1;
}

template <typename Map, typename Key> const BitmapImage* find(const Map& images, const Key& key)
{
    const auto found = images.find(key);
    return found == images.end() ? nullptr : &found->second;
}

bool drawBitmap(const char* name, VestBitmapHandle* bitmap, CVeST* vest, std::vector<CallArgument> arguments)
{
    const HeldImage* held = bitmapCall(name, bitmap, vest, std::move(arguments));
    return held && held->loaded && vest && RecordingServices::instance().answers.drawing;
}

bool copyHostText(const std::string& answer, char* text)
{
    if (answer.empty())
        return false;
    std::strcpy(text, answer.c_str());
    return true;
}

const void* address(const void* pointer)
{
    return pointer;
}

} // namespace

// ---- Host ----

AEffect* vestGetAeffect(CVeST* vest)
{
    const auto* a = call("vestGetAeffect", vest, {});
    return a ? a->aeffect : nullptr;
}
TZarkune* vestGetEffect(CVeST* vest)
{
    const auto* a = call("vestGetEffect", vest, {});
    return a ? a->effect : nullptr;
}
int32_t vestGetNumInputs(CVeST* vest)
{
    const auto* a = call("vestGetNumInputs", vest, {});
    return a ? a->numInputs : 0;
}
int32_t vestGetNumOutputs(CVeST* vest)
{
    const auto* a = call("vestGetNumOutputs", vest, {});
    return a ? a->numOutputs : 0;
}
int32_t vestSetNumInputs(CVeST* vest, int32_t count)
{
    auto* a = mutableCall("vestSetNumInputs", vest, {count});
    if (a)
        a->numInputs = count;
    return a ? 1 : 0;
}
int32_t vestSetNumOutputs(CVeST* vest, int32_t count)
{
    auto* a = mutableCall("vestSetNumOutputs", vest, {count});
    if (a)
        a->numOutputs = count;
    return a ? 1 : 0;
}
int32_t vestSetUniqueID(CVeST* vest, int32_t id)
{
    return call("vestSetUniqueID", vest, {id}) ? 1 : 0;
}
int32_t vestProgramsAreChunks(CVeST* vest, bool state)
{
    return call("vestProgramsAreChunks", vest, {state}) ? 1 : 0;
}
int32_t vestSetInitialDelay(CVeST* vest, int32_t samples)
{
    return call("vestSetInitialDelay", vest, {samples}) ? 1 : 0;
}
int32_t vestSetIsSynth(CVeST* vest, bool state)
{
    return call("vestSetIsSynth", vest, {state}) ? 1 : 0;
}

float vestGetSampleRate(CVeST* vest)
{
    const auto* a = call("vestGetSampleRate", vest, {});
    return a ? a->sampleRate : 0.0f;
}
int32_t vestGetBlockSize(CVeST* vest)
{
    const auto* a = call("vestGetBlockSize", vest, {});
    return a ? a->blockSize : 0;
}

double vestGetTempo(CVeST* vest)
{
    const auto* a = timeCall("vestGetTempo", vest, {});
    return a ? a->tempo : 0.0;
}
int32_t vestIsRecording(CVeST* vest)
{
    const auto* a = timeCall("vestIsRecording", vest, {});
    return a && (a->transportFlags & 8) ? 1 : 0;
}
int32_t vestIsPlaying(CVeST* vest)
{
    const auto* a = timeCall("vestIsPlaying", vest, {});
    return a && (a->transportFlags & 2) ? 1 : 0;
}
double vestGetPpqPos(CVeST* vest)
{
    const auto* a = timeCall("vestGetPpqPos", vest, {});
    return a ? a->ppqPos : 0.0;
}
double vestGetBarStartPos(CVeST* vest)
{
    const auto* a = timeCall("vestGetBarStartPos", vest, {});
    return a ? a->barStartPos : 0.0;
}
int32_t vestGetTempoAndTimeSig(CVeST* vest, double* tempo, double* numerator, double* denominator)
{
    const auto* a
        = timeCall("vestGetTempoAndTimeSig", vest, {address(tempo), address(numerator), address(denominator)});
    if (!a)
        return 0;
    if (tempo)
        *tempo = a->tempo;
    if (numerator)
        *numerator = a->timeSigNumerator;
    if (denominator)
        *denominator = a->timeSigDenominator;
    return 1;
}

bool vestUpdateDisplay(CVeST* vest)
{
    const auto* a = call("vestUpdateDisplay", vest, {});
    return a && a->updateDisplayAnswer;
}
int32_t vestSetParameterAutomated(CVeST* vest, int32_t index, double value)
{
    return call("vestSetParameterAutomated", vest, {index, value}) ? 1 : 0;
}
bool vestSendMidiEvent(CVeST* vest, int32_t deltaFrames, int32_t status, int32_t data1, int32_t data2)
{
    const auto* a = call("vestSendMidiEvent", vest, {deltaFrames, status, data1, data2});
    return a && a->hostTakesEvents;
}
bool vestSendMidiSysex(CVeST* vest, int32_t deltaFrames, char* data, int32_t length)
{
    const auto* a = call("vestSendMidiSysex", vest, {deltaFrames, address(data), length});
    return a && a->hostTakesEvents;
}
int32_t vestReceiveMidiEvent(CVeST* vest, int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2)
{
    auto* a = mutableCall("vestReceiveMidiEvent", vest,
                          {address(deltaFrames), address(status), address(data1), address(data2)});
    if (!a)
        return 0;
    if (a->incomingMidi.empty()) {
        *deltaFrames = *status = *data1 = *data2 = 0;
        return 0;
    }
    const vest_testing::MidiEvent event = a->incomingMidi.front();
    a->incomingMidi.pop_front();
    // The bytes arrive widened with their sign, as the shell's ring gives them.
    *deltaFrames = event.deltaFrames;
    *status = static_cast<int8_t>(event.status);
    *data1 = static_cast<int8_t>(event.data1);
    *data2 = static_cast<int8_t>(event.data2);
    return 1;
}

bool vestGetHostVendorString(CVeST* vest, char* text)
{
    const auto* a = call("vestGetHostVendorString", vest, {address(text)});
    return a && copyHostText(a->hostVendor, text);
}
bool vestGetHostProductString(CVeST* vest, char* text)
{
    const auto* a = call("vestGetHostProductString", vest, {address(text)});
    return a && copyHostText(a->hostProduct, text);
}
int32_t vestGetHostVendorVersion(CVeST* vest)
{
    const auto* a = call("vestGetHostVendorVersion", vest, {});
    return a ? a->hostVendorVersion : 0;
}
int32_t vestGetHostLanguage(CVeST* vest)
{
    const auto* a = call("vestGetHostLanguage", vest, {});
    return a ? a->hostLanguage : 0;
}
int32_t vestGetMasterVersion(CVeST* vest)
{
    const auto* a = call("vestGetMasterVersion", vest, {});
    return a ? a->masterVersion : 0;
}
int32_t vestGetCurrentUniqueId(CVeST* vest)
{
    const auto* a = call("vestGetCurrentUniqueId", vest, {});
    return a ? a->currentUniqueId : 0;
}
int32_t vestMasterIdle(CVeST* vest)
{
    return call("vestMasterIdle", vest, {}) ? 1 : 0;
}

// ---- Drawing ----

int32_t vestSetDrawMode(CVeST* vest, int32_t mode)
{
    return drawn("vestSetDrawMode", vest, {mode});
}
int32_t vestSetFontColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawn("vestSetFontColor", vest, {r, g, b, a});
}
int32_t vestSetFillColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawn("vestSetFillColor", vest, {r, g, b, a});
}
int32_t vestSetFrameColor(CVeST* vest, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawn("vestSetFrameColor", vest, {r, g, b, a});
}
double vestGetStringWidth(CVeST* vest, const char* text)
{
    const auto* a = drawCall("vestGetStringWidth", vest, {text});
    return a ? static_cast<double>(std::strlen(text)) * a->charWidth : 0.0;
}
int32_t vestGetFontSize(CVeST* vest)
{
    const auto* a = drawCall("vestGetFontSize", vest, {});
    return a ? a->fontSize : 0;
}
int32_t vestSetFont(CVeST* vest, const char* face, int32_t size, int32_t style)
{
    const auto* a = drawCall("vestSetFont", vest, {face, size, style});
    return a && face && a->refusedFontFaces.count(face) == 0 ? 1 : 0;
}
int32_t vestMoveTo(CVeST* vest, double x, double y)
{
    return drawn("vestMoveTo", vest, {x, y});
}
int32_t vestLineTo(CVeST* vest, double x, double y)
{
    return drawn("vestLineTo", vest, {x, y});
}
int32_t vestDrawRect(CVeST* vest, double left, double top, double right, double bottom, int32_t style)
{
    return drawn("vestDrawRect", vest, {left, top, right, bottom, style});
}
int32_t vestDrawEllipse(CVeST* vest, double left, double top, double right, double bottom, int32_t style)
{
    return drawn("vestDrawEllipse", vest, {left, top, right, bottom, style});
}
int32_t vestDrawArc(CVeST* vest, double left, double top, double right, double bottom, double startAngle,
                    double endAngle, int32_t style)
{
    return drawn("vestDrawArc", vest, {left, top, right, bottom, startAngle, endAngle, style});
}
int32_t vestDrawString(CVeST* vest, const char* text, double left, double top, double right, double bottom, bool opaque,
                       int32_t align)
{
    return drawn("vestDrawString", vest, {text, left, top, right, bottom, opaque, align});
}
int32_t vestDrawStringAt(CVeST* vest, const char* text, double x, double y, bool antialias)
{
    return drawn("vestDrawStringAt", vest, {text, x, y, antialias});
}
int32_t vestDrawStringInRect(CVeST* vest, const char* text, double left, double top, double right, double bottom,
                             int32_t align, bool antialias)
{
    return drawn("vestDrawStringInRect", vest, {text, left, top, right, bottom, align, antialias});
}
int32_t vestDrawPoint(CVeST* vest, double x, double y, int32_t r, int32_t g, int32_t b, int32_t a)
{
    return drawn("vestDrawPoint", vest, {x, y, r, g, b, a});
}
int32_t vestGetPointColor(CVeST* vest, double x, double y, int32_t* r, int32_t* g, int32_t* b, int32_t* a)
{
    const auto* answers = drawCall("vestGetPointColor", vest, {x, y, address(r), address(g), address(b), address(a)});
    if (!answers)
        return 0;
    *r = answers->pointColor[0];
    *g = answers->pointColor[1];
    *b = answers->pointColor[2];
    *a = answers->pointColor[3];
    return 1;
}

// ---- Bitmaps ----

VestBitmapHandle* vestNewBitmap()
{
    RecordingServices& services = RecordingServices::instance();
    VestBitmapHandle* bitmap = services.newBitmap();
    services.record("vestNewBitmap", nullptr, {address(bitmap)});
    return bitmap;
}
int32_t vestDeleteBitmap(VestBitmapHandle* bitmap)
{
    if (!bitmapCall("vestDeleteBitmap", bitmap, nullptr, {}))
        return 0;
    RecordingServices::instance().deleteBitmap(bitmap);
    return 1;
}
int32_t vestLoadBitmapFile(VestBitmapHandle* bitmap, const char* path)
{
    HeldImage* held = bitmapCall("vestLoadBitmapFile", bitmap, nullptr, {path});
    return load(held, find(RecordingServices::instance().answers.imageFiles, std::string(path)), false);
}
int32_t vestLoadBitmapResource(VestBitmapHandle* bitmap, const char* name)
{
    HeldImage* held = bitmapCall("vestLoadBitmapResource", bitmap, nullptr, {name});
    return load(held, find(RecordingServices::instance().answers.resourceNames, std::string(name)), true);
}
int32_t vestLoadBitmapResourceId(VestBitmapHandle* bitmap, int32_t id)
{
    HeldImage* held = bitmapCall("vestLoadBitmapResourceId", bitmap, nullptr, {id});
    return load(held, find(RecordingServices::instance().answers.resourceIds, id), true);
}
double vestGetBitmapWidth(VestBitmapHandle* bitmap)
{
    const HeldImage* held = loadedBitmap("vestGetBitmapWidth", bitmap, {});
    return held ? std::trunc(held->width) : 0.0;
}
double vestGetBitmapHeight(VestBitmapHandle* bitmap)
{
    const HeldImage* held = loadedBitmap("vestGetBitmapHeight", bitmap, {});
    return held ? std::trunc(held->height) : 0.0;
}
int32_t vestGetBitmapTransparentColor(VestBitmapHandle* bitmap, int32_t* r, int32_t* g, int32_t* b, int32_t* a)
{
    const HeldImage* held
        = loadedBitmap("vestGetBitmapTransparentColor", bitmap, {address(r), address(g), address(b), address(a)});
    if (!held)
        return 0;
    *r = held->transparentColor[0];
    *g = held->transparentColor[1];
    *b = held->transparentColor[2];
    *a = held->transparentColor[3];
    return 1;
}
int32_t vestSetBitmapTransparentColor(VestBitmapHandle* bitmap, int32_t r, int32_t g, int32_t b, int32_t a)
{
    HeldImage* held = loadedBitmap("vestSetBitmapTransparentColor", bitmap, {r, g, b, a});
    if (!held)
        return 0;
    const int32_t colour[4] = {r & 0xFF, g & 0xFF, b & 0xFF, a & 0xFF};
    std::memcpy(held->transparentColor, colour, sizeof colour);
    return 1;
}
int32_t vestGetBitmapNoAlpha(VestBitmapHandle* bitmap)
{
    const HeldImage* held = loadedBitmap("vestGetBitmapNoAlpha", bitmap, {});
    return held && held->noAlpha ? 1 : 0;
}
int32_t vestSetBitmapNoAlpha(VestBitmapHandle* bitmap, bool flag)
{
    HeldImage* held = loadedBitmap("vestSetBitmapNoAlpha", bitmap, {flag});
    if (!held)
        return 0;
    held->noAlpha = flag;
    return 1;
}
bool vestDrawBitmap(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right, double bottom,
                    double offsetX, double offsetY)
{
    return drawBitmap("vestDrawBitmap", bitmap, vest, {left, top, right, bottom, offsetX, offsetY});
}
bool vestDrawBitmapAlpha(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right, double bottom,
                         double offsetX, double offsetY, uint8_t alpha)
{
    return drawBitmap("vestDrawBitmapAlpha", bitmap, vest, {left, top, right, bottom, offsetX, offsetY, alpha});
}
bool vestDrawBitmapTransparent(VestBitmapHandle* bitmap, CVeST* vest, double left, double top, double right,
                               double bottom, double offsetX, double offsetY)
{
    return drawBitmap("vestDrawBitmapTransparent", bitmap, vest, {left, top, right, bottom, offsetX, offsetY});
}

// ---- Editor ----

int32_t vestCreateEditor(CVeST* vest, int32_t width, int32_t height)
{
    auto* a = mutableCall("vestCreateEditor", vest, {width, height});
    if (!a || a->hasEditor)
        return 0;
    a->hasEditor = true;
    a->editorWidth = width;
    a->editorHeight = height;
    return 1;
}
int32_t vestGetEditorSize(CVeST* vest, int32_t* width, int32_t* height)
{
    const auto* a = call("vestGetEditorSize", vest, {address(width), address(height)});
    if (!a || !a->hasEditor)
        return 0;
    *width = a->editorWidth;
    *height = a->editorHeight;
    return 1;
}
int32_t vestRedraw(CVeST* vest)
{
    const auto* a = call("vestRedraw", vest, {});
    return a && a->hasEditor && a->editorViewOpen ? 1 : 0;
}
