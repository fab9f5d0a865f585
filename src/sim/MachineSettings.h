#pragma once

// The settings the simulated machine moves by, read from the controller's
// memory when a motion starts: the pulse-axis records (ratio, speeds, home
// seeking), the points, the movable range and prohibited areas, the sensor
// logic and the network driver records. A record the PC never filled reads as
// zeros; every derived ratio stays finite.

#include <array>
#include <cstdint>
#include <optional>

#include "sim/ControllerMemory.h"

namespace vantrel {

struct PulseAxisSettings {
    std::uint8_t model = 0;         // 0 none, 1 QM, 2 QS, 3 VT3, 4 VT9, 5 LD
    std::uint8_t positionUnit = 0;  // 0 mm, 1 deg, 2 step
    std::uint16_t travelPerRev = 0;
    std::uint16_t resolution = 0;
    std::uint16_t maxRotationSpeed = 0;
    std::uint32_t startSpeed = 0;
    std::uint8_t homeMethod = 0;     // 0 three sensors, 1 two sensors
    std::uint8_t homeDirection = 0;  // 0 CCW (towards minus), 1 CW (towards plus)
    std::uint32_t homeSpeed = 0;
    std::uint32_t homeStartSpeed = 0;
    std::uint32_t homeAccelTime = 0;  // 0.01 s
    std::int16_t homeOffset = 0;      // step

    // Position units (0.01 mm, 0.01 deg or step) per pulse; 1 where the ratio is unset.
    double unitsPerPulse() const;
    // The fastest pulse rate the axis may be asked for: resolution x maximum rotation speed / 60.
    double maxSpeed() const;
    // Whether bit 0 of the driver output byte energises the motor (C-ON, S-ON)
    // rather than releasing it (AWO).
    bool excitedByOutput() const { return model == 4 || model == 5; }
};

// The movable range and the prohibited areas of one pulse axis, in its position unit.
struct AxisBounds {
    struct Range {
        std::int32_t min = 0;
        std::int32_t max = 0;
        bool contains(double v) const { return v >= min && v <= max; }
    };
    std::optional<Range> movable;               // when both bounds are set
    std::array<std::optional<Range>, 5> areas;  // in force when set and max != min
};

struct NetworkDriverSettings {
    std::uint8_t model = 0;  // 0 none
    std::uint8_t unit = 0;   // 0 mm, 2 step
};

struct NetworkPoint {
    bool absolute = false;
    std::int32_t position = 0;   // step
    std::int32_t speed = 0;      // Hz
    std::int32_t accelTime = 0;  // ms
};

class MachineSettings {
public:
    explicit MachineSettings(const ControllerMemory& memory) : memory_(memory) {}

    PulseAxisSettings pulseAxis(int axis) const;
    // A position of region A (axis 0..3, index 0..2000); nothing when it is not set.
    std::optional<std::int32_t> position(int axis, int index) const;
    // The speed rate of a point of region A, percent (1..100 when set); 0 outside the region.
    int pointSpeedRate(int axis, int index) const;
    AxisBounds bounds(int axis) const;
    // Sensor logic byte of a pulse axis: bit 3 HOMES, bit 2 +LS, bit 1 -LS; set = contact B.
    std::uint8_t sensorLogic(int axis) const;
    NetworkDriverSettings networkDriver(int driver) const;
    NetworkPoint networkPoint(int driver, int index) const;

private:
    const ControllerMemory& memory_;
};

}  // namespace vantrel
