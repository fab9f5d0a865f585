#pragma once

// The axes of the test-operation window ("テスト運転") and what the window
// shows about the chosen one: its list text, connected model, units, point
// lists and which settings and driver switches it offers.
//
// An axis is named by its JOG axis index, as the JOG request record carries
// it: 0..3 pulse axes 1..4, 4..19 network drivers 1..16.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/SettingsImage.h"
#include "online/StatusLamps.h"

namespace vantrel {

using JogAxisIndex = std::uint8_t;
inline constexpr JogAxisIndex kFirstNetworkJogAxis = 4;
inline constexpr JogAxisIndex kJogAxisCount = 20;

inline bool isNetworkJogAxis(JogAxisIndex axis) { return axis >= kFirstNetworkJogAxis; }
// Pulse axis 0..3 or network driver 0..15 of a JOG axis index.
inline int jogAxisNumber(JogAxisIndex axis) { return isNetworkJogAxis(axis) ? axis - kFirstNetworkJogAxis : axis; }
// The network group 0..3 whose values the status poll must report for a
// network driver (index / 4 - 1).
inline int jogNetworkGroup(JogAxisIndex axis) { return axis / 4 - 1; }

// The window state the application keeps: 0 closed, 1 a pulse axis chosen,
// 2 a network driver chosen.
enum class JogWindowState : std::uint8_t { Closed = 0, PulseAxis = 1, NetworkDriver = 2 };

struct JogAxisEntry {
    std::string text;  // "軸1".."軸4", "RIVO01".."RIVO16"
    JogAxisIndex index = 0;
    bool operator==(const JogAxisEntry&) const = default;
};

// The pulse axes whose connected model is not 0, then the network drivers
// whose model is not 0.
std::vector<JogAxisEntry> jogAxisList(const SettingsImage& image);
// The index a list text stands for; nothing for any other text.
std::optional<JogAxisIndex> jogAxisOfText(std::string_view text);

// "接続機種": pulse 1 "QM", 2 "QS", 3 "VT3", 4 "VT9", 5 "LD"; network 1 "QM",
// 2 "QS", 3 "VT3", 4 "WRB"; empty for any other code.
std::string jogModelText(const SettingsImage& image, JogAxisIndex axis);

// Unit labels of the window's fields for the axis.
struct JogUnits {
    std::string position;      // inching distance: "mm", "deg", "step"
    std::string speed;         // speed fields: the pulse axis' speed unit; network "mm/s" or "Hz"
    std::string displaySpeed;  // beside the command speed: "mm/s", "deg/s", "Hz", "r/min"
    bool operator==(const JogUnits&) const = default;
};
JogUnits jogUnits(const SettingsImage& image, JogAxisIndex axis);

// Whether positions are in steps: a pulse axis with unit code 2, a network
// driver whose unit byte is 2.
bool jogAxisInSteps(const SettingsImage& image, JogAxisIndex axis);

// Home return settings are shown for pulse axes only; the "○" button uses
// the (hidden) fields for network drivers too.
inline bool jogShowsHomeSettings(JogAxisIndex axis) { return !isNetworkJogAxis(axis); }

// Points of the test run and teaching lists: "P1001".."P2000" for pulse axes,
// "P001".."P064" for network drivers. Row r is point 1001 + r or 1 + r.
std::vector<std::string> jogPointList(JogAxisIndex axis);
int jogPointNumber(JogAxisIndex axis, int row);
int jogPointCount(JogAxisIndex axis);

// One check box of the driver outputs. A box without a bit (C-ON of a network
// driver) shows and changes nothing.
struct DriverSwitch {
    std::string label;  // "C-ON", "S-ON", "AWO", "C-ON/AWO", "FREE"
    std::optional<BitRef> bit;
    bool operator==(const DriverSwitch&) const = default;
};
// By model: pulse 1 FREE; 2 C-ON, AWO, FREE; 3 C-ON/AWO and FREE; 4 C-ON;
// 5 S-ON, AWO, FREE. Network model 4: C-ON and AWO; other models FREE.
// Pulse axes switch bit 0 (C-ON/S-ON/AWO) and bit 2 (FREE) of their driver
// output byte; network drivers bit 7 (AWO) and bit 6 (FREE) of their output
// word.
std::vector<DriverSwitch> driverSwitches(const SettingsImage& image, JogAxisIndex axis);

}  // namespace vantrel
