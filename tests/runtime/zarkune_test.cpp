#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <thread>

#include "recording_services.h"
#include "runtime_platform.h"
#include "runtime_test_support.h"
#include "zarkune.h"

using vest_testing::RecordingServices;

namespace {

TEST(RuntimeObject, FreshObjectHasOneClosedChunkStreamAndEverythingElseEmpty)
{
    TZarkune script;
    ASSERT_EQ(script.files.size(), 1u);
    EXPECT_EQ(script.files[0].mode, kFileClosed);
    EXPECT_TRUE(script.files[0].name.empty());
    EXPECT_TRUE(script.files[0].data.empty());
    EXPECT_EQ(script.files[0].position, 0);
    EXPECT_TRUE(script.sliderRecords.empty());
    EXPECT_TRUE(script.pages.empty());
    EXPECT_EQ(script.vest, nullptr);
    for (const double value : script.sliders)
        EXPECT_EQ(value, 0.0);
    for (const double value : script.samples)
        EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(script.effectName.empty() && script.productString.empty() && script.vendorString.empty()
                && script.programName.empty());
    EXPECT_EQ(script.vendorVersion + script.uniqueId + script.channelCount, 0);
    EXPECT_TRUE(script.strings.empty() && script.fileNames.empty());
    EXPECT_EQ(script.stringCount, 0.0);
    EXPECT_TRUE(script.fonts.empty() && script.images.empty());
    EXPECT_EQ(script.fontHeight + script.gfxX + script.gfxY + script.frameRate, 0.0);
    EXPECT_EQ(script.mouseCap + script.mouseX + script.mouseY, 0.0);
    EXPECT_EQ(script.lastRedrawTicks, 0);
    EXPECT_EQ(script.openCount, 0);
}

TEST(RuntimeObject, ResetFreesMemoryAndStringTableAndKeepsTheRest)
{
    TZarkune script;
    *script.at(5) = 1.0;
    script.stringAt(10000) = "text";
    script.fileNames[0] = "image.png";
    script.sliders[1] = 2.0;
    script.samples[0] = 0.5;
    script.fonts[0].face = "face";
    script.images[0].width = 99.0;
    script.frameRate = 30.0;
    script.gfxX = 7.0;
    script.mouseCap = kMouseCapLeft;
    script.lastRedrawTicks = 1234;
    script.openCount = 3;
    script.files[0].mode = kFileRead;

    script.reset();

    EXPECT_TRUE(script.pages.empty());
    EXPECT_TRUE(script.strings.empty());
    EXPECT_EQ(script.stringCount, 0.0);
    EXPECT_EQ(script.lastRedrawTicks, 0);
    EXPECT_EQ(script.fileNames.at(0), "image.png");
    EXPECT_EQ(script.sliders[1], 2.0);
    EXPECT_EQ(script.samples[0], 0.5);
    EXPECT_EQ(script.fonts.at(0).face, "face");
    EXPECT_EQ(script.images.at(0).width, 99.0);
    EXPECT_EQ(script.frameRate, 30.0);
    EXPECT_EQ(script.gfxX, 7.0);
    EXPECT_EQ(script.mouseCap, kMouseCapLeft);
    EXPECT_EQ(script.openCount, 3);
    EXPECT_EQ(script.files[0].mode, kFileRead);
}

TEST(RuntimeObject, StringLookupEntersMissingNumbersAndCountsEntries)
{
    TZarkune script;
    script.stringAt(10000) = "a";
    EXPECT_EQ(script.stringCount, 1.0);
    EXPECT_EQ(script.stringAt(7), "");
    EXPECT_EQ(script.stringCount, 2.0);
    EXPECT_EQ(script.stringAt(10000), "a");
    EXPECT_EQ(script.stringCount, 2.0);
}

TEST(Sections, ResumeRunsInitThenSlider)
{
    LoggingScript script;
    script.resume();
    EXPECT_EQ(script.sections, (std::vector<std::string>{"init", "slider"}));
}

TEST(Sections, InitOnceRunsInitOnlyTheFirstTimeEvenAcrossReset)
{
    LoggingScript script;
    EXPECT_EQ(script.initOnce(), 1);
    EXPECT_EQ(script.initOnce(), 2);
    script.reset();
    EXPECT_EQ(script.initOnce(), 3);
    EXPECT_EQ(script.sections, std::vector<std::string>{"init"});
    EXPECT_EQ(script.openCount, 3);
}

TEST(Sections, DeletingThroughTheBaseRunsTheScriptsDestructor)
{
    static bool destroyed = false;
    struct Script : TZarkune {
        ~Script() override { destroyed = true; }
    };
    TZarkune* script = new Script;
    delete script;
    EXPECT_TRUE(destroyed);
}

TEST(Destruction, ReleasesEveryImageHandleThroughTheShell)
{
    RecordingServices& services = RecordingServices::instance();
    services.reset();
    {
        TZarkune script;
        script.images[0].bitmap = vestNewBitmap();
        script.images[2].bitmap = vestNewBitmap();
        script.images[5]; // never loaded: no handle
        ASSERT_EQ(services.liveBitmaps(), 2);
        services.clear();
    }
    EXPECT_EQ(services.liveBitmaps(), 0);
    EXPECT_EQ(services.callNames(), (std::vector<std::string>{"vestDeleteBitmap", "vestDeleteBitmap"}));
}

// A scripted clock: each read takes the next value, the last one repeats.
std::deque<int32_t> scriptedTicks;
int32_t tickReads = 0;
int32_t nextScriptedTick()
{
    ++tickReads;
    const int32_t tick = scriptedTicks.front();
    if (scriptedTicks.size() > 1)
        scriptedTicks.pop_front();
    return tick;
}

struct IdleCase {
    const char* name;
    double frameRate;
    int32_t lastRedraw;
    int32_t now;
    bool redraws;
};

void PrintTo(const IdleCase& c, std::ostream* out)
{
    *out << c.name;
}

class IdleTest : public ::testing::TestWithParam<IdleCase> {
protected:
    void SetUp() override
    {
        RecordingServices::instance().reset();
        script.vest = RecordingServices::fakePlugin();
        setTickSource(nextScriptedTick);
        tickReads = 0;
    }
    void TearDown() override { setTickSource(nullptr); }

