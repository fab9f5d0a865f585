// The simulated controller against hand-built request frames: every request
// code's reply layout (length, sequence echo, check code, fields) and what each
// request does to the controller's state.

#include <gtest/gtest.h>

#include <string>

#include "SimTestSupport.h"
#include "data/DefaultImage.h"
#include "sim/ControllerSim.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

TEST(ControllerSimIdentify, AnswersMainNameAndModeWord) {
    ControllerSim sim;
    sim.setModeWord(2);
    Bytes reply = sim.handle(identify(0x41));
    expectReply(reply, 88, 0x41, 0x00);
    EXPECT_EQ(std::string(reply.begin() + 32, reply.begin() + 36), "MAIN");
    EXPECT_EQ(reply[47], 0) << "the name ends by byte 47";
    EXPECT_EQ(reply[63], 0) << "the second text ends by byte 63";
    EXPECT_EQ(u16(reply, 82), 2);
}

TEST(ControllerSimFrames, UntrustworthyFramesGetNoAnswer) {
    ControllerSim sim;
    Bytes good = identify(1);

    Bytes badCrc = good;
    badCrc[35] ^= 0x01;
    EXPECT_TRUE(sim.handle(badCrc).empty());

    Bytes badStart = Request(0x00, 1, 36);
    badStart[0] = 0x03;
    EXPECT_TRUE(sim.handle(badStart).empty());

    Bytes cut(good.begin(), good.begin() + 30);
    EXPECT_TRUE(sim.handle(cut).empty());
    EXPECT_EQ(sim.badFrameCount(), 3);

    // Well-formed frames the controller does not know: an unknown code, and a
    // known code with a length that is not its own.
    EXPECT_TRUE(sim.handle(Request(0x42, 1, 36)).empty());
    EXPECT_TRUE(sim.handle(Request(0x00, 1, 40)).empty());
    EXPECT_TRUE(sim.handle(Request(0x07, 1, 40)).empty());
    EXPECT_EQ(sim.requestCount(0x00), 1);

    EXPECT_FALSE(sim.handle(good).empty());
    EXPECT_EQ(sim.requestCount(0x00), 2);
    EXPECT_EQ(sim.lastRequest(0x00), good);
}

TEST(ControllerSimSettingsRead, PhaseRepliesHaveTheirSizesAndCarryTheWholeImage) {
    const SettingsImage image = randomImage(7);
    ControllerSim sim(image);

    expectReply(sim.handle(readSettings(10, 0)), 40, 10, 0x01);

    Bytes phase1 = sim.handle(readSettings(11, 1));
    ASSERT_EQ(phase1.size(), 65536u);
    EXPECT_EQ(phase1[0], 0x02);
    EXPECT_EQ(phase1[1], 11);
    Bytes phase2 = sim.handle(readSettings(12, 2));
    ASSERT_EQ(phase2.size(), 524320u);
    EXPECT_EQ(phase2[1], 12);

    // Decoded exactly as the PC decodes the read, the image comes back whole.
    const SettingsImage back = decodeSettingsRead(phase1, phase2);
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i) {
        ASSERT_EQ(back.bytes()[i], image.bytes()[i]) << "image offset " << i;
    }
    EXPECT_EQ(sim.settingsImage(), image);

    EXPECT_TRUE(sim.handle(readSettings(13, 3)).empty()) << "no phase 3";
}

