#include "platform/ComIni.h"

#include "platform/AppFolders.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace vantrel {
namespace {

class ComIniTest : public ::testing::Test {
protected:
    void SetUp() override { SKIP_WITHOUT_XDG(); }
    TempFolder temp;
    ScopedEnv dataHome{"XDG_DATA_HOME", temp.path().c_str()};
    std::string path = temp.path() + "/KESSLAND/VANTREL/com.ini";
};

TEST_F(ComIniTest, NoComIniMeansCom1)
{
    EXPECT_EQ(readComPort(), "COM1");
}

TEST_F(ComIniTest, WrittenPortIsReadBackFromTheDataFolder)
{
    ASSERT_TRUE(ensureDataFolder());
    ASSERT_TRUE(writeComPort("pts/7"));
    EXPECT_EQ(readComPort(), "pts/7");
    ASSERT_TRUE(writeComPort("ttyACM0"));
    EXPECT_EQ(readComPort(), "ttyACM0");
    EXPECT_EQ(temp.read("KESSLAND/VANTREL/com.ini"), "[SETTING]\nCOM=ttyACM0\n");
}

TEST_F(ComIniTest, AtMostNineCharactersAreRead)
{
    ASSERT_TRUE(ensureDataFolder());
    temp.write("KESSLAND/VANTREL/com.ini", "[SETTING]\r\nCOM=COM123456789\r\n");
    EXPECT_EQ(readComPort(), "COM123456");
}

TEST_F(ComIniTest, EmptyShortOrGarbageFilesFallBackToCom1)
{
    ASSERT_TRUE(ensureDataFolder());
    for (const std::string& content : {std::string(), std::string("["), std::string("[SETTING]\nCOM=\n"),
                                       std::string("[SETTING]\nCOM"), std::string("\xff\xfe\x00\x01", 4)}) {
        temp.write("KESSLAND/VANTREL/com.ini", content);
        EXPECT_EQ(readComPort(), "COM1") << "content size " << content.size();
    }
}

TEST_F(ComIniTest, NamesThatCannotBeReadBackAreRefused)
{
    EXPECT_EQ(writeComPort(path, "").error, EINVAL);
    EXPECT_EQ(writeComPort(path, "ttyUSB1000").error, EINVAL);  // ten characters
    EXPECT_TRUE(writeComPort(path, "ttyUSB100"));     // nine
    EXPECT_EQ(readComPort(path), "ttyUSB100");
}

// A choice that cannot be saved says why, so the window can tell the user.
TEST_F(ComIniTest, AFailedWriteGivesItsError)
{
    temp.write("blocked", "a file where the folder should be");
    const FileWriteResult saved = writeComPort(temp.path() + "/blocked/com.ini", "ttyACM0");
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.error, ENOTDIR);
}

}  // namespace
}  // namespace vantrel
