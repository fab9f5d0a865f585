// Its cases bring the failures about with POSIX means (a file size limit,
// fork and SIGKILL, FIFOs, permission bits, symbolic links); the Windows
// twin has its own table in WindowsFilesTest.cpp.
#ifndef _WIN32

#include "platform/AtomicFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include "FileSizeLimit.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::string patterned(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed) & 0xFF);
    return bytes;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
}

const std::string kOld = patterned(1000, 3);
const std::string kNew = patterned(172828, 9);

// Every way a write can fail leaves the old file byte for byte, no stray
// temporary file, and a reason.
TEST(AtomicFile, AFailedWriteLeavesTheOldFileWhole) {
    struct Case {
        const char* what;
        std::string target;  // relative to the folder
        std::function<FileWriteResult(const std::string& path)> write;
        int error;
    };
    const std::vector<Case> cases = {
        {"the disk fills half way", "settings.bin",
         [](const std::string& path) {
             const test::FileSizeLimit limit(64 * 1024);
             return writeFileAtomically(path, kNew);
         },
         EFBIG},
        {"the disk fills in the second of several writes", "settings.bin",
         [](const std::string& path) {
             const test::FileSizeLimit limit(100 * 1024);
             AtomicFile file(path);
             EXPECT_TRUE(file.write(kNew.substr(0, 90 * 1024)));
             EXPECT_FALSE(file.write(kNew.substr(90 * 1024)));
             EXPECT_FALSE(file.write("more"));  // nothing after the first failure
             return file.commit();
         },
         EFBIG},
        {"a write after the content was flushed", "settings.bin",
         [](const std::string& path) {
             AtomicFile file(path);
             EXPECT_TRUE(file.write(kNew));
             EXPECT_TRUE(file.flush());
             EXPECT_FALSE(file.write("more"));  // would be lost: refused, and the file with it
             return file.commit();
         },
         EBADF},
        {"the target is a folder", "folder",
         [](const std::string& path) { return writeFileAtomically(path, kNew); }, EISDIR},
        {"the folder does not exist", "missing/settings.bin",
         [](const std::string& path) { return writeFileAtomically(path, kNew); }, ENOENT},
        {"the target was made read-only", "read-only.bin",
         [](const std::string& path) { return writeFileAtomically(path, kNew); }, EACCES},
        {"the target is a FIFO", "fifo",
         [](const std::string& path) { return writeFileAtomically(path, kNew); }, FileWriteResult::kNotRegularFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        temp.write("settings.bin", kOld);
        temp.write("read-only.bin", kOld);
        chmod(temp.file("read-only.bin").c_str(), 0444);
        ASSERT_EQ(mkfifo(temp.file("fifo").c_str(), 0600), 0);
        fs::create_directory(temp.file("folder"));
        const FileWriteResult result = c.write(temp.file(c.target));
        EXPECT_FALSE(result);
        EXPECT_EQ(result.error, c.error) << result.description();
        EXPECT_FALSE(result.description().empty());
        EXPECT_EQ(temp.read("settings.bin"), kOld);
        EXPECT_EQ(temp.read("read-only.bin"), kOld);
        EXPECT_TRUE(fs::is_directory(temp.file("folder")));
        EXPECT_TRUE(fs::is_fifo(temp.file("fifo")));
        std::vector<std::string> names = namesIn(temp.path());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"fifo", "folder", "read-only.bin", "settings.bin"}));
    }
}

TEST(AtomicFile, ACrashBetweenWriteAndRenameLeavesTheOldFile) {
    TempFolder temp;
    temp.write("settings.bin", kOld);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile file(temp.file("settings.bin"));
        file.write(kNew);
        raise(SIGKILL);  // before commit()
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(temp.read("settings.bin"), kOld);
    {
        AtomicFile dropped(temp.file("settings.bin"));  // given up without commit()
        dropped.write(kNew);
    }
    EXPECT_EQ(temp.read("settings.bin"), kOld);
    // The next save replaces it as usual.
    ASSERT_TRUE(writeFileAtomically(temp.file("settings.bin"), kNew));
    EXPECT_EQ(temp.read("settings.bin"), kNew);
}

// The pid of a process that has ended.
pid_t endedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

TEST(AtomicFile, ASaveRemovesWhatKilledSavesOfTheSameFileLeftBehind) {
    TempFolder temp;
    const std::string gone = std::to_string(endedProcess());
    const std::string running = std::to_string(getpid());
    struct Leftover {
        std::string name;
        bool removed;
    };
    const std::vector<Leftover> leftovers = {
        {".settings.bin." + gone + "-0-123456.tmp", true},
        {".settings.bin." + gone + "-17-9.tmp", true},
        {".settings.bin." + running + "-0-1.tmp", false},  // a save still going on
        {".other.bin." + gone + "-0-1.tmp", false},        // another file's
        {".settings.bin." + gone + "-0-1.tmp.bak", false},  // not a name of ours
        {".settings.bin." + gone + ".tmp", false},
        {".settings.bin.x" + gone + "-0-1.tmp", false},
        {"settings.bin." + gone + "-0-1.tmp", false},
    };
    for (const Leftover& leftover : leftovers) temp.write(leftover.name, kOld);
    ASSERT_TRUE(writeFileAtomically(temp.file("settings.bin"), kNew));
    for (const Leftover& leftover : leftovers)
        EXPECT_EQ(fs::exists(temp.file(leftover.name)), !leftover.removed) << leftover.name;
    EXPECT_EQ(temp.read("settings.bin"), kNew);
}

TEST(AtomicFile, ReplacesAndCreatesKeepingPermissionsAndLinks) {
    TempFolder temp;
    // A new file: created whole.
    ASSERT_TRUE(writeFileAtomically(temp.file("new.bin"), kNew));
    EXPECT_EQ(temp.read("new.bin"), kNew);
    // An existing private file stays private.
    temp.write("private.ini", kOld);
    chmod(temp.file("private.ini").c_str(), 0600);
    ASSERT_TRUE(writeFileAtomically(temp.file("private.ini"), "x"));
    struct stat info {};
    ASSERT_EQ(stat(temp.file("private.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // A link is written through and stays a link.
    temp.write("real.bin", kOld);
    fs::create_symlink("real.bin", temp.file("link.bin"));
    ASSERT_TRUE(writeFileAtomically(temp.file("link.bin"), kNew));
    EXPECT_TRUE(fs::is_symlink(temp.file("link.bin")));
    EXPECT_EQ(temp.read("real.bin"), kNew);
    // Flushed first, then put in place by commit() alone.
    {
        AtomicFile file(temp.file("flushed.bin"));
        file.write(kOld);
        ASSERT_TRUE(file.flush());
        EXPECT_FALSE(fs::exists(temp.file("flushed.bin")));
        ASSERT_TRUE(file.commit());
    }
    EXPECT_EQ(temp.read("flushed.bin"), kOld);
    // An empty content gives an empty file.
    ASSERT_TRUE(writeFileAtomically(temp.file("new.bin"), ""));
    EXPECT_EQ(fs::file_size(temp.file("new.bin")), 0u);
    std::vector<std::string> names = namesIn(temp.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"flushed.bin", "link.bin", "new.bin", "private.ini", "real.bin"}));
}

}  // namespace
}  // namespace vantrel

#endif
