#include "online/OutputRequests.h"

#include "data/ControllerMode.h"
#include "link/Protocol.h"

namespace vantrel {

bool toggleOutput(const ControllerLink& link, ControllerStatus& status, const BitRef& ref) {
    const auto editTest = static_cast<std::uint16_t>(ControllerMode::EditTest);
    if (!link.isOpen() || status.modeWord.load(std::memory_order_relaxed) != editTest) return false;
    return flipOutputBit(status, ref);
}

bool requestNetworkAlarmReset(const ControllerLink& link, ControllerStatus& status, int driver) {
    if (!link.isOpen() || driver < 0 || driver > 15) return false;
    status.networkAlarmResetMask.fetch_or(static_cast<std::uint16_t>(1u << driver), std::memory_order_relaxed);
    return true;
}

bool requestAlarmReset(const ControllerLink& link, ControllerStatus& status) {
    if (!link.isOpen()) return false;
    status.alarmResetRequest.store(kAlarmResetRequest, std::memory_order_relaxed);
    return true;
}

}  // namespace vantrel
