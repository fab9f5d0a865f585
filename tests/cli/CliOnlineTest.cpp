// vantrel-cli alarm, io and register against the simulated controller.

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"

using namespace vantrel;
using namespace vantrel::clitest;

TEST_F(CliTest, AlarmShowsTheCurrentAlarmTheHistoryAndResets) {
    sim_.setAlarmHistory({27, 33, 6, 0, 0, 0, 0, 0, 0, 0});
    sim_.raiseAlarm(27);  // also the newest entry of the record
    const std::string port = serve();

    auto r = run({"alarm", "--port", port, "--history"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "alarm 27  HOME信号未検出\n\n"
              "No.\tコード\tアラームメッセージ\n"
              "001\talarm 27\tHOME信号未検出\n"
              "002\talarm 27\tHOME信号未検出\n"
              "003\talarm 33\tポイント設定異常\n"
              "004\talarm 6\t\n"
              "005\tno alarm\t\n006\tno alarm\t\n007\tno alarm\t\n008\tno alarm\t\n009\tno alarm\t\n010\tno alarm\t\n");

    // The reset goes out with one poll; the alarm shown is the one reported after it.
    r = run({"alarm", "--port", port, "--reset", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(sim_.outputs().alarmResets, 1);
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json.at("current").at("code"), 0);
    EXPECT_EQ(json.at("current").at("text"), "アラームなし");
    EXPECT_FALSE(json.contains("history"));

    r = run({"alarm", "--port", port, "--history", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto history = nlohmann::json::parse(r.out).at("history");
    ASSERT_EQ(history.size(), 10u);
    EXPECT_EQ(history[2].at("code"), 33);
    EXPECT_EQ(history[2].at("message"), "ポイント設定異常");
    EXPECT_EQ(history[9].at("no"), 10);
}

TEST_F(CliTest, IoShowsTheBitsByName) {
    sim_.setGeneralInput(5, true);
    const std::string port = serve();
    auto r = run({"io", "--port", port});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("汎用入力:  IN1=0  IN2=0  IN3=0  IN4=0  IN5=1  IN6=0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nホスト入力:  EXT-STOP=0  PRG-START=0  PRG-STOP=0  ALM-RST=0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n軸4 driver outputs:  C-ON/S-ON/AWO=0  ALM-RST=0  FREE=0  ZHOME=0  DRV OTU5=0\n"),
              std::string::npos)
        << r.out;

    r = run({"io", "--port", port, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json.at("generalInputs").size(), 16u);
    EXPECT_EQ(json.at("generalInputs").at("IN5"), true);
    EXPECT_EQ(json.at("generalInputs").at("IN6"), false);
    EXPECT_EQ(json.at("hostOutputs").size(), 3u);  // the spare bit has no name
    ASSERT_EQ(json.at("axes").size(), 4u);
    EXPECT_EQ(json.at("axes")[0].at("driverInputs").at("READY"), true);
    EXPECT_EQ(json.at("axes")[3].at("sensors").size(), 3u);
}

TEST_F(CliTest, RegisterRefusesWithTheMessagesOfTheRegisterTest) {
    loadDriverAtSlave5();
    const std::string port = serve();
    struct Case {
        const char* what;
        std::uint16_t mode;
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {"auto-run mode", 2, {"--slave", "5", "--function", "3"}, "手動モードにしてください"},
        {"slave 17", 0, {"--slave", "17", "--function", "3"}, "スレーブアドレスは1～16の範囲にしてください。"},
        {"no driver at slave 3", 0, {"--slave", "3", "--function", "3"}, "指定したスレーブアドレスはドライバが未接続です。"},
        {"address 65536", 0, {"--slave", "5", "--function", "3", "--address", "65536"},
         "レジスタアドレスは0～65535の範囲にしてください。"},
        {"count 3", 0, {"--slave", "5", "--function", "16", "--count", "3"}, "レジスタ数は1～2の範囲にしてください。"},
        {"diagnostics data 65536", 0, {"--slave", "5", "--function", "8", "--data", "65536"},
         "診断のデータは0～65535の範囲にしてください。"},
        {"one register, data 65536", 0, {"--slave", "5", "--function", "16", "--count", "1", "--data", "65536"},
         "レジスタ数1の書込みデータは0～65535の範囲にしてください。"},
        {"two registers, data 8000001", 0, {"--slave", "5", "--function", "16", "--data", "8000001"},
         "データは-8000000～8000000の範囲にしてください"},
        {"two registers, data 1.5", 0, {"--slave", "5", "--function", "16", "--data", "1.5"},
         "データは整数で入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim_.setModeWord(c.mode);
        std::vector<std::string> args = {"register", "--port", port};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(std::string("vantrel-cli: ") + c.message + " ("), std::string::npos) << r.err;
        EXPECT_EQ(sim_.outputs().lastRegisterRequest, (std::array<std::uint32_t, 3>{}));  // nothing was sent
    }
    const auto usage = run({"register", "--port", port, "--slave", "5", "--function", "4"});
    EXPECT_EQ(usage.status, 2);
}

TEST_F(CliTest, RegisterWritesAndReadsADriversRegisters) {
    loadDriverAtSlave5();
    const std::string port = serve();

    auto r = run({"register", "--port", port, "--slave", "5", "--function", "16", "--address", "16", "--data", "1234567"});
    ASSERT_EQ(r.status, 0) << r.err;
    // A write shows data 0.
    EXPECT_EQ(r.out, "スレーブアドレス: 5\nファンクションコード: 16\nレジスタアドレス: 16\nレジスタ数: 2\nデータ: 0\n");

    r = run({"register", "--port", port, "--slave", "5", "--function", "3", "--address", "16", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json.at("function"), 3);
    EXPECT_EQ(json.at("count"), 2);
    EXPECT_EQ(json.at("data"), 1234567);  // two registers: all 32 bits

    r = run({"register", "--port", port, "--slave", "5", "--function", "3", "--address", "17", "--count", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("データ: 54919\n"), std::string::npos) << r.out;  // 0xD687, the lower register

    r = run({"register", "--port", port, "--slave", "5", "--function", "8", "--data", "77"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("ファンクションコード: 8\nレジスタアドレス: 0\nレジスタ数: 1\nデータ: 77\n"), std::string::npos) << r.out;
}

// A controller that hangs up in the middle of a command: exit 1 with the USB
// warning and what was not done, and no output made up.
TEST_F(CliTest, OnlineCommandsSayTheLinkWasCutMidCommand) {
    loadDriverAtSlave5();
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int code;     // the request at which the line goes
        int request;  // the how-many-th of that code
        const char* detail;
    };
    const Case cases[] = {
        {"alarm: the alarm record request", {"alarm", "--history"}, 0x19, 1, "alarm record"},
        {"io: the first status poll", {"io"}, 0xAA, 1, "status polls"},
        {"register: the answer read back", {"register", "--slave", "5", "--function", "3"}, 0x09, 3, "answer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimFaults faults;
        faults.hangUpOnCode = c.code;
        faults.hangUpAtRequest = c.request;
        sim_.setFaults(faults);
        const std::string port = serve();
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, {"--port", port});
        const auto r = runFast(args);
        EXPECT_TRUE(server_.hungUp());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("USBが切断されました。"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.detail), std::string::npos) << r.err;
        sim_.setFaults({});
    }
}
