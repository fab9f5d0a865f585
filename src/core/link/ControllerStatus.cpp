#include "link/ControllerStatus.h"

namespace vantrel {

std::uint32_t ControllerStatus::liveValue(std::size_t offset, std::size_t size) const {
    std::uint32_t v = 0;
    for (std::size_t i = size; i-- > 0;) {
        const std::size_t at = offset + i;
        v = (v << 8) | (at < kNetworkLiveSize ? networkLive[at].load(std::memory_order_relaxed) : 0u);
    }
    return v;
}

void ControllerStatus::setControllerTexts(const std::string& name, const std::string& secondText) {
    std::lock_guard guard(textLock_);
    name_ = name;
    secondText_ = secondText;
}

std::string ControllerStatus::controllerName() const {
    std::lock_guard guard(textLock_);
    return name_;
}

std::string ControllerStatus::controllerSecondText() const {
    std::lock_guard guard(textLock_);
    return secondText_;
}

bool ControllerStatus::isRunning() const {
    for (const auto& flag : runFlags)
        if (flag.load(std::memory_order_relaxed) != 0) return true;
    return false;
}

void ControllerStatus::resetOutputs() {
    constexpr auto relaxed = std::memory_order_relaxed;
    generalOutputs.store(0, relaxed);
    for (auto& word : driverOutputs) word.store(0, relaxed);
    hostOutputs.store(0, relaxed);
    for (auto& word : networkOutputs) word.store(0, relaxed);
    runRequest.store(0, relaxed);
    alarmResetRequest.store(0, relaxed);
    networkAlarmResetMask.store(0, relaxed);
}

}  // namespace vantrel
