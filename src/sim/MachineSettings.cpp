#include "sim/MachineSettings.h"

#include <algorithm>

#include "data/ByteOrder.h"
#include "data/SettingsImage.h"

namespace vantrel {

double PulseAxisSettings::unitsPerPulse() const {
    if (positionUnit == 2 || travelPerRev == 0 || resolution == 0) return 1.0;
    return static_cast<double>(travelPerRev) / resolution;
}

double PulseAxisSettings::maxSpeed() const { return static_cast<double>(resolution) * maxRotationSpeed / 60.0; }

PulseAxisSettings MachineSettings::pulseAxis(int axis) const {
    std::array<std::uint8_t, ControllerMemory::kParameterRecordSize> r{};
    memory_.readParameters(ControllerMemory::kParameterStride * static_cast<std::uint32_t>(axis) +
                               ControllerMemory::kParameterBase,
                           r.data(), r.size());
    auto u16 = [&](std::size_t k) { return readU16LE(&r[k]); };
    auto u32 = [&](std::size_t k) { return readU32LE(&r[k]); };
    PulseAxisSettings s;
    s.model = r[PulseAxisRecord::kModel];
    s.positionUnit = r[PulseAxisRecord::kPositionUnit];
    s.travelPerRev = u16(PulseAxisRecord::kTravelPerRev);
    s.resolution = u16(PulseAxisRecord::kResolution);
    s.maxRotationSpeed = u16(PulseAxisRecord::kMaxRotationSpeed);
    s.startSpeed = u32(PulseAxisRecord::kStartSpeed);
    s.homeMethod = r[PulseAxisRecord::kHomeMethod];
    s.homeDirection = r[PulseAxisRecord::kHomeDirection];
    s.homeSpeed = u32(PulseAxisRecord::kHomeSpeed);
    s.homeStartSpeed = u32(PulseAxisRecord::kHomeStartSpeed);
    s.homeAccelTime = u32(PulseAxisRecord::kHomeAccelTime);
    s.homeOffset = static_cast<std::int16_t>(u16(PulseAxisRecord::kHomeOffset));
    return s;
}

namespace {

bool inRegionA(int axis, int index) {
    return axis >= 0 && axis < layout::kPulseAxisCount && index >= 0 && index < layout::kPositionCount;
}

std::uint32_t positionRecordAddress(int axis, int index) {
    return ControllerMemory::kPositions +
           static_cast<std::uint32_t>(layout::kPositionBlockSize * static_cast<std::size_t>(axis) +
                                      layout::kPositionRecordsStart +
                                      layout::kPositionRecordSize * static_cast<std::size_t>(index));
}

}  // namespace

std::optional<std::int32_t> MachineSettings::position(int axis, int index) const {
    if (!inRegionA(axis, index)) return std::nullopt;
    const std::uint32_t at = positionRecordAddress(axis, index) + PositionRecord::kPosition;
    const std::uint32_t raw = memory_.readValue(at, 3).value_or(static_cast<std::uint32_t>(NOT_SET_POSITION));
    if (raw == static_cast<std::uint32_t>(NOT_SET_POSITION)) return std::nullopt;
    return (raw & 0x800000) ? static_cast<std::int32_t>(raw) - 0x1000000 : static_cast<std::int32_t>(raw);
}

int MachineSettings::pointSpeedRate(int axis, int index) const {
    if (!inRegionA(axis, index)) return 0;
    return static_cast<int>(memory_.readValue(positionRecordAddress(axis, index) + PositionRecord::kSpeed, 1).value_or(0));
}

AxisBounds MachineSettings::bounds(int axis) const {
    AxisBounds b;
    const auto max = position(axis, layout::kMovableMaxIndex);
    const auto min = position(axis, layout::kMovableMinIndex);
    if (max && min) b.movable = AxisBounds::Range{*min, *max};
    for (int k = 0; k < layout::kProhibitedAreaCount; ++k) {
        const auto areaMax = position(axis, layout::kProhibitedMaxIndex + k);
        const auto areaMin = position(axis, layout::kProhibitedMinIndex + k);
        if (areaMax && areaMin && *areaMax != *areaMin)
            b.areas[static_cast<std::size_t>(k)] = AxisBounds::Range{std::min(*areaMin, *areaMax), std::max(*areaMin, *areaMax)};
    }
    return b;
}

std::uint8_t MachineSettings::sensorLogic(int axis) const {
    const std::size_t offset = ControllerFlagWords::sensorLogicOffset(axis) - layout::kFlagWords;
    return static_cast<std::uint8_t>(memory_.readValue(ControllerMemory::kFlagWords + static_cast<std::uint32_t>(offset), 1).value_or(0));
}

namespace {

std::uint32_t driverAddress(int driver) {
    return ControllerMemory::kNetwork +
           static_cast<std::uint32_t>(layout::kNetworkDrivers - layout::kNetworkCommParams +
                                      layout::kNetworkDriverSize * static_cast<std::size_t>(driver));
}

}  // namespace

NetworkDriverSettings MachineSettings::networkDriver(int driver) const {
    NetworkDriverSettings s;
    const std::uint32_t base = driverAddress(driver);
    s.model = static_cast<std::uint8_t>(memory_.readValue(base + NetworkDriverRecord::kModel, 1).value_or(0));
    s.unit = static_cast<std::uint8_t>(memory_.readValue(base + NetworkDriverRecord::kUnit, 1).value_or(0));
    return s;
}

NetworkPoint MachineSettings::networkPoint(int driver, int index) const {
    const std::uint32_t base = driverAddress(driver) +
                               static_cast<std::uint32_t>(layout::kNetworkPointsStart +
                                                          layout::kNetworkPointSize * static_cast<std::size_t>(index));
    NetworkPoint p;
    p.absolute = memory_.readValue(base + NetworkPointRecord::kMode, 1).value_or(0) == 1;
    p.position = static_cast<std::int32_t>(memory_.readValue(base + NetworkPointRecord::kPosition, 4).value_or(0));
    p.speed = static_cast<std::int32_t>(memory_.readValue(base + NetworkPointRecord::kSpeed, 4).value_or(0));
    p.accelTime = static_cast<std::int32_t>(memory_.readValue(base + NetworkPointRecord::kAccelTime, 4).value_or(0));
    return p;
}

}  // namespace vantrel
