#include "online/AxisStatusText.h"

#include <cmath>

#include "data/Units.h"
#include "data/ValueText.h"

namespace vantrel {
namespace {

// value / R truncated to hundredths c, shown "%d.%02d" with the separate
// "-0.%02d" form for -0.99 .. -0.01.
std::string speedText(std::int32_t value, double ratio) {
    const double c = std::trunc(static_cast<double>(value) / ratio);
    return twoDecimalText(static_cast<std::int64_t>(c));
}

}  // namespace

AxisStatusText axisStatusText(const SettingsImage& image, int axis, std::int32_t commandPosition,
                              std::int32_t detectedPosition, std::int32_t commandSpeed, std::int32_t detectedSpeed) {
    const ConstPulseAxisRecord record(image, axis);
    const double travel = record.travelPerRev();
    const double ratio = travel == 0 ? 1.0 : record.resolution() / travel;
    AxisStatusText text;
    switch (record.positionUnit()) {
    case kPositionUnitStep:
        text.commandPosition = std::to_string(static_cast<long long>(std::trunc(ratio * commandPosition)));
        text.detectedPosition = std::to_string(detectedPosition);
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
        text.commandSpeed = speedText(commandSpeed, ratio == 0 ? 1.0 : ratio);
        text.detectedSpeed = speedText(detectedSpeed, ratio == 0 ? 1.0 : ratio);
        text.positionUnit = "mm";
        text.speedUnit = "mm/s";
        break;
    }
    return text;
}

}  // namespace vantrel
