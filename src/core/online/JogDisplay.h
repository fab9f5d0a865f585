#pragma once

// What the test-operation window shows on each tick: the chosen axis'
// command position and speed in its unit, the ALM and READY indicators, the
// state of its driver output switches, and the position of the chosen
// test-run point.

#include <cstdint>
#include <string>
#include <vector>

#include "data/SettingsImage.h"
#include "link/ControllerStatus.h"
#include "online/JogAxis.h"

namespace vantrel {

struct JogDisplay {
    std::string commandPosition;
    std::string commandSpeed;
    std::string positionUnit;  // "mm", "deg", "step"
    std::string speedUnit;     // "mm/s", "deg/s", "Hz", "r/min"
    bool alarm = false;        // ALM
    bool ready = false;        // READY
    std::vector<bool> switches;  // one per driverSwitches() entry: its output bit is on
};

// Pulse axis: step unit position x resolution / travel per revolution ("%d")
// and speed in Hz; mm or deg unit position / 100 and speed / (resolution /
// travel) / 100, both "%.2f". ALM is bit 1 and READY bit 0 of the driver
// input byte. Network driver: its values from the polled group's slot
// (driver mod 4) in its unit; ALM bit 7 and READY bit 5 of its status.
JogDisplay jogDisplay(const SettingsImage& image, const ControllerStatus& status, JogAxisIndex axis);

// The test-run point of list row `row`: its position in the axis' unit
// ("---" when a pulse point is not set) and, for a network driver, its
// operation mode "INC" or "ABS" ("" for a pulse axis).
struct JogPointText {
    std::string position;
    std::string mode;
    bool operator==(const JogPointText&) const = default;
};
JogPointText jogPointText(const SettingsImage& image, JogAxisIndex axis, int row);

}  // namespace vantrel
