#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>

#include "program/ProgramCompile.h"
#include "program/ProgramFiles.h"
#include "program/ProgramListing.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vantrel-program-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        files = std::make_unique<ProgramFiles>(store, ioNames,
                                               ProgramFiles::Paths{path("Ncstep.sys"), path("Ncstepini.sys"), path("IoName.txt")});
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
};

TEST_F(ProgramFilesTest, OpeningAProgramFile) {
    write("a.ncp", "\tPROG\t#004\t;Four\n\tEND\t\n\tCALC\tx\ry\n\tPROG\t#002\n\x1A\tPROG\t#009\n");
    write("IoName.txt", "[IO_IN]\nX0\tin\n");
    const EditOutcome outcome = files->openProgramFile(path("a.ncp"));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(store.text(), "\tPROG\t#004\t;Four\r\n\tEND\t\r\n\tCALC\tx y\r\n\tPROG\t#002\r\n");
    EXPECT_EQ(read("Ncstep.sys"), store.text());
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{2, 4}));
    EXPECT_EQ(store.selectedProgram(), 2);
    EXPECT_EQ(store.current().number, 2);
    EXPECT_EQ(ioNames.symbol(0, 0), "X0");
    EXPECT_FALSE(store.storeClean());
}

TEST_F(ProgramFilesTest, OnlyNcpOrNCPAndBelow16MiB) {
    for (const char* name : {"a.Ncp", "a.txt", "ncp", "a.ncp.bak"}) {
        write(name, "\tPROG\t#001\r\n");
        const EditOutcome outcome = files->openProgramFile(path(name));
        ASSERT_TRUE(outcome.refusal) << name;
        EXPECT_EQ(outcome.refusal->text, "ファイルフォーマットが違います。");
    }
    write("b.NCP", "\tPROG\t#001\r\n");
    EXPECT_TRUE(files->openProgramFile(path("b.NCP")));

    const std::string before = store.text();
    write("big.ncp", std::string(ProgramFiles::kProgramFileSizeLimit, 'x'));
    const EditOutcome big = files->openProgramFile(path("big.ncp"));
    ASSERT_TRUE(big.refusal);
    EXPECT_EQ(big.refusal->text, "ファイルサイズが大きすぎです。");
    EXPECT_EQ(big.refusal->icon, MessageIcon::Error);
    EXPECT_EQ(store.text(), before);
}

TEST_F(ProgramFilesTest, WorkingAndDefaultFiles) {
    write("Ncstepini.sys", "\tPROG\t#001\n\tEND\t\n");
    files->resetPrograms();
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\r\n");
    EXPECT_TRUE(store.storeClean());
    EXPECT_EQ(store.current().stepCount, 1);
    // Saving right after writes the default programs with CR LF.
    ASSERT_TRUE(files->saveProgramFile(path("saved.ncp")));
    EXPECT_EQ(read("saved.ncp"), "\tPROG\t#001\r\n\tEND\t\r\n");

    // A failed read leaves the store as it is; a read that wrote the working file reloads it.
    write("Ncstep.sys", "\tPROG\t#003\r\n");
    files->afterProgramRead();
    EXPECT_EQ(store.selectedProgram(), 1);
    EXPECT_FALSE(store.storeClean());
    files->programFileRead();
    files->afterProgramRead();
    EXPECT_EQ(store.selectedProgram(), 3);
    EXPECT_FALSE(store.storeClean());

    fs::remove(path("Ncstep.sys"));
    EXPECT_FALSE(files->loadStoreFromFile(ProgramFiles::Which::WorkingFile));
    EXPECT_EQ(store.text(), "");
}

TEST_F(ProgramFilesTest, CompileChecks) {
    store.loadText("\tPROG\t#001\r\n");
    ProgramCompile::Preparation p = ProgramCompile::prepareCompile(*files, [] { return false; }, 0);
    EXPECT_FALSE(p.send);
    ASSERT_TRUE(p.message);
    EXPECT_EQ(p.message->text, "USBが未接続です。");
    EXPECT_FALSE(fs::exists(path("Ncstep.sys")));

    // Step-run mode: the working file is written and nothing else happens.
    p = ProgramCompile::prepareCompile(*files, [] { return true; }, 1);
    EXPECT_FALSE(p.send);
    EXPECT_FALSE(p.message);
    EXPECT_EQ(read("Ncstep.sys"), "\tPROG\t#001\r\n");

    p = ProgramCompile::prepareCompile(*files, [] { return true; }, 0);
    EXPECT_TRUE(p.send);

    const auto storeOfSize = [&](std::size_t size) {
        std::string text = "\tPROG\t#001\r\n;";
        text += std::string(size - text.size() - 2, 'x') + "\r\n";
        ASSERT_TRUE(store.loadText(text));
        ASSERT_EQ(store.length(), size);
    };
    storeOfSize(131072);
    p = ProgramCompile::prepareCompile(*files, [] { return true; }, 0);
    EXPECT_FALSE(p.send);
    ASSERT_TRUE(p.message);
    EXPECT_EQ(p.message->text, "ファイルサイズが大きすぎです。\nプログラムを減らして再度コンパイルしてください。");
    storeOfSize(131071);
    p = ProgramCompile::prepareCompile(*files, [] { return true; }, 0);
    EXPECT_TRUE(p.send);
    EXPECT_FALSE(p.message);
}

