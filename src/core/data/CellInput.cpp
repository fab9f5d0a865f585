#include "data/CellInput.h"

#include "data/Units.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vantrel {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The parts of a typed number: sign, digits before and after the point.
struct DecimalParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
};

DecimalParts splitNumber(std::string_view text)
{
    DecimalParts parts;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    parts.integerDigits = text.substr(integerStart, i - integerStart);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
        parts.fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    return parts;
}

bool hasNonZeroDigit(std::string_view digits)
{
    return digits.find_first_not_of('0') != std::string_view::npos;
}

double clampToRange(double value, double minimum, double maximum)
{
    if (!(value >= minimum)) {  // also catches a NaN
        return minimum;
    }
    return value > maximum ? maximum : value;
}

}  // namespace

bool isHalfWidthNumber(std::string_view text)
{
    bool digitSeen = false;
    bool pointSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digitSeen = true;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else if (i == 0 && (c == ' ' || c == '+' || c == '-')) {
            // a blank or a sign may lead
        } else {
            return false;  // also every byte of a non-ASCII (full-width, kana, kanji) character
        }
    }
    return digitSeen;
}

Refusal halfWidthNumberRefusal()
{
    return Refusal{kHalfWidthNumberMessage, "確認", MessageIcon::Warning};
}

double readScaledNumber(std::string_view text, int decimalShift)
{
    const DecimalParts parts = splitNumber(text);
    // Move the point decimalShift places to the right (left when negative).
    std::string digits(parts.integerDigits);
    std::string fraction(parts.fractionDigits);
    if (decimalShift >= 0) {
        const auto shift = static_cast<std::size_t>(decimalShift);
        if (fraction.size() < shift) {
            fraction.append(shift - fraction.size(), '0');
        }
        digits += fraction.substr(0, shift);
        fraction.erase(0, shift);
    } else {
        const auto shift = static_cast<std::size_t>(-decimalShift);
        if (digits.size() < shift) {
            digits.insert(0, shift - digits.size(), '0');
        }
        fraction.insert(0, digits.substr(digits.size() - shift));
        digits.erase(digits.size() - shift);
    }
    if (!hasNonZeroDigit(digits) && !hasNonZeroDigit(fraction)) {
        return 0.0;
    }
    std::string number = digits.empty() ? "0" : digits;
    if (!fraction.empty()) {
        number += '.';
        number += fraction;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        value = hasNonZeroDigit(digits) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return parts.negative ? -value : value;
}

double readNumber(std::string_view text)
{
    return readScaledNumber(text, 0);
}

std::int32_t integerCellValue(std::string_view text, std::int32_t minimum, std::int32_t maximum)
{
    const DecimalParts parts = splitNumber(text);
    // Saturate while reading: a long digit string is simply very large.
    constexpr std::int64_t kSaturation = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (const char c : parts.integerDigits) {
        value = value * 10 + (c - '0');
        if (value > kSaturation) {
            value = kSaturation;
        }
    }
    if (parts.negative) {
        value = -value;
    }
    if (value < minimum) {
        return minimum;
    }
    return value > maximum ? maximum : static_cast<std::int32_t>(value);
}

std::int32_t twoDecimalCellValue(std::string_view text, double minimum, double maximum)
{
    const double lowest = std::llround(minimum * 100.0);
    const double highest = std::llround(maximum * 100.0);
    // x + 0.00000001, in hundredths.
    const double hundredths = readScaledNumber(text, 2) + 0.000001;
    return static_cast<std::int32_t>(std::trunc(clampToRange(hundredths, lowest, highest)));
}

std::int32_t positionCellValue(std::string_view text, std::uint8_t positionUnit, std::uint32_t travelPerRevolution,
                               std::uint32_t resolution, double awayFromZero)
{
    constexpr double kLimit = kPositionLimit;
    if (isHundredthsUnit(positionUnit)) {
        double hundredths = readScaledNumber(text, 2);
        hundredths += hundredths >= 0 ? awayFromZero * 100.0 : -awayFromZero * 100.0;
        return static_cast<std::int32_t>(std::trunc(clampToRange(hundredths, -kLimit, kLimit)));
    }
    double steps = readNumber(text);
    steps += steps >= 0 ? awayFromZero : -awayFromZero;
    steps = clampToRange(steps, -kLimit, kLimit);
    if (travelPerRevolution != 0 && resolution != 0) {
        steps = clampToRange(steps * travelPerRevolution / resolution, -kLimit, kLimit);
    }
    return static_cast<std::int32_t>(std::trunc(steps));
}

}  // namespace vantrel
