// The simulated machine in time: JOG, home return, the limits that stop an
// axis with their alarms, and the alarm reset that looks at their causes.

#include <gtest/gtest.h>

#include <string>

#include "MachineTestSupport.h"
#include "SimTestSupport.h"
#include "sim/ControllerSim.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

Bytes jogRequest(std::uint8_t seq, std::uint8_t op, std::uint8_t axis, std::int32_t speed, std::int32_t accel) {
    return Request(0x0B, seq, 60).u8(32, op).u8(33, axis).u32(40, static_cast<std::uint32_t>(speed)).u32(44, static_cast<std::uint32_t>(accel));
}

TEST(MachineJog, HeldOneSecondAtAThousandHertzMovesAThousandStepsLessTheRamp) {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord(image, 0).setPositionUnit(2);  // step axis, start speed 500 Hz
    ControllerSim sim(image);
    std::int64_t now = 5000;
    sim.setClock([&] { return now; });
    sim.setMotionModel(MotionModel::Timed);

    // Held for 1 s: the link repeats the request every pass (here every 20 ms).
    std::uint8_t seq = 1;
    Bytes reply;
    for (int t = 0; t <= 1000; t += 20, now += 20) reply = sim.handle(jogRequest(seq++, 1, 0, 1000, 20));
    now -= 20;
    // 0.20 s from 500 Hz to 1000 Hz loses (1000 - 500) x 0.2 / 2 = 50 steps.
    const std::int32_t moved = s32(reply, 36);
    EXPECT_LE(moved, 1000);
    EXPECT_GE(moved, 1000 - 50 - 1);
    EXPECT_EQ(s32(reply, 40), 1000) << "at speed";
    EXPECT_EQ(sim.status().driverInputs[0] & kInPositionBit, 0);

    // Released: the PC polls again and the axis ramps down to a stop.
    const Bytes poll = Request(0xAA, seq++, 52).u16(6, 0xFFFF).u32(8, 0xFFFFFFFF).u16(12, 0xFFFF);
    sim.handle(poll);
    now += 300;
    sim.handle(Request(0xAA, seq++, 52).u16(6, 0xFFFF).u32(8, 0xFFFFFFFF).u16(12, 0xFFFF));
    const SimStatus st = sim.status();
    EXPECT_EQ(st.pulseAxes[0].commandSpeed, 0);
    EXPECT_NEAR(st.pulseAxes[0].commandPosition, moved + 150, 2) << "0.2 s down from 1000 Hz to 500 Hz";
    EXPECT_NE(st.driverInputs[0] & kInPositionBit, 0);
}

TEST(MachineJog, AJogNobodyRepeatsStopsAndTheOtherWayStopsFirst) {
    MachineRig rig;
    Machine& m = rig.build();
    ASSERT_EQ(m.jog(0, 1, {1000, 0}), MoveResult::Started);
    rig.run(100);
    EXPECT_EQ(rig.position(0), 100);
    rig.run(400);  // no request for 200 ms: the JOG ends
    EXPECT_FALSE(m.axisBusy(0));
    EXPECT_EQ(rig.position(0), 200);

    ASSERT_EQ(m.jog(0, 1, {1000, 100}), MoveResult::Started);  // 1 s ramp from standstill
    rig.run(100);
    EXPECT_EQ(m.jog(0, -1, {1000, 100}), MoveResult::Refused) << "stops first";
    rig.settle();
    EXPECT_GT(rig.position(0), 200);
    EXPECT_EQ(m.jog(0, -1, {1000, 100}), MoveResult::Started);
}

struct HomeCase {
    const char* name;
    std::uint8_t method;
    std::uint8_t direction;
    std::int32_t start;  // physical position before the home return
    std::int32_t offset;
    double homeAt;  // physical position of the home found
};

