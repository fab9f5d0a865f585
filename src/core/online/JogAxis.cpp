#include "online/JogAxis.h"

#include <cstdio>

#include "data/Units.h"

namespace vantrel {
namespace {

constexpr std::uint8_t kNetworkUnitStep = 2;
constexpr std::uint8_t kNetworkModelWrb = 4;

// Driver output bits.
constexpr std::uint8_t kPulseExciteBit = 0;  // C-ON / S-ON / AWO
constexpr std::uint8_t kPulseFreeBit = 2;
constexpr std::uint8_t kNetworkFreeBit = 6;
constexpr std::uint8_t kNetworkAwoBit = 7;

std::string format(const char* pattern, int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

}  // namespace

std::vector<JogAxisEntry> jogAxisList(const SettingsImage& image) {
    std::vector<JogAxisEntry> list;
    for (int axis = 0; axis < layout::kPulseAxisCount; ++axis)
        if (ConstPulseAxisRecord(image, axis).model() != 0)
            list.push_back({"軸" + std::to_string(axis + 1), static_cast<JogAxisIndex>(axis)});
    for (int driver = 0; driver < layout::kNetworkDriverCount; ++driver)
        if (ConstNetworkDriverRecord(image, driver).model() != 0)
            list.push_back({format("RIVO%02d", driver + 1), static_cast<JogAxisIndex>(kFirstNetworkJogAxis + driver)});
    return list;
}

std::optional<JogAxisIndex> jogAxisOfText(std::string_view text) {
    for (int axis = 0; axis < layout::kPulseAxisCount; ++axis)
        if (text == "軸" + std::to_string(axis + 1)) return static_cast<JogAxisIndex>(axis);
    for (int driver = 0; driver < layout::kNetworkDriverCount; ++driver)
        if (text == format("RIVO%02d", driver + 1)) return static_cast<JogAxisIndex>(kFirstNetworkJogAxis + driver);
    return std::nullopt;
}

std::string jogModelText(const SettingsImage& image, JogAxisIndex axis) {
    if (isNetworkJogAxis(axis)) {
        static const char* const kNetworkModels[] = {"", "QM", "QS", "VT3", "WRB"};
        const std::uint8_t model = ConstNetworkDriverRecord(image, jogAxisNumber(axis)).model();
        return model < std::size(kNetworkModels) ? kNetworkModels[model] : "";
    }
    static const char* const kPulseModels[] = {"", "QM", "QS", "VT3", "VT9", "LD"};
    const std::uint8_t model = ConstPulseAxisRecord(image, axis).model();
    return model < std::size(kPulseModels) ? kPulseModels[model] : "";
}

bool jogAxisInSteps(const SettingsImage& image, JogAxisIndex axis) {
    if (isNetworkJogAxis(axis)) return ConstNetworkDriverRecord(image, jogAxisNumber(axis)).unit() == kNetworkUnitStep;
    return ConstPulseAxisRecord(image, axis).positionUnit() == kPositionUnitStep;
}

JogUnits jogUnits(const SettingsImage& image, JogAxisIndex axis) {
    const bool steps = jogAxisInSteps(image, axis);
    if (isNetworkJogAxis(axis)) {
        if (steps) return {"step", "Hz", "r/min"};
        return {"mm", "mm/s", "mm/s"};
    }
    const ConstPulseAxisRecord record(image, axis);
    const std::string position = positionUnitText(record.positionUnit());
    std::string display = "Hz";
    if (!steps) display = position + "/s";
    return {position, speedUnitText(record.speedUnit()), display};
}

int jogPointCount(JogAxisIndex axis) { return isNetworkJogAxis(axis) ? 64 : layout::kPointTableCount; }

int jogPointNumber(JogAxisIndex axis, int row) { return (isNetworkJogAxis(axis) ? 1 : 1001) + row; }

std::vector<std::string> jogPointList(JogAxisIndex axis) {
    std::vector<std::string> points;
    const int count = jogPointCount(axis);
    points.reserve(static_cast<std::size_t>(count));
    const char* pattern = isNetworkJogAxis(axis) ? "P%03d" : "P%04d";
    for (int row = 0; row < count; ++row) points.push_back(format(pattern, jogPointNumber(axis, row)));
    return points;
}

std::vector<DriverSwitch> driverSwitches(const SettingsImage& image, JogAxisIndex axis) {
    const auto index = static_cast<std::uint8_t>(jogAxisNumber(axis));
    if (isNetworkJogAxis(axis)) {
        const BitRef free{StatusWord::NetworkOutputs, index, kNetworkFreeBit};
        const BitRef awo{StatusWord::NetworkOutputs, index, kNetworkAwoBit};
        if (ConstNetworkDriverRecord(image, index).model() == kNetworkModelWrb)
            return {{"C-ON", std::nullopt}, {"AWO", awo}};
        return {{"FREE", free}};
    }
    const BitRef excite{StatusWord::DriverOutputs, index, kPulseExciteBit};
    const BitRef free{StatusWord::DriverOutputs, index, kPulseFreeBit};
    switch (ConstPulseAxisRecord(image, index).model()) {
    case 1: return {{"FREE", free}};
    case 2: return {{"C-ON", excite}, {"AWO", excite}, {"FREE", free}};
    case 3: return {{"C-ON/AWO", excite}, {"FREE", free}};
    case 4: return {{"C-ON", excite}};
    case 5: return {{"S-ON", excite}, {"AWO", excite}, {"FREE", free}};
    default: return {};
    }
}

}  // namespace vantrel
