// Program files and the working file are written whole or not at all, a
// failure is reported, and every save or read tells the recovery copy that
// the store is safe.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "program/ProgramCompile.h"
#include "program/ProgramFiles.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class ProgramFileWritesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vantrel-program-writes-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        write("Ncstepini.sys", "\tPROG\t#001\r\n\tEND\t\r\n");
        write("Ncstep.sys", "\tPROG\t#002\r\n");
        useWorkingFile("Ncstep.sys");
    }
    void useWorkingFile(const std::string& name) {
        files = std::make_unique<ProgramFiles>(store, ioNames,
                                               ProgramFiles::Paths{path(name), path("Ncstepini.sys"), path("IoName.txt")});
        files->setSavedOrReadListener([this](std::string_view text) { events.emplace_back(text); });
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    void write(const std::string& name, std::string_view bytes) const {
        std::ofstream(path(name), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string read(const std::string& name) const {
        std::ifstream file(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    fs::path folder;
    ProgramStore store;
    IoNames ioNames;
    std::unique_ptr<ProgramFiles> files;
    std::vector<std::string> events;
};

// Which operations count as "saved or read" (the store text then is safe on
// disk), and which do not.
TEST_F(ProgramFileWritesTest, SavesAndReadsAreReportedWithTheStoreText) {
    write("a.ncp", "\tPROG\t#003\n");
    struct Case {
        const char* what;
        std::function<void()> run;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"default programs loaded", [&] { files->loadStoreFromFile(ProgramFiles::Which::DefaultPrograms); }, true},
        {"working file written for a compile", [&] { files->writeWorkingFile(); }, false},
        {"programs read from the controller", [&] { files->programFileRead(); }, true},
        {"program file opened", [&] { files->openProgramFile(path("a.ncp")); }, true},
        {"program file saved", [&] { files->saveProgramFile(path("b.ncp")); }, true},
        {"program file not saved", [&] { files->saveProgramFile(path("missing/b.ncp")); }, false},
        {"recovered work restored", [&] { files->restoreStore("\tPROG\t#004\r\n"); }, false},
        {"defaults missing", [&] {
             fs::remove(path("Ncstepini.sys"));
             files->resetPrograms();
         }, false},
    };
    for (const Case& c : cases) {
        events.clear();
        c.run();
        if (c.reported) {
            ASSERT_EQ(events.size(), 1u) << c.what;
            EXPECT_EQ(events[0], store.text()) << c.what;
        } else {
            EXPECT_TRUE(events.empty()) << c.what;
        }
    }
}

TEST_F(ProgramFileWritesTest, AFailedSaveSaysWhy) {
    store.loadText("\tPROG\t#005\r\n");
    fs::create_directory(path("taken.ncp"));  // a folder where the file should go
    const FileWriteResult result = files->saveProgramFile(path("taken.ncp"));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, EISDIR);
    EXPECT_TRUE(fs::is_directory(path("taken.ncp")));
}

TEST_F(ProgramFileWritesTest, ACompileWhoseWorkingFileCannotBeWrittenSendsNothing) {
    // The working file's place is taken by a folder: the previous programs
    // must not be sent in place of the store.
    fs::create_directory(path("Ncstep.dir"));
    useWorkingFile("Ncstep.dir");
    store.loadText("\tPROG\t#006\r\n");
    const ProgramCompile::Preparation p = ProgramCompile::prepareCompile(*files, [] { return true; }, 0);
    EXPECT_FALSE(p.send);
    ASSERT_TRUE(p.message);
    EXPECT_EQ(p.message->title, "異常終了");
    EXPECT_EQ(p.message->text, "ファイルを保存出来ませんでした。\n" + path("Ncstep.dir") + "\n(同じ名前のフォルダあり)");
}

}  // namespace
}  // namespace vantrel