TEST(MachineHome, HomeReturnEndsAtTheOffsetWithHomeEnd) {
    // The dog lies between -1000 and -900, the limit switches at -2500 and 2500.
    const HomeCase cases[] = {
        {"dog met from above", 0, 0, 2000, 0, -900},
        {"dog met from above, with offset", 0, 0, 2000, 250, -900},
        {"dog behind: turn at the limit switch", 0, 0, -2000, -40, -1000},
        {"clockwise from below", 0, 1, -2000, 0, -1000},
        {"starting on the dog", 0, 0, -950, 0, -900},
        {"two sensors: back off the limit switch", 1, 0, 0, 30, -2500 + 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MachineRig rig;
        Machine& m = rig.build();
        m.placeLimits(0, -2500, 2500);
        ASSERT_EQ(m.moveAxis(0, MoveTarget::to(c.start), {5000, 0}), MoveResult::Started);
        rig.settle();
        HomeRequest home;
        home.speed = 2000;
        home.accelTime = 10;
        home.startSpeed = 200;
        home.offset = c.offset;
        home.method = c.method;
        home.direction = c.direction;
        ASSERT_EQ(m.homeReturn(0, home), MoveResult::Started);
        EXPECT_EQ(rig.driverBits(0) & kHomeEndBit, 0) << "cleared while seeking";
        rig.settle();
        EXPECT_EQ(m.alarmCode(), 0);
        EXPECT_EQ(rig.position(0), c.offset);
        EXPECT_NE(rig.driverBits(0) & kHomeEndBit, 0);
        EXPECT_NEAR(m.physicalPosition(0), c.homeAt + c.offset, 1e-6);
    }
}

TEST(MachineHome, NoDogBetweenTheLimitSwitchesIsHomeNotFound) {
    MachineRig rig;
    Machine& m = rig.build();
    m.placeLimits(0, -2500, 2500);
    m.placeHomeDog(0, 4000, 4100);  // beyond +LS
    ASSERT_EQ(m.homeReturn(0), MoveResult::Started);
    rig.settle();
    EXPECT_EQ(m.alarmCode(), 27);
    EXPECT_EQ(rig.driverBits(0) & kHomeEndBit, 0);
    EXPECT_FALSE(m.axisBusy(0));

    // Without the dog at all the search cannot start.
    m.clearAlarm();
    m.placeHomeDog(0, std::nullopt, std::nullopt);
    EXPECT_EQ(m.homeReturn(0), MoveResult::Alarm);
    EXPECT_EQ(m.alarmCode(), 27);
}

// What stops a move, and where.
struct LimitCase {
    const char* name;
    void (*arrange)(MachineRig&);
    MoveResult (*act)(Machine&);
    MoveResult started;
    std::uint8_t alarm;
    std::int32_t stopsAt;
};

void none(MachineRig&) {}
void pointsAndArea(MachineRig& rig) {
    rig.image.writePosition(0, 1000, 5000);  // P1001: outside the movable range
    rig.image.writePosition(0, 1001, 2000);  // P1002
    rig.image.writePosition(0, layout::kProhibitedMaxIndex, 1500);  // area 1 of axis 1: 1000 .. 1500
    rig.image.writePosition(0, layout::kProhibitedMinIndex, 1000);
}
void areaOnTwoAxes(MachineRig& rig) {
    pointsAndArea(rig);
    rig.image.writePosition(1, layout::kProhibitedMaxIndex, 500);  // area 1 of axis 2: 200 .. 500
    rig.image.writePosition(1, layout::kProhibitedMinIndex, 200);
}

TEST(MachineLimits, MovesStopAtTheirLimitsWithTheirAlarms) {
    const LimitCase cases[] = {
        {"JOG out of the movable range", none, [](Machine& m) { return m.jog(0, 1, {40000, 0}); }, MoveResult::Started, 24, 3000},
        {"JOG out below", none, [](Machine& m) { return m.jog(0, -1, {40000, 0}); }, MoveResult::Started, 24, -3000},
        {"JOG onto a limit switch inside the range",
         [](MachineRig& rig) { rig.build().placeLimits(0, -2000, 2000); },
         [](Machine& m) { return m.jog(0, 1, {40000, 0}); }, MoveResult::Started, 23, 2000},
        {"test run to a point outside the range", pointsAndArea, [](Machine& m) { return m.testRun(0, 1001, {1000, 0}); },
         MoveResult::Alarm, 33, 0},
        {"test run to a point not set", none, [](Machine& m) { return m.testRun(0, 1003, {1000, 0}); }, MoveResult::Alarm, 33, 0},
        {"inching beyond the range", none, [](Machine& m) { return m.moveAxis(0, MoveTarget::by(3001), {1000, 0}); },
         MoveResult::Alarm, 33, 0},
        {"test run into a prohibited area", pointsAndArea, [](Machine& m) { return m.testRun(0, 1002, {1000, 50}); },
         MoveResult::Started, 25, 1000},
        {"area on two axes, the other one outside its part", areaOnTwoAxes,
         [](Machine& m) { return m.testRun(0, 1002, {1000, 0}); }, MoveResult::Started, 0, 2000},
        {"area on two axes, both inside",
         [](MachineRig& rig) {
             areaOnTwoAxes(rig);
             rig.build().moveAxis(1, MoveTarget::to(300), {1000, 0});
             rig.settle();
         },
         [](Machine& m) { return m.testRun(0, 1002, {1000, 0}); }, MoveResult::Started, 25, 1000},
        {"speed over the axis maximum", none, [](Machine& m) { return m.jog(0, 1, {50001, 0}); }, MoveResult::Alarm, 34, 0},
        {"the axis maximum itself", none, [](Machine& m) { return m.moveAxis(0, MoveTarget::to(2500), {50000, 0}); },
         MoveResult::Started, 0, 2500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MachineRig rig;
        c.arrange(rig);
        if (!rig.machine) rig.build();
        Machine& m = *rig.machine;
        EXPECT_EQ(c.act(m), c.started);
        rig.settle();
        EXPECT_EQ(m.alarmCode(), c.alarm);
        EXPECT_EQ(rig.position(0), c.stopsAt);
        EXPECT_FALSE(m.axisBusy(0));
    }
}

// Alarm reset: an alarm whose cause is gone clears; one whose cause remains stays.
struct ResetCase {
    const char* name;
    void (*arrange)(MachineRig&);  // ends with the alarm raised
    std::uint8_t alarm;
    bool remains;
};

TEST(MachineAlarmReset, ClearsWhereTheCauseIsGoneAndKeepsItWhereItRemains) {
    const ResetCase cases[] = {
        {"stopped on a limit switch", [](MachineRig& rig) {
             rig.machine->placeLimits(0, -2000, 2000);
             rig.machine->jog(0, 1, {40000, 0});
             rig.settle();
         }, 23, true},
        {"stopped at the end of the movable range", [](MachineRig& rig) {
             rig.machine->jog(0, 1, {40000, 0});
             rig.settle();
         }, 24, false},
        {"stopped inside a prohibited area", [](MachineRig& rig) {
             rig.image.writePosition(0, layout::kProhibitedMaxIndex, 1500);
             rig.image.writePosition(0, layout::kProhibitedMinIndex, 1000);
             rig.build().jog(0, 1, {40000, 0});
             rig.settle();
         }, 25, true},
        {"a point not set", [](MachineRig& rig) { rig.machine->testRun(0, 1500, {100, 0}); }, 33, false},
        {"raised from outside", [](MachineRig& rig) { rig.machine->raiseAlarm(96); }, 96, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MachineRig rig;
        rig.build();
        c.arrange(rig);
        Machine& m = *rig.machine;
        ASSERT_EQ(m.alarmCode(), c.alarm);
        m.resetAlarm();
        EXPECT_EQ(m.alarmCode(), c.remains ? c.alarm : 0);
        if (!c.remains) continue;
        // Not further in while the alarm stands; back out, and the reset clears it.
        const std::int32_t at = rig.position(0);
        EXPECT_EQ(m.jog(0, 1, {1000, 0}), MoveResult::Refused);
        EXPECT_EQ(m.homeReturn(0), MoveResult::Refused);
        ASSERT_EQ(m.moveAxis(0, MoveTarget::by(-10), {1000, 0}), MoveResult::Started);
        rig.settle();
        EXPECT_EQ(rig.position(0), at - 10);
        m.resetAlarm();
        EXPECT_EQ(m.alarmCode(), 0);
        EXPECT_EQ(m.alarmHistory()[0], c.alarm);
    }
}

TEST(MachineAlarm, AnAlarmStopsEveryAxisAndTheRun) {
    MachineRig rig;
    Machine& m = rig.build();
    m.setMode(2);
    ASSERT_TRUE(m.startRun());
    m.jog(1, -1, {1000, 0});
    m.moveAxis(4, MoveTarget::to(100000), {1000, 0});
    rig.run(50);
    m.raiseAlarm(5);
    EXPECT_FALSE(m.axisBusy(1));
    EXPECT_FALSE(m.axisBusy(4));
    EXPECT_FALSE(m.running());
    EXPECT_FALSE(m.startRun()) << "no start while alarmed";
    rig.run(100);
    EXPECT_EQ(rig.position(1), -50);
}

}  // namespace
