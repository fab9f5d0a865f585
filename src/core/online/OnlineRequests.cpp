#include "online/OnlineRequests.h"

#include <mutex>

#include "app/SpeedLevel.h"
#include "data/SettingsImage.h"

namespace vantrel {

AlarmRecordRequest requestAlarmRecord(ControllerLink& link) {
    if (!link.isOpen()) return AlarmRecordRequest::PortClosed;
    const std::lock_guard guard(link.lock());
    if (!link.isOpen()) return AlarmRecordRequest::PortClosed;
    if (link.pendingOpLocked() != static_cast<std::uint8_t>(LinkOp::Idle)) return AlarmRecordRequest::LinkBusy;
    link.setPendingOpLocked(static_cast<std::uint8_t>(LinkOp::AlarmRead));
    return AlarmRecordRequest::Made;
}

std::optional<std::uint8_t> queueSpeedLevelStep(ControllerWriteSink& sink, std::uint8_t level, bool up) {
    const auto next = steppedSpeedLevel(level, up);
    if (next) sink.queueValueWrite(address::kSpeedOverrideLevel, 1, *next);
    return next;
}

}  // namespace vantrel
