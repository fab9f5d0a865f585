// The I/O test windows toggle bits of the shared output variables.
#include "online/StatusLamps.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(IoTestToggles, EveryToggleFlipsItsOwnBitAndTwiceRestoresIt) {
    std::vector<LampGroup> groups = ioTestToggles();
    for (const auto& g : pulseAxisOutputToggles()) groups.push_back(g);
    for (int group = 0; group < 4; ++group)
        for (const auto& g : networkOutputToggles(group)) groups.push_back(g);
    ControllerStatus status;
    status.generalOutputs = 0x8001;
    status.driverOutputs[2] = 0x04;
    status.networkOutputs[13] = 0x0100;
    int toggles = 0;
    for (const auto& g : groups) {
        for (const auto& lamp : g.lamps) {
            const StatusSnapshot before = takeSnapshot(status);
            ASSERT_TRUE(flipOutputBit(status, lamp.ref)) << g.title << " " << lamp.label;
            const StatusSnapshot once = takeSnapshot(status);
            EXPECT_NE(isLit(once, lamp.ref), isLit(before, lamp.ref)) << lamp.label;
            // Exactly one bit of all outputs changed.
            StatusSnapshot expected = before;
            int changed = 0;
            for (const auto& g2 : groups)
                for (const auto& other : g2.lamps)
                    if (!(other.ref == lamp.ref)) changed += isLit(once, other.ref) != isLit(before, other.ref);
            EXPECT_EQ(changed, 0) << g.title << " " << lamp.label;
            ASSERT_TRUE(flipOutputBit(status, lamp.ref));
            EXPECT_EQ(takeSnapshot(status), expected) << g.title << " " << lamp.label;
            ++toggles;
        }
    }
    EXPECT_EQ(toggles, 16 + 4 + 4 * 5 + 16 * 16);
}

TEST(IoTestToggles, InputsAndBitsAWordDoesNotHaveAreNotToggled) {
    ControllerStatus status;
    const BitRef refused[] = {
        {StatusWord::GeneralInputs, 0, 0},
        {StatusWord::SensorInputs, 0, 3},
        {StatusWord::HostOutputs, 0, 4},     // bits 4..7 always go out as 0
        {StatusWord::DriverOutputs, 4, 0},   // there are four pulse axes
        {StatusWord::DriverOutputs, 0, 8},
        {StatusWord::NetworkOutputs, 16, 0},
    };
    for (const BitRef& ref : refused) EXPECT_FALSE(flipOutputBit(status, ref));
    EXPECT_EQ(takeSnapshot(status), StatusSnapshot{});
}

TEST(IoTestToggles, NetworkGroupsNameAndAddressTheirDrivers) {
    struct Case {
        int group;
        const char* choice;
        const char* firstTitle;
        const char* lastTitle;
        int firstDriver;
    };
    const Case cases[] = {
        {0, "RIVO 1-4", "RIVO1軸", "RIVO4軸", 0},
        {3, "RIVO 13-16", "RIVO13軸", "RIVO16軸", 12},
        {7, "RIVO 13-16", "RIVO13軸", "RIVO16軸", 12},  // out of range: the last group
        {-1, "RIVO 1-4", "RIVO1軸", "RIVO4軸", 0},
    };
    for (const Case& c : cases) {
        const auto groups = networkOutputToggles(c.group);
        ASSERT_EQ(groups.size(), 4u);
        EXPECT_EQ(networkGroupText(c.group), c.choice);
        EXPECT_EQ(groups.front().title, c.firstTitle);
        EXPECT_EQ(groups.back().title, c.lastTitle);
        ASSERT_EQ(groups[1].lamps.size(), 16u);
        EXPECT_EQ(groups[1].lamps[15].label, "NET-IN15");
        EXPECT_EQ(groups[1].lamps[15].ref, (BitRef{StatusWord::NetworkOutputs, static_cast<std::uint8_t>(c.firstDriver + 1), 15}));
    }
}