    TZarkune script;
};

TEST_P(IdleTest, RedrawsOnlyWhenMoreThanOneFrameIntervalHasPassed)
{
    const IdleCase& c = GetParam();
    script.frameRate = c.frameRate;
    script.lastRedrawTicks = c.lastRedraw;
    scriptedTicks = {c.now, c.now + 1};
    script.idle();

    const RecordingServices& services = RecordingServices::instance();
    if (c.redraws) {
        ASSERT_EQ(services.callNames(), std::vector<std::string>{"vestRedraw"});
        EXPECT_EQ(services.calls()[0].plugin, RecordingServices::fakePlugin());
        EXPECT_EQ(script.lastRedrawTicks, c.now + 1); // the clock is read again after the request
    } else {
        EXPECT_TRUE(services.calls().empty());
        EXPECT_EQ(script.lastRedrawTicks, c.lastRedraw);
    }
    if (!(c.frameRate > 0.0)) {
        EXPECT_EQ(tickReads, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FrameRates, IdleTest,
    ::testing::Values(IdleCase{"ThirtyAfter33ms", 30.0, 0, 33, false}, IdleCase{"ThirtyAfter34ms", 30.0, 0, 34, true},
                      IdleCase{"ThirtyLaterInTheRun", 30.0, 5000, 5033, false},
                      IdleCase{"ThirtyLaterInTheRunAfter34ms", 30.0, 5000, 5034, true},
                      IdleCase{"ThousandNeedsMoreThanOneMs", 1000.0, 0, 1, false},
                      IdleCase{"ThousandAfter2ms", 1000.0, 0, 2, true}, IdleCase{"ZeroNever", 0.0, 0, 1000000, false},
                      IdleCase{"NegativeNever", -30.0, 0, 1000000, false},
                      IdleCase{"NanNever", std::numeric_limits<double>::quiet_NaN(), 0, 1000000, false},
                      IdleCase{"AcrossTheTickWrap", 30.0, INT32_MAX - 10, INT32_MIN + 30, true},
                      IdleCase{"AcrossTheTickWrapTooSoon", 30.0, INT32_MAX - 10, INT32_MIN + 20, false},
                      IdleCase{"ClockBehindTheLastRedraw", 30.0, 5000, 4000, false}),
    [](const ::testing::TestParamInfo<IdleCase>& info) { return std::string(info.param.name); });

TEST(TickCount, CountsMillisecondsOfWallTime)
{
    const int32_t before = tickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const int32_t elapsed = tickCount() - before;
    EXPECT_GE(elapsed, 50);
    EXPECT_LT(elapsed, 5000);
}

} // namespace
