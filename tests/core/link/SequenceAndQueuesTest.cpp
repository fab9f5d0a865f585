#include <gtest/gtest.h>

#include "link/ControllerLink.h"
#include "link/RequestQueues.h"

using namespace vantrel;

TEST(Sequence, MostRequestsCarryTheAdvancedValueAndWrapAfter255) {
    ControllerStatus status;
    ControllerLink link(status);
    EXPECT_EQ(link.nextSequence(RequestCode::Identify), 1);
    link.setSequence(254);
    EXPECT_EQ(link.nextSequence(RequestCode::StatusPoll), 255);
    EXPECT_EQ(link.nextSequence(RequestCode::StatusPoll), 0);
}

TEST(Sequence, AlarmReadAndFlashStepCarryTheValueBeforeAdvancing) {
    ControllerStatus status;
    ControllerLink link(status);
    link.setSequence(10);
    EXPECT_EQ(link.nextSequence(RequestCode::ReadAlarmRecord), 10);
    EXPECT_EQ(link.sequence(), 11);
    EXPECT_EQ(link.nextSequence(RequestCode::FlashWriteStep), 11);
    EXPECT_EQ(link.nextSequence(RequestCode::WriteValue), 13);
    link.setSequence(255);
    EXPECT_EQ(link.nextSequence(RequestCode::FlashWriteStep), 255);
    EXPECT_EQ(link.sequence(), 0);
}

TEST(ControllerLinkClosed, SendsNothingAndKeepsThePendingOperation) {
    ControllerStatus status;
    ControllerLink link(status);
    const std::uint8_t frame[4] = {2, 0, 4, 0};
    EXPECT_EQ(link.send(frame, 4), 0u);
    EXPECT_FALSE(link.setPendingOp(LinkOp::FlashWrite));
    EXPECT_EQ(link.pendingOp(), 0);
    EXPECT_FALSE(link.open("vantrel-no-such-port", nullptr));
    EXPECT_FALSE(link.isOpen());
}

TEST(RequestQueues, FifoPerQueueAndTheWriteSinkReachesTheRightQueue) {
    RequestQueues q;
    ControllerWriteSink& sink = q;
    sink.queueValueWrite(28, 1, 3);
    sink.queueValueWrite(52, 2, 100);
    sink.queueAxisParameterWrite(296, 2, 4000);
    EXPECT_TRUE(q.queueValueRead(0xAA54, 2));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{28, 1, 3}));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{52, 2, 100}));
    EXPECT_FALSE(q.popValueWrite());
    EXPECT_EQ(q.popAxisParameterWrite(), (QueuedValue{296, 2, 4000}));
    EXPECT_EQ(q.popValueRead(), (QueuedValue{0xAA54, 2, 0}));
}

TEST(RequestQueues, EachQueueDropsPushesBeyond256) {
    RequestQueues q;
    for (int i = 0; i < 256; ++i) {
        q.queueValueWrite(static_cast<std::uint32_t>(i), 1, i);
        q.queueAxisParameterWrite(static_cast<std::uint32_t>(i), 1, i);
        EXPECT_TRUE(q.queueValueRead(static_cast<std::uint32_t>(i), 1));
    }
    q.queueValueWrite(999, 1, 1);
    q.queueAxisParameterWrite(999, 1, 1);
    EXPECT_FALSE(q.queueValueRead(999, 1));
    EXPECT_FALSE(q.pushValueWrite({999, 1, 1}));
    EXPECT_EQ(q.valueWriteCount(), 256u);
    EXPECT_EQ(q.axisParameterWriteCount(), 256u);
    EXPECT_EQ(q.valueReadCount(), 256u);
    // The oldest entries are kept, the 257th is the one dropped.
    EXPECT_EQ(q.popValueWrite()->address, 0u);
    EXPECT_TRUE(q.pushValueWrite({1000, 1, 1}));
}

TEST(RequestQueues, IdentifyClearsWritesButKeepsReadBacks) {
    RequestQueues q;
    q.queueValueWrite(28, 1, 3);
    q.queueAxisParameterWrite(296, 2, 1);
    q.queueValueRead(28, 1);
    q.clearWrites();
    EXPECT_EQ(q.valueWriteCount(), 0u);
    EXPECT_EQ(q.axisParameterWriteCount(), 0u);
    EXPECT_EQ(q.valueReadCount(), 1u);
}
