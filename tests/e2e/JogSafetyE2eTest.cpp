// A JOG of the test-operation window cannot outlive its button: the window's
// session drives the real link thread and the simulated controller moves its
// axis in real time. However the hold ends, the status polls report the axis
// standing within the link's dead-man time and one deceleration, and it stays.
#include "E2eSupport.h"

#include "data/DefaultImage.h"
#include "online/JogSession.h"
#include "online/OnlineRequests.h"

using namespace vantrel;
using namespace vantrel::e2e;
using Clock = std::chrono::steady_clock;

class JogE2e : public LinkE2e {
protected:
    static constexpr auto kDeceleration = 100ms;  // 10 mm/s to the start speed

    void SetUp() override {
        LinkE2e::SetUp();
        PulseAxisRecord(settings, 0).setModel(2);                               // axis 1: QS, mm
        settings.writePosition(0, layout::kPointTableFirstIndex, 1000000);  // P1001 far away
        sim.loadSettingsImage(settings);
        sim.setMotionModel(MotionModel::Timed);
        fields.jogAccel = fields.testAccel = "0.10";
        connectEditTest();
    }
    // The window's 50 ms ticks with the button held, for 300 ms.
    void hold(JogSession& session) {
        for (const auto end = Clock::now() + 300ms; Clock::now() < end; std::this_thread::sleep_for(50ms))
            ASSERT_FALSE(session.tick(JogHeld::Forward, settings, 0, fields));
        ASSERT_NE(status.axisCommandSpeed[0].load(), 0);
    }
    // Waits up to `bound` (running `tick` every 50 ms) for a poll that reports
    // the axis standing, then for three more that keep it where it stands with
    // no JOG request between them; true when both came.
    bool stands(Clock::duration bound, const std::function<void()>& tick = [] {}) {
        const auto end = Clock::now() + bound;
        for (bool standing = false; !standing; standing = status.axisCommandSpeed[0].load() == 0) {
            if (Clock::now() > end) return false;
            tick();
            const std::uint32_t replies = status.statusReplies.load();
            if (!RecordingEvents::eventually([&] { return status.statusReplies.load() != replies; })) return false;
        }
        const std::int32_t at = status.axisCommandPosition[0].load();
        const int jogs = sim.requestCount(0x0B);
        const std::uint32_t replies = status.statusReplies.load();
        return RecordingEvents::eventually([&] { return status.statusReplies.load() >= replies + 3; }) &&
               status.axisCommandPosition[0].load() == at && sim.requestCount(0x0B) == jogs;
    }
    int lastJogOperation() const { return sim.lastRequest(0x0B).at(32); }

    SettingsImage settings = makeDefaultSettingsImage();
    JogFields fields;
};

TEST_F(JogE2e, AReleaseRacedByTheAlarmHistoryReadStillEndsTheJog) {
    JogSession session(link, status);
    hold(session);
    // The alarm monitor asks for its history until the link takes the request.
    bool historyWanted = true;
    auto retryHistory = [&] { historyWanted = historyWanted && requestAlarmRecord(link) == AlarmRecordRequest::LinkBusy; };
    {
        // The button comes up and the history retry runs, both before the link's next pass.
        std::lock_guard g(link.lock());
        ASSERT_FALSE(session.tick(JogHeld::None, settings, 0, fields));
        retryHistory();
    }
    EXPECT_TRUE(stands(3s, [&] {
        session.tick(JogHeld::None, settings, 0, fields);
        retryHistory();
    }));
    EXPECT_TRUE(RecordingEvents::eventually([&] { return retryHistory(), events.alarmReads() == 1; }));
}

TEST_F(JogE2e, AJogWhoseRenewalsStopEndsWithinTheDeadManTimeAndOneDeceleration) {
    JogSession session(link, status);
    hold(session);
    // The window freezes: no tick, no release.
    const Clock::time_point frozen = Clock::now();
    EXPECT_TRUE(stands(5s));
    // The slack covers the polls that show it.
    EXPECT_LT(Clock::now() - frozen, kHeldJogDeadMan + kDeceleration + 1s);
    EXPECT_EQ(lastJogOperation(), JogRequestRecord::kStop);
}

TEST_F(JogE2e, AForcedEndAndAWindowClosedDuringATestRunSendTheStop) {
    LinkPauses pauses = thread.pauses();
    pauses.heldJog = 1h;  // only the session can stop the axis here
    thread.setPauses(pauses);
    for (const bool testRun : {false, true}) {
        SCOPED_TRACE(testRun ? "closed during a test run" : "button taken while held");
        JogSession session(link, status);
        if (testRun) {
            ASSERT_FALSE(session.press(JogButton::TestRun, settings, 0, fields));
            ASSERT_TRUE(RecordingEvents::eventually([&] { return status.axisCommandSpeed[0].load() != 0; }));
            session.close();
        } else {
            hold(session);
            session.forceEnd();
        }
        EXPECT_TRUE(stands(kDeceleration + 1s));
        EXPECT_EQ(lastJogOperation(), JogRequestRecord::kStop);
    }
}