// Which operations count as saved or read (the store text is then safe on
// disk, so no recovery copy is needed), in which file, and which do not.
TEST_F(ProgramFilesTest, SavesAndReadsAreReportedWithTheStoreTextAndTheirFile) {
    using Kind = ProgramFiles::Kind;
    struct Event {
        std::string text;
        Kind which;
        std::string path;
        bool operator==(const Event&) const = default;
    };
    std::vector<Event> events;
    files->setSavedOrReadListener([&events](std::string_view text, Kind which, const std::string& file) {
        events.push_back({std::string(text), which, file});
    });
    write("Ncstepini.sys", "\tPROG\t#001\r\n");
    write("Ncstep.sys", "\tPROG\t#002\r\n");
    write("a.ncp", "\tPROG\t#003\n");
    struct Case {
        std::function<void()> act;
        std::optional<std::pair<Kind, std::string>> reported;
    };
    const std::vector<Case> cases = {
        {[&] { files->loadStoreFromFile(ProgramFiles::Which::DefaultPrograms); },
         std::pair{Kind::DefaultPrograms, path("Ncstepini.sys")}},
        {[&] { files->writeWorkingFile(); }, std::nullopt},  // before a compile: replaced by the next read
        {[&] { files->programFileRead(); }, std::pair{Kind::WorkingFile, path("Ncstep.sys")}},
        {[&] { files->openProgramFile(path("a.ncp")); }, std::pair{Kind::ProgramFile, path("a.ncp")}},
        {[&] { files->saveProgramFile(path("b.ncp")); }, std::pair{Kind::ProgramFile, path("b.ncp")}},
        {[&] { files->saveProgramFile(path("missing/b.ncp")); }, std::nullopt},
        {[&] { files->restoreStore("\tPROG\t#004\r\n"); }, std::nullopt},
        {[&] {
             fs::remove(path("Ncstepini.sys"));
             files->resetPrograms();
         },
         std::nullopt},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        events.clear();
        cases[i].act();
        std::vector<Event> expected;
        if (cases[i].reported) expected.push_back({store.text(), cases[i].reported->first, cases[i].reported->second});
        EXPECT_EQ(events, expected) << "case " << i;
    }
}

TEST_F(ProgramFilesTest, ACompileWhoseWorkingFileCannotBeWrittenSendsNothing) {
    // A folder holds the working file's place: the previous programs must
    // not be sent in place of the store.
    fs::create_directory(path("Ncstep.dir"));
    ProgramFiles blocked(store, ioNames, ProgramFiles::Paths{path("Ncstep.dir"), "", ""});
    store.loadText("\tPROG\t#006\r\n");
    const ProgramCompile::Preparation p = ProgramCompile::prepareCompile(blocked, [] { return true; }, 0);
    EXPECT_FALSE(p.send);
    ASSERT_TRUE(p.message);
    EXPECT_EQ(p.message->title, "異常終了");
    EXPECT_EQ(p.message->text, "ファイルを保存出来ませんでした。\n" + path("Ncstep.dir") + "\n(同じ名前のフォルダあり)");
}

