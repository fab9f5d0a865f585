#include "online/StatusLamps.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// Bits each word has.
int bitCount(StatusWord word) {
    switch (word) {
    case StatusWord::DriverInputs:
    case StatusWord::DriverOutputs: return 8;
    default: return 16;
    }
}

int indexCount(StatusWord word) {
    switch (word) {
    case StatusWord::DriverInputs:
    case StatusWord::DriverOutputs: return 4;
    case StatusWord::NetworkOutputs: return 16;
    default: return 1;
    }
}

LampGroup lampsOf(std::string title, StatusWord word, int index, const std::vector<std::string>& labels) {
    LampGroup group{std::move(title), {}};
    for (std::size_t bit = 0; bit < labels.size(); ++bit)
        group.lamps.push_back({labels[bit], BitRef{word, static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(bit)}});
    return group;
}

std::vector<std::string> numbered(const std::string& prefix, int first, int count) {
    std::vector<std::string> labels;
    for (int i = 0; i < count; ++i) labels.push_back(prefix + std::to_string(first + i));
    return labels;
}

const std::vector<std::string> kDriverInputLabels = {"READY", "ALM", "TIM/ZSG2", "END/IN-POS", "HOME-END"};
const std::vector<std::string> kDriverOutputLabels = {"C-ON/S-ON/AWO", "ALM-RST", "FREE", "ZHOME", "DRV OTU5"};
// The output test names the fifth output plainly.
const std::vector<std::string> kDriverOutputTestLabels = {"C-ON/S-ON/AWO", "ALM-RST", "FREE", "ZHOME", "DRV OUT5"};
const std::vector<std::string> kSensorLabels = {"HOMES", "+LS", "-LS", "-"};
const std::vector<std::string> kHostInputLabels = {"EXT-STOP", "PRG-START", "PRG-STOP", "ALM-RST"};
const std::vector<std::string> kHostOutputLabels = {"ALM", "PRG-RUN", "PRG-READY", "-"};

std::string axisTitle(int axis, const char* suffix) { return "軸" + std::to_string(axis + 1) + suffix; }

}  // namespace

std::uint32_t statusWord(const StatusSnapshot& s, StatusWord word, int index) {
    if (index < 0 || index >= indexCount(word)) return 0;
    const auto i = static_cast<std::size_t>(index);
    switch (word) {
    case StatusWord::GeneralInputs: return s.generalInputs;
    case StatusWord::HostInputs: return s.hostInputs;
    case StatusWord::DriverInputs: return s.driverInputs[i];
    case StatusWord::SensorInputs: return s.sensorInputs;
    case StatusWord::GeneralOutputs: return s.generalOutputs;
    case StatusWord::HostOutputs: return s.hostOutputs;
    case StatusWord::DriverOutputs: return s.driverOutputs[i];
    case StatusWord::NetworkOutputs: return s.networkOutputs[i];
    }
    return 0;
}

bool isLit(const StatusSnapshot& snapshot, const BitRef& ref) {
    if (ref.bit >= bitCount(ref.word)) return false;
    return (statusWord(snapshot, ref.word, ref.index) >> ref.bit) & 1u;
}

bool isOutputWord(StatusWord word) {
    return word == StatusWord::GeneralOutputs || word == StatusWord::HostOutputs ||
           word == StatusWord::DriverOutputs || word == StatusWord::NetworkOutputs;
}

bool flipOutputBit(ControllerStatus& status, const BitRef& ref) {
    if (!isOutputWord(ref.word) || ref.index >= indexCount(ref.word) || ref.bit >= bitCount(ref.word)) return false;
    switch (ref.word) {
    case StatusWord::GeneralOutputs:
        status.generalOutputs.fetch_xor(static_cast<std::uint16_t>(1u << ref.bit), relaxed);
        return true;
    case StatusWord::HostOutputs:
        if (ref.bit >= 4) return false;  // bits 4..7 always go out as 0
        status.hostOutputs.fetch_xor(static_cast<std::uint16_t>(1u << ref.bit), relaxed);
        return true;
    case StatusWord::DriverOutputs:
        status.driverOutputs[ref.index].fetch_xor(static_cast<std::uint8_t>(1u << ref.bit), relaxed);
        return true;
    case StatusWord::NetworkOutputs:
        status.networkOutputs[ref.index].fetch_xor(static_cast<std::uint16_t>(1u << ref.bit), relaxed);
        return true;
    default: return false;
    }
}

int sensorBit(int axis, int k) {
    static constexpr std::array<int, 4> kNibbleLowBit = {4, 0, 12, 8};
    return kNibbleLowBit[static_cast<std::size_t>(std::clamp(axis, 0, 3))] + 3 - std::clamp(k, 0, 3);
}

LampGroup driverInputLamps(int axis) { return lampsOf(axisTitle(axis, ""), StatusWord::DriverInputs, axis, kDriverInputLabels); }

LampGroup driverOutputLamps(int axis) {
    return lampsOf(axisTitle(axis, ""), StatusWord::DriverOutputs, axis, kDriverOutputLabels);
}

LampGroup sensorLamps(int axis) {
    LampGroup group{axisTitle(axis, ""), {}};
    for (int k = 0; k < 4; ++k)
        group.lamps.push_back({kSensorLabels[static_cast<std::size_t>(k)],
                               BitRef{StatusWord::SensorInputs, 0, static_cast<std::uint8_t>(sensorBit(axis, k))}});
    return group;
}

std::string axisAlarmText(std::uint8_t driverInputs) { return (driverInputs >> kDriverAlarmBit) & 1u ? "ALARM" : ""; }

std::vector<LampGroup> ioMonitorLamps() {
    return {lampsOf("汎用入力", StatusWord::GeneralInputs, 0, numbered("IN", 1, 16)),
            lampsOf("汎用出力", StatusWord::GeneralOutputs, 0, numbered("OUT", 1, 16)),
            lampsOf("ホスト入力", StatusWord::HostInputs, 0, kHostInputLabels),
            lampsOf("ホスト出力", StatusWord::HostOutputs, 0, kHostOutputLabels)};
}

std::vector<LampGroup> ioTestToggles() {
    return {lampsOf("汎用出力", StatusWord::GeneralOutputs, 0, numbered("OUT", 1, 16)),
            lampsOf("ホスト出力", StatusWord::HostOutputs, 0, kHostOutputLabels)};
}

std::vector<LampGroup> pulseAxisOutputToggles() {
    std::vector<LampGroup> groups;
    for (int axis = 0; axis < 4; ++axis)
        groups.push_back(lampsOf(axisTitle(axis, "ドライバ出力"), StatusWord::DriverOutputs, axis, kDriverOutputTestLabels));
    return groups;
}

std::vector<LampGroup> networkOutputToggles(int group) {
    std::vector<LampGroup> groups;
    const int first = 4 * clampNetworkGroup(group);
    for (int driver = first; driver < first + 4; ++driver)
        groups.push_back(lampsOf("RIVO" + std::to_string(driver + 1) + "軸", StatusWord::NetworkOutputs, driver,
                                 numbered("NET-IN", 0, 16)));
    return groups;
}

std::string networkGroupText(int group) {
    const int first = 4 * clampNetworkGroup(group) + 1;
    return "RIVO " + std::to_string(first) + "-" + std::to_string(first + 3);
}

int clampNetworkGroup(int group) { return std::clamp(group, 0, kNetworkGroupCount - 1); }

}  // namespace vantrel
