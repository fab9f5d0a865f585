#include "E2eSupport.h"

using namespace vantrel;
using namespace vantrel::e2e;

TEST_F(LinkE2e, IdentifyInEditTestModeStoresTheControllerAndStartsPolling) {
    // Writes queued before the controller is known are dropped at identify.
    queues.queueValueWrite(28, 1, 4);
    queues.queueAxisParameterWrite(296, 2, 100);
    ASSERT_EQ(connect(), std::optional<int>(kEditTestMode));
    EXPECT_EQ(status.controllerName(), "MAIN");
    EXPECT_EQ(status.controllerSecondText(), "VANTREL SIM 1.0");
    EXPECT_EQ(status.modeWord.load(), 0);
    EXPECT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0xAA) >= 2; }));
    EXPECT_EQ(queues.valueWriteCount(), 0u);
    EXPECT_EQ(queues.axisParameterWriteCount(), 0u);
    EXPECT_EQ(sim.requestCount(0x07), 0);
    EXPECT_EQ(sim.requestCount(0x0D), 0);
    EXPECT_TRUE(events.linkLosses().empty());
    EXPECT_TRUE(link.isOpen());
}

TEST_F(LinkE2e, IdentifyInAnotherModeTakesItAsCurrentAndRequestedMode) {
    sim.setModeWord(2);
    ASSERT_EQ(connect(), std::optional<int>(kOtherMode));
    EXPECT_EQ(status.modeWord.load(), 2);
    EXPECT_EQ(status.requestedMode.load(), 2);
    // The polls ask for the mode the controller is in.
    EXPECT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0xAA) >= 1; }));
    EXPECT_EQ(sim.outputs().requestedMode, 2);
}

TEST_F(LinkE2e, IdentifyOfAControllerThatIsNotMainClosesThePortSilently) {
    setFaults([](SimFaults& f) { f.identifyNotMain = true; });
    ASSERT_EQ(connect(), std::optional<int>(kNoController));
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});  // no "USBが切断されました。"
    EXPECT_FALSE(link.silentDisconnect.load());
    EXPECT_EQ(link.pendingOp(), 0);
}

TEST_F(LinkE2e, IdentifyCutShortIsNoController) {
    setFaults([](SimFaults& f) {
        f.shortReply = CodeFault::always(0x00);
        f.shortReplyLength = 40;
    });
    ASSERT_EQ(connect(), std::optional<int>(kNoController));
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});
}

// The one test that waits for the real 3 s read bound.
TEST_F(LinkE2e, IdentifyWithoutAnswerGivesUpAfterTheRealReadTimeout) {
    link.setTimeouts();  // 3000 ms read, 1000 ms write
    EXPECT_EQ(link.readTimeout(), std::chrono::milliseconds(3000));
    setFaults([](SimFaults& f) { f.noReply = CodeFault::always(0x00); });
    ASSERT_EQ(connect(), std::optional<int>(kNoController));
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});
    EXPECT_EQ(sim.requestCount(0x00), 1);
}

TEST_F(LinkE2e, ThePortIsHeldExclusivelyAndReopensAfterDisconnect) {
    connectEditTest();
    ControllerStatus otherStatus;
    ControllerLink other(otherStatus);
    EXPECT_FALSE(other.open(server.portName(), nullptr));
    // The disconnect command: silent link-lost handling.
    link.silentDisconnect.store(true);
    link.linkLost();
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});
    EXPECT_EQ(status.modeWord.load(), 0);
    EXPECT_TRUE(other.open(server.portName(), nullptr));
    other.close();
    EXPECT_EQ(connect(), std::optional<int>(kEditTestMode));
}

