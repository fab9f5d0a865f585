// The simulated machine's I/O: the wiring of inputs to outputs, outputs the
// PC and the programs share, the host inputs acting on the run, the driver
// outputs that excite or free the motors, the network drivers, and the
// program runner's place in the machine.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MachineTestSupport.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

const std::array<std::uint8_t, 4> kNoDriverOutputs{};

TEST(MachineIo, WiredInputsFollowTheirOutputsAndOthersStayAsSet) {
    MachineRig rig;
    Machine& m = rig.build();
    m.setGeneralInput(9, true);
    m.takePcOutputs(0x0005, kNoDriverOutputs, 0);
    EXPECT_EQ(m.generalInputs(), 0x0100) << "nothing wired yet";

    m.wireOutputsToInputs();
    EXPECT_EQ(m.generalInputs(), 0x0005) << "wiring takes the outputs as they are";
    m.setGeneralInput(12, true);  // set by hand: stays until OUT12 changes
    m.outputsReported();
    m.takePcOutputs(0x0004, kNoDriverOutputs, 0);
    EXPECT_EQ(m.generalInputs(), 0x0804);
    m.outputsReported();
    m.takePcOutputs(0x0804, kNoDriverOutputs, 0);
    m.outputsReported();
    m.takePcOutputs(0x0004, kNoDriverOutputs, 0);
    EXPECT_EQ(m.generalInputs(), 0x0004);

    m.wireInput(3, 0);  // IN3 no longer follows OUT3
    m.outputsReported();
    m.takePcOutputs(0x0000, kNoDriverOutputs, 0);
    EXPECT_EQ(m.generalInputs(), 0x0004);
    m.wireInput(1, 16);
    m.setGeneralOutput(16, true);
    EXPECT_EQ(m.generalInputs() & 0x0001, 0x0001);
}

TEST(MachineIo, AnOutputSwitchedByTheControllerIsNotUndoneByThePcsOlderCopy) {
    MachineRig rig;
    Machine& m = rig.build();
    m.takePcOutputs(0x0010, kNoDriverOutputs, 0);  // the PC switches OUT5
    m.outputsReported();                            // and is told 0x0010
    m.setGeneralOutput(3, true);                    // a program switches OUT3 meanwhile
    m.takePcOutputs(0x0010, kNoDriverOutputs, 0);  // the PC's copy does not know OUT3 yet
    EXPECT_EQ(m.generalOutputs(), 0x0014);
    m.outputsReported();
    m.takePcOutputs(0x0004, kNoDriverOutputs, 0);  // the PC switches OUT5 off
    EXPECT_EQ(m.generalOutputs(), 0x0004);
}

TEST(MachineIo, HostInputsActOnTheRunAndTheMotion) {
    MachineRig rig;
    Machine& m = rig.build();
    m.setFirstProgram(12);
    m.setHostInput(Machine::kPrgStart, true);
    EXPECT_FALSE(m.running()) << "only in automatic run";
    m.setHostInput(Machine::kPrgStart, false);
    m.setMode(2);
    m.setHostInput(Machine::kPrgStart, true);
    EXPECT_EQ(m.status().runFlags[0], 12);
    m.setHostInput(Machine::kPrgStart, true);  // held: no second start
    m.setHostInput(Machine::kPrgStop, true);
    EXPECT_FALSE(m.running());

    // EXT-STOP: moving axes ramp down, nothing starts while it is on.
    m.setHostInput(Machine::kPrgStart, false);
    m.setHostInput(Machine::kPrgStop, false);
    m.setHostInput(Machine::kPrgStart, true);
    ASSERT_TRUE(m.running());
    ASSERT_EQ(m.jog(0, 1, {1000, 100}), MoveResult::Started);
    rig.run(500);
    m.setHostInput(Machine::kExtStop, true);
    EXPECT_FALSE(m.running());
    rig.settle();
    EXPECT_GT(rig.position(0), 0);
    EXPECT_EQ(m.moveAxis(0, MoveTarget::by(10), {1000, 0}), MoveResult::Refused);
    EXPECT_FALSE(m.startRun());
    m.setHostInput(Machine::kExtStop, false);
    EXPECT_EQ(m.moveAxis(0, MoveTarget::by(10), {1000, 0}), MoveResult::Started);

    // ALM-RST resets the alarm as the PC's reset does.
    m.raiseAlarm(33);
    m.setHostInput(Machine::kAlmRst, true);
    EXPECT_EQ(m.alarmCode(), 0);
}

// Driver output bit 0 releases the motor (AWO) or energises it (C-ON, S-ON) by
// the model; FREE always releases it.
struct ExcitationCase {
    const char* name;
    std::uint8_t model;
    std::uint8_t outputs;
    bool moves;
};

