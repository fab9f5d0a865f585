#include <nlohmann/json.hpp>

#include <map>

#include "CliTestSupport.h"
#include "data/DefaultImage.h"
#include "data/SettingsFile.h"

using namespace vantrel;
using namespace vantrel::clitest;

TEST_F(CliTest, WriteSettingsThenReadSettingsGivesTheIdenticalFile) {
    SettingsImage image = makeDefaultSettingsImage();
    image.writePosition(0, 1000, 12345);
    TimerTable(image).setTimer(2, 150);
    CounterTable(image).setCounter(7, 999);
    NetworkDriverRecord(image, 4).setModel(2);
    NetworkDriverRecord(image, 4).point(3).setSpeed(4321);
    ASSERT_TRUE(saveSettingsFile(image, path("in.bin")));
    const std::string port = serve();

    auto w = run({"write-settings", "--port", port, path("in.bin")});
    ASSERT_EQ(w.status, 0) << w.out << w.err;
    EXPECT_NE(w.out.find("送信完了しました。"), std::string::npos);

    auto r = run({"read-settings", "--port", port, "-o", path("out.bin"), "--programs", path("out.ncp")});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(readFile(path("out.bin")), readFile(path("in.bin")));
    EXPECT_TRUE(fs::exists(path("out.ncp")));
}

TEST_F(CliTest, WriteSettingsRefusesOtherModesAndPartialFiles) {
    ASSERT_TRUE(saveSettingsFile(makeDefaultSettingsImage(), path("in.bin")));
    std::ofstream(path("short.bin"), std::ios::binary) << std::string(100, 'x');
    sim_.setModeWord(2);
    const std::string port = serve();

    auto w = run({"write-settings", "--port", port, path("in.bin")});
    EXPECT_EQ(w.status, 1);
    EXPECT_NE(w.err.find("編集テストモード以外ではファイルを開けません。"), std::string::npos) << w.err;
    EXPECT_EQ(sim_.settingsAreasAccepted().size(), 0u);

    auto s = run({"write-settings", "--port", port, path("short.bin")});
    EXPECT_EQ(s.status, 1);
    EXPECT_NE(s.err.find("172828"), std::string::npos) << s.err;
}

TEST_F(CliTest, HangUpInTheMiddleOfAReadLeavesNoFile) {
    const std::string port = serve();
    SimFaults faults;
    faults.hangUpAfterBytes = 30000;  // inside the 65,536-byte block of the settings read
    sim_.setFaults(faults);
    auto r = run({"read-settings", "--port", port, "-o", path("out.bin"), "--programs", path("out.ncp")});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("読込中断しました。"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.bin")));
    EXPECT_FALSE(fs::exists(path("out.bin.part")));
    EXPECT_FALSE(fs::exists(path("out.ncp")));
}

TEST_F(CliTest, NoControllerOnThePort) {
    auto r = run({"identify", "--port", "vantrel-no-such-port"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("接続出来ませんでした。"), std::string::npos) << r.err;

    SimFaults faults;
    faults.identifyNotMain = true;
    sim_.setFaults(faults);
    const std::string port = serve();
    r = run({"identify", "--port", port});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("接続出来ませんでした"), std::string::npos) << r.err;
}

TEST_F(CliTest, IdentifyAndModeSwitch) {
    const std::string port = serve();
    auto r = run({"identify", "--port", port});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("MAIN"), std::string::npos);
    EXPECT_NE(r.out.find("編集テストモード"), std::string::npos);

    r = run({"mode", "--port", port, "auto"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(sim_.modeWord(), 2);
    r = run({"start", "--port", port});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(sim_.outputs().lastRunRequest, 0xD7);
}

TEST_F(CliTest, FlashRequiresEditTestModeAndCompletes) {
    const std::string port = serve();
    auto r = run({"flash", "--port", port});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("正常に書き込みました"), std::string::npos);
    EXPECT_EQ(sim_.flashWriteCount(), 1);

    sim_.setModeWord(1);
    r = run({"flash", "--port", port});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("編集テストモード中のみ書込みが出来ます。"), std::string::npos) << r.err;
    EXPECT_EQ(sim_.flashWriteCount(), 1);
}

