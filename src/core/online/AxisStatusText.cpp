#include "online/AxisStatusText.h"

#include <cmath>
#include <limits>

#include "data/Units.h"
#include "data/ValueText.h"

namespace vantrel {
namespace {

// R = resolution / travel per revolution; 1 where the image holds a zero.
double pulseRatio(const ConstPulseAxisRecord& record) {
    const double travel = record.travelPerRev();
    const double ratio = travel == 0 ? 1.0 : record.resolution() / travel;
    return ratio == 0 ? 1.0 : ratio;
}

// Speed of a mm axis in hundredths of mm/s: value / R truncated toward zero.
std::int64_t speedHundredths(std::int32_t value, double ratio) {
    return static_cast<std::int64_t>(std::trunc(static_cast<double>(value) / ratio));
}

// Command position of a step axis: the integer part of R x value.
std::int64_t stepCommandPosition(std::int32_t value, double ratio) {
    return static_cast<std::int64_t>(std::trunc(ratio * value));
}

std::int32_t clampToInt32(std::int64_t v) {
    using Limits = std::numeric_limits<std::int32_t>;
    if (v > Limits::max()) return Limits::max();
    if (v < Limits::min()) return Limits::min();
    return static_cast<std::int32_t>(v);
}

}  // namespace

AxisStatusText axisStatusText(const SettingsImage& image, int axis, std::int32_t commandPosition,
                              std::int32_t detectedPosition, std::int32_t commandSpeed, std::int32_t detectedSpeed,
                              const ZeroReference& zero) {
    const ConstPulseAxisRecord record(image, axis);
    const double ratio = pulseRatio(record);
    AxisStatusText text;
    switch (record.positionUnit()) {
    case kPositionUnitStep:
        text.commandPosition = std::to_string(stepCommandPosition(commandPosition, ratio) - zero.command);
        text.detectedPosition = std::to_string(static_cast<std::int64_t>(detectedPosition) - zero.detected);
        text.commandSpeed = std::to_string(commandSpeed);
        text.detectedSpeed = std::to_string(detectedSpeed);
        text.positionUnit = "step";
        text.speedUnit = "Hz";
        break;
    case kPositionUnitDeg:
        text.commandPosition = twoDecimalText(commandPosition);
        text.detectedPosition = twoDecimalText(detectedPosition);
        text.positionUnit = "deg";
        text.speedUnit = "deg/s";
        break;
    default:
        text.commandPosition = twoDecimalText(commandPosition);
        text.detectedPosition = twoDecimalText(detectedPosition);
        text.commandSpeed = twoDecimalText(speedHundredths(commandSpeed, ratio));
        text.detectedSpeed = twoDecimalText(speedHundredths(detectedSpeed, ratio));
        text.positionUnit = "mm";
        text.speedUnit = "mm/s";
        break;
    }
    return text;
}

ZeroReference captureZeroReference(const SettingsImage& image, int axis, std::int32_t commandPosition,
                                   std::int32_t detectedPosition) {
    const ConstPulseAxisRecord record(image, axis);
    return {clampToInt32(stepCommandPosition(commandPosition, pulseRatio(record))), detectedPosition};
}

AxisUnitValues axisUnitValues(const SettingsImage& image, int axis, std::int32_t commandPosition,
                              std::int32_t detectedPosition, std::int32_t commandSpeed, std::int32_t detectedSpeed,
                              const ZeroReference& zero) {
    const ConstPulseAxisRecord record(image, axis);
    const double ratio = pulseRatio(record);
    AxisUnitValues v;
    if (record.positionUnit() == kPositionUnitStep) {
        v.commandPosition = static_cast<double>(stepCommandPosition(commandPosition, ratio) - zero.command);
        v.detectedPosition = static_cast<double>(static_cast<std::int64_t>(detectedPosition) - zero.detected);
        v.commandSpeed = commandSpeed;
        v.detectedSpeed = detectedSpeed;
    } else {
        v.commandPosition = commandPosition / 100.0;
        v.detectedPosition = detectedPosition / 100.0;
        v.commandSpeed = static_cast<double>(speedHundredths(commandSpeed, ratio)) / 100.0;
        v.detectedSpeed = static_cast<double>(speedHundredths(detectedSpeed, ratio)) / 100.0;
    }
    return v;
}

}  // namespace vantrel
