// The status poll (request 0xAA): what the PC sends reaches the controller,
// and the 212-byte reply carries the controller's state with the active-low
// words inverted on the wire.

#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "sim/ControllerMemory.h"
#include "sim/ControllerSim.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

// A status poll as the PC builds it from its plain output values.
struct Poll {
    std::uint8_t run = 0;
    std::uint16_t generalOutputs = 0;
    std::array<std::uint8_t, 4> driverOutputs{};
    std::uint16_t hostOutputs = 0;
    std::uint16_t alarmReset = 0;
    std::uint16_t networkAlarmReset = 0;
    std::array<std::uint16_t, 4> networkOutputs{};
    std::uint16_t mode = 0;
    std::uint16_t group = 0;
    std::array<std::uint32_t, 3> registerRequest{};

    Bytes frame(std::uint8_t seq) const {
        Request r(0xAA, seq, 52);
        r.u8(5, run).u16(6, static_cast<std::uint16_t>(~generalOutputs));
        for (std::size_t i = 0; i < 4; ++i) r.u8(8 + i, static_cast<std::uint8_t>(~driverOutputs[i]));
        r.u16(12, static_cast<std::uint16_t>(~(hostOutputs | 0x00F0))).u16(14, alarmReset).u16(16, networkAlarmReset);
        for (std::size_t i = 0; i < 4; ++i) r.u16(18 + 2 * i, networkOutputs[i]);
        r.u16(32, mode).u16(34, group);
        for (std::size_t i = 0; i < 3; ++i) r.u32(36 + 4 * i, registerRequest[i]);
        return r;
    }
};

TEST(StatusPoll, InputsGoOutInvertedAndValuesInPlace) {
    ControllerSim sim;
    SimStatus st = sim.status();
    st.generalInputs = 0x8001;
    st.driverInputs = {0x01, 0x03, 0x00, 0x11};
    st.hostInputs = 0x0005;
    st.sensorInputs = 0x12F0;
    st.pulseAxes[2] = {100, 101, -5, -6};
    st.networkDrivers[13].values = {7, 8, 9, 10};
    st.networkDrivers[13].status = 0xA0;
    st.networkDrivers[13].alarmCode = 0x0123;
    st.stepValues[3] = 42;
    sim.setStatus(st);
    sim.raiseAlarm(96);

    Poll poll;
    poll.group = 3;
    Bytes reply = sim.handle(poll.frame(77));
    expectReply(reply, 212, 77, 0xAA);
    EXPECT_EQ(reply[5], 96);
    EXPECT_EQ(u16(reply, 6), 0x7FFE);
    EXPECT_EQ(reply[8], 0xFE);
    EXPECT_EQ(reply[9], 0xFC);
    EXPECT_EQ(reply[10], 0xFF);
    EXPECT_EQ(reply[11], 0xEE);
    EXPECT_EQ(u16(reply, 12), 0xFFFA);
    EXPECT_EQ(reply[14], 0xED) << "sensor word big-endian: high byte first";
    EXPECT_EQ(reply[15], 0x0F);
    EXPECT_EQ(s32(reply, 32 + 8), 100);
    EXPECT_EQ(s32(reply, 48 + 8), 101);
    EXPECT_EQ(s32(reply, 64 + 8), -5);
    EXPECT_EQ(s32(reply, 80 + 8), -6);
    // Driver 14 is the second of group 3 (drivers 13..16).
    EXPECT_EQ(s32(reply, 96 + 4), 7);
    EXPECT_EQ(s32(reply, 112 + 4), 8);
    EXPECT_EQ(s32(reply, 128 + 4), 9);
    EXPECT_EQ(s32(reply, 144 + 4), 10);
    EXPECT_EQ(u32(reply, 160 + 4), 0xA0u);
    EXPECT_EQ(u16(reply, 176 + 2), 0x0123);
    EXPECT_EQ(reply[203], 42);
    EXPECT_EQ(u16(reply, 208), 0);
}

TEST(StatusPoll, OutputsAreTakenAndReadBack) {
    ControllerSim sim;
    Poll poll;
    poll.generalOutputs = 0x0101;
    poll.driverOutputs = {0x01, 0x00, 0x04, 0x1F};
    poll.hostOutputs = 0x0003;
    poll.networkOutputs = {0x0001, 0x0080, 0x0040, 0x8000};
    poll.group = 1;
    Bytes reply = sim.handle(poll.frame(1));
    SimOutputs out = sim.outputs();
    EXPECT_EQ(out.generalOutputs, 0x0101);
    EXPECT_EQ(out.driverOutputs, poll.driverOutputs);
    EXPECT_EQ(out.hostOutputs & 0x000F, 0x0003);
    EXPECT_EQ(out.networkOutputs[5], 0x0080);
    EXPECT_EQ(out.networkOutputs[7], 0x8000);
    EXPECT_EQ(out.networkOutputs[0], 0) << "only the selected group's words arrive";

    EXPECT_EQ(static_cast<std::uint16_t>(~u16(reply, 16)), 0x0101);
    EXPECT_EQ(static_cast<std::uint8_t>(~reply[20]), 0x04);
    EXPECT_EQ(static_cast<std::uint16_t>(~u16(reply, 22)), 0x0003) << "bits 4..7 are not reported back";
    EXPECT_EQ(u16(reply, 184 + 2), 0x0080) << "driver 6 reports the word it got";
}

