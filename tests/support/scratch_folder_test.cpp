#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Scratch folders are made in a parent of this test's own, so that the
// names the test expects are not taken by other tests of the run.
class ScratchFolderTest : public ::testing::Test {
protected:
    ScratchFolder parent{fs::temp_directory_path(), "vest-scratch-test"};
    const std::string firstName = "box-" + std::to_string(getpid()) + "-1";
};

TEST_F(ScratchFolderTest, IsMadeNewAndRemovedWithEverythingInIt)
{
    std::string path;
    {
        const ScratchFolder folder(parent.path(), "box");
        EXPECT_EQ(folder.name(), firstName);
        path = folder.path();
        EXPECT_EQ(fs::path(path), fs::path(parent.path()) / firstName);
        EXPECT_TRUE(fs::is_directory(path));
        fs::create_directories(folder.path("deeper/still"));
        std::ofstream(folder.path("deeper/still/file.txt")) << "x";
        EXPECT_EQ(fs::path(folder.widePath(L"deeper")), fs::path(path) / "deeper");
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ScratchFolderTest, AFolderLeftBehindUnderTheSameNameIsNeitherSharedNorRemoved)
{
    const fs::path leftover = fs::path(parent.path()) / firstName;
    fs::create_directory(leftover);
    std::ofstream(leftover / "old.txt") << "x";
    {
        const ScratchFolder folder(parent.path(), "box");
        EXPECT_EQ(folder.name(), "box-" + std::to_string(getpid()) + "-2");
        EXPECT_TRUE(fs::is_empty(folder.path()));
    }
    EXPECT_TRUE(fs::exists(leftover / "old.txt"));
}

TEST_F(ScratchFolderTest, AFolderThatCannotBeMadeThrows)
{
    EXPECT_THROW(ScratchFolder(parent.path("missing"), "box"), std::runtime_error);
}

#ifdef _WIN32
// A file held open without delete sharing cannot be removed on Windows.
TEST_F(ScratchFolderTest, AFolderThatCannotBeRemovedFailsTheTest)
{
    auto folder = std::make_unique<ScratchFolder>(parent.path(), "box");
    const std::wstring held = folder->widePath(L"held.txt");
    HANDLE file = CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_NONFATAL_FAILURE(folder.reset(), "cannot remove the scratch folder");
    CloseHandle(file);
    fs::remove_all(parent.path(firstName));
}
#endif

} // namespace
