#pragma once

// A concrete plug-in on the base classes and a host callback that records
// every request and answers from a table the test fills.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "audio_effect_x.h"

struct HostRequest {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

class RecordingHost {
public:
    RecordingHost() { current = this; }
    ~RecordingHost() { current = nullptr; }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                          float opt)
    {
        current->requests.push_back({effect, opcode, index, value, ptr, opt});
        if (current->onRequest)
            current->onRequest(current->requests.back());
        auto answer = current->answers.find(opcode);
        return answer == current->answers.end() ? 0 : answer->second;
    }

    std::vector<HostRequest> requests;
    std::map<VstInt32, VstIntPtr> answers;
    // Sees each request while its pointer is still valid.
    std::function<void(const HostRequest&)> onRequest;

private:
    static inline RecordingHost* current = nullptr;
};

class TestEffect : public AudioEffectX {
public:
    explicit TestEffect(audioMasterCallback host = nullptr, VstInt32 numPrograms = 1, VstInt32 numParams = 3)
        : AudioEffectX(host, numPrograms, numParams)
    {
    }
    void processReplacing(float**, float**, VstInt32) override {}
    VstInt32 canDo(char* text) override
    {
        lastCanDo = text;
        return canDoAnswer;
    }

    VstInt32 canDoAnswer = 0;
    std::string lastCanDo;
};
