// Every kind of file a user can give where the program reads a file: the
// program file open, the settings file open and the command-line tool's
// commands that read files each answer with a clear message, never abort,
// never hang, and change nothing.

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "CliTestSupport.h"
#include "data/FileReadMessages.h"
#include "data/SettingsFile.h"
#include "program/IoNames.h"
#include "program/ProgramFiles.h"
#include "program/ProgramStore.h"

using namespace vantrel;
using namespace vantrel::clitest;

namespace {

enum class Kind { Regular, Empty, Short, Folder, Fifo, DevZeroLink, Unreadable, ReadError };

// Makes `path` a file of `kind` for a reader whose proper content is `good`.
void make(Kind kind, const std::string& path, const std::string& good) {
    const auto write = [&path](const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; };
    switch (kind) {
    case Kind::Regular: write(good); break;
    case Kind::Empty: write(""); break;
    case Kind::Short: write(good.substr(0, 3)); break;
    case Kind::Folder: fs::create_directory(path); break;
    case Kind::Fifo: ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); break;
    case Kind::DevZeroLink: fs::create_symlink("/dev/zero", path); break;
    case Kind::Unreadable:
        write(good);
        fs::permissions(path, fs::perms::none);
        break;
    case Kind::ReadError: fs::create_symlink("/proc/self/mem", path); break;  // EIO at offset 0
    }
}

// While it lives, this thread's file access is checked as an ordinary user's
// (the tests may run as the superuser, who reads files of any permission).
struct OrdinaryUser {
    explicit OrdinaryUser(bool wanted) : dropped(wanted && ::geteuid() == 0) {
        if (dropped) ::setfsuid(65534);
    }
    ~OrdinaryUser() {
        if (dropped) ::setfsuid(0);
    }
    // The same for a command the shell runs.
    static std::string commandPrefix(bool wanted) {
        return wanted && ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups -- " : "";
    }
    const bool dropped;
};

std::string settingsFileBytes() {
    std::string bytes(SettingsImage::kSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 1);
    return bytes;
}

}  // namespace

TEST_F(CliTest, EveryKindOfFileIsReadOrRefusedWithAMessage) {
    struct Case {
        const char* what;
        Kind kind;
        const char* programRefusal;   // part of the program file open's refusal; "" when it opens
        const char* settingsRefusal;  // part of the settings file open's refusal; "" when it opens
        const char* programWords;     // part of what the tool says about a program file
        const char* settingsWords;    // part of what the tool says about a settings file
    };
    const std::vector<Case> cases = {
        {"a regular file", Kind::Regular, "", "", "", ""},
        {"an empty file", Kind::Empty, "ファイルフォーマットが違います。", "(ファイルサイズ不足)", "holds no program",
         "is 0 bytes, not a settings file"},
        {"a file cut short", Kind::Short, "ファイルフォーマットが違います。", "(ファイルサイズ不足)", "holds no program",
         "is 3 bytes, not a settings file"},
        {"a folder", Kind::Folder, "(フォルダ)", "(フォルダ)", "Is a directory", "Is a directory"},
        {"a FIFO without a writer", Kind::Fifo, "(通常のファイルではない)", "(通常のファイルではない)",
         "not a regular file", "not a regular file"},
        {"a link to /dev/zero", Kind::DevZeroLink, "(通常のファイルではない)", "(通常のファイルではない)",
         "not a regular file", "not a regular file"},
        {"a file the user may not read", Kind::Unreadable, "(読込み権限なし)", "(読込み権限なし)", "Permission denied",
         "Permission denied"},
        {"a file whose read fails", Kind::ReadError, "(読込み異常 エラー番号5)", "(読込み異常 エラー番号5)",
         "Input/output error", "Input/output error"},
    };
    const std::string program = "\tPROG\t#100\r\n\tEND\t\r\n";
    const std::string settings = settingsFileBytes();
    const std::string ncp = path("x.ncp");
    const std::string bin = path("x.bin");

    // The tool's commands that read them; a regular file takes each past its file.
    // compile opens the file as the program editor does, with its messages.
    enum class Words { Program, Editor, Settings };
    struct Command {
        std::vector<std::string> args;
        Words words;
        int regularStatus;
        const char* regularWords;
    };
    const std::vector<Command> commands = {
        {{"list", ncp}, Words::Program, 0, "PROG #100"},
        {{"check", ncp}, Words::Program, 0, ""},
        {{"compile", "--port", "vantrel-no-such-port", ncp}, Words::Editor, 1, "接続出来ませんでした。"},
        {{"dump", bin}, Words::Settings, 0, "speed"},
        {{"write-settings", "--port", "vantrel-no-such-port", bin}, Words::Settings, 1, "接続出来ませんでした。"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        make(c.kind, ncp, program);
        make(c.kind, bin, settings);
        const bool asUser = c.kind == Kind::Unreadable;

        // The program editor's "プログラムを開く".
        ProgramStore store;
        IoNames ioNames;
        ProgramFiles files(store, ioNames, {path("Ncstep.sys"), path("Ncstepini.sys"), path("IoName.txt")});
        ASSERT_TRUE(store.loadText("\tPROG\t#001\r\n\tEND\t\r\n"));
        const std::string before = store.text();
        EditOutcome opened;
        {
            const OrdinaryUser user(asUser);
            opened = files.openProgramFile(ncp);
        }
        if (*c.programRefusal == '\0') {
            EXPECT_TRUE(opened);
            EXPECT_EQ(store.text(), program);
        } else {
            ASSERT_TRUE(opened.refusal);
            EXPECT_NE(opened.refusal->text.find(c.programRefusal), std::string::npos) << opened.refusal->text;
            EXPECT_EQ(store.text(), before);
            EXPECT_FALSE(fs::exists(path("Ncstep.sys")));
        }

        // The main window's "開く" of a settings file.
        SettingsImage image;
        image.setU8(500, 0x77);
        const SettingsImage unchanged = image;
        SettingsFileRead read;
        {
            const OrdinaryUser user(asUser);
            read = loadSettingsFile(image, bin);
        }
        if (*c.settingsRefusal == '\0') {
            EXPECT_TRUE(read);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data()), SettingsImage::kSize), settings);
        } else {
            EXPECT_FALSE(read);
            const std::string message = fileReadFailedMessage(bin, read.result).text;
            EXPECT_NE(message.find(c.settingsRefusal), std::string::npos) << message;
            EXPECT_EQ(message.rfind("ファイル読込に失敗しました。\n" + bin + "\n", 0), 0u) << message;
            EXPECT_EQ(image, unchanged);
        }

        fs::remove(path("Ncstep.sys"));
        const std::vector<std::string> present = leftovers();
        for (const Command& command : commands) {
            SCOPED_TRACE(command.args[0]);
            const bool regular = c.kind == Kind::Regular;
            const CliRun r = run(command.args, "timeout 60 " + OrdinaryUser::commandPrefix(asUser));
            const std::string said = r.out + r.err;
            EXPECT_NE(r.status, 124) << "hangs";
            EXPECT_EQ(r.status, regular ? command.regularStatus : 1) << said;
            const char* words = regular                           ? command.regularWords
                                 : command.words == Words::Program ? c.programWords
                                 : command.words == Words::Editor  ? c.programRefusal
                                                                   : c.settingsWords;
            EXPECT_NE(said.find(words), std::string::npos) << said;
            EXPECT_EQ(said.find("terminate"), std::string::npos) << said;
        }
        EXPECT_EQ(leftovers(), present);

        fs::remove_all(ncp);
        fs::remove_all(bin);
    }
}
