#pragma once

// Value texts the command editors use to show and read positions, speed rates
// and names. Input texts come from the user interface (UTF-8); the checks only
// accept ASCII, so an accepted text is the same in CP932. Results are display
// (UTF-8) strings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/Refusal.h"
#include "data/SettingsImage.h"

namespace vantrel {

// A position for a position field: step axis "%.0f" of the value, "---" when
// not set; mm and deg axes "%.2f" of value / 100, "-.--" when not set.
std::string formatPosition(std::uint8_t positionUnit, std::int32_t value);
std::string formatPosition(const SettingsImage& image, int axis, std::int32_t value);

// Typed position text: the number (x 100 for mm and deg, taken from the digits
// so 12.345 gives exactly 1234.5; the caller rounds), clamped to +-8,000,000.
// Nothing when the text is not a number; the field then shows
// positionResetText.
std::optional<double> parsePosition(std::uint8_t positionUnit, std::string_view text);
std::optional<double> parsePosition(const SettingsImage& image, int axis, std::string_view text);
// "-.--" (mm, deg) or "-" (step): what an invalid position field is reset to.
std::string positionResetText(std::uint8_t positionUnit);

// A speed rate, clamped to 1..100; nothing when not a number.
std::optional<double> parseSpeedRate(std::string_view text);
// A number as typed; nothing when not a number.
std::optional<double> parseNumber(std::string_view text);

// Tool tips of position and speed rate fields.
std::string positionHint(std::uint8_t positionUnit);
std::string positionHint(const SettingsImage& image, int axis);
std::string speedRateHint();

// Names of variables (REGINT, CALC): half-width letters, digits and "_" ("-"
// also first), at most 10 characters, beginning with a letter. The refusal
// carries the first rule broken, with a warning icon.
MaybeRefusal checkVariableName(std::string_view text);
// A variable name or a decimal integer constant.
MaybeRefusal checkVariableOrConstant(std::string_view text);

}  // namespace vantrel
