#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "data/ControllerWriteSink.h"

namespace vantrel {

// One pending single-value request: controller address, size in bytes (1, 2,
// 4, or 3 for a position) and the value (unused by reads).
struct QueuedValue {
    std::uint32_t address = 0;
    std::uint16_t size = 0;
    std::int32_t value = 0;
    bool operator==(const QueuedValue&) const = default;
};

// The three FIFO queues of single-value requests the link thread serves when
// idle: value writes, value reads (read-backs) and pulse-axis parameter writes.
// Each holds at most kCapacity entries; a push beyond that is dropped. One lock
// guards all three; every call is thread-safe.
class RequestQueues : public ControllerWriteSink {
public:
    static constexpr std::size_t kCapacity = 256;

    // ControllerWriteSink
    void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override;
    void queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override;

    // The push functions report whether the entry was taken (false when full).
    bool pushValueWrite(const QueuedValue& entry);
    bool pushAxisParameterWrite(const QueuedValue& entry);
    bool queueValueRead(std::uint32_t address, std::uint16_t size);

    std::optional<QueuedValue> popValueWrite();
    std::optional<QueuedValue> popValueRead();
    std::optional<QueuedValue> popAxisParameterWrite();

    std::size_t valueWriteCount() const;
    std::size_t valueReadCount() const;
    std::size_t axisParameterWriteCount() const;

    // Empties the value-write and pulse-axis parameter queues (a controller has
    // just been identified); the read-back queue is kept.
    void clearWrites();
    void clearAll();

private:
    static bool push(std::deque<QueuedValue>& queue, const QueuedValue& entry);
    static std::optional<QueuedValue> pop(std::deque<QueuedValue>& queue);

    mutable std::mutex lock_;
    std::deque<QueuedValue> valueWrites_;
    std::deque<QueuedValue> valueReads_;
    std::deque<QueuedValue> axisParameterWrites_;
};

}  // namespace vantrel
