// The programs running on the simulated machine with its clock driven by the
// test: cycles over a counter, nested calls, branches on variables, the step
// run, the motion commands, and what ends the tasks.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "MachineTestSupport.h"
#include "SimTestSupport.h"
#include "sim/ControllerSim.h"
#include "sim/ProgramCompiler.h"
#include "sim/TaskRunner.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

std::string programs(const std::vector<std::pair<int, std::vector<std::string>>>& sections) {
    std::string text;
    for (const auto& [number, steps] : sections) {
        text += "\tPROG\t#" + std::string(number < 100 ? "0" : "") + (number < 10 ? "0" : "") + std::to_string(number) + "\r\n";
        for (const std::string& s : steps) text += s + "\r\n";
    }
    return text;
}

void setPoint(SettingsImage& image, int axis, int point, std::int32_t position, std::uint8_t rate = 100) {
    image.writePosition(axis, point - 1, position);
    PositionRecord(image, axis, point - 1).setSpeed(rate);
}

// A machine (step axes 1 and 2, see MachineRig) running `text` in the given mode.
class ProgramRun {
public:
    explicit ProgramRun(const std::string& text, std::uint16_t mode = 2) : text_(text), mode_(mode) {
        TimerTable(rig.image).setTimer(0, 20);  // T1: 0.20 s
        TimerTable(rig.image).setTimer(1, 50);  // T2: 0.50 s
    }
    Machine& start() {
        Machine& m = rig.build();
        const CompileVerdict verdict = compileProgramFile(text_);
        EXPECT_TRUE(verdict.accepted()) << "error " << verdict.error << " program " << verdict.values[2];
        auto runner = std::make_unique<TaskRunner>(rig.memory, verdict.programs);
        runner_ = runner.get();
        m.setProgramRunner(std::move(runner));
        m.setMode(mode_);
        EXPECT_TRUE(m.startRun());
        return m;
    }
    Machine& machine() { return *rig.machine; }
    TaskRunner& runner() { return *runner_; }
    std::pair<int, int> task(int i) const {
        const SimStatus& s = rig.machine->status();
        return {s.runFlags[static_cast<std::size_t>(i)], s.stepValues[static_cast<std::size_t>(i)]};
    }
    int runningTasks() const {
        int n = 0;
        for (const auto f : rig.machine->status().runFlags) n += f != 0;
        return n;
    }
    // Runs in 10 ms steps until no task runs (at most `millis`).
    void toEnd(std::int64_t millis = 60000) {
        for (std::int64_t t = 0; t < millis && rig.machine->running(); t += 10) rig.run(10);
    }

    MachineRig rig;

private:
    std::string text_;
    std::uint16_t mode_;
    TaskRunner* runner_ = nullptr;
};

TEST(TaskRunner, ACycleOfMovesOutputsAndAWaitRunsUntilItsCounterIsUp) {
    ProgramRun run(programs({{100,
                       {"\tCCLR\tCNTR1", "L001\tMOVE\tA1,A2 P1001 ", "\tOUT\tOUT1 ON", "\tWAIT\tT1", "\tMOVE\tA1,A2 P1002 ",
                        "\tOUT\tOUT1 OFF", "\tCINC\tCNTR1", "\tIF\tCUP1 OFF GOTO L001 ", "\tEND\t"}}}));
    setPoint(run.rig.image, 0, 1001, 1000);
    setPoint(run.rig.image, 1, 1001, 500);
    setPoint(run.rig.image, 0, 1002, 2000, 50);
    setPoint(run.rig.image, 1, 1002, -500, 50);
    CounterTable(run.rig.image).setCounter(0, 3);
    Machine& m = run.start();

    int cycles = 0;
    bool out1 = false;
    std::set<int> steps;
    for (int t = 0; t < 60000 && m.running(); t += 10) {
        run.rig.run(10);
        const bool now = (m.generalOutputs() & 1) != 0;
        if (now && !out1) {
            ++cycles;
            EXPECT_EQ(run.rig.position(0), 1000) << "OUT1 comes on at the pick point";
        }
        out1 = now;
        if (m.running()) steps.insert(run.task(0).second);
    }
    EXPECT_FALSE(m.running());
    EXPECT_EQ(cycles, 3);
    EXPECT_EQ(run.runner().counter(0), 3);
    EXPECT_EQ(run.rig.position(0), 2000);
    EXPECT_EQ(run.rig.position(1), -500);
    EXPECT_EQ(m.generalOutputs() & 1, 0);
    EXPECT_EQ(steps, (std::set<int>{1, 3, 4})) << "the task waits at the moves and the timer";
}

