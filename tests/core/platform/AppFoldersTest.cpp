#include "platform/AppFolders.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantrel {
namespace {

TEST(AppFoldersTest, DataFolderFollowsXdgDataHome)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv dataHome("XDG_DATA_HOME", temp.path().c_str());
    EXPECT_EQ(dataFolder(), temp.path() + "/KESSLAND/VANTREL");
    EXPECT_EQ(dataFolderPath("com.ini"), temp.path() + "/KESSLAND/VANTREL/com.ini");
    EXPECT_EQ(dataFolderPath("Ncstep.sys"), temp.path() + "/KESSLAND/VANTREL/Ncstep.sys");
}

TEST(AppFoldersTest, WithoutXdgDataHomeTheFolderIsBelowHome)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv home("HOME", temp.path().c_str());
    ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(dataFolder(), temp.path() + "/.local/share/KESSLAND/VANTREL");
}

TEST(AppFoldersTest, RelativeXdgDataHomeIsIgnored)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv home("HOME", temp.path().c_str());
    ScopedEnv dataHome("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(dataFolder(), temp.path() + "/.local/share/KESSLAND/VANTREL");
}

TEST(AppFoldersTest, EnsureDataFolderCreatesMissingParentsAndIsRepeatable)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    const std::string dataHome = temp.path() + "/deep/er/share";
    ScopedEnv env("XDG_DATA_HOME", dataHome.c_str());
    ASSERT_FALSE(std::filesystem::exists(dataHome));
    EXPECT_TRUE(ensureDataFolder());
    EXPECT_TRUE(std::filesystem::is_directory(dataHome + "/KESSLAND/VANTREL"));
    EXPECT_TRUE(ensureDataFolder());
}

TEST(AppFoldersTest, EnsureDataFolderReportsAFolderThatCannotBeMade)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    temp.write("plainfile", "x");
    const std::string dataHome = temp.file("plainfile");  // a file where a folder should be
    ScopedEnv env("XDG_DATA_HOME", dataHome.c_str());
    EXPECT_FALSE(ensureDataFolder());
}

TEST(AppFoldersTest, ExeFolderIsTheFolderOfThisTestProgram)
{
    EXPECT_TRUE(std::filesystem::equivalent(exeFolder(), VANTREL_BIN_DIR));
#ifdef _WIN32
    EXPECT_EQ(exeFolderPath("initial.bin"), exeFolder() + "\\initial.bin");
#else
    EXPECT_EQ(exeFolderPath("initial.bin"), exeFolder() + "/initial.bin");
#endif
}

TEST(AppFoldersTest, InstalledFilesAreFoundBesideTheProgramElseInItsShareFolder)
{
#ifdef _WIN32
    GTEST_SKIP() << "share/vantrel is the layout of the Debian package; the Windows zip keeps the files beside the program";
#endif
    struct Case {
        const char* what;
        bool beside;
        bool shared;
        const char* expected;  // relative to the prefix
    };
    const Case cases[] = {
        {"a build: beside the program", true, false, "/bin/initial.bin"},
        {"a package: in share/vantrel", false, true, "/share/vantrel/initial.bin"},
        {"both: the build's own file wins", true, true, "/bin/initial.bin"},
        {"neither: where a build would have it", false, false, "/bin/initial.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder prefix;
        std::filesystem::create_directories(prefix.file("bin"));
        std::filesystem::create_directories(prefix.file("share/vantrel"));
        if (c.beside) prefix.write("bin/initial.bin", "b");
        if (c.shared) prefix.write("share/vantrel/initial.bin", "s");
        EXPECT_EQ(installedFilePath(prefix.file("bin"), "initial.bin"), prefix.path() + c.expected);
    }
}

TEST(AppFoldersTest, ProfileFileFollowsXdgConfigHome)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv configHome("XDG_CONFIG_HOME", temp.path().c_str());
    EXPECT_EQ(profileFilePath(), temp.path() + "/KESSLAND/VANTREL.ini");
}

}  // namespace
}  // namespace vantrel