TEST(MachineIo, DriverOutputsExciteOrFreeTheMotor) {
    const ExcitationCase cases[] = {
        {"not connected, nothing on", 0, 0x00, true},
        {"AWO on", 2, 0x01, false},
        {"FREE on", 1, 0x04, false},
        {"S-ON model without S-ON", 5, 0x00, false},
        {"S-ON model with S-ON", 5, 0x01, true},
        {"C-ON model with C-ON and FREE", 4, 0x05, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MachineRig rig;
        PulseAxisRecord(rig.image, 0).setModel(c.model);
        Machine& m = rig.build();
        std::array<std::uint8_t, 4> driver{};
        driver[0] = c.outputs;
        m.takePcOutputs(0, driver, 0);
        EXPECT_EQ(m.moveAxis(0, MoveTarget::to(100), {1000, 0}), c.moves ? MoveResult::Started : MoveResult::Refused);
        EXPECT_EQ((rig.driverBits(0) & kReadyBit) != 0, c.moves);
    }
}

TEST(MachineIo, FreeingAMovingMotorStopsItAndLosesItsHome) {
    MachineRig rig;
    Machine& m = rig.build();
    ASSERT_EQ(m.homeReturn(0), MoveResult::Started);
    rig.settle();
    ASSERT_NE(rig.driverBits(0) & kHomeEndBit, 0);
    ASSERT_EQ(m.moveAxis(0, MoveTarget::to(2000), {1000, 0}), MoveResult::Started);
    rig.run(100);
    std::array<std::uint8_t, 4> driver{};
    driver[0] = Machine::kFreeOutput;
    m.takePcOutputs(0, driver, 0);
    EXPECT_FALSE(m.axisBusy(0));
    EXPECT_EQ(rig.driverBits(0) & (kReadyBit | kHomeEndBit), 0);
    m.takePcOutputs(0, kNoDriverOutputs, 0);
    EXPECT_NE(rig.driverBits(0) & kReadyBit, 0);

    // A driver alarm takes READY away until the ALM-RST output resets it.
    m.setDriverAlarm(0, true);
    EXPECT_EQ(rig.driverBits(0) & kReadyBit, 0);
    EXPECT_EQ(m.moveAxis(0, MoveTarget::to(0), {1000, 0}), MoveResult::Refused);
    driver[0] = Machine::kAlarmResetOutput;
    m.takePcOutputs(0, driver, 0);
    EXPECT_EQ(rig.driverBits(0) & 0x03, kReadyBit);
}

TEST(MachineNetwork, DriversMoveInStepsAndReportRevolutionsPerMinute) {
    MachineRig rig;
    NetworkDriverRecord(rig.image, 2).point(4).setMode(0);  // point 5 of driver 3: 700 steps on from where it is
    NetworkDriverRecord(rig.image, 2).point(4).setPosition(700);
    Machine& m = rig.build();
    const int axis = Machine::kPulseAxes + 2;
    ASSERT_EQ(m.moveAxis(axis, MoveTarget::to(-300), {3000, 0}), MoveResult::Started);
    rig.run(50);
    EXPECT_EQ(m.axisValues(axis).commandPosition, -150);
    EXPECT_EQ(m.axisValues(axis).commandSpeed, -180) << "3000 Hz at 1000 steps per revolution";
    EXPECT_NE(m.status().networkDrivers[2].status & NetworkDriverSim::kMoving, 0u);
    rig.settle();
    ASSERT_EQ(m.testRun(axis, 5, {1000, 0}), MoveResult::Started);
    rig.settle();
    EXPECT_EQ(m.axisValues(axis).commandPosition, 400);

    // FREE on NET-IN releases the motor; an alarm code stops it until reset.
    m.takeNetworkInputs(2, NetworkDriverSim::kFree);
    EXPECT_EQ(m.status().networkDrivers[2].status & NetworkDriverSim::kReady, 0u);
    EXPECT_EQ(m.jog(axis, 1, {1000, 0}), MoveResult::Refused);
    m.takeNetworkInputs(2, 0);
    m.setNetworkAlarm(2, 0x30);
    EXPECT_EQ(m.status().networkDrivers[2].status & (NetworkDriverSim::kReady | NetworkDriverSim::kAlarm),
              NetworkDriverSim::kAlarm);
    EXPECT_EQ(m.homeReturn(axis), MoveResult::Refused);
    m.setNetworkAlarm(2, 0);
    ASSERT_EQ(m.homeReturn(axis), MoveResult::Started);
    rig.settle();
    EXPECT_EQ(m.axisValues(axis).commandPosition, 0);
    EXPECT_NE(m.status().networkDrivers[2].status & NetworkDriverSim::kHomeEnd, 0u);
}

// A program runner sees the run start and stop and the time pass.
class RecordingRunner : public ProgramRunner {
public:
    explicit RecordingRunner(std::vector<std::string>& log) : log_(log) {}
    void start(Machine& machine) override {
        log_.push_back("start");
        machine.setTask(2, 7, 1);
        machine.moveAxis(0, MoveTarget::by(100), {1000, 0});
    }
    void stop(Machine&) override { log_.push_back("stop"); }
    void advance(Machine& machine, std::int64_t) override {
        if (!machine.running() || machine.axisBusy(0)) return;
        machine.setGeneralOutput(1, true);
        machine.setTask(2, 0, 0);
        log_.push_back("done");
    }

private:
    std::vector<std::string>& log_;
};

TEST(MachineRunner, ARunnerStartsMovesAndEndsThroughTheMachine) {
    MachineRig rig;
    Machine& m = rig.build();
    std::vector<std::string> log;
    m.setProgramRunner(std::make_unique<RecordingRunner>(log));
    m.wireOutputsToInputs();
    m.setMode(2);
    ASSERT_TRUE(m.startRun());
    EXPECT_EQ(m.status().runFlags[2], 7);
    rig.settle();
    EXPECT_EQ(rig.position(0), 100);
    EXPECT_EQ(m.generalInputs() & 1, 1) << "OUT1 reached IN1";
    EXPECT_FALSE(m.running());
    m.startRun();
    m.raiseAlarm(21);
    EXPECT_EQ(log, (std::vector<std::string>{"start", "done", "start", "stop"}));
}

}  // namespace
