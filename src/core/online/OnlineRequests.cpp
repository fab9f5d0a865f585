#include "online/OnlineRequests.h"

#include "app/SpeedLevel.h"
#include "data/SettingsImage.h"

namespace vantrel {

AlarmRecordRequest requestAlarmRecord(ControllerLink& link) {
    if (!link.isOpen()) return AlarmRecordRequest::PortClosed;
    // Never waits for the link: the request is left for its next idle pass.
    if (link.requestWhenIdle(LinkOp::AlarmRead)) return AlarmRecordRequest::Made;
    return link.isOpen() ? AlarmRecordRequest::LinkBusy : AlarmRecordRequest::PortClosed;
}

std::optional<std::uint8_t> queueSpeedLevelStep(ControllerWriteSink& sink, std::uint8_t level, bool up) {
    const auto next = steppedSpeedLevel(level, up);
    if (next) sink.queueValueWrite(address::kSpeedOverrideLevel, 1, *next);
    return next;
}

}  // namespace vantrel
