#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "data/ControllerWriteSink.h"

namespace vantrel::test {

// Keeps every queued controller write in order, tagged with its queue.
class RecordingSink : public ControllerWriteSink {
public:
    enum class Queue { Value, AxisParameter };
    struct Write {
        Queue queue;
        std::uint32_t address;
        std::uint16_t size;
        std::int32_t value;
        bool operator==(const Write&) const = default;
        friend void PrintTo(const Write& w, std::ostream* os) {
            *os << (w.queue == Queue::Value ? "value(" : "axis(") << w.address << ", " << w.size << ", " << w.value << ")";
        }
    };

    void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override {
        writes.push_back({Queue::Value, address, size, value});
    }
    void queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override {
        writes.push_back({Queue::AxisParameter, address, size, value});
    }

    static Write value(std::uint32_t address, std::uint16_t size, std::int32_t v) { return {Queue::Value, address, size, v}; }
    static Write axis(std::uint32_t address, std::uint16_t size, std::int32_t v) { return {Queue::AxisParameter, address, size, v}; }

    std::vector<Write> writes;
};

}  // namespace vantrel::test
