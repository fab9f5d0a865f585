#include "link/Requests.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/FrameCrc.h"

using namespace vantrel;

namespace {

std::vector<std::uint8_t> bytesOf(const Frame& f) { return {f.data(), f.data() + f.size()}; }

// Expected frame: head, the given field bytes at their offsets, check code.
std::vector<std::uint8_t> expected(std::uint8_t code, std::size_t length, std::uint8_t seq,
                                   std::vector<std::pair<std::size_t, std::uint8_t>> fields) {
    std::vector<std::uint8_t> b(length, 0);
    b[0] = 0x02;
    b[1] = seq;
    b[2] = static_cast<std::uint8_t>(length & 0xFF);
    b[3] = static_cast<std::uint8_t>(length >> 8);
    b[4] = code;
    for (auto [at, v] : fields) b[at] = v;
    const std::uint16_t crc = FrameCrc::compute(b.data(), length - 2);
    b[length - 2] = static_cast<std::uint8_t>(crc & 0xFF);
    b[length - 1] = static_cast<std::uint8_t>(crc >> 8);
    return b;
}

}  // namespace

TEST(Requests, IdentifyWithSequenceOneEndsInTheKnownCheckCode) {
    const auto f = bytesOf(makeIdentifyRequest(1));
    ASSERT_EQ(f.size(), 36u);
    std::vector<std::uint8_t> want(36, 0);
    want[0] = 0x02;
    want[1] = 0x01;
    want[2] = 0x24;
    want[34] = 0x69;
    want[35] = 0x18;
    EXPECT_EQ(f, want);
}

TEST(Requests, SettingsReadCarriesThePhaseAsUint32) {
    EXPECT_EQ(bytesOf(makeSettingsReadRequest(7, SettingsPhase::Memory)),
              expected(0x01, 40, 7, {{32, 2}}));
    EXPECT_EQ(bytesOf(makeSettingsReadRequest(8, SettingsPhase::Head)), expected(0x01, 40, 8, {}));
}

TEST(Requests, ProgramPieceHasCountIndexLengthAndData) {
    const std::uint8_t data[] = {'A', 'B', 'C'};
    EXPECT_EQ(bytesOf(makeProgramPieceRequest(3, 0x0102, 0x0201, data, 3)),
              expected(0x03, 43, 3, {{32, 0x02}, {33, 0x01}, {34, 0x01}, {35, 0x02}, {36, 3}, {38, 'A'}, {39, 'B'}, {40, 'C'}}));
    // A full piece makes a 60-byte frame.
    std::uint8_t twenty[20];
    for (int i = 0; i < 20; ++i) twenty[i] = static_cast<std::uint8_t>(0xA0 + i);
    const auto f = bytesOf(makeProgramPieceRequest(4, 2, 1, twenty, 20));
    ASSERT_EQ(f.size(), 60u);
    EXPECT_EQ(f[36], 20);
    EXPECT_EQ(f[38], 0xA0);
    EXPECT_EQ(f[57], 0xB3);
}

TEST(Requests, ProgramReadAsksForFileOne) {
    EXPECT_EQ(bytesOf(makeProgramReadRequest(9, ProgramReadPhase::File)), expected(0x05, 40, 9, {{32, 1}, {36, 1}}));
    EXPECT_EQ(bytesOf(makeProgramReadRequest(9, ProgramReadPhase::Size)), expected(0x05, 40, 9, {{36, 1}}));
}

TEST(Requests, ValueWriteAndReadAreLittleEndian) {
    EXPECT_EQ(bytesOf(makeValueWriteRequest(0x10, 0x00050004, 4, -2)),
              expected(0x07, 48, 0x10,
                       {{32, 0x04}, {34, 0x05}, {36, 4}, {40, 0xFE}, {41, 0xFF}, {42, 0xFF}, {43, 0xFF}}));
    // A position is 3 bytes.
    EXPECT_EQ(bytesOf(makeValueWriteRequest(1, 0x20000 + 28, 3, 0x810000)),
              expected(0x07, 48, 1, {{32, 28}, {34, 0x02}, {36, 3}, {42, 0x81}}));
    EXPECT_EQ(bytesOf(makeValueReadRequest(2, 0xAA54, 2)), expected(0x09, 40, 2, {{32, 0x54}, {33, 0xAA}, {36, 2}}));
}

