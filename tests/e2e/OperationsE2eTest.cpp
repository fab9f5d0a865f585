#include "E2eSupport.h"

#include <future>

using namespace vantrel;
using namespace vantrel::e2e;

TEST_F(LinkE2e, FlashWriteRunsItsThreeStepsAndCompletes) {
    connectEditTest();
    ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(sim.flashStepsDone(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sim.flashWriteCount(), 1);
    std::vector<int> percents;
    for (const auto& p : events.progressList()) percents.push_back(p.percent);
    EXPECT_EQ(percents, (std::vector<int>{33, 66, 99, 100}));
    EXPECT_TRUE(events.verifyErrors().empty());
}

TEST_F(LinkE2e, FlashWriteCancelledAfterAStepStopsSilently) {
    connectEditTest();
    // The cancel button: the interrupt flag is set while step 0 is on its way.
    {
        std::lock_guard g(link.lock());
        ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
        link.interruptFlag.store(true);
    }
    ASSERT_TRUE(backToPolling());
    EXPECT_EQ(sim.flashStepsDone(), std::vector<int>{0});
    EXPECT_TRUE(events.results().empty());  // the window closed itself with 255
    EXPECT_TRUE(events.progressList().empty());
    link.interruptFlag.store(false);
}

TEST_F(LinkE2e, FlashWriteStepRefusedFails) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.flashFailStep = 1; });
    ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(sim.flashStepsDone(), std::vector<int>{0});
    ASSERT_TRUE(backToPolling());
    EXPECT_EQ(events.results(), std::vector<int>{kFailed});
}

TEST_F(LinkE2e, FlashWriteVerifyErrorIsNotified) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.flashVerifyErrorStep = 0; });
    ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    ASSERT_TRUE(events.waitResult());
    EXPECT_EQ(events.verifyErrors(), std::vector<int>{kSettingFailed});
}

TEST_F(LinkE2e, FlashWriteAnsweredWithAnotherSequenceFails) {
    connectEditTest();
    link.setTimeouts(20ms, 1000ms);
    setFaults([](SimFaults& f) { f.wrongSequence = CodeFault::always(0xC1); });
    ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    ASSERT_TRUE(backToPolling());
    const auto results = events.results();
    EXPECT_EQ(results.back(), kFailed);  // no step completed
    for (int r : results) EXPECT_EQ(r, kFailed);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(LinkE2e, InitialiseSendsItsScopeAndCompletes) {
    connectEditTest();
    ASSERT_TRUE(thread.startInitialise(InitialiseWhat::AxisSettings));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(sim.lastInitialiseScope(), 1);
    EXPECT_EQ(events.progressList().front().percent, 50);
}

TEST_F(LinkE2e, InitialiseWithoutAnswerFails) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.noReply = CodeFault::always(0x13); });
    ASSERT_TRUE(thread.startInitialise(InitialiseWhat::AllData));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_TRUE(link.isOpen());
}

