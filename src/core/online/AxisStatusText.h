#pragma once

#include <cstdint>
#include <string>

#include "data/SettingsImage.h"

namespace vantrel {

// Texts of the live position and speed of a pulse axis, in the axis' unit,
// as the status monitor shows them. The ratio R = resolution / travel per
// revolution converts between the controller's pulses and the axis' unit.
struct AxisStatusText {
    std::string commandPosition;
    std::string detectedPosition;
    std::string commandSpeed;
    std::string detectedSpeed;  // empty on a deg axis (not refreshed there)
    std::string positionUnit;   // "mm", "deg", "step"
    std::string speedUnit;      // "mm/s", "deg/s", "Hz"
};

// `axis` 0..3; the four values as the status poll reports them. A travel per
// revolution of 0 (a foreign image) takes R as 1 rather than dividing by zero.
AxisStatusText axisStatusText(const SettingsImage& image, int axis, std::int32_t commandPosition,
                              std::int32_t detectedPosition, std::int32_t commandSpeed, std::int32_t detectedSpeed);

}  // namespace vantrel
