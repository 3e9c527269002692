#pragma once

// A test host with output.dll loaded, and the effect's reference run.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin_host.h"
#include "stereo_render.h"

// The library under test; CMake passes its path. Unix paths reach Wine
// through its Z: drive.
inline std::string pluginPath()
{
    const std::string path = VEST_OUTPUT_DLL;
    return path.rfind('/', 0) == 0 ? "Z:" + path : path;
}

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.load(pluginPath())) << host.lastError; }

    // Creates the plug-in; the test stops when the entry gives null.
    AEffect* create(const char* entry = "VSTPluginMain")
    {
        AEffect* effect = host.create(entry);
        EXPECT_NE(effect, nullptr) << entry;
        return effect;
    }

    // Creates, opens and resumes at the given sample rate.
    void start(float sampleRate = 44100.0f)
    {
        host.settings.sampleRate = sampleRate;
        ASSERT_NE(create(), nullptr);
        host.start();
    }

    PluginHost host;
};

inline uint32_t bitsOf(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

inline uint64_t bitsOf(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}