TEST(StatusPoll, RequestedModeSwitchesAndStartRunsOnlyInAutoMode) {
    ControllerSim sim;
    Poll poll;
    poll.run = 0xD7;
    Bytes reply = sim.handle(poll.frame(1));
    EXPECT_FALSE(sim.running()) << "no start in edit-test mode";
    EXPECT_EQ(sim.outputs().lastRunRequest, 0xD7);

    sim.setProgramFile("\tPROG\t#007\r\n\tEND\t\t\r\n");
    poll.mode = 2;
    reply = sim.handle(poll.frame(2));
    EXPECT_EQ(sim.modeWord(), 2);
    EXPECT_EQ(u16(reply, 208), 2);
    EXPECT_TRUE(sim.running());
    EXPECT_EQ(reply[192], 7) << "task 1 runs the first program";
    EXPECT_EQ(static_cast<std::uint16_t>(~u16(reply, 22)) & 0x7, 0x2) << "PRG-RUN in the host outputs";

    poll.run = 0xD8;
    reply = sim.handle(poll.frame(3));
    EXPECT_FALSE(sim.running());
    EXPECT_EQ(reply[192], 0);

    poll.run = 0;
    poll.mode = 5;  // not a mode: ignored
    sim.handle(poll.frame(4));
    EXPECT_EQ(sim.modeWord(), 2);
}

TEST(StatusPoll, ModeTakenByTheControllerStaysUntilThePcAsksForAnother) {
    ControllerSim sim;
    sim.handle(identify(1));
    Poll poll;  // the PC requests the mode the identify reported: 0
    sim.handle(poll.frame(2));
    sim.setModeWord(1);  // switched at the controller
    Bytes reply = sim.handle(poll.frame(3));
    EXPECT_EQ(u16(reply, 208), 1);
    poll.mode = 2;
    reply = sim.handle(poll.frame(4));
    EXPECT_EQ(u16(reply, 208), 2);
    EXPECT_EQ(sim.modeWord(), 2);
}

TEST(StatusPoll, AlarmResetsClearTheAlarms) {
    ControllerSim sim;
    SimStatus st = sim.status();
    st.driverInputs[2] |= 0x02;
    st.networkDrivers[9].status |= 0x80;
    st.networkDrivers[9].alarmCode = 0x30;
    sim.setStatus(st);
    sim.raiseAlarm(23);

    Poll poll;
    sim.handle(poll.frame(1));
    EXPECT_EQ(sim.alarmCode(), 23) << "nothing asked yet";

    poll.alarmReset = 1;
    poll.networkAlarmReset = 1u << 9;
    Bytes reply = sim.handle(poll.frame(2));
    EXPECT_EQ(reply[5], 0);
    EXPECT_EQ(sim.alarmCode(), 0);
    EXPECT_EQ(sim.status().driverInputs[2] & 0x02, 0);
    EXPECT_EQ(sim.status().networkDrivers[9].status & 0x80, 0u);
    EXPECT_EQ(sim.status().networkDrivers[9].alarmCode, 0);
    EXPECT_EQ(sim.outputs().alarmResets, 1);
    EXPECT_EQ(sim.alarmHistory()[0], 23) << "the record keeps the alarm";
}

TEST(StatusPoll, NetworkRegisterRequestIsAnsweredInTheLiveValues) {
    ControllerSim sim;
    Poll poll;
    // Write two registers of driver 3: slave 3, function 16, address 0x0180, count 2, data -123456.
    poll.registerRequest = {0x00001003, 0x00020180, static_cast<std::uint32_t>(-123456)};
    sim.handle(poll.frame(1));
    // Read them back: function 3.
    poll.registerRequest = {0x00000303, 0x00020180, 0};
    sim.handle(poll.frame(2));

    const std::uint32_t base = ControllerMemory::kLiveValues;
    Bytes reply = sim.handle(readValue(3, base, 1));
    EXPECT_EQ(reply[40], 3);
    reply = sim.handle(readValue(4, base + 1, 1));
    EXPECT_EQ(reply[40], 3);
    reply = sim.handle(readValue(5, base + 4, 2));
    EXPECT_EQ(be(reply, 40, 2), 0x0180u);
    reply = sim.handle(readValue(6, base + 6, 2));
    EXPECT_EQ(be(reply, 40, 2), 2u);
    reply = sim.handle(readValue(7, base + 8, 4));
    EXPECT_EQ(static_cast<std::int32_t>(be(reply, 40, 4)), -123456);
    EXPECT_EQ(sim.outputs().lastRegisterRequest[0], 0x00000303u);
}

}  // namespace
