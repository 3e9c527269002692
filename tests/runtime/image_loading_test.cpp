// Image slots through the real bitmap services, with this program standing in
// for the plug-in library: its "DATA" resource 0 holds a 99 x 99 image, it has
// no resources 1 and 2, and beside it lies beside_20x10.png. The tests run on
// their own drive (VEST_LOG_DRIVE, mapped by map-log-drive.sh), whose root
// takes the debug log, one test at a time; beeps are recorded through the
// platform seam.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_handle.h"
#include "gui/bitmap.h"
#include "runtime_platform.h"
#include "scratch_folder.h"
#include "zarkune.h"

namespace {

constexpr const char* kLogFile = VEST_LOG_DRIVE "\\plon.log.txt";

// This program's folder with its trailing backslash, found without the
// runtime's path rules.
std::string programFolder()
{
    char buffer[MAX_PATH];
    const std::string path(buffer, GetModuleFileNameA(nullptr, buffer, MAX_PATH));
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::vector<std::pair<uint32_t, uint32_t>>& beeps()
{
    static std::vector<std::pair<uint32_t, uint32_t>> heard;
    return heard;
}

int32_t recordBeep(uint32_t frequencyHz, uint32_t durationMs)
{
    beeps().emplace_back(frequencyHz, durationMs);
    return 1;
}

class ImageLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GetCurrentDirectoryA(MAX_PATH, startFolder));
        ASSERT_TRUE(SetCurrentDirectoryA(VEST_LOG_DRIVE "\\")) << "drive " VEST_LOG_DRIVE " is not mapped";
        std::filesystem::remove(kLogFile);
        beeps().clear();
        setBeepSink(&recordBeep);
        script.fileNames = {{0, "resource_99x99.png"}, {1, "beside_20x10.png"}, {2, "nowhere.png"}};
    }

    void TearDown() override
    {
        setBeepSink(nullptr);
        SetCurrentDirectoryA(startFolder);
        std::filesystem::remove(kLogFile);
    }

    static std::vector<std::string> logLines()
    {
        std::vector<std::string> lines;
        std::ifstream file(kLogFile);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    // The slot's size, and whether its handle holds a bitmap.
    static void expectSlot(const ImageSlot& slot, double width, double height, bool holdsBitmap)
    {
        EXPECT_EQ(slot.width, width);
        EXPECT_EQ(slot.height, height);
        ASSERT_NE(slot.bitmap, nullptr);
        EXPECT_EQ(slot.bitmap->bitmap != nullptr, holdsBitmap);
    }

    char startFolder[MAX_PATH] = {};
    TZarkune script;
};

TEST_F(ImageLoading, ResourceZeroLoadsAt99By99AndIsNotDecodedAgain)
{
    const ImageSlot& slot = script.getImage(0);
    expectSlot(slot, 99, 99, true);
    ASSERT_NE(slot.bitmap, nullptr);
    VSTGUI::CBitmap* const bitmap = slot.bitmap->bitmap;
    ASSERT_NE(bitmap, nullptr);
    const VSTGUI::GdiBitmap* const image = bitmap->getBitmap();
    VestBitmapHandle* const handle = slot.bitmap;

    const ImageSlot& again = script.getImage(0);
    EXPECT_EQ(again.bitmap, handle);
    EXPECT_EQ(again.bitmap->bitmap, bitmap);
    EXPECT_EQ(bitmap->getBitmap(), image);
    EXPECT_EQ(bitmap->getNbReference(), 1);
    EXPECT_TRUE(logLines().empty());
    EXPECT_TRUE(beeps().empty());
}

TEST_F(ImageLoading, WithoutItsResourceAnImageLoadsFromTheFileBesideTheLibrary)
{
    expectSlot(script.getImage(1), 20, 10, true);
    EXPECT_TRUE(logLines().empty());
    EXPECT_TRUE(beeps().empty());
}

TEST_F(ImageLoading, AnImageFoundNowhereGivesOneLogLineAndOneBeepOnce)
{
    expectSlot(script.getImage(2), 0, 0, false);
    EXPECT_EQ(logLines(), std::vector<std::string>{"Unable to load: " + programFolder() + "nowhere.png"});
    EXPECT_EQ(beeps(), (std::vector<std::pair<uint32_t, uint32_t>>{{2000, 200}}));

    script.getImage(2);
    EXPECT_EQ(logLines().size(), 1u);
    EXPECT_EQ(beeps().size(), 1u);
}

TEST_F(ImageLoading, TheLogIsAppendedAtTheRootOfTheCurrentDrive)
{
    const ScratchFolder deeper(VEST_LOG_DRIVE "\\", "deeper");
    ASSERT_TRUE(SetCurrentDirectoryA(deeper.path().c_str()));
    std::ofstream(kLogFile) << "earlier line\n";
    script.getImage(2);
    // Out of the folder again, so that it can be removed.
    ASSERT_TRUE(SetCurrentDirectoryA(VEST_LOG_DRIVE "\\"));
    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"earlier line", "Unable to load: " + programFolder() + "nowhere.png"}));
    EXPECT_EQ(GetFileAttributesA(deeper.path("plon.log.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
