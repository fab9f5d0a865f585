#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// Texts of the stored fixed-point values.
//
// A value in hundredths shows as "%d.%02d" of its integer part (truncated
// toward zero) and its two decimals. Values between -0.99 and -0.01 keep
// their minus sign ("-0.05"): this is the separate "-0.%02d" form of mm
// positions and network speeds, and deg values get it too rather than
// showing a negative angle as a positive one.

// "%d.%02d" of hundredths, then unit as given (e.g. " mm", " mm/s", "").
std::string twoDecimalText(std::int64_t hundredths, std::string_view unit = {});

// "%d.%03d" of milliseconds as seconds: 750 shows "0.750".
std::string millisecondsText(std::int64_t milliseconds);

// A stored position of a pulse axis in the axis' unit: "---" when it is
// NOT_SET_POSITION, else "12.34 mm", "-0.05 mm", "12.34 deg" or "1234 step".
std::string positionText(std::int32_t position, std::uint8_t positionUnit);

// The number of a position without its unit, as the edit text of a cell
// ("12.34", "-0.05", "1234"); "---" when it is not set.
std::string positionEditText(std::int32_t position, std::uint8_t positionUnit);

// Travel per revolution or minimum travel (hundredths): "10.00 mm",
// "10.00 deg", and "---" on a step axis.
std::string travelText(std::int64_t hundredths, std::uint8_t positionUnit);

}  // namespace vantrel
