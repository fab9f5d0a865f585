#include <gtest/gtest.h>

#include <fstream>

#include "program/IoNames.h"

namespace vantrel {
namespace {

TEST(IoNames, SectionsFillTheirGroups) {
    IoNames names;
    names.loadFromText("X0\tbefore\r\n"
                       "// comment\r\n"
                       "\r\n"
                       "[IO_OUT] trailing text\r\n"
                       "Y0\tout0\textra\r\n"
                       "[UNKNOWN]\r\n"
                       "Y1\tout1\r\n"
                       "[IO_COUNTER2]\n"
                       "LONGSYMBOL\tA name longer than nineteen bytes\n"
                       "NOTAB\n");
    EXPECT_EQ(names.symbol(0, 0), "X0");
    EXPECT_EQ(names.name(0, 0), "before");
    EXPECT_EQ(names.symbol(10, 0), "Y0");
    EXPECT_EQ(names.name(10, 0), "out0");
    EXPECT_EQ(names.symbol(10, 1), "Y1");  // still the group of the previous section
    EXPECT_EQ(names.entryCount(10), 2);
    EXPECT_EQ(names.symbol(22, 0), "LONGSYM");
    EXPECT_EQ(names.name(22, 0), "A name longer than ");
    EXPECT_EQ(names.symbol(22, 1), "NOTAB");
    EXPECT_EQ(names.name(22, 1), "");
    EXPECT_EQ(names.entryCount(21), 0);
    EXPECT_EQ(names.symbol(99, 0), "");
}

TEST(IoNames, ASectionTwiceOverwritesFromTheStart) {
    IoNames names;
    names.loadFromText("[IO_IN]\nA\ta\nB\tb\n[IO_IN]\nC\tc\n");
    EXPECT_EQ(names.symbol(0, 0), "C");
    EXPECT_EQ(names.symbol(0, 1), "B");
}

TEST(IoNames, EntriesBeyondTheGroupAreKeptOut) {
    std::string text = "[IO_MEMORY]\n";
    for (int i = 0; i < 250; ++i) text += "M" + std::to_string(i + 1) + "\tname\n";
    text += "[IO_RIOIN]\nR1\tr\n";
    IoNames names;
    names.loadFromText(text);
    EXPECT_EQ(names.entryCount(25), IoNames::kEntryCount);
    EXPECT_EQ(names.symbol(25, 100), "M101");
    EXPECT_EQ(names.symbol(26, 0), "R1");  // the next group is untouched by the overflow
    EXPECT_EQ(names.entryCount(26), 1);
}

TEST(IoNames, ReloadingClearsAndAMissingFileLeavesItEmpty) {
    IoNames names;
    names.loadFromText("[IO_IN]\nA\ta\n");
    EXPECT_FALSE(names.loadIoNames("/nonexistent/IoName.txt"));
    EXPECT_EQ(names.entryCount(0), 0);
}

TEST(IoNames, TheInstalledFileLoads) {
    IoNames names;
    ASSERT_TRUE(names.loadIoNames(VANTREL_SOURCE_DIR "/resources/IoName.txt"));
    EXPECT_EQ(names.symbol(20, 0), "T1");
    EXPECT_GT(names.entryCount(20), 0);
    EXPECT_GT(names.entryCount(25), 0);
}

}  // namespace
}  // namespace vantrel
