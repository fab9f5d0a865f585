// vantrel-cli on a line of eight controllers: eight vantrel-sim processes,
// each on a pseudo-terminal of its own; the eighth misbehaves.

#include <memory>
#include <nlohmann/json.hpp>
#include <regex>

#include "CliTestSupport.h"
#include "SimProcess.h"
#include "data/DefaultImage.h"

using namespace vantrel;
using namespace vantrel::clitest;

namespace {

constexpr int kLine = 8;

// A vantrel-sim process and the port it serves.
struct Controller {
    std::unique_ptr<simtest::SimProcess> process;
    std::string port;
};

// Starts a controller and gives its console `commands` (faults) before it is used.
Controller startController(const std::vector<std::string>& args, const std::vector<std::string>& commands = {}) {
    Controller c{std::make_unique<simtest::SimProcess>(args, true), ""};
    const auto head = c.process->lines(2);  // "port: pts/N", "device: /dev/pts/N"
    if (!head.empty() && head[0].rfind("port: ", 0) == 0) c.port = head[0].substr(6);
    for (const std::string& command : commands) c.process->type(command);
    if (!commands.empty()) {
        c.process->type("faults");  // answered once the commands before it have run
        c.process->lines(3);
    }
    return c;
}

// The result the summary table gives a port.
std::string resultOf(const std::string& out, const std::string& port) {
    const std::regex row(port + " +\\S+ +[0-9.]+ s +(.*)");
    std::istringstream lines(out);
    std::smatch match;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, match, row)) return match[1];
    return "(no row for " + port + ")";
}

std::string replaced(std::string text, const std::string& mark, const std::string& by) {
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, mark.size(), by);
    return text;
}

class CliFleetTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        for (int i = 0; i < kLine - 1; ++i) {
            seven_.push_back(startController({}));
            ASSERT_FALSE(seven_.back().port.empty());
        }
    }
    // The command on the seven and `eighth`, each port named with --port.
    CliRun runOnLine(std::vector<std::string> command, const Controller& eighth) {
        const auto at = std::find(command.begin(), command.end(), "PORTS");
        std::vector<std::string> ports;
        for (const Controller& c : seven_) ports.insert(ports.end(), {"--port", c.port});
        ports.insert(ports.end(), {"--port", eighth.port});
        command.insert(command.erase(at), ports.begin(), ports.end());
        // Reads time out four times sooner: a silent controller costs under a second,
        // and eight controllers busy on two cores still answer in time.
        return run(command, "VANTREL_CLI_LINK_TIME_DIVISOR=4 ");
    }
    std::vector<Controller> seven_;
};

