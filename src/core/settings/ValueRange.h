#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The values a numeric cell keeps, in the unit it shows: a typed number beyond
// an end is stored as that end. The ends are counted in the cell's last shown
// digit (hundredths for a "0.01～1000.00" cell), so comparing a typed number
// with them needs no binary fractions.
struct ValueRange {
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
    int decimals = 0;        // digits shown after the point (0, 2 or 3)
    std::string unit;        // "Hz", "mm", "s", "％"; empty for a plain count
    bool wholePart = false;  // the cell reads only the whole part of what is typed ("12.9" is 12)

    // "1～6000 [r/min]", "0.01～1000.00 [s]", "0～1000000".
    std::string text() const;
    // True when the typed number, read the way the cell reads it, lies beyond
    // an end (so the cell stores the end instead). Text that is no number
    // clamps nothing: the cell refuses it.
    bool clamps(std::string_view typed) const;
};

// A position of a pulse axis in its unit: -80000.00～80000.00 [mm] (or [deg]),
// -8000000～8000000 [step].
ValueRange positionRange(std::uint8_t positionUnit);

}  // namespace vantrel
