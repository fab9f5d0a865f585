// Output toggles and alarm resets are taken only while the link is open, so
// nothing set while disconnected goes out when the user connects; the toggles
// of the test windows only in edit-test mode.
#include "online/OutputRequests.h"

#include <gtest/gtest.h>

#include "OpenLink.h"
#include "online/RegisterTest.h"

using namespace vantrel;

TEST(OutputRequests, InertWhileTheLinkIsClosedAndTogglesOutsideEditTestMode) {
    test::OpenLink open;
    ASSERT_TRUE(open.opened);
    ControllerStatus& status = open.status;
    const BitRef out3{StatusWord::GeneralOutputs, 0, 2};
    const BitRef free2{StatusWord::DriverOutputs, 1, 2};
    const BitRef netIn{StatusWord::NetworkOutputs, 9, 7};

    struct Step {
        bool open;
        std::uint16_t mode;
        bool toggled;
        bool reset;
        std::uint16_t general;
        std::uint8_t driver;
        std::uint16_t network;
        std::uint16_t resetMask;
        std::uint16_t alarmReset;
    };
    // Each row presses everything once, with the link open or closed.
    const Step steps[] = {
        {true, 0, true, true, 0x0004, 0x04, 0x0080, 0x0020, 1},
        {true, 2, false, true, 0x0004, 0x04, 0x0080, 0x0020, 1},
        {true, 1, false, true, 0x0004, 0x04, 0x0080, 0x0020, 1},
        {false, 0, false, false, 0x0004, 0x04, 0x0080, 0x0020, 1},
    };
    for (const Step& s : steps) {
        if (!s.open) open.link.close();
        status.modeWord.store(s.mode);
        EXPECT_EQ(toggleOutput(open.link, status, out3), s.toggled);
        EXPECT_EQ(toggleOutput(open.link, status, free2), s.toggled);
        EXPECT_EQ(toggleOutput(open.link, status, netIn), s.toggled);
        EXPECT_EQ(requestNetworkAlarmReset(open.link, status, 5), s.reset);
        EXPECT_EQ(requestAlarmReset(open.link, status), s.reset);
        EXPECT_EQ(status.generalOutputs.load(), s.general);
        EXPECT_EQ(status.driverOutputs[1].load(), s.driver);
        EXPECT_EQ(status.networkOutputs[9].load(), s.network);
        EXPECT_EQ(status.networkAlarmResetMask.load(), s.resetMask);
        EXPECT_EQ(status.alarmResetRequest.load(), s.alarmReset);
    }
    // Whatever a window asks of a closed link, nothing is kept for the next connection.
    ControllerStatus fresh;
    ControllerLink closed(fresh);
    for (int driver = 0; driver < 16; ++driver) EXPECT_FALSE(requestNetworkAlarmReset(closed, fresh, driver));
    EXPECT_FALSE(toggleOutput(closed, fresh, BitRef{StatusWord::HostOutputs, 0, 0}));
    EXPECT_EQ(fresh.networkAlarmResetMask.load(), 0);
    EXPECT_EQ(fresh.hostOutputs.load(), 0);
    EXPECT_FALSE(requestNetworkAlarmReset(open.link, status, 16));
}

TEST(OutputRequests, ARegisterRequestIsPlacedOnlyOnAnOpenLink) {
    test::OpenLink open;
    ASSERT_TRUE(open.opened);
    const NetworkRegisterRequest write{3, 16, 40, 2, -5};
    EXPECT_TRUE(placeRegisterRequest(open.link, write));
    EXPECT_EQ(open.link.takeNetworkRegisterRequest(), write);
    open.link.close();
    EXPECT_FALSE(placeRegisterRequest(open.link, write));
    EXPECT_EQ(open.link.takeNetworkRegisterRequest(), NetworkRegisterRequest{});
}