TEST_F(CliTest, DumpJsonOfTheDefaultImage) {
    const std::string initial = std::string(VANTREL_BIN_DIR) + "/initial.bin";
    auto r = run({"dump", initial, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    std::map<std::string, nlohmann::json> byName;
    for (const auto& f : json.at("fields")) byName[f.at("name").get<std::string>()] = f;
    EXPECT_EQ(byName.at("axis1.resolution").at("raw"), 1000);
    EXPECT_EQ(byName.at("axis1.travelPerRev").at("text"), "10.00 mm");
    EXPECT_EQ(byName.at("axis4.maxRotationSpeed").at("raw"), 4000);
    EXPECT_EQ(byName.at("axis2.movableMax.position").at("text"), "20000.00 mm");
    EXPECT_EQ(byName.at("timer.T1").at("raw"), 100);
    EXPECT_EQ(byName.at("network.speed").at("text"), "115200bps");
    EXPECT_EQ(byName.at("sensorLogic.axis1").at("raw"), 6);
    EXPECT_EQ(byName.at("speedOverrideLevel").at("text"), "100 %");
    EXPECT_EQ(json.at("reserved").at("nonZero"), 0);

    r = run({"dump", path("missing.bin")});
    EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, DiffNamesExactlyTheChangedPoint) {
    SettingsImage a = makeDefaultSettingsImage();
    SettingsImage b = a;
    b.writePosition(2, 1009, -5);  // PT1010 of axis 3
    ASSERT_TRUE(saveSettingsFile(a, path("a.bin")));
    ASSERT_TRUE(saveSettingsFile(b, path("b.bin")));
    auto r = run({"diff", path("a.bin"), path("b.bin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "axis3.PT1010.position: --- -> -0.05 mm\n");
    r = run({"diff", path("a.bin"), path("a.bin")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

TEST_F(CliTest, CompilePrintsTheVerdict) {
    std::ofstream(path("ok.ncp"), std::ios::binary) << "\tPROG\t#100\r\n\tEND\t\r\n";
    const std::string port = serve();
    auto r = run({"compile", "--port", port, path("ok.ncp")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("コンパイル完了"), std::string::npos) << r.out;
    EXPECT_EQ(sim_.programFile(), "\tPROG\t#100\r\n\tEND\t\r\n");

    sim_.setCompileError(ControllerSim::CompileError{5, 12, 7, 3});
    r = run({"compile", "--port", port, path("ok.ncp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ﾗﾍﾞﾙｴﾗｰ"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("program 7 step 9 (index 8)"), std::string::npos) << r.out;

    std::ofstream(path("wrong.txt"), std::ios::binary) << "\tPROG\t#100\r\n";
    r = run({"compile", "--port", port, path("wrong.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ファイルフォーマットが違います。"), std::string::npos) << r.err;
}

TEST_F(CliTest, CheckReportsWithProgramAndStepNumbers) {
    std::ofstream(path("a.ncp"), std::ios::binary) << "\tPROG\t#100\r\n\tEND\t\r\n\tPROG\t#003\r\n\tWAIT\tT1\r\n\tBOGUS\t\r\n";
    auto r = run({"check", path("a.ncp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "program 3, step 2: undefined command \"BOGUS\" is dropped at the next change\n");
    std::ofstream(path("b.ncp"), std::ios::binary) << "\tPROG\t#100\r\n\tEND\t\r\n";
    r = run({"check", path("b.ncp")});
    EXPECT_EQ(r.status, 0) << r.out;
}

TEST_F(CliTest, StatusShowsOnlyWhatAnAnsweredPollBrought) {
    const std::string initial = std::string(VANTREL_BIN_DIR) + "/initial.bin";
    sim_.raiseAlarm(12);
    const std::string port = serve();
    struct Case {
        const char* what;
        SimFaults faults;
    };
    SimFaults silent, otherSequence;
    silent.noReply = CodeFault::always(0xAA);
    otherSequence.wrongSequence = CodeFault::always(0xAA);
    const Case cases[] = {{"answered", {}}, {"no reply", silent}, {"another sequence", otherSequence}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim_.setFaults(c.faults);
        const auto r = runFast({"status", "--port", port, "--settings", initial});
        if (std::string(c.what) == "answered") {
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_NE(r.out.find("alarm 012"), std::string::npos) << r.out;
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.out, "");  // no made-up state
            EXPECT_NE(r.err.find("status polls"), std::string::npos) << r.err;
        }
    }
}

TEST_F(CliTest, CompileWaitsForTheLinksOwnTimeOut) {
    std::ofstream(path("ok.ncp"), std::ios::binary) << "\tPROG\t#100\r\n\tEND\t\r\n";
    SimFaults faults;
    faults.noReply = CodeFault::always(0x03);
    sim_.setFaults(faults);
    const std::string port = serve();
    const auto r = runFast({"compile", "--port", port, path("ok.ncp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("コンパイルタイムアウト"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("ファイルサイズが0バイトです"), std::string::npos) << r.err;
    EXPECT_EQ(sim_.requestCount(0x03), 1);
}

TEST_F(CliTest, AFailedProgramReadSaysTheFileReadFailedAndWritesNothing) {
    sim_.setProgramFile(std::string(5000, 'P'));
    struct Case {
        const char* what;
        SimFaults faults;
        bool linkLost;
    };
    SimFaults cut, silent;
    cut.hangUpOnCode = 0x05;
    cut.hangUpAtRequest = 2;  // the second request: the file itself
    cut.hangUpReplyBytes = 2000;
    silent.noReply = CodeFault::always(0x05);
    const Case cases[] = {{"cut off in the middle", cut, true}, {"no answer", silent, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim_.setFaults(c.faults);
        const std::string port = serve();
        const auto r = runFast({"read-programs", "--port", port, "-o", path("out.ncp")});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("ファイル読込に失敗しました。"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("USBが切断されました。") != std::string::npos, c.linkLost) << r.err;
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
    }
}

TEST_F(CliTest, ReadSettingsChecksEveryOutputBeforeAskingTheController) {
    const std::string port = serve();
    fs::create_directories(path("folder"));
    struct Case {
        const char* what;
        std::string settings;
        std::string programs;
    };
    const Case cases[] = {
        {"settings into a missing folder", path("missing/out.bin"), path("out.ncp")},
        {"programs into a missing folder", path("out.bin"), path("missing/out.ncp")},
        {"programs onto a folder", path("out.bin"), path("folder")},
        {"both to one file", path("out.bin"), path("out.bin")},
        {"settings onto a file made read-only", path("ref.bin"), path("out.ncp")},
    };
    std::ofstream(path("ref.bin"), std::ios::binary) << "reference";
    fs::permissions(path("ref.bin"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = runFast({"read-settings", "--port", port, "-o", c.settings, "--programs", c.programs});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("ファイルが開けません"), std::string::npos) << r.err;
        EXPECT_EQ(leftovers(), (std::vector<std::string>{"folder", "ref.bin"}));
        EXPECT_EQ(readFile(path("ref.bin")), "reference");
        EXPECT_EQ(sim_.requestCount(0x01), 0);  // the controller was not asked
    }
}

TEST_F(CliTest, WithoutATemporaryFolderControllerCommandsStopWithAMessage) {
    std::ofstream(path("ok.ncp"), std::ios::binary) << "\tPROG\t#100\r\n\tEND\t\r\n";
    std::ofstream(path("a-file"), std::ios::binary) << "not a folder";
    const std::string port = serve();
    const std::vector<std::pair<std::string, std::string>> folders = {{"/nonexistent", "No such file or directory"},
                                                                      {path("a-file"), "Not a directory"}};
    const std::vector<std::vector<std::string>> commands = {
        {"identify", "--port", port},
        {"compile", "--port", port, path("ok.ncp")},
        {"read-settings", "--port", port, "-o", path("out.bin")},
    };
    for (const auto& [folder, reason] : folders) {
        for (const auto& command : commands) {
            SCOPED_TRACE(folder + " " + command[0]);
            // Run in the test's folder: nothing may land in the current folder.
            const auto r = run(command, "cd " + quote(dir_.string()) + " && TMPDIR=" + quote(folder) + " ");
            EXPECT_EQ(r.status, 1) << r.err;
            EXPECT_NE(r.err.find("cannot make a temporary folder in " + folder + ": " + reason),
                      std::string::npos)
                << r.err;
            EXPECT_EQ(leftovers(), (std::vector<std::string>{"a-file", "ok.ncp"}));
        }
    }
    EXPECT_EQ(sim_.requestCount(0x00), 0);  // the controller was never asked
}
