#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_folder.h"
#include "runtime_test_support.h"
#include "zarkune.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

TEST(AddSlider, PlainRecordsKeepTheirRangeAndAreNumberedInOrder)
{
    TZarkune script;
    script.sliders[1] = script.sliders[2] = script.sliders[3] = 9.0;
    EXPECT_EQ(script.addSlider(1, nullptr, 0.0, 0.0, 1.0, 1.0, "", "", "TOV AutoWidth"), 0);
    EXPECT_EQ(script.addSlider(2, nullptr, 0.0, 0.0, 2.0, 1.0, "", "", "TOV AutoSpeed"), 1);
    EXPECT_EQ(script.addSlider(3, nullptr, 0.0, 0.0, 2.0, 1.0, "", "", "TOV AutoDepth"), 2);
    EXPECT_EQ(script.sliders[1] + script.sliders[2] + script.sliders[3], 0.0);

    ASSERT_EQ(script.sliderRecords.size(), 3u);
    const SliderRecord& speed = script.sliderRecords[1];
    EXPECT_EQ(speed.prepared, 1);
    EXPECT_TRUE(speed.options.empty());
    EXPECT_EQ(speed.index, 2);
    EXPECT_EQ(speed.minimum, 0.0);
    EXPECT_EQ(speed.maximum, 2.0);
    EXPECT_EQ(speed.step, 1.0);
    EXPECT_EQ(speed.name, "TOV AutoSpeed");
}

TEST(AddSlider, KeepsTheBoundVariableAndTextsAndSetsTheValueToTheDefault)
{
    TZarkune script;
    double bound = 0.0;
    script.addSlider(7, &bound, 0.25, -1.0, 1.0, 0.05, "", "dB", "Gain");
    const SliderRecord& gain = script.sliderRecords.at(0);
    EXPECT_EQ(gain.variable, &bound);
    EXPECT_EQ(gain.defaultValue, 0.25);
    EXPECT_EQ(gain.label, "dB");
    EXPECT_EQ(gain.folder, "");
    EXPECT_EQ(script.sliders[7], 0.25);
}

// A data folder beside the executable holding two plain files, a hidden one
// and a sub-folder.
class DataFolder : public ::testing::Test {
protected:
    DataFolder()
    {
        folder.addFile("a.txt");
        folder.addFile("b.txt");
        folder.addFile(".hidden");
        folder.addFolder("sub");
    }

    const SliderRecord& addFolderSlider(const std::string& folderName)
    {
        script.addSlider(4, nullptr, 3.0, 1.0, 9.0, 1.0, folderName, "", "Files");
        return script.sliderRecords.back();
    }

    ModuleScratchFolder folder;
    TZarkune script;
};

TEST_F(DataFolder, PlainFilesBecomeTheOptionsWithRangeFromZero)
{
    const SliderRecord& record = addFolderSlider(folder.name() + kSeparator);
    EXPECT_THAT(record.options, UnorderedElementsAre("a.txt", "b.txt"));
    EXPECT_EQ(record.prepared, 1);
    EXPECT_EQ(record.minimum, 0.0);
    EXPECT_EQ(record.maximum, 1.0);
    EXPECT_EQ(record.defaultValue, 0.0);
    EXPECT_EQ(record.step, 0.5);
    EXPECT_EQ(script.sliders[4], 3.0); // set from the given default before the folder rule
}

TEST_F(DataFolder, OneLeadingDelimiterOfTheFolderNameIsDropped)
{
    for (const char delimiter : {'/', '\\'}) {
        const SliderRecord& record = addFolderSlider(delimiter + folder.name() + kSeparator);
        EXPECT_THAT(record.options, UnorderedElementsAre("a.txt", "b.txt"));
    }
}

TEST_F(DataFolder, WithoutTrailingSeparatorEntriesAreLookedUpBesideTheFolder)
{
    EXPECT_THAT(addFolderSlider(folder.name()).options, ElementsAre("(No Data Files)"));

    // Folder name and entry name run together: such a path beside the folder
    // is what gets its status read.
    const std::string besideTheFolder = folder.path() + "a.txt";
    std::ofstream(besideTheFolder) << "x";
    EXPECT_THAT(addFolderSlider(folder.name()).options, ElementsAre("a.txt"));
    std::filesystem::remove(besideTheFolder);
}

TEST_F(DataFolder, MissingOrEmptyFolderGivesTheSingleNoDataText)
{
    folder.addFolder("empty");
    for (const std::string& name :
         {folder.name() + kSeparator + "missing" + kSeparator, folder.name() + kSeparator + "empty" + kSeparator}) {
        const SliderRecord& record = addFolderSlider(name);
        EXPECT_THAT(record.options, ElementsAre("(No Data Files)")) << name;
        EXPECT_EQ(record.minimum, 0.0);
        EXPECT_EQ(record.maximum, 0.0);
        EXPECT_EQ(record.step, 0.5);
    }
}

TEST_F(DataFolder, ListingAppendsToWhatTheListHolds)
{
    std::vector<std::string> names = {"kept"};
    listFolderFiles(folder.path() + kSeparator, names);
    EXPECT_THAT(names, UnorderedElementsAre("kept", "a.txt", "b.txt"));
}

#ifndef _WIN32
TEST_F(DataFolder, EntriesWhoseStatusCannotBeReadAreSkipped)
{
    std::filesystem::create_symlink("nowhere", folder.path("dangling"));
    std::vector<std::string> names;
    listFolderFiles(folder.path() + kSeparator, names);
    EXPECT_THAT(names, UnorderedElementsAre("a.txt", "b.txt"));
}
#endif

} // namespace