TEST_F(ProgramFilesTest, CompileResults) {
    std::string text;
    for (int n = 1; n <= 8; ++n) text += "\tPROG\t#00" + std::to_string(n) + "\r\n";
    store.loadText(text);
    store.scanDirectory();
    store.selectProgram(1);
    CompileState state;
    CompileResult result;
    result.status = CompileResult::kControllerError;
    result.values[0] = 5;
    result.values[1] = 12;
    result.values[2] = 7;
    result.values[3] = 3;
    const Refusal message = ProgramCompile::finishCompile(1, result, store, state);
    EXPECT_EQ(message.text, "コンパイルエラー");
    EXPECT_EQ(message.title, "VANTREL");  // the application's title
    EXPECT_EQ(state.errorNumber, 5);
    EXPECT_EQ(state.errorProgram, 7);
    EXPECT_EQ(state.errorStep, 8);
    EXPECT_TRUE(state.finished);
    EXPECT_FALSE(store.storeClean());
    EXPECT_EQ(programStatusText(state.errorNumber, store.storeClean()), "ﾗﾍﾞﾙｴﾗｰ");
    ASSERT_TRUE(ProgramCompile::showErrorProgram(store, state));
    EXPECT_EQ(store.selectedProgram(), 7);
    EXPECT_EQ(store.current().number, 7);

    result.status = CompileResult::kAccepted;
    EXPECT_EQ(ProgramCompile::finishCompile(1, result, store, state).text, "コンパイル完了");
    EXPECT_EQ(state.errorNumber, 0);
    EXPECT_TRUE(store.storeClean());
    result.status = CompileResult::kNoAnswer;
    EXPECT_EQ(ProgramCompile::finishCompile(1, result, store, state).text, "コンパイルタイムアウト");
    EXPECT_FALSE(store.storeClean());

    const Refusal empty = ProgramCompile::finishCompile(2, result, store, state);
    EXPECT_EQ(empty.text, "ファイルサイズが0バイトです");
    EXPECT_EQ(empty.title, "ファイル異常");
    EXPECT_EQ(ProgramCompile::finishCompile(3, result, store, state).text, "プログラムリストは空です");
    EXPECT_EQ(ProgramCompile::finishCompile(4, result, store, state).text, "ファイルが開けません");

    // An error program outside 1..255 is not switched to.
    state = {};
    result.status = CompileResult::kControllerError;
    result.values[2] = 300;
    ProgramCompile::finishCompile(1, result, store, state);
    EXPECT_FALSE(ProgramCompile::showErrorProgram(store, state));
}

// Deleting steps of the error program keeps the red row on the step the
// controller named: it moves up with it, and goes when that step is deleted.
TEST(CompileErrorRow, FollowsItsStepThroughDeletions) {
    struct Case {
        int program;            // the program the steps were deleted from
        std::vector<int> rows;  // as selected: any order, repeats, rows past the steps
        int errorStep;          // afterwards
    };
    const Case cases[] = {
        {7, {9, 12, 20}, 8},  // below it, and past the program's 20 steps
        {7, {5, 0, 5}, 6},    // two above it, one of them selected twice
        {7, {2, 8}, -1},      // its own step
        {3, {2}, 8},          // another program
    };
    for (const Case& c : cases) {
        CompileState state;
        state.lastStatus = CompileResult::kControllerError;
        state.errorProgram = 7;
        state.errorStep = 8;
        ProgramCompile::followDeletedSteps(state, c.program, c.rows, 20);
        EXPECT_EQ(state.errorStep, c.errorStep) << c.program << " " << c.rows.front();
    }
}

TEST_F(ProgramFilesTest, ForeignBytesOpenWithoutHarm) {
    std::string garbage;
    for (int i = 0; i < 70000; ++i) garbage.push_back(static_cast<char>((i * 7919) % 251));
    write("garbage.ncp", "\tPROG\t#001\r\n" + garbage);
    EXPECT_TRUE(files->openProgramFile(path("garbage.ncp")));
    EXPECT_EQ(store.text().find('\0'), std::string::npos);

    std::string text = "\tPROG\t#001\r\n\tCALC\t" + std::string(100000, 'v') + "\t;" + std::string(100000, 'c') + "\r\n";
    write("long.ncp", text);
    ASSERT_TRUE(files->openProgramFile(path("long.ncp")));
    ASSERT_EQ(store.current().stepCount, 1);
    EXPECT_EQ(store.current().step(0).operand.size(), 254u);
    EXPECT_EQ(store.current().step(0).comment.size(), 254u);
}

TEST(DefaultPrograms, TheInstalledFileLoadsWithProgram100) {
    ProgramStore store;
    IoNames ioNames;
    ProgramFiles files(store, ioNames,
                       {"/nonexistent/Ncstep.sys", VANTREL_SOURCE_DIR "/resources/Ncstepini.sys",
                        VANTREL_SOURCE_DIR "/resources/IoName.txt"});
    files.resetPrograms();
    EXPECT_TRUE(store.directory().contains(100));
    EXPECT_GT(store.length(), 0u);
    // Reading and writing every program keeps the text.
    const std::string before = store.text();
    for (const std::uint8_t number : store.directory().numbers) {
        store.loadProgram(number);
        ASSERT_TRUE(store.commitProgram(number));
    }
    EXPECT_EQ(store.text(), before);
}

}  // namespace
}  // namespace vantrel
