#include "link/Replies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace vantrel;

namespace {

std::vector<std::uint8_t> reply(std::size_t length, std::uint8_t seq, std::uint8_t code = 0) {
    std::vector<std::uint8_t> r(length, 0);
    r[0] = 0x02;
    r[1] = seq;
    r[2] = static_cast<std::uint8_t>(length & 0xFF);
    r[3] = static_cast<std::uint8_t>(length >> 8);
    r[4] = code;
    return r;
}

std::vector<std::uint8_t> identifyReply(const char* name, std::uint16_t mode) {
    auto r = reply(88, 1);
    std::memcpy(r.data() + 32, name, std::strlen(name));
    std::memcpy(r.data() + 48, "V1.23", 5);
    r[82] = static_cast<std::uint8_t>(mode & 0xFF);
    r[83] = static_cast<std::uint8_t>(mode >> 8);
    return r;
}

}  // namespace

TEST(IdentifyReply, RecognisesMainAndTakesTextsAndModeWord) {
    const auto r = identifyReply("MAIN-CPU", 2);
    const auto id = decodeIdentifyReply(r.data(), r.size());
    ASSERT_TRUE(id);
    EXPECT_EQ(id->name, "MAIN-CPU");
    EXPECT_EQ(id->secondText, "V1.23");
    EXPECT_EQ(id->modeWord, 2);
}

TEST(IdentifyReply, NameStopsAtByte47WithoutTerminator) {
    auto r = identifyReply("MAIN", 0);
    std::memset(r.data() + 32, 'X', 16);
    std::memcpy(r.data() + 32, "MAIN", 4);
    EXPECT_EQ(decodeIdentifyReply(r.data(), r.size())->name, "MAINXXXXXXXXXXX");  // 15 bytes
}

TEST(IdentifyReply, OtherNameOrCutShortIsNoController) {
    const auto other = identifyReply("MAIX", 0);
    EXPECT_FALSE(decodeIdentifyReply(other.data(), other.size()));
    const auto main = identifyReply("MAIN", 0);
    EXPECT_FALSE(decodeIdentifyReply(main.data(), 87));
    EXPECT_FALSE(decodeIdentifyReply(main.data(), 0));
}

TEST(ValueReadReply, NeedsFullLengthAndTheSequence) {
    auto r = reply(48, 9);
    r[40] = 0x12;
    r[41] = 0x34;
    const auto v = decodeValueReadReply(r.data(), 48, 9);
    ASSERT_TRUE(v);
    EXPECT_EQ((*v)[0], 0x12);
    EXPECT_FALSE(decodeValueReadReply(r.data(), 48, 8));  // other sequence: discarded
    EXPECT_FALSE(decodeValueReadReply(r.data(), 47, 9));  // cut short
}

TEST(ValueReadStore, SwapsBigEndianItemsByAddress) {
    SettingsImage image;
    ControllerStatus status;
    // Timer 3 (address 58) is big-endian in the controller.
    EXPECT_TRUE(storeValueRead(image, status, 58, 2, {0x01, 0x02, 0, 0}));
    EXPECT_EQ(image.u16(layout::kTimers + 6), 0x0102);
    // IP address bytes as received.
    EXPECT_TRUE(storeValueRead(image, status, 0xAA34, 4, {255, 255, 255, 0}));
    EXPECT_EQ(image.u8(layout::kEthernet + 4), 255);
    EXPECT_EQ(image.u8(layout::kEthernet + 7), 0);
    EXPECT_TRUE(storeValueRead(image, status, 0xAA54, 2, {0x1F, 0x90, 0, 0}));
    EXPECT_EQ(image.u16(layout::kEthernetPort), 8080);
    EXPECT_TRUE(storeValueRead(image, status, 28, 1, {4, 0, 0, 0}));
    EXPECT_EQ(image.u8(layout::kSpeedOverrideLevel), 4);
    // A position: 3 bytes as received.
    EXPECT_TRUE(storeValueRead(image, status, 0x20000 + 21 + 7 * 5 + 3, 3, {0x00, 0x00, 0x81, 0xEE}));
    EXPECT_EQ(image.readPosition(0, 5), NOT_SET_POSITION);
    // A network point speed (driver 2, point 1): big-endian int32.
    const std::uint32_t speedAddress = 0x50000 + 16 + 6416 + 16 + 64 + 8;
    EXPECT_TRUE(storeValueRead(image, status, speedAddress, 4, {0x00, 0x01, 0x86, 0xA0}));
    EXPECT_EQ(NetworkDriverRecord(image, 1).point(1).speed(), 100000);
}