TEST(Requests, AxisParameterWrite) {
    // Maximum rotation speed of axis 3: 2048 * 2 + 256 + 40 = 4392 = 0x1128.
    EXPECT_EQ(bytesOf(makeAxisParameterWriteRequest(5, 4392, 2, 4000)),
              expected(0x0D, 48, 5, {{32, 0x28}, {33, 0x11}, {36, 2}, {40, 0xA0}, {41, 0x0F}}));
}

TEST(Requests, JogCopiesRecordBytesFiveToFiftySeven) {
    JogRequestRecord r;
    r.bytes[4] = 0xEE;   // never copied: the code byte is the frame's
    r.bytes[5] = 0x55;
    r.setOperation(JogRequestRecord::kJogForward);
    r.setAxis(5);
    r.setSpeed(66666);
    r.setHomeDirection(1);
    r.bytes[58] = 0x77;  // never copied: the check code lies there
    const auto f = bytesOf(makeJogRequest(6, r));
    EXPECT_EQ(f, expected(0x0B, 60, 6,
                          {{5, 0x55}, {32, 1}, {33, 5}, {40, 0x6A}, {41, 0x04}, {42, 0x01}, {57, 1}}));
}

TEST(Requests, InitialiseAlarmAndFlash) {
    EXPECT_EQ(bytesOf(makeInitialiseRequest(1, 3)), expected(0x13, 36, 1, {{32, 3}}));
    EXPECT_EQ(bytesOf(makeAlarmRecordRequest(0xFF)), expected(0x19, 36, 0xFF, {}));
    EXPECT_EQ(bytesOf(makeFlashWriteRequest(4, 2)), expected(0xC1, 36, 4, {{32, 2}}));
}

TEST(Requests, SettingsBlockCarriesTheAreaBeforeTheData) {
    const std::uint8_t data[17] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    const auto f = bytesOf(makeSettingsBlockRequest(0x21, 54, 53, SettingsArea::PulseAxes, data, 17));
    ASSERT_EQ(f.size(), 58u);
    std::vector<std::pair<std::size_t, std::uint8_t>> fields = {{32, 54}, {34, 53}, {36, 17}, {38, 1}};
    for (std::size_t i = 0; i < 17; ++i) fields.push_back({39 + i, data[i]});
    EXPECT_EQ(f, expected(0x15, 58, 0x21, fields));
}

TEST(Requests, StatusPollInvertsOutputsAndForcesHostBits) {
    StatusPollOutputs o;
    o.runRequest = static_cast<std::uint8_t>(RunRequest::Start);
    o.generalOutputs = 0x0001;
    o.driverOutputs = {0x01, 0x00, 0x04, 0xFF};
    o.hostOutputs = 0x0002;
    o.oneShotRequest = kAlarmResetRequest;
    o.networkAlarmResetMask = 0x8001;
    o.networkOutputs = {0x0080, 0, 0, 0x0040};
    o.requestedMode = 2;
    o.networkGroup = 3;
    o.registerRequest = {16, 16, 0x1234, 2, -1};
    const auto f = bytesOf(makeStatusPollRequest(0x42, o));
    EXPECT_EQ(f, expected(0xAA, 52, 0x42,
                          {{5, 0xD7},
                           {6, 0xFE}, {7, 0xFF},
                           {8, 0xFE}, {9, 0xFF}, {10, 0xFB}, {11, 0x00},
                           {12, 0x0D}, {13, 0xFF},  // ~(0x0002 | 0x00F0)
                           {14, 1},
                           {16, 0x01}, {17, 0x80},
                           {18, 0x80}, {24, 0x40},
                           {32, 2}, {34, 3},
                           {36, 16}, {37, 16}, {40, 0x34}, {41, 0x12}, {42, 2},
                           {44, 0xFF}, {45, 0xFF}, {46, 0xFF}, {47, 0xFF}}));
}
