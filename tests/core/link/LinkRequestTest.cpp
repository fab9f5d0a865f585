// Requests of other threads reach the link thread through one slot, taken at
// the start of its next pass.
#include <gtest/gtest.h>

#include <string>

#include "core/SilentPort.h"
#include "link/ControllerLink.h"

using namespace vantrel;

namespace {

constexpr std::uint8_t op(LinkOp o) { return static_cast<std::uint8_t>(o); }

// A link open on a port that nobody answers; no link thread runs, so the
// test takes the requests as the link thread would.
class OpenLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(port_.made());
        ASSERT_TRUE(link.open(port_.name(), nullptr));
        link.setPendingOpLocked(op(LinkOp::Idle));  // identified
    }
    void TearDown() override { link.close(); }
    test::SilentPort port_;
    ControllerStatus status;
    ControllerLink link{status};
};

}  // namespace

TEST_F(OpenLink, TheLastRequestBeforeAPassIsTheOneTaken) {
    ASSERT_TRUE(link.setPendingOp(LinkOp::FlashWrite));
    JogRequestRecord jog;
    jog.setOperation(JogRequestRecord::kStop);
    ASSERT_TRUE(link.startJog(jog));
    EXPECT_EQ(link.pendingOp(), op(LinkOp::Jog));
    const auto taken = link.takeRequestLocked();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->op, op(LinkOp::Jog));
    ASSERT_TRUE(taken->jog);
    EXPECT_EQ(taken->jog->operation(), JogRequestRecord::kStop);
    EXPECT_FALSE(link.takeRequestLocked());  // gone once taken
}

TEST_F(OpenLink, AnIdleOnlyRequestWaitsForTheIdleLinkAndNeverCutsAChainShort) {
    struct Case {
        const char* what;
        LinkOp pendingAtRequest;  // what the link does when the request is made
        LinkOp pendingAtPass;     // what it has moved on to when its next pass begins
        bool made;
        bool takenAtPass;
    };
    const Case cases[] = {
        {"idle throughout", LinkOp::Idle, LinkOp::Idle, true, true},
        {"a settings write moved on to area 2", LinkOp::Idle, LinkOp::SettingsWriteArea2, true, false},
        {"a held JOG", LinkOp::Jog, LinkOp::Jog, false, false},
        {"a settings read leading into the program read", LinkOp::ProgramRead, LinkOp::ProgramRead, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        link.takeRequestLocked();  // an empty slot
        link.setPendingOpLocked(op(c.pendingAtRequest));
        EXPECT_EQ(link.requestWhenIdle(LinkOp::AlarmRead), c.made);
        link.setPendingOpLocked(op(c.pendingAtPass));
        const auto taken = link.takeRequestLocked();
        EXPECT_EQ(taken.has_value(), c.takenAtPass);
        if (c.made && !c.takenAtPass) {
            // Still waiting; once the chain has ended, the next pass takes it.
            EXPECT_EQ(link.pendingOp(), op(LinkOp::AlarmRead));
            link.setPendingOpLocked(op(LinkOp::Idle));
            const auto later = link.takeRequestLocked();
            ASSERT_TRUE(later);
            EXPECT_EQ(later->op, op(LinkOp::AlarmRead));
        }
    }
}

TEST_F(OpenLink, ClosingTheLinkDropsAWaitingRequestAndRefusesNewOnes) {
    ASSERT_TRUE(link.setPendingOp(LinkOp::FlashWrite));
    link.close();
    EXPECT_FALSE(link.takeRequestLocked());
    EXPECT_FALSE(link.setPendingOp(LinkOp::FlashWrite));
    EXPECT_FALSE(link.requestWhenIdle(LinkOp::AlarmRead));
    EXPECT_FALSE(link.startJog(JogRequestRecord{}));
}
