#include "platform/IniFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace vantrel {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    IniFile ini{temp.file("test.ini")};
};

TEST_F(IniFileTest, MissingFileGivesTheDefault)
{
    EXPECT_EQ(ini.readString("SETTING", "COM", "COM1"), "COM1");
    EXPECT_EQ(ini.readInt("SETTING", "N", 42), 42);
}

TEST_F(IniFileTest, ReadsWithCrLfBlanksAndCaseInsensitiveNames)
{
    temp.write("test.ini", "\r\n  [ setting ]  \r\n\r\n  com =  COM7 \r\nOther=1\r\n");
    EXPECT_EQ(ini.readString("SETTING", "COM", "COM1"), "COM7");
    EXPECT_EQ(ini.readString("Setting", "com", "COM1"), "COM7");
    EXPECT_EQ(ini.readInt("SETTING", "other", 0), 1);
}

TEST_F(IniFileTest, KeysOutsideTheirSectionAreNotFound)
{
    temp.write("test.ini", "COM=COM9\n[OTHER]\nCOM=COM8\n");
    EXPECT_EQ(ini.readString("SETTING", "COM", "COM1"), "COM1");
}

TEST_F(IniFileTest, FirstKeyWinsAndQuotesAreRemoved)
{
    temp.write("test.ini", "[S]\nK=\"quoted value\"\nK=second\n");
    EXPECT_EQ(ini.readString("S", "K", ""), "quoted value");
}

TEST_F(IniFileTest, ReadingIsCutToMaxLength)
{
    temp.write("test.ini", "[S]\nK=" + std::string(100000, 'x') + "\n");
    EXPECT_EQ(ini.readString("S", "K", "", 9), std::string(9, 'x'));
    EXPECT_EQ(ini.readString("S", "K", "").size(), 100000u);
}

TEST_F(IniFileTest, BinaryGarbageGivesADefinedAnswer)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 131 + 7) & 0xFF);
    }
    temp.write("test.ini", garbage);
    EXPECT_EQ(ini.readString("SETTING", "COM", "COM1"), "COM1");

    // A NUL inside a value ends it; the key is still found after garbage.
    temp.write("test.ini", garbage + "\n[SETTING]\nCOM=CO" + std::string(1, '\0') + "M5\n");
    EXPECT_EQ(ini.readString("SETTING", "COM", "COM1"), "CO");
}

TEST_F(IniFileTest, OversizedFileIsTreatedAsUnreadable)
{
    temp.write("test.ini", "[S]\nK=v\n" + std::string(IniFile::kMaxFileSize, ';'));
    EXPECT_EQ(ini.readString("S", "K", "default"), "default");
    EXPECT_FALSE(ini.writeString("S", "K", "w"));
}

TEST_F(IniFileTest, ReadIntTakesTheLeadingNumberAndSaturates)
{
    temp.write("test.ini", "[S]\nA=12abc\nB=-7\nC=abc\nD=99999999999999999999\nE=-99999999999999999999\nF=\n");
    EXPECT_EQ(ini.readInt("S", "A", 0), 12);
    EXPECT_EQ(ini.readInt("S", "B", 0), -7);
    EXPECT_EQ(ini.readInt("S", "C", 5), 5);
    EXPECT_EQ(ini.readInt("S", "D", 0), INT_MAX);
    EXPECT_EQ(ini.readInt("S", "E", 0), INT_MIN);
    EXPECT_EQ(ini.readInt("S", "F", 3), 3);
}

TEST_F(IniFileTest, WriteCreatesFileAndFolder)
{
    const IniFile nested(temp.file("a/b/new.ini"));
    ASSERT_TRUE(nested.writeString("SETTING", "COM", "COM3"));
    EXPECT_EQ(nested.readString("SETTING", "COM", "COM1"), "COM3");
    EXPECT_EQ(temp.read("a/b/new.ini"), "[SETTING]\nCOM=COM3\n");
}

