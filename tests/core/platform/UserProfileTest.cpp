#include "platform/UserProfile.h"

#include "platform/IniFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantrel {
namespace {

TEST(UserProfileTest, DefaultProfileLivesInTheConfigFolder)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv configHome("XDG_CONFIG_HOME", temp.path().c_str());
    const UserProfile profile;
    EXPECT_EQ(profile.path(), temp.path() + "/KESSLAND/VANTREL.ini");
    ASSERT_TRUE(profile.setLastFolder("/srv/machines"));
    EXPECT_EQ(UserProfile().lastFolder(), "/srv/machines");
    EXPECT_NE(temp.read("KESSLAND/VANTREL.ini").find("[data]\npath=/srv/machines\n"), std::string::npos);
}

TEST(UserProfileTest, ValuesRoundTripAndDefault)
{
    TempFolder temp;
    const UserProfile profile(temp.file("p.ini"));
    EXPECT_EQ(profile.lastFolder(), "");
    EXPECT_EQ(profile.applicationLook(3), 3);
    ASSERT_TRUE(profile.setApplicationLook(5));
    EXPECT_EQ(profile.applicationLook(3), 5);
    ASSERT_TRUE(profile.setLastFolder("/home/u/仕事"));
    EXPECT_EQ(profile.lastFolder(), "/home/u/仕事");
}

TEST(UserProfileTest, RecentFilesKeepFourInOrder)
{
    TempFolder temp;
    const UserProfile profile(temp.file("p.ini"));
    EXPECT_TRUE(profile.recentFiles().empty());
    ASSERT_TRUE(profile.setRecentFiles({"/a.bin", "/b.bin", "/c.bin", "/d.bin", "/e.bin"}));
    EXPECT_EQ(profile.recentFiles(), (std::vector<std::string>{"/a.bin", "/b.bin", "/c.bin", "/d.bin"}));
    ASSERT_TRUE(profile.setRecentFiles({"/z.bin"}));
    EXPECT_EQ(profile.recentFiles(), (std::vector<std::string>{"/z.bin"}));
}

TEST(UserProfileTest, DialogStartsInTheLastFolderOnlyWhileItExists)
{
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    ScopedEnv home("HOME", temp.path().c_str());
    const UserProfile profile(temp.file("p.ini"));
    EXPECT_EQ(profile.dialogStartFolder(), temp.path());
    std::filesystem::create_directory(temp.file("Documents"));
    EXPECT_EQ(profile.dialogStartFolder(), temp.file("Documents"));
    std::filesystem::create_directory(temp.file("work"));
    ASSERT_TRUE(profile.setLastFolder(temp.file("work")));
    EXPECT_EQ(profile.dialogStartFolder(), temp.file("work"));
    std::filesystem::remove(temp.file("work"));
    EXPECT_EQ(profile.dialogStartFolder(), temp.file("Documents"));
}

TEST(UserProfileTest, WindowPlacesAndTreeWidthRoundTripAndDamagedEntriesAreNone)
{
    TempFolder temp;
    const UserProfile profile(temp.file("p.ini"));
    EXPECT_FALSE(profile.windowFrame("CMonitorMenuDlg"));
    EXPECT_EQ(profile.treeWidth(), 0);
    ASSERT_TRUE(profile.setWindowFrame("CMonitorMenuDlg", {-1600, 24, 330, 273}));
    ASSERT_TRUE(profile.setTreeWidth(184));
    EXPECT_EQ(profile.windowFrame("CMonitorMenuDlg"), (UserProfile::WindowFrame{-1600, 24, 330, 273}));
    EXPECT_EQ(profile.treeWidth(), 184);
    EXPECT_FALSE(profile.windowFrame("CStatusMonitorDlg"));

    const IniFile ini(profile.path());
    for (const char* damaged : {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1,2,3,-4", "a,2,3,4", "1, 2,3,4", "1,2,3,4x",
                                "99999,2,3,4", "1,2,3,99999999999"}) {
        SCOPED_TRACE(damaged);
        ASSERT_TRUE(ini.writeString("Windows", "CJogDlg", damaged));
        EXPECT_FALSE(profile.windowFrame("CJogDlg"));
    }
    ASSERT_TRUE(ini.writeString("Windows", "TreeWidth", "-5"));
    EXPECT_EQ(profile.treeWidth(), 0);
}

}  // namespace
}  // namespace vantrel
