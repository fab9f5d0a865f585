#pragma once

#include <cstdint>
#include <string>

// Units of the settings, and (through the two headers below) the value texts
// and the conversions of typed cell text, so an editor needs one include.
#include "data/CellInput.h"
#include "data/ValueText.h"

namespace vantrel {

// Position unit code of a pulse axis ("位置制御単位"). It decides how every
// position of the axis is stored: hundredths of a mm, hundredths of a degree,
// or whole steps. Any other code in a foreign image is treated as mm.
inline constexpr std::uint8_t kPositionUnitMm = 0;
inline constexpr std::uint8_t kPositionUnitDeg = 1;
inline constexpr std::uint8_t kPositionUnitStep = 2;

// Speed unit code ("速度単位").
inline constexpr std::uint8_t kSpeedUnitHz = 0;
inline constexpr std::uint8_t kSpeedUnitMmPerSecond = 1;
inline constexpr std::uint8_t kSpeedUnitDegPerSecond = 2;
inline constexpr std::uint8_t kSpeedUnitRpm = 3;

// Whether positions of this unit code are stored in hundredths (mm, deg and
// unknown codes) rather than in steps.
bool isHundredthsUnit(std::uint8_t positionUnit);

// "mm", "deg" or "step"; unknown codes read "mm".
std::string positionUnitText(std::uint8_t positionUnit);

// "Hz" (0 and unknown codes), "mm/s", "deg/s", "r/min".
std::string speedUnitText(std::uint8_t speedUnit);

}  // namespace vantrel