TEST(TaskRunner, CallsNestAndReturnToTheStepAfterTheirCall) {
    ProgramRun run(programs({{100, {"\tREGINT\tX", "\tCALC\tX = 0 ", "\tGOSUB\t#001 ", "\tCALC\tX = X * 10 + 4 ", "\tEND\t"}},
                      {1, {"\tCALC\tX = X * 10 + 1 ", "\tGOSUB\t#002 ", "\tCALC\tX = X * 10 + 3 ", "\tRET\t"}},
                      {2, {"\tCALC\tX = X * 10 + 2 ", "\tWAIT\tT2", "\tRET\t"}}}));
    run.start();
    run.rig.run(100);
    EXPECT_EQ(run.task(0), std::make_pair(2, 1)) << "the task reports the program it is in";
    EXPECT_EQ(run.runner().variable("X"), 12);
    run.toEnd();
    EXPECT_EQ(run.runner().variable("X"), 1234);
}

TEST(TaskRunner, IfThenElseTakesTheBranchItsComparisonGives) {
    struct Case {
        const char* name;
        std::string condition;
        int x;
        std::uint16_t outputs;  // OUT1: then, OUT2: else, OUT3: after ENDIF
    };
    const Case cases[] = {
        {"greater, true", "X > 5", 7, 0x5},
        {"greater, false", "X > 5", 5, 0x6},
        {"less, negative", "X < 0", -1, 0x5},
        {"equal to a variable", "X == Y", 9, 0x5},
        {"not equal", "X # Y", 9, 0x6},
        {"system variable: command position of axis 1", "MR104 == X", 0, 0x5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRun run(programs({{100,
                           {"\tREGINT\tX", "\tREGINT\tY", "\tCALC\tY = 9 ", "\tCALC\tX = " + std::to_string(c.x) + " ",
                            "\tIF\t" + c.condition + " THEN", "\tOUT\tOUT1 ON", "\tELSE\t", "\tOUT\tOUT2 ON", "\tENDIF\t",
                            "\tOUT\tOUT3 ON", "\tEND\t"}}}));
        Machine& m = run.start();
        run.toEnd();
        EXPECT_EQ(m.generalOutputs(), c.outputs);
    }
}

TEST(TaskRunner, StepRunCarriesOutOneStepPerRequest) {
    ProgramRun run(programs({{100, {"\tOUT\tOUT1 ON", "\tOUT\tOUT2 ON", "\tWAIT\tT1", "\tOUT\tOUT3 ON", "\tEND\t"}}}), 1);
    Machine& m = run.start();  // the first request starts program 100 and runs its first step
    EXPECT_EQ(run.task(0), std::make_pair(100, 1));
    EXPECT_EQ(m.generalOutputs(), 0x1);
    run.rig.run(1000);
    EXPECT_EQ(run.task(0), std::make_pair(100, 1)) << "nothing more without a request";

    m.startRun();
    EXPECT_EQ(run.task(0), std::make_pair(100, 2));
    EXPECT_EQ(m.generalOutputs(), 0x3);
    m.startRun();  // WAIT T1 begins
    run.rig.run(100);
    m.startRun();  // asked again while the step still runs: no second step
    EXPECT_EQ(run.task(0), std::make_pair(100, 2));
    run.rig.run(200);
    EXPECT_EQ(run.task(0), std::make_pair(100, 3)) << "the wait is over; the next step waits for its request";
    EXPECT_EQ(m.generalOutputs(), 0x3);
    m.startRun();
    EXPECT_EQ(m.generalOutputs(), 0x7);
    m.startRun();  // END
    EXPECT_FALSE(m.running());
}

TEST(TaskRunner, StopExternalStopAndAlarmsEndEveryTask) {
    const std::string text = programs({{100, {"\tON\t#001 ", "\tON\t#002 ", "\tMOVE\tA1 P1001 ", "L001\tIN\tIN9 ON"}},
                                       {1, {"L002\tWAIT\tT1", "\tGOTO\tL002 "}},
                                       {2, {"\tWAIT\tT2", "\tALM\t05 ", "\tEND\t"}}});
    struct Case {
        const char* name;
        void (*end)(Machine&);
        std::uint8_t alarm;
    };
    const Case cases[] = {
        {"stop request", [](Machine& m) { m.stopRun(); }, 0},
        {"EXT-STOP", [](Machine& m) { m.setHostInput(Machine::kExtStop, true); }, 0},
        {"PRG-STOP", [](Machine& m) { m.setHostInput(Machine::kPrgStop, true); }, 0},
        {"machine alarm", [](Machine& m) { m.raiseAlarm(Machine::kHomeNotFoundAlarm); }, Machine::kHomeNotFoundAlarm},
        {"user alarm 05 of program 2", [](Machine&) {}, TaskRunner::kUserAlarmBase + 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRun run(text);
        setPoint(run.rig.image, 0, 1001, 2500, 10);
        Machine& m = run.start();
        run.rig.run(100);
        EXPECT_EQ(run.runningTasks(), 3);
        EXPECT_EQ(run.task(1).first, 1);
        EXPECT_EQ(run.task(2).first, 2);
        EXPECT_TRUE(m.axisBusy(0));
        c.end(m);
        run.rig.run(600);  // program 2 raises its alarm after 0.50 s
        EXPECT_EQ(run.runningTasks(), 0);
        EXPECT_EQ(m.alarmCode(), c.alarm);
        run.rig.settle();
        const std::int32_t stoppedAt = run.rig.position(0);
        EXPECT_LT(stoppedAt, 2500) << "the move does not go on to its point";
        run.rig.run(1000);
        EXPECT_EQ(run.rig.position(0), stoppedAt);
    }
}

TEST(TaskRunner, MotionCommandsEndWhereTheirPointsSendThem) {
    struct Case {
        const char* name;
        std::vector<std::string> steps;
        std::int32_t axis1;
        std::int32_t axis2;
    };
    const Case cases[] = {
        {"absolute, then incremental", {"\tMOVE\tA1 P1001 ", "\tMOVE\tI A1,A2 P1002 "}, 1000 + 200, -300},
        {"without waiting, the next move waits for the axis", {"\tMOVEP\tA1 P1001 ", "\tMOVEP\tA1 P1002 "}, 200, 0},
        {"linear interpolation", {"\tLINE\tA1,A2 P0301 "}, 600, 1200},
        {"arc through the via point to the end point", {"\tARC\tA1,A2 P0302 P0303 "}, 2000, 0},
        {"shift 1 moves absolute targets by its point", {"\tSHIFT\tON 1 P081 ", "\tMOVE\tA1,A2 P1001 "}, 1010, 20},
        {"shift off again", {"\tSHIFT\tON 1 P081 ", "\tSHIFT\tOFF 1 ", "\tMOVE\tA1 P1001 "}, 1000, 0},
        {"preset makes where the axis stands 0", {"\tMOVE\tA1 P1001 ", "\tPRST\tA1 ", "\tMOVE\tI A1 P1002 "}, 200, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> steps = c.steps;
        steps.push_back("\tEND\t");
        ProgramRun run(programs({{100, steps}}));
        SettingsImage& image = run.rig.image;
        setPoint(image, 0, 1001, 1000);
        setPoint(image, 1, 1001, 0);
        setPoint(image, 0, 1002, 200);
        setPoint(image, 1, 1002, -300);
        setPoint(image, 0, 301, 600);
        setPoint(image, 1, 301, 1200);
        setPoint(image, 0, 302, 1000);  // via point: on the circle around (1000, 0) of radius 1000
        setPoint(image, 1, 302, 1000);
        setPoint(image, 0, 303, 2000);
        setPoint(image, 1, 303, 0);
        setPoint(image, 0, 81, 10);
        setPoint(image, 1, 81, 20);
        Machine& m = run.start();
        std::int32_t highest = 0;
        for (int t = 0; t < 60000 && m.running(); t += 10) {
            run.rig.run(10);
            highest = std::max(highest, run.rig.position(1));
        }
        EXPECT_FALSE(m.running());
        run.rig.settle();  // a move the program did not wait for goes on after its end
        EXPECT_EQ(run.rig.position(0), c.axis1);
        EXPECT_EQ(run.rig.position(1), c.axis2);
        if (std::string(c.name).find("arc") != std::string::npos) {
            EXPECT_NEAR(highest, 1000, 5) << "the arc passes over the top of its circle";
        }
    }
}

TEST(TaskRunner, ALineBringsItsAxesToTheirEndTogether) {
    ProgramRun run(programs({{100, {"\tLINE\tA1,A2 P0301 ", "\tEND\t"}}}));
    setPoint(run.rig.image, 0, 301, 3000, 20);
    setPoint(run.rig.image, 1, 301, 1000);
    Machine& m = run.start();
    // Axis 1 goes three times as far: at every moment it has done three times as much.
    for (int t = 0; t < 400; t += 50) {
        run.rig.run(50);
        EXPECT_NEAR(run.rig.position(0), 3 * run.rig.position(1), 4);
    }
    run.toEnd();
    EXPECT_FALSE(m.running());
    EXPECT_EQ(run.rig.position(0), 3000);
    EXPECT_EQ(run.rig.position(1), 1000);
}

TEST(TaskRunner, AMoveToAPointWithoutPositionIsAPointAlarm) {
    ProgramRun run(programs({{100, {"\tOUT\tOUT1 ON", "\tMOVE\tA1,A2 P1005 ", "\tOUT\tOUT2 ON"}}}));
    setPoint(run.rig.image, 0, 1005, 100);  // axis 2 has no position at point 1005
    Machine& m = run.start();
    run.rig.run(10);
    EXPECT_EQ(m.alarmCode(), Machine::kPointAlarm);
    EXPECT_FALSE(m.running());
    EXPECT_EQ(m.generalOutputs(), 0x1);
    EXPECT_EQ(run.rig.position(0), 0) << "no axis starts";
}

TEST(TaskRunner, ANetworkMoveRunsAtItsPointsSpeedScaledByTheSpeedLevel) {
    struct Case {
        const char* name;
        std::uint8_t model;   // 0: no driver at that address
        std::int32_t speed;   // Hz
        std::uint8_t level;   // speed level 0..4: 20 % .. 100 %
        std::uint8_t alarm;   // 0: the move runs
        std::int32_t after100ms;
    };
    const Case cases[] = {
        {"full speed", 1, 2000, 4, 0, 200},
        {"speed level 1: 40 %", 1, 2000, 1, 0, 80},
        {"a point without speed", 1, 0, 4, Machine::kPointAlarm, 0},
        {"no driver at the address", 0, 2000, 4, TaskRunner::kNetworkAlarm, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRun run(programs({{100, {"\tMOVE2\tA1 P001 ", "\tEND\t"}}}));
        NetworkDriverRecord driver(run.rig.image, 0);
        driver.setModel(c.model);
        driver.setUnit(2);
        driver.point(0).setMode(1);
        driver.point(0).setPosition(1000);
        driver.point(0).setSpeed(c.speed);
        driver.point(0).setAccelTime(0);
        run.rig.image.data()[layout::kSpeedOverrideLevel] = c.level;
        Machine& m = run.start();
        const int axis = Machine::kPulseAxes;
        run.rig.run(100);
        EXPECT_EQ(m.alarmCode(), c.alarm);
        EXPECT_NEAR(run.rig.position(axis), c.after100ms, 2);
        if (c.alarm != 0) continue;
        run.toEnd();
        EXPECT_FALSE(m.running());
        EXPECT_EQ(run.rig.position(axis), 1000);
    }
}

TEST(TaskRunner, ProgramsStartedAndStoppedByOtherTasksAndHeldByPause) {
    ProgramRun run(programs({{100, {"\tON\t#001 ", "\tWAIT\tT1", "\tPAUSE\tON", "\tWAIT\tT2", "\tPAUSE\tOFF", "\tWAIT\tT2",
                             "\tOFF\t#001 ", "L001\tIN\tIN9 ON"}},
                      {1, {"\tREGINT\tN", "L002\tCALC\tN = N + 1 ", "\tWAIT\tT1", "\tGOTO\tL002 "}}}));
    run.start();
    run.rig.run(150);
    EXPECT_EQ(run.task(1).first, 1);
    const std::int32_t beforePause = run.runner().variable("N");
    run.rig.run(100);  // program 100 pauses the others at 0.20 s
    const std::int32_t atPause = run.runner().variable("N");
    run.rig.run(400);
    EXPECT_EQ(run.runner().variable("N"), atPause) << "held while paused";
    EXPECT_GE(atPause, beforePause);
    run.rig.run(400);  // released at 0.70 s
    EXPECT_GT(run.runner().variable("N"), atPause);
    run.rig.run(500);  // program 1 stopped at 1.20 s
    EXPECT_EQ(run.task(1).first, 0);
    EXPECT_EQ(run.task(0), std::make_pair(100, 7));
}

// --- Through the controller's protocol ---------------------------------------------

Bytes poll(std::uint8_t seq, std::uint16_t mode, std::uint8_t run = 0) {
    return Request(0xAA, seq, 52).u8(5, run).u16(6, 0xFFFF).u32(8, 0xFFFFFFFF).u16(12, 0xFF0F).u16(32, mode);
}

Bytes sendProgram(ControllerSim& sim, const std::string& text) {
    const std::size_t count = (text.size() + 19) / 20;
    Bytes last;
    for (std::size_t i = 0; i < count; ++i)
        last = sim.handle(programPiece(static_cast<std::uint8_t>(i), static_cast<std::uint16_t>(count),
                                       static_cast<std::uint16_t>(i), text.substr(20 * i, 20)));
    return last;
}

TEST(TaskRunner, TheControllerCompilesWhatItReceivesAndReportsItsTasksInTheStatusPoll) {
    ControllerSim sim;
    std::int64_t now = 1000;
    sim.setClock([&now] { return now; });
    sim.setCompiling(true);

    // Refused: the result values, and the file it held stays.
    const std::string bad = programs({{100, {"\tOUT\tOUT1 ON", "\tGOTO\tL007 "}}});
    Bytes reply = sendProgram(sim, bad);
    EXPECT_EQ(u16(reply, 32), 0);
    EXPECT_EQ(u16(reply, 34), 7);
    EXPECT_EQ(u16(reply, 36) - u16(reply, 40) - 1, 1);
    EXPECT_EQ(u16(reply, 38), 100);
    EXPECT_EQ(sim.programFile(), "");

    const std::string good = programs({{100, {"\tON\t#003 ", "L001\tOUT\tOUT1 ON", "\tWAIT\tT1", "\tGOTO\tL001 "}},
                                       {3, {"\tIN\tIN9 ON"}}});
    reply = sendProgram(sim, good);
    EXPECT_NE(u16(reply, 32), 0);
    EXPECT_EQ(sim.programFile(), good);

    sim.handle(poll(1, 2));
    reply = sim.handle(poll(2, 2, 0xD7));
    EXPECT_EQ(reply[192], 100);
    EXPECT_EQ(reply[200], 2) << "task 0 waits at WAIT T1";
    EXPECT_EQ(reply[193], 3);
    EXPECT_EQ(reply[201], 0);
    EXPECT_EQ(u16(reply, 16), static_cast<std::uint16_t>(~0x0001)) << "OUT1 read back on";
    reply = sim.handle(poll(3, 2, 0xD8));
    EXPECT_EQ(std::vector<std::uint8_t>(reply.begin() + 192, reply.begin() + 208), std::vector<std::uint8_t>(16, 0));
}

}  // namespace
