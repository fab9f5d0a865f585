#include "data/ValueText.h"

#include "data/SettingsImage.h"
#include "data/Units.h"

#include <cstdio>

namespace vantrel {

namespace {

// "%d.%0*d" of value / scale with the sign kept for -1 < value / scale < 0.
std::string fixedPointText(std::int64_t value, std::int64_t scale, int decimals)
{
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so the smallest int64 has one too.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const auto unsignedScale = static_cast<std::uint64_t>(scale);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%0*llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / unsignedScale), decimals,
                  static_cast<unsigned long long>(magnitude % unsignedScale));
    return buffer;
}

}  // namespace

std::string twoDecimalText(std::int64_t hundredths, std::string_view unit)
{
    std::string text = fixedPointText(hundredths, 100, 2);
    text += unit;
    return text;
}

std::string millisecondsText(std::int64_t milliseconds)
{
    return fixedPointText(milliseconds, 1000, 3);
}

std::string positionEditText(std::int32_t position, std::uint8_t positionUnit)
{
    if (position == NOT_SET_POSITION) {
        return "---";
    }
    if (!isHundredthsUnit(positionUnit)) {
        return std::to_string(position);
    }
    return twoDecimalText(position);
}

std::string positionText(std::int32_t position, std::uint8_t positionUnit)
{
    if (position == NOT_SET_POSITION) {
        return "---";
    }
    return positionEditText(position, positionUnit) + " " + positionUnitText(positionUnit);
}

std::string travelText(std::int64_t hundredths, std::uint8_t positionUnit)
{
    if (!isHundredthsUnit(positionUnit)) {
        return "---";
    }
    return twoDecimalText(hundredths, positionUnit == kPositionUnitDeg ? " deg" : " mm");
}

}  // namespace vantrel
