#include "online/OnlineRequests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SilentPort.h"

using namespace vantrel;

namespace {

struct RecordingSink : ControllerWriteSink {
    std::vector<std::pair<std::uint32_t, std::int32_t>> writes;
    void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override {
        EXPECT_EQ(size, 1);
        writes.emplace_back(address, value);
    }
    void queueAxisParameterWrite(std::uint32_t, std::uint16_t, std::int32_t) override { ADD_FAILURE(); }
};

}  // namespace

TEST(OnlineRequests, SpeedButtonsQueueTheNextLevelOnly) {
    struct Case {
        std::uint8_t level;
        bool up;
        std::optional<std::uint8_t> next;
    };
    const Case cases[] = {{0, false, std::nullopt}, {4, true, std::nullopt}, {0, true, 1}, {4, false, 3}, {2, true, 3}};
    for (const Case& c : cases) {
        RecordingSink sink;
        EXPECT_EQ(queueSpeedLevelStep(sink, c.level, c.up), c.next);
        if (c.next) {
            ASSERT_EQ(sink.writes.size(), 1u);
            EXPECT_EQ(sink.writes[0], (std::pair<std::uint32_t, std::int32_t>{28, *c.next}));
        } else {
            EXPECT_TRUE(sink.writes.empty());
        }
    }
}

TEST(OnlineRequests, AlarmRecordReadTakesOnlyTheIdleLink) {
    ControllerStatus status;
    ControllerLink link(status);
    EXPECT_EQ(requestAlarmRecord(link), AlarmRecordRequest::PortClosed);

    // Nobody answers on the port, and no link thread runs, so the pending
    // operation stays as set here.
    const test::SilentPort port;
    ASSERT_TRUE(port.made());
    ASSERT_TRUE(link.open(port.name(), nullptr));
    EXPECT_EQ(requestAlarmRecord(link), AlarmRecordRequest::LinkBusy);  // identify pending
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::Identify));
    link.setPendingOpLocked(static_cast<std::uint8_t>(LinkOp::Idle));  // identified: polling
    EXPECT_EQ(requestAlarmRecord(link), AlarmRecordRequest::Made);
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::AlarmRead));
    ASSERT_TRUE(link.setPendingOp(LinkOp::Jog));  // a held JOG is not cut short
    EXPECT_EQ(requestAlarmRecord(link), AlarmRecordRequest::LinkBusy);
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::Jog));
    link.close();
}
