#pragma once

// What the network monitor ("RIVOステータスモニタ") and the test-operation
// window show of a network driver: its live positions and speeds in the
// driver's unit, its alarm code, and its NET-IN and NET-OUT words.

#include <array>
#include <cstdint>
#include <string>

#include "data/SettingsImage.h"
#include "link/ControllerStatus.h"

namespace vantrel {

// Driver 0..15 with unit byte 2 shows steps; any other unit byte shows mm
// through its two ratio words (first w1 at +2, second w2 at +4).
// Positions: step "%d"; mm value x w1 / w2, then / 100 as "%.2f" (a w2 of 0
// counts as w1 / w2 = 1). Speeds: step "%d" (r/min); mm value x w1 / 60,
// then / 100 as "%.2f".
std::string networkPositionText(const SettingsImage& image, int driver, std::int32_t value);
std::string networkSpeedText(const SettingsImage& image, int driver, std::int32_t value);
std::string networkPositionUnit(const SettingsImage& image, int driver);  // "step" / "mm"
std::string networkSpeedUnit(const SettingsImage& image, int driver);     // "r/min" / "mm/s"

// "アラーム": four hexadecimal digits and "h" ("%04Xh").
std::string networkAlarmText(std::uint16_t code);

// One block of the monitor: slot 0..3 of the polled group, that is driver
// 4g + slot.
struct NetworkDriverView {
    std::array<std::string, 4> values;  // command/detected position, command/detected speed
    std::string positionUnit;
    std::string speedUnit;
    std::string alarm;
    std::uint16_t netIn = 0;
    std::uint16_t netOut = 0;
};
NetworkDriverView networkDriverView(const SettingsImage& image, const ControllerStatus& status, int group, int slot);

// Block titles "RIVO1".."RIVO16" of driver 0..15.
std::string networkBlockTitle(int driver);

}  // namespace vantrel
