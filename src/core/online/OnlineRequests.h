#pragma once

#include <cstdint>
#include <optional>

#include "data/ControllerWriteSink.h"
#include "link/ControllerLink.h"

namespace vantrel {

// Requests the online windows hand to the link.

enum class AlarmRecordRequest { Made, LinkBusy, PortClosed };

// Makes the read of the controller's alarm record the link's pending
// operation. It takes the place of status polling only: while another
// operation is pending (a JOG held, a settings transfer and the program read
// it leads into) nothing is changed and the caller asks again later, so the
// request can never cut such a chain short.
AlarmRecordRequest requestAlarmRecord(ControllerLink& link);

// The status monitor's speed buttons: queue the write of the speed override
// level one step down or up from `level` (controller address 28, 1 byte) and
// return the new level; nothing at the end of the range. The settings image
// follows with the read-back of the accepted write.
std::optional<std::uint8_t> queueSpeedLevelStep(ControllerWriteSink& sink, std::uint8_t level, bool up);

}  // namespace vantrel
