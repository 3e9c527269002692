// Image slots and the debug log with the recording services: each image is
// loaded once, from the library's resource or else from its file, and given
// up once with one log line and one beep.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "debug_log_capture.h"
#include "module_paths.h"
#include "recording_services.h"
#include "zarkune.h"

namespace {

using vest_testing::RecordingServices;

class ImageSlots : public ::testing::Test {
protected:
    ImageSlots() { services.reset(); }
    ~ImageSlots() override { services.reset(); }

    std::vector<std::string> callTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& call : services.calls())
            texts.push_back(call.text());
        return texts;
    }

    RecordingServices& services = RecordingServices::instance();
    DebugLogCapture logCapture;
    TZarkune script;
};

TEST_F(ImageSlots, AResourceImageLoadsOnceWithItsSize)
{
    script.fileNames[0] = "logo.png";
    services.answers.resourceIds[0] = {99, 99};

    ImageSlot& first = script.getImage(0);
    EXPECT_EQ(first.width, 99.0);
    EXPECT_EQ(first.height, 99.0);
    EXPECT_EQ(callTexts(),
              (std::vector<std::string>{"vestNewBitmap(ptr)", "vestLoadBitmapResourceId(ptr, 0)",
                                        "vestGetBitmapWidth(ptr)", "vestGetBitmapHeight(ptr)"}));
    VestBitmapHandle* const handle = first.bitmap;

    services.clear();
    ImageSlot& second = script.getImage(0);
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.bitmap, handle);
    EXPECT_TRUE(services.calls().empty()) << "decoded again";
    EXPECT_TRUE(logCapture.lines().empty());
}

// The file beside the library: its name with one leading delimiter dropped.
TEST_F(ImageSlots, WithoutItsResourceAnImageLoadsFromItsFileBesideTheLibrary)
{
    for (const std::string name : {"side.png", "\\side.png", "/side.png"}) {
        SCOPED_TRACE(name);
        services.reset();
        TZarkune fresh;
        fresh.fileNames[1] = name;
        const std::string path = moduleFolder() + "side.png";
        services.answers.imageFiles[path] = {20.9, 10};

        const ImageSlot& slot = fresh.getImage(1);
        EXPECT_EQ(slot.width, 20.0);
        EXPECT_EQ(slot.height, 10.0);
        EXPECT_EQ(
            callTexts(),
            (std::vector<std::string>{"vestNewBitmap(ptr)", "vestLoadBitmapResourceId(ptr, 1)", "vestDeleteBitmap(ptr)",
                                      "vestNewBitmap(ptr)", "vestLoadBitmapFile(ptr, \"" + path + "\")",
                                      "vestGetBitmapWidth(ptr)", "vestGetBitmapHeight(ptr)"}));
        EXPECT_EQ(services.liveBitmaps(), 1);
    }
    EXPECT_TRUE(logCapture.lines().empty());
    EXPECT_TRUE(logCapture.beeps().empty());
}

TEST_F(ImageSlots, AnImageFoundNowhereIsLoggedOnceAndKeepsAnEmptyHandle)
{
    script.fileNames[2] = "Clipping_ON.png";
    const std::string path = moduleFolder() + "Clipping_ON.png";

    const ImageSlot& slot = script.getImage(2);
    EXPECT_NE(slot.bitmap, nullptr);
    EXPECT_EQ(slot.width, 0.0);
    EXPECT_EQ(slot.height, 0.0);
    EXPECT_EQ(logCapture.lines(), std::vector<std::string>{"Unable to load: " + path});
    EXPECT_EQ(logCapture.beeps(), (std::vector<DebugLogCapture::Beep>{{2000, 200}}));
    EXPECT_EQ(services.liveBitmaps(), 1);

    services.clear();
    script.getImage(2);
    EXPECT_TRUE(services.calls().empty());
    EXPECT_EQ(logCapture.lines().size(), 1u);
    EXPECT_EQ(logCapture.beeps().size(), 1u);
}

TEST_F(ImageSlots, ANumberWithoutAFileNameGivesAnEmptySlotAndNothingElse)
{
    script.fileNames[0] = "logo.png";
    const ImageSlot& slot = script.getImage(7);
    EXPECT_EQ(slot.bitmap, nullptr);
    EXPECT_EQ(slot.width, 0.0);
    EXPECT_EQ(script.images.size(), 1u);
    EXPECT_TRUE(services.calls().empty());
    EXPECT_TRUE(logCapture.lines().empty());
}

TEST_F(ImageSlots, TheScriptReleasesEveryHandleItHolds)
{
    {
        TZarkune owner;
        owner.fileNames = {{0, "a.png"}, {1, "b.png"}, {2, "c.png"}};
        services.answers.resourceIds[0] = {4, 4};
        services.answers.imageFiles[moduleFolder() + "b.png"] = {4, 4};
        for (int32_t n = 0; n < 3; ++n)
            owner.getImage(n);
        EXPECT_EQ(services.liveBitmaps(), 3);
    }
    EXPECT_EQ(services.liveBitmaps(), 0);
}

TEST_F(ImageSlots, TheLogAppendsOneLinePerMessageAndAnswersWhatTheBeepAnswers)
{
    EXPECT_EQ(debugLog("first"), DebugLogCapture::kBeepAnswer);
    EXPECT_EQ(debugLog("second line"), DebugLogCapture::kBeepAnswer);
    EXPECT_EQ(logCapture.lines(), (std::vector<std::string>{"first", "second line"}));
    EXPECT_EQ(logCapture.beeps(), (std::vector<DebugLogCapture::Beep>{{2000, 200}, {2000, 200}}));
}

TEST_F(ImageSlots, ALogThatCannotBeOpenedIsIgnoredWithoutABeep)
{
    setDebugLogFile((logCapture.path() + ".missing-folder/log.txt").c_str());
    EXPECT_EQ(debugLog("lost"), 0);
    EXPECT_TRUE(logCapture.beeps().empty());
}

} // namespace