TEST_F(LinkE2e, StatusPollBringsInputsInvertedBackAndSendsOutputs) {
    SimStatus s;
    s.generalInputs = 0x8421;
    s.driverInputs = {0x19, 0x01, 0x00, 0x11};  // no ALM bit: the alarm reset below clears it
    s.hostInputs = 0x0005;
    s.sensorInputs = 0xA05C;
    s.pulseAxes[2].commandPosition = -123456;
    s.pulseAxes[3].detectedSpeed = 4000;
    s.networkDrivers[5].values.commandPosition = 777;  // driver 6: group 1, slot 1
    s.runFlags[4] = 2;
    sim.setStatus(s);
    status.selectedNetworkGroup.store(1);
    connectEditTest();
    // Set once the controller is known: what was set before does not go out.
    status.generalOutputs.store(0x00F1);
    status.driverOutputs[1].store(0x05);
    status.alarmResetRequest.store(kAlarmResetRequest);
    status.runRequest.store(static_cast<std::uint8_t>(RunRequest::Start));
    ASSERT_TRUE(RecordingEvents::eventually([&] { return status.generalInputs.load() == 0x8421; }));
    EXPECT_EQ(status.driverInputs[0].load(), 0x19);
    EXPECT_EQ(status.driverInputs[3].load(), 0x11);
    EXPECT_EQ(status.hostInputs.load(), 0x0005);
    EXPECT_EQ(status.sensorInputs.load(), 0xA05C);
    EXPECT_EQ(status.axisCommandPosition[2].load(), -123456);
    EXPECT_EQ(status.axisDetectedSpeed[3].load(), 4000);
    EXPECT_TRUE(RecordingEvents::eventually([&] { return status.networkCommandPosition[1].load() == 777; }));
    EXPECT_TRUE(status.isRunning());
    // Outputs reached the controller, and the one-shot fields went out once.
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.outputs().lastRunRequest != 0; }));
    const SimOutputs out = sim.outputs();
    EXPECT_EQ(out.generalOutputs, 0x00F1);
    EXPECT_EQ(out.driverOutputs[1], 0x05);
    EXPECT_EQ(out.alarmResets, 1);
    EXPECT_EQ(out.lastRunRequest, 0xD7);
    EXPECT_EQ(status.alarmResetRequest.load(), 0);
    EXPECT_EQ(status.runRequest.load(), 0);
    // What the poll reads back overwrites the output words.
    EXPECT_EQ(status.generalOutputs.load(), 0x00F1);
}

TEST_F(LinkE2e, AlarmRecordIsReadIntoTheStatus) {
    sim.setAlarmHistory({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    connectEditTest();
    ASSERT_TRUE(thread.startOperation(LinkOp::AlarmRead));
    ASSERT_TRUE(RecordingEvents::eventually([&] { return events.alarmReads() == 1; }));
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(status.alarmRecord[i].load(), 9 - i);
}

TEST_F(LinkE2e, HeldJogRepeatsUntilReleasedAndStopIsSentOnce) {
    connectEditTest();
    LinkPauses pauses = thread.pauses();
    pauses.heldJog = 1h;  // held without renewals for as long as the test takes
    thread.setPauses(pauses);
    JogRequestRecord jog;
    jog.setOperation(JogRequestRecord::kJogForward);
    jog.setAxis(1);
    jog.setSpeed(1000);
    jog.setAccelTime(100);
    ASSERT_TRUE(link.startJog(jog));
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0x0B) >= 3; }));
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::Jog));
    ASSERT_TRUE(link.setPendingOp(LinkOp::Idle));  // button released
    JogRequestRecord stop;
    stop.setOperation(JogRequestRecord::kStop);
    stop.setAxis(1);
    int before = 0;
    {
        // Between two passes: a held JOG that was on its way has gone out.
        std::lock_guard g(link.lock());
        before = sim.requestCount(0x0B);
        ASSERT_TRUE(link.startJog(stop));
    }
    ASSERT_TRUE(RecordingEvents::eventually([&] { return link.pendingOp() == 0xAA && sim.requestCount(0x0B) == before + 1; }));
    const int polls = sim.requestCount(0xAA);
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0xAA) > polls + 1; }));
    EXPECT_EQ(sim.requestCount(0x0B), before + 1);
    EXPECT_EQ(sim.lastRequest(0x0B)[32], JogRequestRecord::kStop);
}

TEST_F(LinkE2e, AWriteToAHungUpLineClosesTheLinkWithTheWarningAndResultTwo) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.hangUpAfterBytes = 0; });
    ASSERT_TRUE(RecordingEvents::eventually([&] { return !link.isOpen(); }));
    EXPECT_TRUE(RecordingEvents::eventually([&] { return !events.linkLosses().empty(); }));
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{false});
    EXPECT_EQ(status.modeWord.load(), 0);
    EXPECT_EQ(link.pendingOp(), 0);
    // The failed write also ends a progress window, once, with result 2.
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(events.results(), std::vector<int>{kFailed});
}