TEST(ValueReadStore, LiveNetworkValuesGoToTheStatus) {
    SettingsImage image;
    const SettingsImage before = image;
    ControllerStatus status;
    EXPECT_TRUE(storeValueRead(image, status, 0x69110, 1, {3, 0, 0, 0}));
    EXPECT_TRUE(storeValueRead(image, status, 0x69114, 2, {0x12, 0x34, 0, 0}));
    EXPECT_TRUE(storeValueRead(image, status, 0x69118, 4, {0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(status.registerReplySlave(), 3);
    EXPECT_EQ(status.registerReplyAddress(), 0x1234);
    EXPECT_EQ(status.registerReplyData(), -2);
    EXPECT_EQ(image, before);
}

TEST(ValueReadStore, AddressesWithoutPlaceStoreNothing) {
    SettingsImage image;
    ControllerStatus status;
    const SettingsImage before = image;
    EXPECT_FALSE(storeValueRead(image, status, 0x40000, 4, {1, 2, 3, 4}));
    EXPECT_FALSE(storeValueRead(image, status, 0x20000 + 68864, 1, {1, 0, 0, 0}));  // past region A
    EXPECT_FALSE(storeValueRead(image, status, 0x20000 + 68862, 4, {1, 2, 3, 4}));  // would cross into region B
    EXPECT_FALSE(storeValueRead(image, status, 0xAA31, 4, {1, 2, 3, 4}));
    EXPECT_FALSE(storeValueRead(image, status, 52, 0, {1, 2, 3, 4}));
    // Counters and flag words are written, but what comes back is not stored.
    EXPECT_FALSE(storeValueRead(image, status, 272, 4, {0x00, 0x0F, 0x42, 0x40}));
    EXPECT_FALSE(storeValueRead(image, status, 0x70006, 1, {0x0E, 0, 0, 0}));
    EXPECT_EQ(image, before);
}

TEST(AxisParameterStore, StoresTheQueuedValueInItsRecord) {
    SettingsImage image;
    EXPECT_TRUE(storeAxisParameter(image, 4392, 2, 4000));  // axis 3, maximum rotation speed
    EXPECT_EQ(PulseAxisRecord(image, 2).maxRotationSpeed(), 4000);
    EXPECT_FALSE(storeAxisParameter(image, 4096 + 256 + 255, 2, 1));  // would cross the record end
    EXPECT_FALSE(storeAxisParameter(image, 100, 1, 1));
}

TEST(FinalReplies, ProgramSendResultRecord) {
    auto r = reply(60, 7, 4);
    r[32] = 1;
    auto ok = decodeProgramFinalReply(r.data(), 60, 7);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->status, TransferResult::kAccepted);
    r[32] = 0;
    r[34] = 5;
    r[36] = 0x10;
    r[37] = 0x01;
    r[40] = 9;
    auto refused = decodeProgramFinalReply(r.data(), 60, 7);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, TransferResult::kControllerError);
    EXPECT_EQ(refused->values[0], 5);
    EXPECT_EQ(refused->values[1], 0x0110);
    EXPECT_EQ(refused->values[3], 9);
    EXPECT_FALSE(decodeProgramFinalReply(r.data(), 60, 8));
    EXPECT_FALSE(decodeProgramFinalReply(r.data(), 59, 7));
    r[4] = 0x18;
    EXPECT_FALSE(decodeProgramFinalReply(r.data(), 60, 7));
}

TEST(FinalReplies, SettingsBlockAcceptedFlag) {
    auto r = reply(60, 3, 0x18);
    EXPECT_EQ(decodeSettingsFinalReply(r.data(), 60, 3), std::optional<bool>(false));
    r[33] = 1;
    EXPECT_EQ(decodeSettingsFinalReply(r.data(), 60, 3), std::optional<bool>(true));
    EXPECT_FALSE(decodeSettingsFinalReply(r.data(), 60, 4));
    EXPECT_FALSE(decodeSettingsFinalReply(r.data(), 30, 3));
}

TEST(FinalReplies, ReceptionFailureBySumRule) {
    auto r = reply(60, 3, 0x18);
    // Words 0..28 (bytes 0..57); make them sum to 0xFFFF with the flags zero.
    std::uint32_t sum = 0;
    for (std::size_t w = 0; w < 29; ++w) sum += (r[2 * w] << 8) | r[2 * w + 1];
    const std::uint16_t fill = static_cast<std::uint16_t>(0xFFFF - (sum & 0xFFFF));
    r[56] = static_cast<std::uint8_t>(fill >> 8);
    r[57] = static_cast<std::uint8_t>(fill & 0xFF);
    EXPECT_TRUE(isSettingsReceptionFailure(r.data(), 60));
    EXPECT_FALSE(isSettingsReceptionFailure(r.data(), 20));  // cut short
    r[58] = 0x55;  // outside the summed words
    EXPECT_TRUE(isSettingsReceptionFailure(r.data(), 60));
    r[35] = 1;  // a flag byte set
    EXPECT_FALSE(isSettingsReceptionFailure(r.data(), 60));
    // A wild length byte never makes the sum read past the reply.
    auto wild = reply(60, 3, 0x18);
    wild[2] = 0xFE;
    EXPECT_FALSE(isSettingsReceptionFailure(wild.data(), 60));
}

TEST(FinalReplies, FlashStep) {
    auto r = reply(60, 11);
    r[32] = 1;
    auto f = decodeFlashStepReply(r.data(), 60, 11);
    EXPECT_TRUE(f.sequenceMatches);
    EXPECT_TRUE(f.stepDone);
    EXPECT_FALSE(f.verifyError);
    r[35] = 1;
    EXPECT_TRUE(decodeFlashStepReply(r.data(), 60, 11).verifyError);
    EXPECT_FALSE(decodeFlashStepReply(r.data(), 60, 12).sequenceMatches);
    const auto shortReply = decodeFlashStepReply(r.data(), 34, 11);
    EXPECT_FALSE(shortReply.sequenceMatches || shortReply.stepDone || shortReply.verifyError);
}

TEST(ProgramSize, NeedsTheWholeHead) {
    auto r = reply(40, 1);
    r[32] = 0x00;
    r[33] = 0x00;
    r[34] = 0x02;  // 131072
    EXPECT_EQ(decodeProgramSize(r.data(), 40), std::optional<std::uint32_t>(131072));
    EXPECT_FALSE(decodeProgramSize(r.data(), 39));
}

TEST(StatusReply, InputsAreInvertedBackAndSensorsAreBigEndian) {
    auto r = reply(212, 1);
    r[5] = 0x21;
    r[6] = 0xFE;  // IN1 on
    r[7] = 0xFF;
    for (int i = 0; i < 4; ++i) r[8 + i] = 0xFF;
    r[8] = 0xFC;  // axis 1: READY and ALM
    r[12] = 0xFF;
    r[13] = 0xFF;
    r[14] = 0x7F;  // sensor word BE 0x7FFF inverted: 0x8000
    r[15] = 0xFF;
    r[16] = 0xFF;
    r[17] = 0x7F;  // OUT16 read back on
    for (int i = 0; i < 4; ++i) r[18 + i] = 0xFF;
    r[22] = 0xFD;
    r[23] = 0xFF;
    r[32] = 0x18;  // axis 1 command position -1000
    r[33] = 0xFC;
    r[34] = 0xFF;
    r[35] = 0xFF;
    r[96 + 12] = 7;   // network slot 3 command position
    r[160] = 0x20;
    r[176 + 2] = 0x34;
    r[184 + 6] = 0x80;
    r[193] = 3;
    r[207] = 9;
    r[208] = 2;
    ControllerStatus s;
    ASSERT_TRUE(acceptStatusReply(r.data(), r.size(), 1, s));
    EXPECT_EQ(s.statusReplies.load(), 1u);
    EXPECT_EQ(s.alarmCode.load(), 0x21);
    EXPECT_EQ(s.generalInputs.load(), 0x0001);
    EXPECT_EQ(s.driverInputs[0].load(), 0x03);
    EXPECT_EQ(s.driverInputs[1].load(), 0x00);
    EXPECT_EQ(s.hostInputs.load(), 0);
    EXPECT_EQ(s.sensorInputs.load(), 0x8000);
    EXPECT_EQ(s.generalOutputs.load(), 0x8000);
    EXPECT_EQ(s.hostOutputs.load(), 0x0002);
    EXPECT_EQ(s.axisCommandPosition[0].load(), -1000);
    EXPECT_EQ(s.networkCommandPosition[3].load(), 7);
    EXPECT_EQ(s.networkStatus[0].load(), 0x20u);
    EXPECT_EQ(s.networkWord[1].load(), 0x34);
    EXPECT_EQ(s.networkWord2[3].load(), 0x80);
    EXPECT_EQ(s.runFlags[1].load(), 3);
    EXPECT_TRUE(s.isRunning());
    EXPECT_EQ(s.statusValues[7].load(), 9);
    EXPECT_EQ(s.modeWord.load(), 2);
}

TEST(JogReply, GoesToTheAxisOrNetworkSlot) {
    auto r = reply(48, 1);
    r[36] = 100;
    r[40] = 50;
    ControllerStatus s;
    EXPECT_TRUE(acceptJogReply(r.data(), r.size(), 1, 2, s));
    EXPECT_EQ(s.axisCommandPosition[2].load(), 100);
    EXPECT_EQ(s.axisCommandSpeed[2].load(), 50);
    EXPECT_TRUE(acceptJogReply(r.data(), r.size(), 1, 9, s));  // network driver 6: slot 1 of group 1
    EXPECT_EQ(s.networkCommandPosition[1].load(), 100);
    EXPECT_TRUE(acceptJogReply(r.data(), r.size(), 1, 200, s));  // no such axis: nothing stored
}

TEST(Replies, StatusJogAndAlarmRepliesCutShortOrOfAnotherRequestStoreNothing) {
    struct Case {
        std::size_t length;     // the reply's full length
        std::size_t received;   // what arrived
        std::uint8_t sequence;  // what the request carried (the reply has 1)
    };
    const Case cases[] = {
        {212, 211, 1}, {212, 212, 2}, {212, 213, 1}, {48, 47, 1}, {48, 48, 0}, {44, 43, 1}, {44, 44, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.length << " bytes, " << c.received << " received, seq " << int(c.sequence));
        auto r = reply(c.received, 1);
        for (std::size_t i = 5; i < r.size(); ++i) r[i] = 0x5A;
        ControllerStatus s;
        bool accepted = false;
        if (c.length == 212) accepted = acceptStatusReply(r.data(), r.size(), c.sequence, s);
        if (c.length == 48) accepted = acceptJogReply(r.data(), r.size(), c.sequence, 0, s);
        if (c.length == 44) accepted = acceptAlarmRecord(r.data(), r.size(), c.sequence, s);
        EXPECT_FALSE(accepted);
        EXPECT_EQ(s.statusReplies.load(), 0u);
        EXPECT_EQ(s.alarmCode.load(), 0);
        EXPECT_EQ(s.axisCommandPosition[0].load(), 0);
        EXPECT_EQ(s.alarmRecord[0].load(), 0);
    }
}
