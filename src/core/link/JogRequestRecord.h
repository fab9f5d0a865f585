#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "data/ByteOrder.h"

namespace vantrel {

// The 60-byte JOG request record. Offsets are those of the JOG request frame
// (bytes 0..31 are the frame head there and stay 0 in the record); the link
// copies bytes 5..57 into the frame. All other bytes are zero.
class JogRequestRecord {
public:
    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kOperation = 32;   // uint8, JogOperation
    static constexpr std::size_t kAxis = 33;        // uint8, 0..3 pulse axes, 4..19 network drivers 1..16
    static constexpr std::size_t kPoint = 34;       // uint16, test-run point number
    static constexpr std::size_t kDistance = 36;    // int32, inching distance
    static constexpr std::size_t kSpeed = 40;       // int32, speed in the controller's unit
    static constexpr std::size_t kAccelTime = 44;   // int32, 0.01 s (pulse axis) or ms (network driver)
    static constexpr std::size_t kHomeStartSpeed = 48;  // int32, Hz
    static constexpr std::size_t kHomeOffset = 52;  // int32, steps
    static constexpr std::size_t kHomeMethod = 56;  // uint8, 0 3 sensors, 1 2 sensors
    static constexpr std::size_t kHomeDirection = 57;  // uint8, 1 CW, 0 CCW
    // Bytes the JOG frame takes from the record.
    static constexpr std::size_t kCopyFirst = 5;
    static constexpr std::size_t kCopyLast = 57;

    enum Operation : std::uint8_t {
        kNone = 0,
        kJogForward = 1,
        kJogBackward = 2,
        kInchForward = 3,
        kInchBackward = 4,
        kHomeReturn = 5,
        kTestRun = 6,
        kStop = 7,
    };
    static constexpr std::uint8_t kFirstNetworkAxis = 4;

    std::uint8_t operation() const { return bytes[kOperation]; }
    std::uint8_t axis() const { return bytes[kAxis]; }
    std::uint16_t point() const { return static_cast<std::uint16_t>(get(kPoint, 2)); }
    std::int32_t distance() const { return static_cast<std::int32_t>(get(kDistance, 4)); }
    std::int32_t speed() const { return static_cast<std::int32_t>(get(kSpeed, 4)); }
    std::int32_t accelTime() const { return static_cast<std::int32_t>(get(kAccelTime, 4)); }
    std::int32_t homeStartSpeed() const { return static_cast<std::int32_t>(get(kHomeStartSpeed, 4)); }
    std::int32_t homeOffset() const { return static_cast<std::int32_t>(get(kHomeOffset, 4)); }
    std::uint8_t homeMethod() const { return bytes[kHomeMethod]; }
    std::uint8_t homeDirection() const { return bytes[kHomeDirection]; }

    void setOperation(std::uint8_t v) { bytes[kOperation] = v; }
    void setAxis(std::uint8_t v) { bytes[kAxis] = v; }
    void setPoint(std::uint16_t v) { set(kPoint, 2, v); }
    void setDistance(std::int32_t v) { set(kDistance, 4, static_cast<std::uint32_t>(v)); }
    void setSpeed(std::int32_t v) { set(kSpeed, 4, static_cast<std::uint32_t>(v)); }
    void setAccelTime(std::int32_t v) { set(kAccelTime, 4, static_cast<std::uint32_t>(v)); }
    void setHomeStartSpeed(std::int32_t v) { set(kHomeStartSpeed, 4, static_cast<std::uint32_t>(v)); }
    void setHomeOffset(std::int32_t v) { set(kHomeOffset, 4, static_cast<std::uint32_t>(v)); }
    void setHomeMethod(std::uint8_t v) { bytes[kHomeMethod] = v; }
    void setHomeDirection(std::uint8_t v) { bytes[kHomeDirection] = v; }

    // JOG buttons (operations 1 and 2) keep the request pending while held.
    bool repeats() const { return operation() == kJogForward || operation() == kJogBackward; }

    // The stop request of one axis ("■停止"): operation and axis only.
    static JogRequestRecord stopOf(std::uint8_t axisIndex) {
        JogRequestRecord record;
        record.setOperation(kStop);
        record.setAxis(axisIndex);
        return record;
    }

    std::array<std::uint8_t, kSize> bytes{};

private:
    std::uint32_t get(std::size_t offset, std::size_t size) const { return readLE(&bytes[offset], size); }
    void set(std::size_t offset, std::size_t size, std::uint32_t v) { writeLE(&bytes[offset], size, v); }
};

}  // namespace vantrel