TEST_F(CliFleetTest, ALineIsProvisionedAndCheckedWhileTheEighthControllerMisbehaves) {
    // The reference: the default settings with one timer changed, and the default programs.
    SettingsImage reference = makeDefaultSettingsImage();
    TimerTable(reference).setTimer(10, 5);
    const std::string ref = path("reference.bin");
    std::ofstream(ref, std::ios::binary).write(reinterpret_cast<const char*>(reference.data()), reference.size());
    const std::string refPrograms = path("reference.ncp");
    const std::string programs = readFile(fs::path(VANTREL_BIN_DIR) / "Ncstepini.sys");
    std::ofstream(refPrograms, std::ios::binary) << programs;
    // A controller of the line that holds other programs: OUT2 where the reference switches OUT1.
    const std::string otherPrograms = path("other.ncp");
    std::ofstream(otherPrograms, std::ios::binary) << replaced(programs, "\tOUT1 ON\t", "\tOUT2 ON\t");

    struct Case {
        const char* what;
        std::vector<std::string> simArgs;  // the eighth controller's
        std::vector<std::string> console;
        std::vector<std::string> command;  // PORTS: the eight --port options
        const char* sevenResult;
        const char* sevenOutput;
        const char* eighthResult;          // EIGHTH: its port
        std::vector<std::string> eighthOutput;
    };
    // In order: the line is provisioned, backed up, then checked.
    const Case cases[] = {
        {"hangs up in the middle of a settings write", {}, {"fault hang-up-at 0x15 1000"},
         {"write-settings", "PORTS", ref}, "ok", "送信完了しました。 (send complete)",
         "failed: USBが切断されました。 (the USB connection was cut); 送信中断しました。 (send interrupted)", {}},
        {"refuses outside edit-test mode", {"--mode", "auto"}, {}, {"flash", "PORTS"}, "ok",
         "正常に書き込みました (written correctly)",
         "failed: 編集テストモード中のみ書込みが出来ます。 (FLASH can be written only in edit-test mode)", {}},
        {"answers nothing", {}, {"fault no-reply 0"},
         {"--trace", path("trace.txt"), "read-settings", "PORTS", "-o", path("line.bin"), "--programs",
          path("line-{port}.ncp")},
         "ok", "読込完了しました。 (read complete)", "failed: 接続出来ませんでした (no controller answered on EIGHTH)", {}},
        {"holds other settings and programs", {"--program", otherPrograms}, {},
         {"fleet-check", "--reference", ref, "--programs", refPrograms, "PORTS"}, "same", "same",
         "different: 1 field, 1 program",
         {"different", "timer.T11: 0.05 s -> 1.00 s", "PROG #100 メインプログラム: changed (-1 +1 steps)"}},
    };
    Controller eighth;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        eighth = startController(c.simArgs, c.console);
        ASSERT_FALSE(eighth.port.empty());
        const CliRun r = runOnLine(c.command, eighth);
        EXPECT_EQ(r.status, 1) << r.err;
        for (const Controller& s : seven_) {
            EXPECT_EQ(resultOf(r.out, s.port), c.sevenResult) << r.out;
            EXPECT_NE(r.out.find(s.port + ": " + c.sevenOutput + "\n"), std::string::npos) << r.out;
        }
        EXPECT_EQ(resultOf(r.out, eighth.port), replaced(c.eighthResult, "EIGHTH", eighth.port)) << r.out << r.err;
        for (const std::string& line : c.eighthOutput)
            EXPECT_NE(r.out.find(eighth.port + ": " + line + "\n"), std::string::npos) << line << "\n" << r.out;
        const std::string word = c.sevenResult == std::string("same") ? "different" : "failed";
        EXPECT_NE(r.err.find("vantrel-cli: " + word + ": " + eighth.port + " (1 of 8 ports)\n"), std::string::npos)
            << r.err;
    }

    // The backup kept the seven files of each kind and a trace for every port,
    // and nothing of the eighth but its trace.
    std::vector<std::string> expected{"other.ncp", "reference.bin", "reference.ncp"};
    for (const Controller& c : seven_) {
        const std::string safe = replaced(c.port, "/", "_");
        expected.insert(expected.end(), {"line-" + safe + ".bin", "line-" + safe + ".ncp", "trace-" + safe + ".txt"});
        EXPECT_EQ(readFile(path("line-" + safe + ".bin")), readFile(ref));
    }
    // The eighth of that case: its port name was taken by the next one's or is gone.
    std::size_t traces = 0;
    for (const std::string& name : leftovers()) traces += name.rfind("trace-", 0) == 0;
    EXPECT_EQ(traces, 8u);
    for (const std::string& name : expected)
        EXPECT_NE(std::find(leftovers().begin(), leftovers().end(), name), leftovers().end()) << name;
    EXPECT_EQ(leftovers().size(), expected.size() + 1);

    // The check as JSON, of one controller that is the same and the one that is not: an object per port.
    const CliRun r = run({"fleet-check", "--reference", ref, "--programs", refPrograms, "--port", seven_[0].port,
                          "--port", eighth.port, "--json"},
                         "VANTREL_CLI_LINK_TIME_DIVISOR=4 ");
    EXPECT_EQ(r.status, 1) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0].at("port"), seven_[0].port);
    EXPECT_EQ(json[0].at("result"), "same");
    EXPECT_EQ(json[0].at("controller"), "MAIN");
    EXPECT_TRUE(json[0].at("fields").empty());
    const auto& different = json[1];
    EXPECT_EQ(different.at("port"), eighth.port);
    EXPECT_EQ(different.at("result"), "different");
    ASSERT_EQ(different.at("fields").size(), 1u);
    EXPECT_EQ(different.at("fields")[0], (nlohmann::json{{"name", "timer.T11"}, {"reference", "0.05 s"}, {"controller", "1.00 s"}}));
    ASSERT_EQ(different.at("programs").size(), 1u);
    EXPECT_EQ(different.at("programs")[0].at("program"), 100);
    EXPECT_EQ(different.at("programs")[0].at("change"), "changed");
    EXPECT_EQ(different.at("programs")[0].at("addedSteps"), 1);
}

}  // namespace
