#include <random>

#include "E2eSupport.h"

using namespace vantrel;
using namespace vantrel::e2e;

namespace {

SettingsImage randomImage(unsigned seed) {
    SettingsImage image;
    std::mt19937 rng(seed);
    for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
    return image;
}

// Bytes of the image that no settings transfer carries: the flag words other
// than the four sensor logic bytes (the read brings the controller's own) and
// the reserved last byte.
bool carriedByTransfer(std::size_t offset) {
    if (offset == layout::kReservedLast) return false;
    if (offset >= layout::kFlagWords && offset < layout::kFlagWords + layout::kFlagWordsSize) {
        const std::size_t k = offset - layout::kFlagWords;
        return k >= 4 && k <= 7;
    }
    return true;
}

}  // namespace

TEST_F(LinkE2e, SettingsWriteThenReadGivesBackTheSameImage) {
    connectEditTest();
    const SettingsImage written = randomImage(7);
    image = written;
    {
        std::lock_guard g(link.lock());
        ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    }
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(sim.settingsAreasAccepted(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(events.verifyErrors().empty());
    // Area 2 ends at 100 % without a result; the single values follow area 3.
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x07), 117);
    EXPECT_EQ(sim.requestCount(0x09), 117);
    EXPECT_EQ(image, written);  // read-backs store what was written

    image = SettingsImage{};
    const std::size_t from = events.progressCount();
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    ASSERT_EQ(events.waitResult(from), std::optional<int>(kDone));  // the program read that follows
    EXPECT_EQ(events.settingsReads(), 1);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i) {
        if (!carriedByTransfer(i)) continue;
        if (image.u8(i) != written.u8(i) && ++differing < 10) ADD_FAILURE() << "offset " << i;
    }
    EXPECT_EQ(differing, 0u);
    // The bytes no transfer carries come from the controller's flag area / stay.
    EXPECT_EQ(image.u8(layout::kReservedLast), 0);
}

TEST_F(LinkE2e, SettingsReadFillsTheImageFromTheController) {
    SettingsImage controller = randomImage(11);
    controller.setU8(layout::kReservedLast, 0);
    sim.loadSettingsImage(controller);
    connectEditTest();
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(image, sim.settingsImage());
    EXPECT_EQ(image, controller);
    // Progress rose through both bulk phases.
    const auto list = events.progressList();
    EXPECT_GE(list.size(), 3u);
    EXPECT_EQ(events.programReads().size(), 1u);
}

TEST_F(LinkE2e, SettingsReadWithoutPhaseZeroAnswerLeavesTheImageAndStillReadsTheProgram) {
    connectEditTest();
    image = randomImage(3);
    const SettingsImage before = image;
    sim.setProgramFile("PROG\r\n");
    setFaults([](SimFaults& f) { f.noReply = CodeFault::times(0x01, 1); });
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(image, before);
    EXPECT_EQ(events.settingsReads(), 1);
    EXPECT_EQ(readFile(dir / "Ncstep.sys"), "PROG\r\n");
}

TEST_F(LinkE2e, HangUpInTheMiddleOfABulkReadEndsWithResultTwoAndTheWarning) {
    connectEditTest();
    image = randomImage(5);
    const SettingsImage before = image;
    {
        // Set the fault and start while the link thread is between operations.
        std::lock_guard g(link.lock());
        setFaults([](SimFaults& f) { f.hangUpAfterBytes = 40 + 30000; });
        ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    }
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{false});  // "USBが切断されました。"
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(image, before);  // phase 1 never completed: nothing copied
    EXPECT_EQ(events.settingsReads(), 0);
    EXPECT_EQ(status.modeWord.load(), 0);
}

TEST_F(LinkE2e, HangUpDuringPhaseTwoKeepsThePulseAxisRecordsAlreadyCopied) {
    SettingsImage controller = randomImage(13);
    controller.setU8(layout::kReservedLast, 0);
    sim.loadSettingsImage(controller);
    connectEditTest();
    const SettingsImage before = image;
    {
        std::lock_guard g(link.lock());
        setFaults([](SimFaults& f) { f.hangUpAfterBytes = 40 + 65536 + 100000; });
        ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    }
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{false});
    for (std::size_t i = 0; i < SettingsImage::kSize; ++i) {
        const bool pulseAxis = i >= layout::kPulseAxes && i < layout::kFlagWords;
        ASSERT_EQ(image.u8(i), pulseAxis ? controller.u8(i) : before.u8(i)) << "offset " << i;
    }
}

TEST_F(LinkE2e, SettingsWriteRefusedInAreaTwoFailsAndQueuesNoSingleValues) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.rejectSettingsArea = 2; });
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(sim.settingsAreasAccepted(), std::vector<int>{1});
    EXPECT_EQ(queues.valueWriteCount(), 0u);
    EXPECT_EQ(sim.requestCount(0x07), 0);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(LinkE2e, SettingsWriteRefusedInAreaOneStillGoesOn) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.rejectSettingsArea = 1; });
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(sim.settingsAreasAccepted(), (std::vector<int>{2, 3}));
}

TEST_F(LinkE2e, SettingsWriteReceptionFailureRaisesVerifyErrorOne) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.receptionErrorSettingsArea = 3; });
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(events.verifyErrors(), std::vector<int>{kSettingsReceptionFailed});
}

TEST_F(LinkE2e, SettingsWriteWithoutAnswerToAreaOneEndsAt98WithNoAnswer) {
    connectEditTest();
    link.setTimeouts(20ms, 1000ms);  // 20 empty reads, 100 ms apart
    setFaults([](SimFaults& f) { f.noReply = CodeFault::always(0x15); });
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kNoAnswer));
    EXPECT_EQ(events.progressList().back().percent, 98);
    EXPECT_EQ(sim.requestCount(0x15), 54);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(LinkE2e, SettingsWriteAnsweredWithAnotherSequenceIsNoAnswer) {
    connectEditTest();
    link.setTimeouts(20ms, 1000ms);
    setFaults([](SimFaults& f) { f.wrongSequence = CodeFault::always(0x15); });
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kNoAnswer));
    EXPECT_EQ(events.progressList().back().percent, 98);
    EXPECT_EQ(sim.requestCount(0x15), 54);  // area 2 never started
}

TEST_F(LinkE2e, StartingTheFlashWriteDoesNotWaitForThePauseAfterASettingsWrite) {
    connectEditTest();
    // The link thread stays in its pause after the write for as long as the
    // test lasts; only stopping the thread ends it.
    LinkPauses pauses = thread.pauses();
    pauses.settingsWritten = std::chrono::hours(1);
    thread.setPauses(pauses);
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsWriteArea1));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    // What the window does next returns at once (were the link lock held
    // through the pause, this call would wait the hour) ...
    EXPECT_TRUE(thread.startOperation(LinkOp::FlashWrite));
    // ... and the write itself still waits for the end of the pause.
    EXPECT_EQ(sim.requestCount(0xC1), 0);
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::FlashWrite));
}
