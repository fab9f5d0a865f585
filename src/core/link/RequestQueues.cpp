#include "link/RequestQueues.h"

namespace vantrel {

bool RequestQueues::push(std::deque<QueuedValue>& queue, const QueuedValue& entry) {
    if (queue.size() >= kCapacity) return false;
    queue.push_back(entry);
    return true;
}

std::optional<QueuedValue> RequestQueues::pop(std::deque<QueuedValue>& queue) {
    if (queue.empty()) return std::nullopt;
    QueuedValue entry = queue.front();
    queue.pop_front();
    return entry;
}

void RequestQueues::queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) {
    pushValueWrite({address, size, value});
}

void RequestQueues::queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) {
    pushAxisParameterWrite({address, size, value});
}

bool RequestQueues::pushValueWrite(const QueuedValue& entry) {
    std::lock_guard guard(lock_);
    return push(valueWrites_, entry);
}

bool RequestQueues::pushAxisParameterWrite(const QueuedValue& entry) {
    std::lock_guard guard(lock_);
    return push(axisParameterWrites_, entry);
}

bool RequestQueues::queueValueRead(std::uint32_t address, std::uint16_t size) {
    std::lock_guard guard(lock_);
    return push(valueReads_, {address, size, 0});
}

std::optional<QueuedValue> RequestQueues::popValueWrite() {
    std::lock_guard guard(lock_);
    return pop(valueWrites_);
}

std::optional<QueuedValue> RequestQueues::popValueRead() {
    std::lock_guard guard(lock_);
    return pop(valueReads_);
}

std::optional<QueuedValue> RequestQueues::popAxisParameterWrite() {
    std::lock_guard guard(lock_);
    return pop(axisParameterWrites_);
}

std::size_t RequestQueues::valueWriteCount() const {
    std::lock_guard guard(lock_);
    return valueWrites_.size();
}

std::size_t RequestQueues::valueReadCount() const {
    std::lock_guard guard(lock_);
    return valueReads_.size();
}

std::size_t RequestQueues::axisParameterWriteCount() const {
    std::lock_guard guard(lock_);
    return axisParameterWrites_.size();
}

void RequestQueues::clearWrites() {
    std::lock_guard guard(lock_);
    valueWrites_.clear();
    axisParameterWrites_.clear();
}

void RequestQueues::clearAll() {
    std::lock_guard guard(lock_);
    valueWrites_.clear();
    valueReads_.clear();
    axisParameterWrites_.clear();
}

}  // namespace vantrel