TEST(ControllerSimSettingsRead, BigEndianRegionsLieMostSignificantByteFirst) {
    SettingsImage image = makeDefaultSettingsImage();
    TimerTable(image).setTimer(0, 0x1234);
    CounterTable(image).setCounter(7, 0x01020304);
    EthernetSettings(image).setPort(0xABCD);
    NetworkCommParams(image).setWaitTime(0x0A0B0C0D);
    NetworkDriverRecord(image, 1).setRatio1(0x5566);
    NetworkDriverRecord(image, 15).point(99).setDecelTime(-2);
    image.writePosition(3, 2000, -5);  // region A stays little-endian
    ControllerSim sim(image);

    EXPECT_EQ(sim.readMemory(52, 2), (Bytes{0x12, 0x34}));
    EXPECT_EQ(sim.readMemory(264 + 28, 4), (Bytes{0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(sim.readMemory(0xAA54, 2), (Bytes{0xAB, 0xCD}));
    EXPECT_EQ(sim.readMemory(0x50004, 4), (Bytes{0x0A, 0x0B, 0x0C, 0x0D}));
    EXPECT_EQ(sim.readMemory(0x50000 + 16 + 6416 + 2, 2), (Bytes{0x55, 0x66}));
    EXPECT_EQ(sim.readMemory(0x50000 + 16 + 6416 * 15 + 16 + 64 * 99 + 16, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFE}));
    const std::uint32_t pos = 0x20000 + 17216 * 3 + 21 + 7 * 2000 + 3;
    EXPECT_EQ(sim.readMemory(pos, 3), (Bytes{0xFB, 0xFF, 0xFF}));
}

TEST(ControllerSimValues, WriteStoresInTheControllersOrderAndReadReturnsMemoryBytes) {
    ControllerSim sim;
    Bytes reply = sim.handle(writeValue(5, 52 + 2 * 9, 2, 0x0123));
    expectReply(reply, 48, 5, 0x07);
    EXPECT_EQ(sim.readMemory(70, 2), (Bytes{0x01, 0x23}));
    EXPECT_EQ(ConstTimerTable(sim.settingsImage()).timer(9), 0x0123);

    reply = sim.handle(readValue(6, 70, 2));
    expectReply(reply, 48, 6, 0x09);
    EXPECT_EQ(u32(reply, 32), 70u);
    EXPECT_EQ(u16(reply, 36), 2);
    EXPECT_EQ(reply[40], 0x01);
    EXPECT_EQ(reply[41], 0x23);

    // A 24-bit position of region A stays little-endian, as in the image.
    const std::uint32_t pos = 0x20000 + 17216 * 1 + 21 + 7 * 1000 + 3;
    sim.handle(writeValue(7, pos, 3, static_cast<std::uint32_t>(-1000)));
    EXPECT_EQ(sim.settingsImage().readPosition(1, 1000), -1000);
    reply = sim.handle(readValue(8, pos, 3));
    EXPECT_EQ((Bytes{reply[40], reply[41], reply[42]}), (Bytes{0x18, 0xFC, 0xFF}));

    // The IP address value is formed most significant byte first from the image bytes.
    sim.handle(writeValue(9, 0xAA30, 4, 0xC0A80A01));
    const auto ip = ConstEthernetSettings(sim.settingsImage()).ipAddress();
    EXPECT_EQ(ip, (std::array<std::uint8_t, 4>{192, 168, 10, 1}));

    // A network point position (4 bytes, big-endian in the controller).
    const std::uint32_t netPos = 0x50000 + 6416 * 2 + 64 * 3 + 36;
    sim.handle(writeValue(10, netPos, 4, 123456));
    EXPECT_EQ(ConstNetworkDriverRecord(sim.settingsImage(), 2).point(3).position(), 123456);

    // Sensor logic byte of axis 2.
    sim.handle(writeValue(11, 0x70006, 1, 0x02));
    EXPECT_EQ(sim.settingsImage().u8(172566), 0x02);
}

TEST(ControllerSimValues, AddressOutsideMemoryIsAnsweredButStoresNothing) {
    ControllerSim sim;
    const SettingsImage before = sim.settingsImage();
    expectReply(sim.handle(writeValue(1, 0x90000, 4, 7)), 48, 1, 0x07);
    expectReply(sim.handle(writeValue(2, 0x7FFFE, 4, 7)), 48, 2, 0x07);
    expectReply(sim.handle(writeValue(3, 52, 5, 7)), 48, 3, 0x07);
    EXPECT_EQ(sim.settingsImage(), before);
    Bytes reply = sim.handle(readValue(4, 0x90000, 4));
    expectReply(reply, 48, 4, 0x09);
    EXPECT_EQ(u32(reply, 40), 0u);
}

TEST(ControllerSimAxisParameters, WriteLandsInTheRecordAndInPhaseOne) {
    ControllerSim sim;
    // Maximum rotation speed of axis 3: 2048 * 2 + 256 + 40 = 4392.
    Bytes reply = sim.handle(writeParameter(20, 4392, 2, 3000));
    expectReply(reply, 48, 20, 0x0D);
    EXPECT_EQ(ConstPulseAxisRecord(sim.settingsImage(), 2).maxRotationSpeed(), 3000);
    Bytes phase1 = sim.handle(readSettings(21, 1));
    EXPECT_EQ(u16(phase1, 288 + 256 * 2 + 40), 3000);

    // Outside the four records nothing is stored.
    const SettingsImage before = sim.settingsImage();
    expectReply(sim.handle(writeParameter(22, 100, 4, 0xFFFFFFFF)), 48, 22, 0x0D);
    expectReply(sim.handle(writeParameter(23, 256 + 254, 4, 0xFFFFFFFF)), 48, 23, 0x0D);
    EXPECT_EQ(sim.settingsImage(), before);
}

// Sends a program file in 20-byte pieces as the PC does; returns the final reply.
Bytes sendProgram(ControllerSim& sim, const std::string& text, std::uint8_t firstSeq) {
    const std::size_t count = (text.size() + 19) / 20;
    Bytes last;
    for (std::size_t i = 0; i < count; ++i) {
        Bytes reply = sim.handle(programPiece(static_cast<std::uint8_t>(firstSeq + i), static_cast<std::uint16_t>(count),
                                              static_cast<std::uint16_t>(i), text.substr(20 * i, 20)));
        if (i + 1 < count) {
            EXPECT_TRUE(reply.empty()) << "piece " << i << " is not answered";
        }
        last = reply;
    }
    return last;
}

TEST(ControllerSimProgram, CompileAcceptsAndKeepsTheFile) {
    ControllerSim sim;
    const std::string text = "\tPROG\t#001\r\n\tEND\t\t\r\n0123456789abcdefghijk";  // 41 bytes: three pieces
    ASSERT_EQ(text.size(), 41u);
    Bytes reply = sendProgram(sim, text, 30);
    expectReply(reply, 60, 32, 0x04);
    EXPECT_NE(u16(reply, 32), 0);
    EXPECT_EQ(sim.programFile(), text);
    EXPECT_EQ(sim.compileCount(), 1);

    // Read back: phase 0 announces the size, phase 1 brings it after a 32-byte head.
    reply = sim.handle(readProgram(40, 0));
    expectReply(reply, 40, 40, 0x05);
    EXPECT_EQ(u32(reply, 32), 41u);
    reply = sim.handle(readProgram(41, 1));
    ASSERT_EQ(reply.size(), 32u + 41u);
    EXPECT_EQ(reply[1], 41);
    EXPECT_EQ(std::string(reply.begin() + 32, reply.end()), text);
}

TEST(ControllerSimProgram, CompileErrorRecordIsReportedAndTheOldFileKept) {
    ControllerSim sim;
    sim.setProgramFile("old");
    sim.setCompileError(ControllerSim::CompileError{5, 12, 7, 3});
    Bytes reply = sendProgram(sim, std::string(40, 'x'), 1);  // exactly two pieces
    expectReply(reply, 60, 2, 0x04);
    EXPECT_EQ(u16(reply, 32), 0);
    EXPECT_EQ(u16(reply, 34), 5);
    EXPECT_EQ(u16(reply, 36), 12);
    EXPECT_EQ(u16(reply, 38), 7);
    EXPECT_EQ(u16(reply, 40), 3);
    EXPECT_EQ(sim.programFile(), "old");
}

TEST(ControllerSimProgram, FileWithAMissingPieceIsRefused) {
    ControllerSim sim;
    sim.setProgramFile("old");
    sim.handle(programPiece(1, 3, 0, std::string(20, 'a')));
    Bytes reply = sim.handle(programPiece(3, 3, 2, "c"));
    expectReply(reply, 60, 3, 0x04);
    EXPECT_EQ(u16(reply, 32), 0);
    EXPECT_EQ(u16(reply, 34), 8) << "code size error";
    EXPECT_EQ(sim.programFile(), "old");
}

TEST(ControllerSimProgram, ReadDeliversTheSizeItAnnounced) {
    ControllerSim sim;
    EXPECT_EQ(u32(sim.handle(readProgram(1, 0)), 32), 0u);
    sim.setProgramFile("changed between the phases");
    EXPECT_EQ(sim.handle(readProgram(2, 1)).size(), 32u) << "the empty file announced";
    EXPECT_TRUE(sim.handle(readProgram(3, 2)).empty()) << "no phase 2";
}

Bytes jog(std::uint8_t seq, std::uint8_t op, std::uint8_t axis, std::uint16_t point = 0, std::int32_t distance = 0,
          std::int32_t speed = 0) {
    return Request(0x0B, seq, 60)
        .u8(32, op)
        .u8(33, axis)
        .u16(34, point)
        .u32(36, static_cast<std::uint32_t>(distance))
        .u32(40, static_cast<std::uint32_t>(speed));
}

TEST(ControllerSimJog, MotionRequestsMoveTheCommandPosition) {
    SettingsImage image = makeDefaultSettingsImage();
    image.writePosition(1, 1004, 7777);              // point P1005 of axis 2
    image.writePosition(1, 1005, NOT_SET_POSITION);  // point P1006 holds nothing
    NetworkDriverRecord(image, 0).point(2).setMode(1);
    NetworkDriverRecord(image, 0).point(2).setPosition(-4321);
    ControllerSim sim(image);

    Bytes reply = sim.handle(jog(1, 1, 1, 0, 0, 200));  // ">" at 200 Hz: one tick moves 10
    expectReply(reply, 48, 1, 0x0B);
    EXPECT_EQ(s32(reply, 36), 10);
    EXPECT_EQ(s32(reply, 40), 200);
    reply = sim.handle(jog(2, 2, 1, 0, 0, 100));
    EXPECT_EQ(s32(reply, 36), 5);
    EXPECT_EQ(s32(reply, 40), -100);
    reply = sim.handle(jog(3, 4, 1, 0, 500, 10));  // inching "<|"
    EXPECT_EQ(s32(reply, 36), -495);
    EXPECT_EQ(sim.status().pulseAxes[1].commandPosition, -495);
    EXPECT_EQ(sim.status().pulseAxes[1].detectedPosition, -495);

    reply = sim.handle(jog(4, 6, 1, 1005, 0, 50));  // test run to P1005
    EXPECT_EQ(s32(reply, 36), 7777);
    reply = sim.handle(jog(5, 6, 1, 1006, 0, 50));  // P1006 is not set: no motion, alarm 33
    EXPECT_EQ(s32(reply, 36), 7777);
    EXPECT_EQ(sim.alarmCode(), 33);

    reply = sim.handle(jog(6, 5, 1));  // home return
    EXPECT_EQ(s32(reply, 36), 0);
    EXPECT_TRUE(sim.status().driverInputs[1] & 0x10) << "HOME-END";

    reply = sim.handle(jog(7, 6, 4, 3, 0, 100));  // network driver 1, absolute point 3
    EXPECT_EQ(s32(reply, 36), -4321);
    EXPECT_EQ(sim.status().networkDrivers[0].values.commandPosition, -4321);
    EXPECT_EQ(sim.status().pulseAxes[0].commandPosition, 0) << "other axes stay";

    reply = sim.handle(jog(8, 7, 1));  // stop
    EXPECT_EQ(s32(reply, 36), 0);
    EXPECT_EQ(s32(reply, 40), 0);
}

TEST(ControllerSimJog, HeldJogMovesAtItsSpeedForTheTimeBetweenRequests) {
    ControllerSim sim;
    std::int64_t now = 1000;
    sim.setClock([&] { return now; });
    auto position = [&](std::uint8_t seq, std::uint8_t op) { return s32(sim.handle(jog(seq, op, 0, 0, 0, 1500)), 36); };

    EXPECT_EQ(position(1, 1), 75) << "the first request is one 50 ms tick";
    now += 1;
    EXPECT_EQ(position(2, 1), 76) << "1.5 units";
    now += 1;
    EXPECT_EQ(position(3, 1), 78) << "the half unit left over is not lost";
    EXPECT_EQ(position(4, 1), 78) << "no time, no motion";
    now += 100;
    EXPECT_EQ(position(5, 1), 228);
    now += 1000;  // released long ago: a new JOG starts with one tick
    EXPECT_EQ(position(6, 2), 153);
    now += 10;
    EXPECT_EQ(position(7, 2), 138);
}

TEST(ControllerSimInitialise, ScopesResetTheirOwnPartsOnly) {
    const SettingsImage defaults = makeDefaultSettingsImage();
    SettingsImage changed = defaults;
    PulseAxisRecord(changed, 0).setResolution(4321);
    NetworkDriverRecord(changed, 3).setModel(2);
    NetworkDriverRecord(changed, 3).point(0).setPosition(99);
    TimerTable(changed).setTimer(5, 777);
    changed.writePosition(0, 1500, 1234);
    EthernetSettings(changed).setPort(1234);

    ControllerSim sim(changed);
    expectReply(sim.handle(initialise(1, 1)), 36, 1, 0x13);  // axis settings only
    SettingsImage now = sim.settingsImage();
    EXPECT_EQ(PulseAxisRecord(now, 0).resolution(), ConstPulseAxisRecord(defaults, 0).resolution());
    EXPECT_EQ(NetworkDriverRecord(now, 3).model(), ConstNetworkDriverRecord(defaults, 3).model());
    EXPECT_EQ(NetworkDriverRecord(now, 3).point(0).position(), 99);
    EXPECT_EQ(TimerTable(now).timer(5), 777);
    EXPECT_EQ(now.readPosition(0, 1500), 1234);
    EXPECT_EQ(sim.lastInitialiseScope(), 1);

    sim.loadSettingsImage(changed);
    expectReply(sim.handle(initialise(2, 2)), 36, 2, 0x13);  // parameters only
    now = sim.settingsImage();
    EXPECT_EQ(PulseAxisRecord(now, 0).resolution(), 4321);
    EXPECT_EQ(NetworkDriverRecord(now, 3).model(), 2);
    EXPECT_EQ(NetworkDriverRecord(now, 3).point(0).position(), ConstNetworkDriverRecord(defaults, 3).point(0).position());
    EXPECT_EQ(TimerTable(now).timer(5), ConstTimerTable(defaults).timer(5));
    EXPECT_EQ(now.readPosition(0, 1500), defaults.readPosition(0, 1500));

    sim.loadSettingsImage(changed);
    expectReply(sim.handle(initialise(3, 3)), 36, 3, 0x13);  // all data
    SettingsImage expected = defaults;
    expected.bytes()[layout::kReservedLast] = 0;
    EXPECT_EQ(sim.settingsImage(), expected);

    sim.loadSettingsImage(changed);
    EXPECT_TRUE(sim.handle(initialise(4, 9)).empty()) << "an unknown scope is not done";
    EXPECT_EQ(sim.settingsImage().readPosition(0, 1500), 1234);
}

TEST(ControllerSimAlarm, RecordListsAlarmsNewestFirst) {
    ControllerSim sim;
    sim.raiseAlarm(27);
    sim.raiseAlarm(5);
    Bytes reply = sim.handle(alarmRecord(9));
    expectReply(reply, 44, 9, 0x19);
    EXPECT_EQ(reply[32], 5);
    EXPECT_EQ(reply[33], 27);
    for (std::size_t i = 34; i < 42; ++i) EXPECT_EQ(reply[i], 0);
}

TEST(ControllerSimFlash, ThreeStepsMakeOneWrite) {
    ControllerSim sim;
    for (std::uint8_t s = 0; s < 3; ++s) {
        Bytes reply = sim.handle(flashStep(static_cast<std::uint8_t>(50 + s), s));
        expectReply(reply, 60, static_cast<std::uint8_t>(50 + s), 0xC1);
        EXPECT_NE(reply[32], 0);
        EXPECT_EQ(u16(reply, 34), 0);
    }
    EXPECT_EQ(sim.flashStepsDone(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sim.flashWriteCount(), 1);
    Bytes reply = sim.handle(flashStep(60, 3));
    expectReply(reply, 60, 60, 0xC1);
    EXPECT_EQ(reply[32], 0) << "there is no step 3";
}

}  // namespace
