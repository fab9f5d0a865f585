#pragma once

#include <cstdint>
#include <string_view>

#include "data/Refusal.h"

namespace vantrel {

// Typed text of numeric cells: the one input rule every numeric cell obeys,
// and the conversions of accepted text to stored integers. Out-of-range
// values are clamped silently; only text that is not a half-width number is
// refused.

inline constexpr const char* kHalfWidthNumberMessage = "入力は半角数字のみです。";

// The input rule. A text passes when every character is a half-width digit,
// except that the first may be a blank, "+" or "-" and one "." may appear
// anywhere, and it holds at least one digit (so "", "+", "-", ".", "+.", "-."
// and a lone blank fail). Text comes from the user interface as UTF-8:
// full-width characters, ideographs, kana and any other non-ASCII fail.
bool isHalfWidthNumber(std::string_view text);

// The refusal editors show for text that fails the rule (title "確認").
Refusal halfWidthNumberRefusal();

// The typed number x. Reads an optional leading blank and sign, digits and one
// ".", and stops at anything else; no digits read as 0. Numbers too large for
// a double read as infinity, which every clamp below turns into its maximum.
double readNumber(std::string_view text);

// x multiplied by 10^decimalShift, taken from the decimal digits themselves
// (the point is moved in the text), so "1.005" scaled by 2 is exactly 100.5
// and no binary rounding of x decides which way a half goes.
double readScaledNumber(std::string_view text, int decimalShift);

// Integer cells: the text read as a decimal integer (leading blank and sign
// allowed, reading stops at the first non-digit, so "12.9" reads as 12; no
// digit reads as 0), clamped into minimum .. maximum.
std::int32_t integerCellValue(std::string_view text, std::int32_t minimum, std::int32_t maximum);

// Two-decimal cells (travel, minimum travel, times): x + 0.00000001 clamped
// into minimum .. maximum (displayed unit), times 100, truncated toward zero:
// "0.755" and "0.75" both store 75.
std::int32_t twoDecimalCellValue(std::string_view text, double minimum, double maximum);

// Largest magnitude of a stored position.
inline constexpr std::int32_t kPositionLimit = 8'000'000;

// Position cells of a pulse axis: x moved awayFromZero (displayed unit) away
// from zero, then
// - mm, deg (and unknown unit codes): x * 100 clamped to +-8,000,000 and
//   truncated toward zero, so 80000.004 stores 8,000,000, -0.004 stores 0 and
//   0.005 stores 1;
// - step: x clamped to +-8,000,000, multiplied by travel per revolution /
//   resolution, clamped again and truncated. The factor is 1 when either is 0
//   (a step axis always has travel equal to resolution; a foreign image with
//   a 0 there must neither divide by zero nor turn every position into 0).
std::int32_t positionCellValue(std::string_view text, std::uint8_t positionUnit, std::uint32_t travelPerRevolution,
                               std::uint32_t resolution, double awayFromZero = 0.005);

}  // namespace vantrel
