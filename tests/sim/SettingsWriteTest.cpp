// Settings blocks (request 0x15): the three areas arrive in the PC's byte
// order; the controller keeps the network fields big-endian, and the settings
// read gives back what was sent.

#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "data/DefaultImage.h"
#include "sim/ControllerSim.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

struct Area {
    std::uint8_t number;
    std::size_t offset;
    std::size_t size;
};
constexpr Area kArea1{1, 171536, 1024};
constexpr Area kArea2{2, 0, 68864};
constexpr Area kArea3{3, 68864, 102672};

// Sends one area as the PC does: 19-byte blocks, back to back. Every block but
// the last must stay unanswered; returns the reply to the last one.
Bytes sendArea(ControllerSim& sim, const SettingsImage& image, const Area& area, std::uint8_t& seq,
               std::size_t skipBlock = SIZE_MAX) {
    const std::size_t count = (area.size + 18) / 19;
    Bytes last;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t n = std::min<std::size_t>(19, area.size - 19 * i);
        if (i == skipBlock) continue;
        Bytes reply = sim.handle(settingsBlock(seq++, static_cast<std::uint16_t>(count), static_cast<std::uint16_t>(i),
                                               area.number, image.data() + area.offset + 19 * i, n));
        if (i + 1 < count && !reply.empty()) {
            ADD_FAILURE() << "block " << i << " of area " << int(area.number) << " was answered";
        }
        last = reply;
    }
    return last;
}

TEST(SettingsWrite, AreasAreAcceptedAfterTheirLastBlockOnly) {
    ControllerSim sim;
    const SettingsImage image = randomImage(11);
    std::uint8_t seq = 250;  // the sequence wraps during the transfer
    for (const Area& area : {kArea1, kArea2, kArea3}) {
        const std::uint8_t lastSeq = static_cast<std::uint8_t>(seq + (area.size + 18) / 19 - 1);
        Bytes reply = sendArea(sim, image, area, seq);
        expectReply(reply, 60, lastSeq, 0x18);
        EXPECT_NE(u16(reply, 32), 0) << "area " << int(area.number);
    }
    EXPECT_EQ(sim.settingsAreasAccepted(), (std::vector<int>{1, 2, 3}));
}

TEST(SettingsWrite, NetworkAreaIsSwappedIntoBigEndianMemoryAndReadBackUnchanged) {
    ControllerSim sim;
    const SettingsImage sent = randomImage(12);
    std::uint8_t seq = 1;
    for (const Area& area : {kArea1, kArea2, kArea3}) sendArea(sim, sent, area, seq);

    // In the controller: the comm time-out and a network point speed most significant byte first.
    const std::uint32_t timeout = ConstNetworkCommParams(sent).timeout();
    EXPECT_EQ(be(sim.readMemory(0x50008, 4), 0, 4), static_cast<std::uint32_t>(timeout));
    const std::int32_t speed = ConstNetworkDriverRecord(sent, 9).point(41).speed();
    EXPECT_EQ(be(sim.readMemory(0x50000 + 16 + 6416 * 9 + 16 + 64 * 41 + 8, 4), 0, 4), static_cast<std::uint32_t>(speed));
    const std::uint16_t ratio2 = ConstNetworkDriverRecord(sent, 4).ratio2();
    EXPECT_EQ(be(sim.readMemory(0x50000 + 16 + 6416 * 4 + 4, 2), 0, 2), ratio2);
    // Bytes the controller does not interpret stay where they were sent.
    EXPECT_EQ(sim.readMemory(0x50000 + 16 + 6416 * 4 + 16 + 20, 44),
              Bytes(sent.data() + 68880 + 6416 * 4 + 16 + 20, sent.data() + 68880 + 6416 * 4 + 16 + 64));

    // Read back through the phase replies, the three areas are exactly what was sent.
    const SettingsImage back = decodeSettingsRead(sim.handle(readSettings(1, 1)), sim.handle(readSettings(2, 2)));
    for (const Area& area : {kArea1, kArea2, kArea3}) {
        for (std::size_t i = area.offset; i < area.offset + area.size; ++i) {
            ASSERT_EQ(back.bytes()[i], sent.bytes()[i]) << "image offset " << i;
        }
    }
}

TEST(SettingsWrite, AreaWithAMissingBlockIsRefusedAndChangesNothing) {
    ControllerSim sim;
    const SettingsImage before = sim.settingsImage();
    const SettingsImage sent = randomImage(13);
    std::uint8_t seq = 1;
    Bytes reply = sendArea(sim, sent, kArea2, seq, 100);
    expectReply(reply, 60, static_cast<std::uint8_t>(seq - 1), 0x18);
    EXPECT_EQ(u16(reply, 32), 0);
    EXPECT_EQ(sim.settingsImage(), before);
    EXPECT_TRUE(sim.settingsAreasAccepted().empty());

    // A complete send afterwards is taken.
    reply = sendArea(sim, sent, kArea2, seq);
    EXPECT_NE(u16(reply, 32), 0);
    EXPECT_EQ(sim.settingsImage().readPosition(2, 1999), sent.readPosition(2, 1999));
}

TEST(SettingsWrite, MalformedBlocksAreIgnored) {
    ControllerSim sim;
    const std::uint8_t data[19] = {};
    EXPECT_TRUE(sim.handle(settingsBlock(1, 1, 0, 4, data, 19)).empty()) << "no area 4";
    EXPECT_TRUE(sim.handle(settingsBlock(2, 1, 1, 1, data, 19)).empty()) << "index past the count";
    Bytes tooLong = Request(0x15, 3, 61).u16(32, 1).u16(34, 0).u16(36, 20).u8(38, 1);
    EXPECT_TRUE(sim.handle(tooLong).empty()) << "a block holds at most 19 bytes";
}

}  // namespace