TEST_F(IniFileTest, WriteReplacesOnlyItsKeyAndKeepsCrLf)
{
    temp.write("test.ini", "; comment\r\n[A]\r\nx=1\r\n[SETTING]\r\nCOM=COM1\r\nSPEED=9\r\n\r\n[Z]\r\nz=2");
    ASSERT_TRUE(ini.writeString("SETTING", "COM", "ttyUSB0"));
    EXPECT_EQ(temp.read("test.ini"),
              "; comment\r\n[A]\r\nx=1\r\n[SETTING]\r\nCOM=ttyUSB0\r\nSPEED=9\r\n\r\n[Z]\r\nz=2\r\n");
}

TEST_F(IniFileTest, WriteAddsAMissingKeyAtTheEndOfItsSection)
{
    temp.write("test.ini", "[SETTING]\nSPEED=9\n\n[Z]\nz=2\n");
    ASSERT_TRUE(ini.writeString("setting", "COM", "COM2"));
    EXPECT_EQ(temp.read("test.ini"), "[SETTING]\nSPEED=9\nCOM=COM2\n\n[Z]\nz=2\n");
    EXPECT_EQ(ini.readString("SETTING", "COM", ""), "COM2");
    EXPECT_EQ(ini.readString("Z", "z", ""), "2");
}

TEST_F(IniFileTest, WriteAppendsAMissingSectionToAGarbageFile)
{
    const std::string garbage = "\x01\xff\xfe no section here";
    temp.write("test.ini", garbage);
    ASSERT_TRUE(ini.writeString("SETTING", "COM", "COM4"));
    EXPECT_EQ(temp.read("test.ini"), garbage + "\n[SETTING]\nCOM=COM4\n");
    EXPECT_EQ(ini.readString("SETTING", "COM", ""), "COM4");
}

TEST_F(IniFileTest, WriteRefusesTextsThatWouldBreakTheFile)
{
    EXPECT_FALSE(ini.writeString("S", "K", "two\nlines"));
    EXPECT_FALSE(ini.writeString("S", "K", "cr\r"));
    EXPECT_FALSE(ini.writeString("S", "K", std::string("nul\0", 4)));
    EXPECT_FALSE(ini.writeString("S", "K=", "v"));
    EXPECT_FALSE(ini.writeString("S]", "K", "v"));
    EXPECT_FALSE(ini.writeString("S", " ", "v"));
    EXPECT_FALSE(std::filesystem::exists(ini.path()));
}

TEST_F(IniFileTest, WriteIntoAFolderThatCannotExistFails)
{
    temp.write("plainfile", "x");
    const IniFile impossible(temp.file("plainfile/sub.ini"));
    EXPECT_FALSE(impossible.writeString("S", "K", "v"));
}

TEST_F(IniFileTest, AWrittenValueIsReadBackFromAnyGarbageFile)
{
    std::mt19937 random(20261207);
    const std::string pieces[] = {"[SETTING]", "[setting", "COM=", "com = x", "\r\n", "\n", "\r", "=", "[", "]",
                                  "\"", std::string(1, '\0'), "\t", " ", "[OTHER]", "COM=COM9"};
    for (int round = 0; round < 100; ++round) {
        std::string content;
        const int parts = static_cast<int>(random() % 40);
        for (int i = 0; i < parts; ++i) {
            if (random() % 3 == 0) {
                content += static_cast<char>(random() % 256);
            } else {
                content += pieces[random() % std::size(pieces)];
            }
        }
        content += "\n[KEPT]\nKEEP=1\n";
        temp.write("test.ini", content);
        const std::string value = "ttyUSB" + std::to_string(round % 10);
        ASSERT_TRUE(ini.writeString("SETTING", "COM", value)) << round;
        EXPECT_EQ(ini.readString("SETTING", "COM", "COM1"), value) << round;
        // The rest of the file is still there.
        EXPECT_EQ(ini.readString("KEPT", "KEEP", ""), "1") << round;
    }
}

TEST_F(IniFileTest, IntRoundTrip)
{
    ASSERT_TRUE(ini.writeInt("Settings", "ApplicationLook", -12));
    EXPECT_EQ(ini.readInt("Settings", "ApplicationLook", 0), -12);
}

}  // namespace
}  // namespace vantrel
