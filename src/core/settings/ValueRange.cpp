#include "settings/ValueRange.h"

#include <cmath>
#include <cstdlib>

#include "data/CellInput.h"
#include "data/Units.h"

namespace vantrel {

namespace {

// A value counted in its last shown digit, as text: 1234 with 2 decimals is "12.34".
std::string scaledText(std::int64_t value, int decimals) {
    std::string digits = std::to_string(std::llabs(value));
    if (decimals > 0) {
        const auto places = static_cast<std::size_t>(decimals);
        if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
        digits.insert(digits.size() - places, 1, '.');
    }
    return value < 0 ? "-" + digits : digits;
}

}  // namespace

std::string ValueRange::text() const {
    std::string out = scaledText(minimum, decimals) + "～" + scaledText(maximum, decimals);
    if (!unit.empty()) out += " [" + unit + "]";
    return out;
}

bool ValueRange::clamps(std::string_view typed) const {
    if (!isHalfWidthNumber(typed)) return false;
    double value = readScaledNumber(typed, decimals);
    if (wholePart) value = std::trunc(readNumber(typed));
    return value < static_cast<double>(minimum) || value > static_cast<double>(maximum);
}

ValueRange positionRange(std::uint8_t positionUnit) {
    if (positionUnit == kPositionUnitStep) return {-kPositionLimit, kPositionLimit, 0, "step"};
    return {-kPositionLimit, kPositionLimit, 2, positionUnit == kPositionUnitDeg ? "deg" : "mm"};
}

}  // namespace vantrel
