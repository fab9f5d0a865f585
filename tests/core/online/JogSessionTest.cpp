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

namespace {

// What the link thread takes at its next pass: the operation, and the JOG
// record's operation and axis when it is a JOG request. The link is left as
// after that pass: repeating a held JOG, polling after anything else.
struct Taken {
    std::uint8_t op = 0;
    std::uint8_t operation = 0;
    std::uint8_t axis = 0;
    bool operator==(const Taken&) const = default;
};
Taken take(ControllerLink& link) {
    const std::lock_guard guard(link.lock());
    const std::optional<LinkRequest> request = link.takeRequestLocked();
    if (!request) return {};
    link.setPendingOpLocked(request->jog && request->jog->repeats() ? kJog : kIdle);
    return {request->op, request->jog ? request->jog->operation() : std::uint8_t(0),
            request->jog ? request->jog->axis() : std::uint8_t(0)};
}

constexpr std::uint8_t kRivo14 = 17;  // network driver 14

}  // namespace

TEST(JogSession, AReleaseReturnsToPollingAndEveryOtherEndOfAHeldJogSendsTheStop) {
    enum class End { Release, TakenAway, FailedCheck, ModeLeft, WindowClosed };
    struct Case {
        const char* what;
        End end;
        std::uint8_t axis;
        Taken taken;
        bool refused;  // a message for the user
    };
    const Case cases[] = {
        {"the button came up", End::Release, 0, {kIdle, 0, 0}, false},
        {"focus, activation, a modal box or hiding took it", End::TakenAway, kRivo14, {kJog, 7, kRivo14}, false},
        {"a field failed its check", End::FailedCheck, 0, {kJog, 7, 0}, true},
        {"the controller left edit-test mode", End::ModeLeft, kRivo14, {kJog, 7, kRivo14}, false},
        {"the window closed", End::WindowClosed, 0, {kJog, 7, 0}, false},
    };
    const SettingsImage img = connectedImage();
    JogFields bad;
    bad.jogSpeed = "05";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::OpenLink open;
        ASSERT_TRUE(open.opened);
        JogSession session(open.link, open.status);
        ASSERT_FALSE(session.tick(JogHeld::Forward, img, c.axis, {}));
        EXPECT_EQ(take(open.link), (Taken{kJog, 1, c.axis}));
        if (c.end == End::ModeLeft) open.status.modeWord.store(2);
        MaybeRefusal refusal;
        switch (c.end) {
        case End::Release: refusal = session.tick(JogHeld::None, img, c.axis, {}); break;
        case End::TakenAway: session.forceEnd(); break;
        case End::FailedCheck: refusal = session.tick(JogHeld::Forward, img, c.axis, bad); break;
        case End::ModeLeft: refusal = session.tick(JogHeld::Forward, img, c.axis, {}); break;
        case End::WindowClosed: session.close(); break;
        }
        EXPECT_EQ(refusal.has_value(), c.refused);
        EXPECT_EQ(take(open.link), c.taken);
        // Nothing more is asked of the link; outside edit-test mode no motion is placed at all.
        EXPECT_FALSE(session.tick(JogHeld::None, img, c.axis, {}));
        EXPECT_FALSE(session.press(JogButton::InchForward, img, c.axis, {}));
        EXPECT_EQ(take(open.link).op, c.end == End::ModeLeft ? 0 : kJog);
    }
}

TEST(JogSession, EveryTickWithoutTheButtonAsksForPollingWhileTheLinkStillRepeatsAJog) {
    struct Case {
        const char* what;
        bool stopWaits;
        LinkOp pending;
        Taken taken;
    };
    const Case cases[] = {
        {"the link repeats a JOG", false, LinkOp::Jog, {kIdle, 0, 0}},
        {"a stop waits", true, LinkOp::Jog, {kJog, 7, 0}},
        {"the link polls", false, LinkOp::Idle, {}},
    };
    const SettingsImage img = connectedImage();
    test::OpenLink open;
    ASSERT_TRUE(open.opened);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A session whose one request for polling did not reach the link.
        JogSession session(open.link, open.status);
        take(open.link);
        {
            const std::lock_guard guard(open.link.lock());
            open.link.setPendingOpLocked(static_cast<std::uint8_t>(c.pending));
        }
        ASSERT_TRUE(!c.stopWaits || open.link.startJog(JogRequestRecord::stopOf(0)));
        ASSERT_FALSE(session.tick(JogHeld::None, img, 0, {}));
        EXPECT_EQ(take(open.link), c.taken);
    }
}

TEST(JogSession, ClosingTheWindowStopsAOneShotMotionUnlessItsAxisIsReportedStanding) {
    struct Case {
        const char* what;
        JogButton pressed;
        std::uint8_t axis;
        std::uint32_t pollsSince;  // status replies after the press
        std::int32_t speed;        // the command speed they report
        bool stopped;
    };
    const Case cases[] = {
        {"inching not yet reported", JogButton::InchForward, 0, 1, 0, true},
        {"inching reported moving", JogButton::InchForward, 0, 3, 500, true},
        {"inching reported standing", JogButton::InchForward, 0, 3, 0, false},
        {"home return of a network driver moving", JogButton::Home, kRivo14, 2, -80, true},
        {"a stop pressed last", JogButton::Stop, 0, 0, 0, false},
    };
    const SettingsImage img = connectedImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::OpenLink open;
        ASSERT_TRUE(open.opened);
        JogSession session(open.link, open.status);
        ASSERT_FALSE(session.press(c.pressed, img, c.axis, {}));
        take(open.link);
        open.status.statusReplies.fetch_add(c.pollsSince);
        (c.axis == kRivo14 ? open.status.networkCommandSpeed[1] : open.status.axisCommandSpeed[0]).store(c.speed);
        session.close();
        EXPECT_EQ(take(open.link), (c.stopped ? Taken{kJog, 7, c.axis} : Taken{}));
    }
}
