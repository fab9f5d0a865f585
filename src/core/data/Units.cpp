#include "data/Units.h"

namespace vantrel {

bool isHundredthsUnit(std::uint8_t positionUnit)
{
    return positionUnit != kPositionUnitStep;
}

std::string positionUnitText(std::uint8_t positionUnit)
{
    switch (positionUnit) {
    case kPositionUnitDeg: return "deg";
    case kPositionUnitStep: return "step";
    default: return "mm";
    }
}

std::string speedUnitText(std::uint8_t speedUnit)
{
    switch (speedUnit) {
    case kSpeedUnitMmPerSecond: return "mm/s";
    case kSpeedUnitDegPerSecond: return "deg/s";
    case kSpeedUnitRpm: return "r/min";
    default: return "Hz";
    }
}

}  // namespace vantrel
