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

// Zero references of a step axis, captured by the status monitor's "RESET":
// positions of a step axis are shown relative to them. 0 until captured.
struct ZeroReference {
    std::int32_t command = 0;   // integer part of R x command position
    std::int32_t detected = 0;  // detected position
    bool operator==(const ZeroReference&) const = default;
};

// `axis` 0..3; the four values as the status poll reports them. A travel per
// revolution of 0 (a foreign image) takes R as 1 rather than dividing by zero.
AxisStatusText axisStatusText(const SettingsImage& image, int axis, std::int32_t commandPosition,
                              std::int32_t detectedPosition, std::int32_t commandSpeed, std::int32_t detectedSpeed,
                              const ZeroReference& zero = {});

// The references "RESET" takes from the positions of this moment, so that a
// step axis reads 0 until it moves.
ZeroReference captureZeroReference(const SettingsImage& image, int axis, std::int32_t commandPosition,
                                   std::int32_t detectedPosition);

// The same four values as numbers in the axis' unit (mm, deg or step for the
// positions; mm/s, deg/s or Hz for the speeds), for plotting. Speeds of a deg
// axis convert as those of a mm axis.
struct AxisUnitValues {
    double commandPosition = 0;
    double detectedPosition = 0;
    double commandSpeed = 0;
    double detectedSpeed = 0;
};
AxisUnitValues axisUnitValues(const SettingsImage& image, int axis, std::int32_t commandPosition,
                              std::int32_t detectedPosition, std::int32_t commandSpeed, std::int32_t detectedSpeed,
                              const ZeroReference& zero = {});

}  // namespace vantrel
