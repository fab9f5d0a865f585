// Requests of other threads reach the link thread through one slot, taken at
// the start of its next pass.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/SilentPort.h"
#include "link/ControllerLink.h"
#include "link/LinkThread.h"

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
    // Throws away what the link wrote, so that the line never fills.
    void drainLine() { port_.drain(); }
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

TEST_F(OpenLink, AnIdleOnlyRequestNeverReplacesAWaitingRequestNorCutsAnOperationShort) {
    struct Case {
        const char* what;
        bool pollingWaits;        // a request for polling waits in the slot (a JOG just released)
        LinkOp pendingAtRequest;  // what the link does when the request is made
        LinkOp pendingAtPass;     // what it has moved on to when its next pass begins
        bool made;
        bool takenAtPass;
    };
    const Case cases[] = {
        {"idle throughout", false, LinkOp::Idle, LinkOp::Idle, true, true},
        {"a settings write moved on to area 2", false, LinkOp::Idle, LinkOp::SettingsWriteArea2, true, false},
        {"a held JOG", false, LinkOp::Jog, LinkOp::Jog, false, false},
        {"a settings read leading into the program read", false, LinkOp::ProgramRead, LinkOp::ProgramRead, false,
         false},
        {"a released JOG", true, LinkOp::Jog, LinkOp::Jog, false, true},
        {"polling asked for on the idle link", true, LinkOp::Idle, LinkOp::Idle, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        link.takeRequestLocked();  // an empty slot
        link.setPendingOpLocked(op(c.pendingAtRequest));
        ASSERT_TRUE(!c.pollingWaits || link.setPendingOp(LinkOp::Idle));
        EXPECT_EQ(link.requestWhenIdle(LinkOp::AlarmRead), c.made);
        link.setPendingOpLocked(op(c.pendingAtPass));
        const auto taken = link.takeRequestLocked();
        EXPECT_EQ(taken.has_value(), c.takenAtPass);
        EXPECT_EQ(taken ? taken->op : 0, c.takenAtPass ? op(c.pollingWaits ? LinkOp::Idle : LinkOp::AlarmRead) : 0);
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

TEST_F(OpenLink, AHeldJogNoLongerRenewedEndsWithTheStopByItself) {
    using namespace std::chrono_literals;
    using Clock = std::chrono::steady_clock;
    RequestQueues queues;
    SettingsImage image;
    LinkThread thread(link, queues, status, image);
    link.setTimeouts(5ms, 1000ms);  // nobody answers: each JOG exchange waits this long
    LinkPauses pauses;
    pauses.heldJog = 60ms;
    thread.setPauses(pauses);
    JogRequestRecord held;
    held.setOperation(JogRequestRecord::kJogBackward);
    held.setAxis(9);
    // Renewed on every pass for well past the dead-man time: the JOG goes on.
    Clock::time_point lastRenewal;
    for (const auto pressed = Clock::now(); Clock::now() - pressed < 4 * pauses.heldJog; drainLine()) {
        lastRenewal = Clock::now();
        ASSERT_TRUE(link.startJog(held));
        thread.runOnce();
    }
    EXPECT_EQ(link.pendingOp(), op(LinkOp::Jog));
    // The renewals stop (a window that froze): the last JOG sent is the stop, then polling.
    while (link.pendingOp() == op(LinkOp::Jog) && Clock::now() - lastRenewal < 2s) {
        thread.runOnce();
        drainLine();
    }
    EXPECT_GE(Clock::now() - lastRenewal, pauses.heldJog);
    EXPECT_EQ(link.pendingOp(), op(LinkOp::Idle));
    const std::lock_guard guard(link.lock());
    EXPECT_EQ(link.jogRequestLocked().bytes, JogRequestRecord::stopOf(9).bytes);
}