// Two links in one process (one per port): the flag that keeps this link's
// failed identify silent is its own, so the other port's loss still warns.
TEST_F(LinkE2e, ASilentIdentifyDoesNotSilenceTheLossOfAnotherLink) {
    ControllerSim otherSim;
    PtyServer otherServer(otherSim);
    ASSERT_TRUE(otherServer.start()) << otherServer.errorText();
    ControllerStatus otherStatus;
    RequestQueues otherQueues;
    SettingsImage otherImage;
    RecordingEvents otherEvents;  // outlives the link thread that reports to it
    ControllerLink other(otherStatus);
    LinkThread otherThread(other, otherQueues, otherStatus, otherImage);
    other.setTimeouts(kTestReadTimeout, 1000ms);
    otherThread.start();
    ASSERT_TRUE(other.open(otherServer.portName(), &otherEvents));
    ASSERT_EQ(otherEvents.waitConnection(), std::optional<int>(kEditTestMode));

    // This link waits for an identify answer that does not come.
    link.setTimeouts(1000ms, 1000ms);
    setFaults([](SimFaults& f) { f.noReply = CodeFault::always(0x00); });
    ASSERT_TRUE(link.open(server.portName(), &events));
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0x00) == 1; }));
    // Meanwhile the other controller's line goes.
    SimFaults hangUp;
    hangUp.hangUpAfterBytes = 0;
    otherSim.setFaults(hangUp);
    ASSERT_TRUE(RecordingEvents::eventually([&] { return !otherEvents.linkLosses().empty(); }));
    EXPECT_EQ(otherEvents.linkLosses(), std::vector<bool>{false});  // "USBが切断されました。"
    EXPECT_TRUE(link.isOpen());  // still waiting for the answer: the loss came while it waited
    EXPECT_EQ(events.waitConnection(), std::optional<int>(kNoController));
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{true});
}

TEST_F(LinkE2e, OpeningAMissingPortLeavesTheLinkClosed) {
    EXPECT_FALSE(link.open("vantrel-missing-port", &events));
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.setPendingOp(LinkOp::SettingsRead));
    EXPECT_FALSE(thread.startProgramSend("x"));
}

TEST_F(LinkE2e, ListingPortsLeavesTheLinkClosedWithoutWarning) {
    connectEditTest();
    const auto names = link.listPorts();
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(link.pendingOp(), 0);
    for (bool silent : events.linkLosses()) EXPECT_TRUE(silent);
    for (const auto& name : names) EXPECT_EQ(name.rfind("pts/", 0), std::string::npos) << name;
}

TEST_F(LinkE2e, NoOutputOfAnEarlierConnectionReachesAControllerThatWasReset) {
    connectEditTest();
    // Switched on by the user on the first controller: OUT3, FREE of axis 2,
    // a host output and NET-IN7 of network driver 10 (group 2 polled).
    status.selectedNetworkGroup.store(2);
    status.generalOutputs.store(0x0004);
    status.driverOutputs[1].store(0x04);
    status.hostOutputs.store(0x0001);
    status.networkOutputs[9].store(0x0080);
    ASSERT_TRUE(RecordingEvents::eventually([&] {
        const SimOutputs out = sim.outputs();
        return out.generalOutputs == 0x0004 && out.driverOutputs[1] == 0x04 && out.networkOutputs[9] == 0x0080;
    }));
    // The link drops, with requests of a last press left behind.
    link.close();
    status.runRequest.store(0xD7);
    status.alarmResetRequest.store(1);
    status.networkAlarmResetMask.store(0x0200);

    // The controller was reset meanwhile: it starts with every output off.
    ControllerSim reset;
    PtyServer line(reset);
    ASSERT_TRUE(line.start()) << line.errorText();
    ASSERT_TRUE(link.open(line.portName(), &events));
    ASSERT_TRUE(RecordingEvents::eventually([&] { return reset.requestCount(0xAA) >= 3; }));
    const SimOutputs out = reset.outputs();
    EXPECT_EQ(out.generalOutputs, 0);
    EXPECT_EQ(out.driverOutputs, (std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(out.hostOutputs & 0x0F, 0);
    EXPECT_EQ(out.networkOutputs, (std::array<std::uint16_t, 16>{}));
    EXPECT_EQ(out.lastRunRequest, 0);
    EXPECT_EQ(out.alarmResets, 0);
    EXPECT_EQ(out.networkAlarmResets, 0);
    link.close();
}
