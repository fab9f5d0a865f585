// The JOG of the test-operation window as the link sees it: a held button
// keeps the JOG request pending, the first tick without one returns the link
// to polling, and nothing cuts another operation short.
#include "online/JogSession.h"

#include <gtest/gtest.h>

#include "OpenLink.h"
#include "data/DefaultImage.h"

using namespace vantrel;

namespace {

constexpr auto kIdle = static_cast<std::uint8_t>(LinkOp::Idle);
constexpr auto kJog = static_cast<std::uint8_t>(LinkOp::Jog);

SettingsImage connectedImage() {
    SettingsImage img = makeDefaultSettingsImage();
    PulseAxisRecord(img, 0).setModel(2);
    NetworkDriverRecord(img, 13).setModel(2);  // RIVO14, group 3
    return img;
}

// The operation of the JOG record the link thread would take next.
std::uint8_t requestedOperation(ControllerLink& link) {
    const std::lock_guard guard(link.lock());
    const std::optional<LinkRequest> request = link.takeRequestLocked();
    return request && request->jog ? request->jog->operation() : 0;
}

}  // namespace

TEST(JogSession, AHeldButtonRenewsTheJogAndTheFirstTickWithoutEndsIt) {
    test::OpenLink open;
    ASSERT_TRUE(open.opened);
    const SettingsImage img = connectedImage();
    JogSession session(open.link, open.status);
    const JogFields fields;

    // Each row is one tick: what is held, then the link's pending operation
    // and the session's last operation after it.
    struct Tick {
        JogHeld held;
        std::uint8_t pending;
        std::uint8_t last;
    };
    const Tick ticks[] = {
        {JogHeld::Forward, kJog, 1},  {JogHeld::Forward, kJog, 1},  {JogHeld::None, kIdle, 0},
        {JogHeld::None, kIdle, 0},    {JogHeld::Backward, kJog, 2}, {JogHeld::None, kIdle, 0},
    };
    for (const Tick& t : ticks) {
        EXPECT_FALSE(session.tick(t.held, img, 0, fields));
        EXPECT_EQ(open.link.pendingOp(), t.pending);
        EXPECT_EQ(session.lastOperation(), t.last);
    }
    // The link thread had set polling itself (a reply it waits for): a
    // release must not touch another operation.
    EXPECT_FALSE(session.tick(JogHeld::Forward, img, 0, fields));
    ASSERT_TRUE(open.link.setPendingOp(LinkOp::AlarmRead));
    session.release();
    EXPECT_EQ(open.link.pendingOp(), static_cast<std::uint8_t>(LinkOp::AlarmRead));
    EXPECT_FALSE(session.jogging());
}

TEST(JogSession, StopPressedWhileHeldIsNotCancelledByTheRelease) {
    test::OpenLink open;
    ASSERT_TRUE(open.opened);
    const SettingsImage img = connectedImage();
    JogSession session(open.link, open.status);
    EXPECT_FALSE(session.tick(JogHeld::Forward, img, 0, {}));
    EXPECT_FALSE(session.press(JogButton::Stop, img, 0, {}));
    EXPECT_FALSE(session.tick(JogHeld::None, img, 0, {}));
    EXPECT_EQ(open.link.pendingOp(), kJog);  // the stop still goes out
    EXPECT_EQ(requestedOperation(open.link), 7);
}

TEST(JogSession, WhatAJogRequestMayTakeThePlaceOf) {
    test::OpenLink open;
    ASSERT_TRUE(open.opened);
    struct Case {
        LinkOp pending;
        bool placed;  // stop is placed in every case
    };
    const Case cases[] = {
        {LinkOp::Idle, true},          {LinkOp::Jog, true},           {LinkOp::ValueWrite, true},
        {LinkOp::ValueRead, true},     {LinkOp::AxisParameterWrite, true}, {LinkOp::Identify, false},
        {LinkOp::SettingsRead, false}, {LinkOp::ProgramRead, false},  {LinkOp::AlarmRead, false},
        {LinkOp::FlashWrite, false},
    };
    JogRequestRecord inch;
    inch.setOperation(JogRequestRecord::kInchForward);
    JogRequestRecord stop;
    stop.setOperation(JogRequestRecord::kStop);
    for (const Case& c : cases) {
        ASSERT_TRUE(open.link.setPendingOp(c.pending));
        EXPECT_EQ(placeJogRequest(open.link, inch),
                  c.placed ? JogRequestPlacement::Made : JogRequestPlacement::LinkBusy)
            << int(c.pending);
        ASSERT_TRUE(open.link.setPendingOp(c.pending));
        EXPECT_EQ(placeJogRequest(open.link, stop), JogRequestPlacement::Made) << int(c.pending);
        EXPECT_EQ(open.link.pendingOp(), kJog);
    }
}
