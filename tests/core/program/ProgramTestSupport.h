#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"

namespace vantrel::test {

// Keeps every queued controller write.
class RecordingSink : public ControllerWriteSink {
public:
    struct Write {
        std::uint32_t address;
        std::uint16_t size;
        std::int32_t value;
        bool axisParameter;
        bool operator==(const Write&) const = default;
    };
    void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override {
        writes.push_back({address, size, value, false});
    }
    void queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override {
        writes.push_back({address, size, value, true});
    }
    std::vector<Write> writes;
};

// Controller address of the position (or speed) field of a point.
inline std::uint32_t positionAddress(int axis, int index) {
    return *controllerAddress(*SettingsImage::positionRecordOffset(axis, index) + PositionRecord::kPosition);
}
inline std::uint32_t speedAddress(int axis, int index) {
    return *controllerAddress(*SettingsImage::positionRecordOffset(axis, index) + PositionRecord::kSpeed);
}

inline void setPoint(SettingsImage& image, int axis, int index, std::int32_t position, std::uint8_t speed) {
    PositionRecord record(image, axis, index);
    record.setPosition(position);
    record.setSpeed(speed);
}

}  // namespace vantrel::test
