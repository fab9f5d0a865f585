// The console of vantrel-sim: each command's effect on the simulated
// controller, the refusals of lines it does not understand, and the whole
// program driven from its standard input and a script while vantrel-cli
// reads the controller over the pseudo-terminal.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "SimProcess.h"
#include "data/DefaultImage.h"
#include "sim/ControllerSim.h"
#include "sim/SimConsole.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

struct CommandCase {
    const char* line;
    std::function<bool(ControllerSim&)> holds;
};

TEST(SimConsole, CommandsActOnTheController) {
    const CommandCase cases[] = {
        {"in 5 on", [](ControllerSim& s) { return s.status().generalInputs == 0x0010; }},
        {"host ext-stop on", [](ControllerSim& s) { return s.status().hostInputs == 0x0001; }},
        {"wire 2 16", [](ControllerSim& s) { return s.withMachine([](Machine& m) { return m.wiring(2) == 16; }); }},
        {"wire loopback", [](ControllerSim& s) { return s.withMachine([](Machine& m) { return m.wiring(9) == 9; }); }},
        {"alarm 96", [](ControllerSim& s) { return s.alarmCode() == 96 && s.alarmHistory()[0] == 96; }},
        {"driver-alarm 3 on", [](ControllerSim& s) { return (s.status().driverInputs[2] & 0x03) == 0x02; }},
        {"rivo-alarm 16 0x30", [](ControllerSim& s) { return s.status().networkDrivers[15].alarmCode == 0x30; }},
        {"mode auto", [](ControllerSim& s) { return s.modeWord() == 2; }},
        {"move 2 by -250 5000", [](ControllerSim& s) { return s.status().pulseAxes[1].commandPosition == -250; }},
        {"move rivo3 to 77", [](ControllerSim& s) { return s.status().networkDrivers[2].values.commandPosition == 77; }},
        {"home 1", [](ControllerSim& s) { return (s.status().driverInputs[0] & 0x10) != 0; }},
        {"sensor 4 limits -10 10", [](ControllerSim& s) {
             return s.withMachine([](Machine& m) { return m.sensors(3).plusLimit == 10.0 && !m.sensors(3).limitsFollowRange; });
         }},
        {"sensor 1 dog none", [](ControllerSim& s) { return s.withMachine([](Machine& m) { return !m.sensors(0).homeLow; }); }},
        {"fault no-reply 0xAA 2", [](ControllerSim& s) { return s.faults().noReply.code == 0xAA && s.faults().noReply.count == 2; }},
        {"fault wrong-sequence 9", [](ControllerSim& s) { return s.faults().wrongSequence.code == 9 && s.faults().wrongSequence.count == -1; }},
        {"fault short-reply 0 10 1", [](ControllerSim& s) { return s.faults().shortReply.code == 0 && s.faults().shortReplyLength == 10; }},
        {"fault not-main on", [](ControllerSim& s) { return s.faults().identifyNotMain; }},
        {"fault hang-up 100", [](ControllerSim& s) { return s.faults().hangUpAfterBytes == 100; }},
        {"fault hang-up-at 0x15 1000", [](ControllerSim& s) {
             const SimFaults f = s.faults();
             return f.hangUpOnCode == 0x15 && f.hangUpAtRequest == 1000 && f.hangUpReplyBytes == 0;
         }},
        {"fault flash-fail 1", [](ControllerSim& s) { return s.faults().flashFailStep == 1; }},
        {"fault flash-verify 2", [](ControllerSim& s) { return s.faults().flashVerifyErrorStep == 2; }},
        {"fault settings-reject 3", [](ControllerSim& s) { return s.faults().rejectSettingsArea == 3; }},
        {"fault settings-reception 1", [](ControllerSim& s) { return s.faults().receptionErrorSettingsArea == 1; }},
        {"fault program-size 200000", [](ControllerSim& s) { return s.faults().announcedProgramSize == 200000u; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ControllerSim sim;  // instant motion: moves are done when the command returns
        SimConsole console(sim);
        const auto result = console.run(c.line);
        EXPECT_TRUE(result.ok) << result.text;
        EXPECT_TRUE(c.holds(sim));
    }
}

TEST(SimConsole, CompileErrorsAlarmResetAndClearingFaults) {
    ControllerSim sim;
    SimConsole console(sim);
    ASSERT_TRUE(console.run("fault compile-error 3 12 2 7").ok);
    ASSERT_TRUE(console.run("fault no-reply 0").ok);
    EXPECT_NE(console.run("faults").text.find("no-reply code 0"), std::string::npos);
    ASSERT_TRUE(console.run("fault clear").ok);
    EXPECT_EQ(console.run("faults").text, "no fault armed");

    // The reset keeps an alarm whose cause remains and says so.
    ASSERT_TRUE(console.run("sensor 1 limits -5 5").ok);
    ASSERT_TRUE(console.run("move 1 to 5").ok);  // instant: lands on +LS
    EXPECT_EQ(sim.alarmCode(), 23);
    EXPECT_EQ(console.run("alarm reset").text, "alarm 23 kept: its cause remains");
    ASSERT_TRUE(console.run("move 1 to 0").ok);
    EXPECT_EQ(console.run("alarm reset").text, "ok");
    EXPECT_EQ(sim.alarmCode(), 0);
    EXPECT_TRUE(console.run("quit").quit);
    EXPECT_TRUE(console.run("  # a comment").ok);
    EXPECT_NE(console.run("help").text.find("fault hang-up BYTES"), std::string::npos);
}

TEST(SimConsole, LinesItDoesNotUnderstandChangeNothing) {
    const char* lines[] = {
        "bogus", "in 17 on", "in 5 maybe", "in", "host ext-stop", "wire 1 17", "alarm 0", "alarm 256",
        "driver-alarm 5 on", "rivo-alarm 0 1", "mode fast", "move 5 to 10", "move 1 towards 10", "move 1 to ten",
        "move rivo17 to 1", "stop 9", "sensor 1 dog 5", "fault no-reply", "fault short-reply 1", "fault hang-up x", "fault hang-up-at 21",
        "fault flash-fail 3", "fault settings-reject 4", "fault compile-error 1 2 3", "fault warp", "wait -1",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        ControllerSim sim;
        const SimStatus before = sim.status();
        SimConsole console(sim);
        const auto result = console.run(line);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.text.empty());
        EXPECT_EQ(sim.status().generalInputs, before.generalInputs);
        EXPECT_EQ(sim.alarmCode(), 0);
        EXPECT_EQ(sim.modeWord(), 0);
        EXPECT_EQ(sim.faults().noReply.code, -1);
    }
}

#ifdef VANTREL_CLI
std::string runCli(const std::string& args) {
    const std::string out = ::testing::TempDir() + "vantrel-console-cli.txt";
    const int status = std::system((std::string(VANTREL_CLI) + " " + args + " >" + out + " 2>&1 </dev/null").c_str());
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(out.c_str());
    return (WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : "failed: ") + text.str();
}

TEST(SimConsoleProgram, InputsSetByScriptAndConsoleShowInTheCliStatus) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / ("vantrel-console-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string script = (dir / "start.txt").string();
    std::ofstream(script) << "# set at start\nin 2 on\nwire none\n";
    const std::string settings = (dir / "settings.bin").string();
    {
        const SettingsImage image = makeDefaultSettingsImage();
        std::ofstream(settings, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                        static_cast<std::streamsize>(image.size()));
    }

    SimProcess sim({"--script", script}, true);
    const auto head = sim.lines(4);  // port, device and the answers of the two script commands
    ASSERT_GE(head.size(), 2u);
    ASSERT_EQ(head[0].rfind("port: pts/", 0), 0u) << head[0];
    const std::string port = head[0].substr(6);
    sim.type("in 5 on");
    sim.type("in 16 on");
    sim.type("in 16 off");
    ASSERT_EQ(sim.lines(7).size(), 7u) << "the console answers each line";

    const std::string status = runCli("status --port " + port + " --settings " + settings);
    EXPECT_NE(status.find("IN1..IN16:   0100100000000000"), std::string::npos) << status;

    sim.type("quit");
    EXPECT_EQ(sim.waitExit(), 0);
    fs::remove_all(dir);
}
#endif

TEST(SimConsoleProgram, AScriptLineItDoesNotUnderstandStopsTheStart) {
    const std::string script = ::testing::TempDir() + "vantrel-console-bad.txt";
    std::ofstream(script) << "in 1 on\nin 99 on\n";
    SimProcess sim({"--script", script});
    EXPECT_EQ(sim.waitExit(), 2);
    const auto lines = sim.lines(10);
    bool named = false;
    for (const auto& l : lines) named = named || l.find(":2: the script stops here") != std::string::npos;
    EXPECT_TRUE(named);
    std::remove(script.c_str());
}

}  // namespace