TEST_F(LinkE2e, StoppingTheThreadDuringATransferEndsItAndLeavesNoThread) {
    connectEditTest();
    std::atomic<bool> started{false};
    events.onProgress = [&](int, int) { started.store(true); };
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_TRUE(RecordingEvents::eventually([&] { return started.load(); }));
    thread.stop();
    EXPECT_FALSE(thread.isRunning());
    EXPECT_TRUE(events.results().empty());  // no result for the abandoned transfer
    // The link is still usable by a new thread.
    const std::size_t from = events.progressCount();
    ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    thread.start();
    EXPECT_EQ(events.waitResult(from), std::optional<int>(kDone));
}

TEST_F(LinkE2e, FlashStepsAndTheAlarmReadCarryTheSequenceBeforeAdvancingOnTheWire) {
    sim.setAlarmHistory({3, 1, 4, 1, 5, 9, 2, 6, 5, 3});
    connectEditTest();
    {
        // Start from a known counter while the link thread waits for the lock.
        std::lock_guard g(link.lock());
        link.setSequence(100);
        ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    }
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    // Steps 0, 1, 2 went out as 100, 101, 102 (the advanced value would end at 103),
    // and each reply echoing them was taken.
    EXPECT_EQ(sim.lastRequest(0xC1).at(1), 102);
    EXPECT_EQ(sim.flashStepsDone(), (std::vector<int>{0, 1, 2}));
    {
        std::lock_guard g(link.lock());
        link.setSequence(255);
        ASSERT_TRUE(thread.startOperation(LinkOp::AlarmRead));
    }
    ASSERT_TRUE(RecordingEvents::eventually([&] { return events.alarmReads() == 1; }));
    EXPECT_EQ(sim.lastRequest(0x19).at(1), 255);
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(status.alarmRecord[i].load(), sim.alarmHistory()[i]);
}

TEST_F(LinkE2e, StartingAnOperationDoesNotWaitForAnExchangeInFlight) {
    connectEditTest();
    ASSERT_TRUE(stallInAPoll());
    // Were the request to wait for the link lock, it would wait the hour.
    EXPECT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::FlashWrite));
    EXPECT_EQ(sim.requestCount(0xC1), 0);  // taken only after the exchange
}

TEST_F(LinkE2e, DisconnectingFromAControllerThatStoppedAnsweringCutsTheReadInFlightShort) {
    connectEditTest();
    ASSERT_TRUE(stallInAPoll());
    // The disconnect command; were it to wait out the read, it would wait the hour.
    auto disconnect = std::async(std::launch::async, [&] {
        link.silentDisconnect.store(true);
        link.linkLost();
    });
    if (disconnect.wait_for(60s) != std::future_status::ready) {
        thread.stop();  // ends the read, so the test ends too
        FAIL() << "the disconnect waited for the read in flight";
    }
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});
    // The link goes on: the same controller, answering again, is found anew.
    setFaults([](SimFaults& f) { f.noReply = {}; });
    link.setTimeouts(kTestReadTimeout, 1000ms);
    EXPECT_EQ(connect(), std::optional<int>(kEditTestMode));
}

TEST_F(LinkE2e, ARequestTheLinkNeverTookEndsWithResultTwoWhenTheLinkIsLost) {
    connectEditTest();
    {
        std::lock_guard g(link.lock());  // the link thread is between two passes
        ASSERT_TRUE(thread.startOperation(LinkOp::FlashWrite));
        link.silentDisconnect.store(true);
        link.linkLost();  // the disconnect command
        EXPECT_FALSE(thread.startOperation(LinkOp::FlashWrite));
    }
    EXPECT_EQ(events.results(), std::vector<int>{kFailed});  // the progress window closes
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::Identify));
    EXPECT_EQ(sim.requestCount(0xC1), 0);
}
