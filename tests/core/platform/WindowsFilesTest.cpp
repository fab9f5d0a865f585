// How the program's files behave on Windows: names in Japanese reach the file
// system whole, a save refuses what it must not replace and cleans up after
// killed saves, the per-user folders are the user's known folders, and one
// instance runs per login through the session's named mutex.
#ifdef _WIN32

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/AppFolders.h"
#include "platform/AtomicFile.h"
#include "platform/ComIni.h"
#include "platform/FileRead.h"
#include "platform/PathText.h"
#include "platform/SingleInstance.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "old content\r\n";
const std::string kNew(70000, 'n');

bool existsWide(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring wideOf(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST(WindowsFiles, NamesInJapaneseAreWrittenReadAndFoundUnderTheirOwnName) {
    TempFolder temp;
    const std::string folder = temp.path() + "\\設定";
    // The INI write makes the folder too.
    ASSERT_TRUE(writeComPort(folder + "\\com.ini", "COM12"));
    EXPECT_EQ(readComPort(folder + "\\com.ini"), "COM12");
    ASSERT_TRUE(writeFileAtomically(folder + "\\プログラム.ncp", kNew));
    const FileContent read = readFile(folder + "\\プログラム.ncp", 1 << 20);
    ASSERT_TRUE(read) << read.result.description();
    EXPECT_EQ(read.bytes, kNew);
    // On the disk under the UTF-16 name, not under the UTF-8 bytes.
    EXPECT_TRUE(existsWide(wideOf(temp.path()) + L"\\設定\\プログラム.ncp"));
    EXPECT_EQ(fs::file_size(pathFromUtf8(folder + "\\プログラム.ncp")), kNew.size());
    EXPECT_EQ(utf8FromPath(pathFromUtf8(folder).filename()), "設定");
}

TEST(WindowsFiles, ASaveRefusesWhatItMustNotReplaceAndLeavesItWhole) {
    struct Case {
        const char* what;
        std::string target;  // relative to the folder, or absolute
        int error;
    };
    const std::vector<Case> cases = {
        {"the target was made read-only", "read-only.bin", EACCES},
        {"the target is a folder", "folder", EISDIR},
        {"the folder does not exist", "missing\\settings.bin", ENOENT},
        {"the target is a device", "\\\\.\\NUL", FileWriteResult::kNotRegularFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        temp.write("read-only.bin", kOld);
        ASSERT_TRUE(::SetFileAttributesW(wideOf(temp.file("read-only.bin")).c_str(), FILE_ATTRIBUTE_READONLY));
        fs::create_directory(temp.file("folder"));
        const std::string target = c.target.rfind("\\\\", 0) == 0 ? c.target : temp.path() + "\\" + c.target;
        const FileWriteResult result = writeFileAtomically(target, kNew);
        EXPECT_EQ(result.error, c.error) << result.description();
        EXPECT_EQ(temp.read("read-only.bin"), kOld);
        EXPECT_TRUE(fs::is_directory(temp.file("folder")));
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp.path())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"folder", "read-only.bin"}));
        ::SetFileAttributesW(wideOf(temp.file("read-only.bin")).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(WindowsFiles, ASaveReplacesTheFileAndRemovesOnlyWhatEndedSavesLeftBehind) {
    TempFolder temp;
    temp.write("settings.bin", kOld);
    const std::string gone = "999999996";  // no process has this number
    const std::string running = std::to_string(::GetCurrentProcessId());
    struct Leftover {
        std::string name;
        bool removed;
    };
    const std::vector<Leftover> leftovers = {
        {".settings.bin." + gone + "-0-123456.tmp", true},
        {".settings.bin." + running + "-0-1.tmp", false},  // a save still going on
        {".other.bin." + gone + "-0-1.tmp", false},        // another file's
        {".settings.bin." + gone + ".tmp", false},          // not a name of ours
    };
    for (const Leftover& leftover : leftovers) temp.write(leftover.name, kOld);
    ASSERT_TRUE(writeFileAtomically(temp.file("settings.bin"), kNew));
    EXPECT_EQ(temp.read("settings.bin"), kNew);
    for (const Leftover& leftover : leftovers)
        EXPECT_EQ(fs::exists(temp.file(leftover.name)), !leftover.removed) << leftover.name;
}

TEST(WindowsFiles, PerUserFoldersAreTheUsersApplicationDataFolders) {
    // The system names them in the environment as well.
    const char* local = std::getenv("LOCALAPPDATA");
    const char* roaming = std::getenv("APPDATA");
    ASSERT_NE(local, nullptr);
    ASSERT_NE(roaming, nullptr);
    EXPECT_EQ(dataFolder(), std::string(local) + "\\KESSLAND\\VANTREL");
    EXPECT_EQ(dataFolderPath("com.ini"), std::string(local) + "\\KESSLAND\\VANTREL\\com.ini");
    EXPECT_EQ(profileFilePath(), std::string(roaming) + "\\KESSLAND\\VANTREL.ini");
    EXPECT_TRUE(ensureDataFolder());
    EXPECT_TRUE(fs::is_directory(pathFromUtf8(dataFolder())));
}

TEST(WindowsFiles, OneInstanceRunsThroughTheSessionsNamedMutex) {
    const auto mutexExists = [] {
        const HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, L"VANTREL.exe ZOLTEC");
        if (mutex != nullptr) ::CloseHandle(mutex);
        return mutex != nullptr;
    };
    ASSERT_FALSE(mutexExists());
    {
        const SingleInstance first;
        EXPECT_TRUE(first.holdsLock());
        EXPECT_EQ(first.lockFilePath(), "VANTREL.exe ZOLTEC");
        EXPECT_TRUE(mutexExists());
        const SingleInstance second;
        EXPECT_TRUE(second.anotherInstanceRuns());
        EXPECT_LT(first.pingSocket(), 0);  // nothing to ask on Windows
        EXPECT_TRUE(second.holderAnswers(std::chrono::milliseconds(10)));
    }
    EXPECT_FALSE(mutexExists());
}

}  // namespace
}  // namespace vantrel

#endif
