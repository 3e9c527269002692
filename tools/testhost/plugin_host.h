#pragma once

// A small VST 2.4 host for tests: loads a plug-in library, calls its entry
// with a scriptable host callback that records every request, and drives the
// plug-in record the way a host does.
#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "vst_records.h"

// What the host answers. Changes take effect on the next request.
struct HostSettings {
    // The answer to audioMasterVersion; 0 makes a plug-in refuse to start.
    VstIntPtr version = 2400;
    // Whether audioMasterGetTime answers with a record or with null.
    bool timeInfo = true;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;
    double tempo = 120.0;
    VstInt32 timeSigNumerator = 4;
    VstInt32 timeSigDenominator = 4;
    bool playing = true;
    bool recording = false;
    // Answers by opcode that take precedence over the host's own.
    std::map<VstInt32, VstIntPtr> answers;
};

// One request the plug-in made, with the host's answer.
struct RecordedRequest {
    bool withRecord; // the plug-in passed its AEffect (false: null)
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    bool withPointer;
    float opt;
    VstIntPtr answer;
};

// A text a text opcode wrote, and how many bytes of the buffer it touched.
struct HostText {
    std::string text;
    std::size_t bytesTouched;
};

class PluginHost {
public:
    explicit PluginHost(HostSettings settings = {});
    // Closes a plug-in that is still open and unloads the library.
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads the library; false (with lastError) when it cannot be loaded.
    bool load(const std::string& path);
    // Frees the library, as a host does once its plug-ins are closed.
    void unload();
    // The address the library exports under the name, or null.
    void* entryAddress(const char* entryName) const;
    // Calls the entry with the host callback; the record, or null.
    AEffect* create(const char* entryName = "VSTPluginMain");
    AEffect* effect() const { return plugin; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    // The usual start: open, sample rate and block size from the settings,
    // resume.
    void start();
    void open() { dispatch(effOpen); }
    void setSampleRate(float rate) { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }
    void setBlockSize(VstInt32 size) { dispatch(effSetBlockSize, 0, size); }
    void resume() { dispatch(effMainsChanged, 0, 1); }
    void suspend() { dispatch(effMainsChanged, 0, 0); }
    // effClose: the plug-in deletes itself; the record is gone afterwards.
    VstIntPtr close();

    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);
    // A text opcode into a buffer of bufferSize bytes, prefilled with a
    // sentinel so that bytesTouched shows how far the plug-in wrote.
    HostText text(VstInt32 opcode, VstInt32 index, std::size_t bufferSize);

    // effGetChunk: the bytes, copied out of the plug-in's block, and the
    // pointer the plug-in answered with (owned by the plug-in).
    std::vector<uint8_t> getChunk(void** pluginBlock = nullptr);
    VstIntPtr setChunk(const void* data, VstInt32 byteSize);

    VstIntPtr sendEvents(VstEvents* events) { return dispatch(effProcessEvents, 0, 0, events); }

    void processReplacing(float** inputs, float** outputs, VstInt32 frames);
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames);

    HostSettings settings;
    // Every request, from whichever thread the plug-in made it on.
    std::vector<RecordedRequest> requests;
    std::string lastError;

private:
    static VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt);
    VstIntPtr answer(VstInt32 opcode, VstIntPtr value, void* ptr);
    VstTimeInfo* currentTimeInfo(VstIntPtr filter);
    void advanceTime(VstInt32 frames);

    // The host a request belongs to: the one whose plug-in sent it, or, for
    // requests before its record is known (the version query comes with
    // none), the one whose entry call is under way.
    static PluginHost* hostFor(AEffect* effect);

    static std::vector<PluginHost*> hosts;
    static PluginHost* creating;

    // Plug-ins call back from the audio thread and from the threads that
    // set parameters; the answers and the record are taken one at a time.
    std::mutex requestLock;
    HMODULE library = nullptr;
    AEffect* plugin = nullptr;
    VstTimeInfo timeInfo{};
    double samplePosition = 0.0;
};
