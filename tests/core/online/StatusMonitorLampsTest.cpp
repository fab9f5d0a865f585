// The lamps of the status monitor and the I/O monitor, from the wire to the lamp.
#include "online/StatusLamps.h"

#include <gtest/gtest.h>

#include <array>

#include "link/Replies.h"

using namespace vantrel;

namespace {

// A status reply with every input and output inactive on the wire (all ones).
std::array<std::uint8_t, 212> idleReply() {
    std::array<std::uint8_t, 212> r{};
    for (std::size_t i = 6; i <= 23; ++i) r[i] = 0xFF;
    return r;
}

StatusSnapshot afterReply(const std::array<std::uint8_t, 212>& reply) {
    ControllerStatus status;
    EXPECT_TRUE(acceptStatusReply(reply.data(), reply.size(), reply[1], status));
    return takeSnapshot(status);
}

const Lamp& lampNamed(const LampGroup& group, const std::string& label) {
    for (const auto& lamp : group.lamps)
        if (lamp.label == label) return lamp;
    ADD_FAILURE() << "no lamp " << label;
    return group.lamps.front();
}

int litCount(const StatusSnapshot& s, const std::vector<LampGroup>& groups) {
    int n = 0;
    for (const auto& g : groups)
        for (const auto& lamp : g.lamps) n += isLit(s, lamp.ref);
    return n;
}

}  // namespace

TEST(StatusMonitorLamps, SensorNibblesOfAllFourAxes) {
    // The sensor word arrives big-endian and inverted at reply bytes 14..15.
    // For each axis and lamp, one bit active on the wire lights that lamp only.
    const char* labels[] = {"HOMES", "+LS", "-LS", "-"};
    const int expectedBit[4][4] = {{7, 6, 5, 4}, {3, 2, 1, 0}, {15, 14, 13, 12}, {11, 10, 9, 8}};
    for (int axis = 0; axis < 4; ++axis) {
        for (int k = 0; k < 4; ++k) {
            auto reply = idleReply();
            const int bit = expectedBit[axis][k];
            const std::uint16_t wire = static_cast<std::uint16_t>(~(1u << bit));
            reply[14] = static_cast<std::uint8_t>(wire >> 8);
            reply[15] = static_cast<std::uint8_t>(wire);
            const StatusSnapshot s = afterReply(reply);
            for (int otherAxis = 0; otherAxis < 4; ++otherAxis) {
                const LampGroup group = sensorLamps(otherAxis);
                ASSERT_EQ(group.lamps.size(), 4u);
                for (int otherK = 0; otherK < 4; ++otherK) {
                    EXPECT_EQ(group.lamps[otherK].label, labels[otherK]);
                    EXPECT_EQ(isLit(s, group.lamps[otherK].ref), otherAxis == axis && otherK == k)
                        << "axis " << axis + 1 << " " << labels[k] << ": lamp of axis " << otherAxis + 1 << " "
                        << labels[otherK];
                }
            }
        }
    }
}

TEST(StatusMonitorLamps, DriverInputsOutputsAndAlarmPerAxis) {
    auto reply = idleReply();
    reply[8 + 2] = static_cast<std::uint8_t>(~0x02);  // axis 3: ALM active
    reply[18 + 1] = static_cast<std::uint8_t>(~0x10);  // axis 2: fifth output read back on
    const StatusSnapshot s = afterReply(reply);
    for (int axis = 0; axis < 4; ++axis) {
        const LampGroup in = driverInputLamps(axis);
        const LampGroup out = driverOutputLamps(axis);
        ASSERT_EQ(in.lamps.size(), 5u);
        ASSERT_EQ(out.lamps.size(), 5u);
        EXPECT_EQ(isLit(s, lampNamed(in, "ALM").ref), axis == 2);
        EXPECT_FALSE(isLit(s, lampNamed(in, "READY").ref));
        EXPECT_EQ(isLit(s, lampNamed(out, "DRV OTU5").ref), axis == 1);
        EXPECT_EQ(axisAlarmText(s.driverInputs[static_cast<std::size_t>(axis)]), axis == 2 ? "ALARM" : "");
    }
}

TEST(IoMonitorLamps, ActiveOnTheWireLightsTheLamp) {
    struct Case {
        std::size_t byte;
        std::uint8_t wire;
        const char* group;
        const char* lamp;
    };
    const Case cases[] = {
        {6, 0xFE, "汎用入力", "IN1"},    // bit 0 low on the wire: IN1 is on
        {7, 0x7F, "汎用入力", "IN16"},
        {16, 0xFD, "汎用出力", "OUT2"},
        {12, 0xF7, "ホスト入力", "ALM-RST"},
        {22, 0xFB, "ホスト出力", "PRG-READY"},
    };
    const auto groups = ioMonitorLamps();
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(litCount(afterReply(idleReply()), groups), 0);
    for (const Case& c : cases) {
        auto reply = idleReply();
        reply[c.byte] = c.wire;
        const StatusSnapshot s = afterReply(reply);
        EXPECT_EQ(litCount(s, groups), 1) << c.lamp;
        for (const auto& g : groups) {
            if (g.title != c.group) continue;
            EXPECT_TRUE(isLit(s, lampNamed(g, c.lamp).ref)) << c.lamp;
        }
    }
}
