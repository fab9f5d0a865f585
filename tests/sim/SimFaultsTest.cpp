// The fault switches: each makes the controller misbehave exactly at the
// requests it is aimed at, and the request itself still takes effect.

#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "sim/ControllerSim.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

TEST(SimFaults, NoReplyForACountOfRequestsThenAnswersAgain) {
    ControllerSim sim;
    SimFaults f;
    f.noReply = CodeFault::times(0x07, 2);
    sim.setFaults(f);
    EXPECT_TRUE(sim.handle(identify(1)).size() == 88) << "other codes unaffected";
    EXPECT_TRUE(sim.handle(writeValue(2, 52, 2, 11)).empty());
    EXPECT_TRUE(sim.handle(writeValue(3, 52, 2, 12)).empty());
    EXPECT_EQ(be(sim.readMemory(52, 2), 0, 2), 12u) << "the silent write still took effect";
    EXPECT_EQ(sim.handle(writeValue(4, 52, 2, 13)).size(), 48u);
    EXPECT_EQ(sim.faults().noReply.code, -1) << "used up";
}

TEST(SimFaults, NoReplyAlwaysToPhaseRequests) {
    ControllerSim sim;
    SimFaults f;
    f.noReply = CodeFault::always(0x01);
    sim.setFaults(f);
    for (std::uint8_t i = 0; i < 3; ++i) EXPECT_TRUE(sim.handle(readSettings(i, 0)).empty());
    EXPECT_EQ(sim.requestCount(0x01), 3);
}

TEST(SimFaults, WrongSequenceEchoKeepsAValidCheckCode) {
    ControllerSim sim;
    SimFaults f;
    f.wrongSequence = CodeFault::times(0xAA, 1);
    sim.setFaults(f);
    Bytes poll = Request(0xAA, 255, 52).u16(6, 0xFFFF).u32(8, 0xFFFFFFFF).u16(12, 0xFFFF);
    Bytes reply = sim.handle(poll);
    expectReply(reply, 212, 0, 0xAA);  // 255 + 1 wraps to 0
    expectReply(sim.handle(poll), 212, 255, 0xAA);
}

TEST(SimFaults, ShortReplyIsCut) {
    ControllerSim sim;
    SimFaults f;
    f.shortReply = CodeFault::always(0x00);
    f.shortReplyLength = 40;
    sim.setFaults(f);
    Bytes reply = sim.handle(identify(1));
    ASSERT_EQ(reply.size(), 40u);
    EXPECT_EQ(std::string(reply.begin() + 32, reply.begin() + 36), "MAIN");
}

TEST(SimFaults, IdentifyNameThatIsNotMain) {
    ControllerSim sim;
    SimFaults f;
    f.identifyNotMain = true;
    sim.setFaults(f);
    Bytes reply = sim.handle(identify(1));
    expectReply(reply, 88, 1, 0x00);
    EXPECT_NE(std::string(reply.begin() + 32, reply.begin() + 36), "MAIN");
}

TEST(SimFaults, ProgramReadAnnouncingMoreThanTheBufferDeliversThatMuch) {
    ControllerSim sim;
    sim.setProgramFile("\tPROG\t#001\r\n");
    SimFaults f;
    f.announcedProgramSize = 131073;
    sim.setFaults(f);
    EXPECT_EQ(u32(sim.handle(readProgram(1, 0)), 32), 131073u);
    Bytes file = sim.handle(readProgram(2, 1));
    ASSERT_EQ(file.size(), 32u + 131073u);
    EXPECT_EQ(std::string(file.begin() + 32, file.begin() + 44), "\tPROG\t#001\r\n");
    EXPECT_EQ(file.back(), 0);
}

TEST(SimFaults, FlashStepFailsOrReportsAVerifyError) {
    ControllerSim sim;
    SimFaults f;
    f.flashFailStep = 1;
    f.flashVerifyErrorStep = 2;
    sim.setFaults(f);
    Bytes reply = sim.handle(flashStep(1, 0));
    EXPECT_NE(reply[32], 0);
    reply = sim.handle(flashStep(2, 1));
    expectReply(reply, 60, 2, 0xC1);
    EXPECT_EQ(reply[32], 0);
    EXPECT_EQ(u16(reply, 34), 0);
    reply = sim.handle(flashStep(3, 2));
    expectReply(reply, 60, 3, 0xC1);
    EXPECT_EQ(reply[32], 0);
    EXPECT_NE(u16(reply, 34), 0);
    EXPECT_EQ(sim.flashStepsDone(), (std::vector<int>{0}));
    EXPECT_EQ(sim.flashWriteCount(), 0);
}

// Sends area 1 (the pulse-axis records) from the controller's own image.
Bytes sendArea1(ControllerSim& sim, const SettingsImage& image) {
    Bytes last;
    for (std::uint16_t i = 0; i < 54; ++i) {
        const std::size_t n = i == 53 ? 17 : 19;
        last = sim.handle(settingsBlock(static_cast<std::uint8_t>(i), 54, i, 1, image.data() + 171536 + 19 * i, n));
    }
    return last;
}

std::uint16_t wordSum(const Bytes& reply) {
    std::uint16_t sum = 0;
    const std::size_t words = reply.size() / 2 - 1;
    for (std::size_t w = 0; w < words; ++w) sum = static_cast<std::uint16_t>(sum + be(reply, 2 * w, 2));
    return sum;
}

TEST(SimFaults, SettingsAreaRejectedOrReceptionFailed) {
    ControllerSim sim;
    const SettingsImage before = sim.settingsImage();
    SettingsImage changed = before;
    PulseAxisRecord(changed, 0).setResolution(1234);

    SimFaults f;
    f.rejectSettingsArea = 1;
    sim.setFaults(f);
    Bytes reply = sendArea1(sim, changed);
    expectReply(reply, 60, 53, 0x18);
    EXPECT_EQ(u16(reply, 32), 0);
    EXPECT_NE(wordSum(reply), 0xFFFF) << "a plain refusal is no reception failure";
    EXPECT_EQ(sim.settingsImage(), before);

    f = SimFaults{};
    f.receptionErrorSettingsArea = 1;
    sim.setFaults(f);
    reply = sendArea1(sim, changed);
    expectReply(reply, 60, 53, 0x18);
    EXPECT_EQ(u32(reply, 32), 0u);
    EXPECT_EQ(wordSum(reply), 0xFFFF);
    EXPECT_EQ(sim.settingsImage(), before);

    sim.setFaults(SimFaults{});
    reply = sendArea1(sim, changed);
    EXPECT_NE(u16(reply, 32), 0);
    EXPECT_EQ(ConstPulseAxisRecord(sim.settingsImage(), 0).resolution(), 1234);
}

TEST(SimFaults, HangUpAllowanceCountsBytesAcrossReplies) {
    ControllerSim sim;
    EXPECT_EQ(sim.hangUpAllowance(500), (std::pair<std::size_t, bool>{500, false})) << "off";
    SimFaults f;
    f.hangUpAfterBytes = 100;
    sim.setFaults(f);
    EXPECT_EQ(sim.hangUpAllowance(88), (std::pair<std::size_t, bool>{88, false}));
    EXPECT_EQ(sim.hangUpAllowance(212), (std::pair<std::size_t, bool>{12, true}));
    EXPECT_EQ(sim.hangUpAllowance(212), (std::pair<std::size_t, bool>{212, false})) << "switched off after the hang-up";
    f.hangUpAfterBytes = 0;
    sim.setFaults(f);
    EXPECT_EQ(sim.hangUpAllowance(36), (std::pair<std::size_t, bool>{0, true}));
}

}  // namespace
