#pragma once

// A plug-in object around a small probe effect whose parameters cover the
// cases the callbacks treat apart, with a recording host.
#include <cstring>
#include <memory>
#include <string>

#include "callbacks.h"
#include "services.h"
#include "test_effect.h"
#include "vest.h"
#include "zarkune.h"

class ProbeEffect : public TZarkune {
public:
    enum Parameter { kSpeed, kChoice, kFixedChoice, kFixedValue, kFree, kParameterCount };

    ProbeEffect()
    {
        effectName = "An effect name of forty characters, long";
        productString = "Probe product";
        vendorString = "Probe vendor";
        programName = "Initial program";
        vendorVersion = 5;
        uniqueId = 77;
        channelCount = 2;
        addSlider(1, nullptr, 0, 0, 2, 1, "", "", "TOV AutoSpeed");
        addSlider(2, &bound, 0, 0, 2, 1, "", "dB", "Choice");
        sliderRecords.back().options = {"low", "middle", "high"};
        addSlider(3, nullptr, 5, 5, 5, 1, "", "", "Fixed choice");
        sliderRecords.back().options = {"only", "never"};
        addSlider(4, nullptr, 5, 5, 5, 1, "", "", "Fixed value");
        addSlider(5, nullptr, 0, 0, 1, 0, "", "", "Unstepped");
    }
    ~ProbeEffect() override
    {
        if (destroyed)
            *destroyed = true;
    }

    void doSlider() override { ++sliderRuns; }
    void doBlock() override { ++blockRuns; }
    void doSample() override
    {
        ++sampleRuns;
        samples[0] = samples[0] * 2.0;
        samples[1] = samples[1] + 1.0;
    }

    double bound = -1.0;
    int sliderRuns = 0;
    int blockRuns = 0;
    int sampleRuns = 0;
    bool* destroyed = nullptr;
};

class ProbePlugin : public ::testing::Test {
protected:
    ProbePlugin()
    {
        host.answers[audioMasterVersion] = 2400;
        CVeSTCallbacks callbacks;
        initCallbacks(&callbacks);
        effect = new ProbeEffect();
        vest = vestCreate(effect, callbacks, RecordingHost::callback, 1, ProbeEffect::kParameterCount);
        effect->vest = vest;
    }
    ~ProbePlugin() override
    {
        if (vest)
            vest->release();
    }
    ProbePlugin(const ProbePlugin&) = delete;
    ProbePlugin& operator=(const ProbePlugin&) = delete;

    double slider(ProbeEffect::Parameter parameter) { return effect->sliders[effect->sliderRecords[parameter].index]; }
    std::string text(void (CVeST::*get)(VstInt32, char*), VstInt32 index)
    {
        char buffer[64];
        std::memset(buffer, 'x', sizeof(buffer));
        (vest->*get)(index, buffer);
        return buffer;
    }

    RecordingHost host;
    ProbeEffect* effect;
    CVeST* vest;
};
