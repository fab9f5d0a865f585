#pragma once

#include <array>
#include <cstdint>

#include "link/ControllerStatus.h"

namespace vantrel {

// Positions and speeds of one pulse axis as the status poll reports them.
struct AxisValues {
    std::int32_t commandPosition = 0;
    std::int32_t detectedPosition = 0;
    std::int32_t commandSpeed = 0;
    std::int32_t detectedSpeed = 0;
    bool operator==(const AxisValues&) const = default;
};

// A copy of the status block the monitors show (inputs, outputs, axis values,
// alarm), taken on the user-interface thread. Each refresh compares the new
// copy with the previous one and repaints only what differs. The link thread
// may write the status variables while the copy is taken, so a copy may mix
// values of two polls; every value is read whole.
struct StatusSnapshot {
    std::uint8_t alarmCode = 0;
    std::uint16_t generalInputs = 0;
    std::uint16_t hostInputs = 0;
    std::uint16_t sensorInputs = 0;
    std::uint16_t generalOutputs = 0;
    std::uint16_t hostOutputs = 0;
    std::array<std::uint8_t, 4> driverInputs{};
    std::array<std::uint8_t, 4> driverOutputs{};
    std::array<AxisValues, 4> axes{};
    std::array<std::uint16_t, 16> networkOutputs{};
    std::uint16_t modeWord = 0;
    std::array<std::uint8_t, 10> alarmRecord{};
    bool operator==(const StatusSnapshot&) const = default;
};

StatusSnapshot takeSnapshot(const ControllerStatus& status);

}  // namespace vantrel
