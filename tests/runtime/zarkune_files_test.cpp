#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "runtime_test_support.h"
#include "zarkune.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(FileSlotStream, WriteStoresFloatsAtThePositionGrowingWithZeros)
{
    FileSlot slot;
    slot.mode = kFileWrite;
    slot.position = 2;
    slot.write(0.1);
    EXPECT_EQ(slot.data, (std::vector<float>{0.0f, 0.0f, 0.1f}));
    EXPECT_EQ(slot.position, 3);
    slot.position = 0;
    slot.write(7.0);
    EXPECT_EQ(slot.data, (std::vector<float>{7.0f, 0.0f, 0.1f}));
}

TEST(FileSlotStream, ReadYieldsEachValueThenNothingAndLeavesTheTarget)
{
    FileSlot slot;
    slot.mode = kFileRead;
    slot.data = {1.5f, -2.0f};
    double target = 9.0;
    EXPECT_TRUE(slot.read(target));
    EXPECT_EQ(target, 1.5);
    EXPECT_TRUE(slot.read(target));
    EXPECT_EQ(target, -2.0);
    EXPECT_FALSE(slot.read(target));
    EXPECT_EQ(target, -2.0);
    EXPECT_EQ(slot.position, 2);
}

TEST(FileSlotStream, OperationsOutsideTheirModeDoNothing)
{
    for (const int32_t mode : {kFileClosed, kFileRead}) {
        FileSlot slot;
        slot.mode = mode;
        slot.write(1.0);
        EXPECT_TRUE(slot.data.empty());
        EXPECT_EQ(slot.position, 0);
    }
    for (const int32_t mode : {kFileClosed, kFileWrite}) {
        FileSlot slot;
        slot.mode = mode;
        slot.data = {1.0f};
        double target = 5.0;
        EXPECT_FALSE(slot.read(target));
        EXPECT_EQ(target, 5.0);
        EXPECT_EQ(slot.position, 0);
    }
}

TEST(FileSlotStream, ReopenEmptiesTheSlotInTheNewMode)
{
    FileSlot slot;
    slot.mode = kFileRead;
    slot.data = {1.0f, 2.0f};
    slot.position = 1;
    slot.reopen(kFileWrite);
    EXPECT_EQ(slot.mode, kFileWrite);
    EXPECT_EQ(slot.position, 0);
    EXPECT_TRUE(slot.data.empty());
    slot.close();
    EXPECT_EQ(slot.mode, kFileClosed);
}

// A named slot in write mode, its file in a scratch folder beside the
// executable.
class WrittenFile : public ::testing::Test {
protected:
    FileSlot namedSlot(const std::vector<double>& values) const
    {
        FileSlot slot;
        slot.mode = kFileWrite;
        for (const double value : values)
            slot.write(value);
        slot.name = kSeparator + folder.name() + kSeparator + "out.bin"; // the leading delimiter is dropped
        return slot;
    }
    std::string filePath() const { return folder.path("out.bin"); }
    bool fileExists() const { return std::filesystem::exists(filePath()); }

    ModuleScratchFolder folder;
};

struct FlushCase {
    const char* name;
    std::vector<double> values;
    Bytes bytes;
};

void PrintTo(const FlushCase& c, std::ostream* out)
{
    *out << c.name;
}

class FlushTest : public WrittenFile, public ::testing::WithParamInterface<FlushCase> {};

TEST_P(FlushTest, ClosingWritesOneRoundedByteForEachValue)
{
    FileSlot slot = namedSlot(GetParam().values);
    slot.close();
    EXPECT_EQ(readBytes(filePath()), GetParam().bytes);
    EXPECT_TRUE(slot.name.empty());
    EXPECT_TRUE(slot.data.empty());
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Values, FlushTest,
                         ::testing::Values(FlushCase{"NearWholeAndNegative", {65.0, 2.99995, -2.5}, {0x41, 0x03, 0xFE}},
                                           FlushCase{"LowEightBits",
                                                     {3.9999, 2.5, -1.0, 300.0, 255.0, 256.0, -128.0},
                                                     {0x04, 0x02, 0xFF, 0x2C, 0xFF, 0x00, 0x80}},
                                           FlushCase{"OutsideInt32IsZero",
                                                     {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 1e12,
                                                      -1e12, 2147483647.0},
                                                     {0, 0, 0, 0, 0, 0}},
                                           FlushCase{"NothingWritten", {}, {}}),
                         [](const ::testing::TestParamInfo<FlushCase>& info) { return std::string(info.param.name); });

TEST_F(WrittenFile, ReopeningWritesThePendingFileToo)
{
    FileSlot slot = namedSlot({1.0, 2.0});
    slot.reopen(kFileRead);
    EXPECT_EQ(readBytes(filePath()), (Bytes{1, 2}));
}

TEST_F(WrittenFile, SlotsNotInWriteModeOrWithoutNameWriteNoFile)
{
    FileSlot reading = namedSlot({1.0});
    reading.mode = kFileRead;
    reading.close();
    EXPECT_FALSE(fileExists());

    FileSlot unnamed = namedSlot({1.0});
    unnamed.name.clear();
    unnamed.close();
    EXPECT_FALSE(fileExists());
}

TEST_F(WrittenFile, AFileThatCannotBeCreatedIsSkippedSilently)
{
    FileSlot slot = namedSlot({1.0});
    slot.name = folder.name() + kSeparator + "missing" + kSeparator + "out.bin";
    slot.close();
    EXPECT_EQ(slot.mode, kFileClosed);
    EXPECT_FALSE(std::filesystem::exists(folder.path("missing")));
}

TEST_F(WrittenFile, DestroyingTheRuntimeWritesPendingFilesInOrder)
{
    auto script = std::make_unique<TZarkune>();
    script->files.push_back(namedSlot({10.0}));
    script->files.push_back(namedSlot({20.0})); // same file: written last, so it wins
    script.reset();
    EXPECT_EQ(readBytes(filePath()), (Bytes{20}));
}

} // namespace
