#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/ControllerStatus.h"
#include "online/StatusSnapshot.h"

namespace vantrel {

// The status and output words a lamp can show. Input words arrive from the
// controller; output words are the PC's own, sent with every status poll and
// (except the network words) replaced by what the controller reads back.
enum class StatusWord : std::uint8_t {
    GeneralInputs,   // IN1..IN16
    HostInputs,      // EXT-STOP, PRG-START, PRG-STOP, ALM-RST
    DriverInputs,    // per pulse axis: READY, ALM, TIM/ZSG2, END/IN-POS, HOME-END
    SensorInputs,    // one nibble per pulse axis
    GeneralOutputs,  // OUT1..OUT16
    HostOutputs,     // ALM, PRG-RUN, PRG-READY, spare
    DriverOutputs,   // per pulse axis: C-ON/S-ON/AWO, ALM-RST, FREE, ZHOME, fifth output
    NetworkOutputs,  // per network driver 0..15: NET-IN0..NET-IN15
};

// One bit of a status word; `index` is the pulse axis (0..3) or network
// driver (0..15) of the per-axis words and 0 for the others.
struct BitRef {
    StatusWord word = StatusWord::GeneralInputs;
    std::uint8_t index = 0;
    std::uint8_t bit = 0;
    bool operator==(const BitRef&) const = default;
};

struct Lamp {
    std::string label;
    BitRef ref;
};

struct LampGroup {
    std::string title;
    std::vector<Lamp> lamps;
};

// The value of a word in a status copy.
std::uint32_t statusWord(const StatusSnapshot& snapshot, StatusWord word, int index);
// A lamp is lit when its bit is 1.
bool isLit(const StatusSnapshot& snapshot, const BitRef& ref);

bool isOutputWord(StatusWord word);
// Flips one bit of a shared output variable (an atomic exchange, so a poll
// being built never sees half a change). Input words and bits a word does not
// have are left alone (false). The windows' toggles go through toggleOutput
// (OutputRequests.h), which does this only while the link is open.
bool flipOutputBit(ControllerStatus& status, const BitRef& ref);

// Bit of the sensor word that holds lamp `k` (0 HOMES, 1 +LS, 2 -LS, 3 spare)
// of pulse axis `axis`: axis 1 uses bits 7..4, axis 2 bits 3..0, axis 3 bits
// 15..12 and axis 4 bits 11..8, HOMES in the highest bit of the nibble.
int sensorBit(int axis, int k);

// Lamps of the status monitor, per pulse axis 0..3.
LampGroup driverInputLamps(int axis);
LampGroup driverOutputLamps(int axis);
LampGroup sensorLamps(int axis);
// The driver input bit that tells an alarm of the axis, and its text.
inline constexpr std::uint8_t kDriverAlarmBit = 1;
inline constexpr std::uint8_t kDriverAlarmResetBit = 1;  // ALM-RST of the driver output byte
std::string axisAlarmText(std::uint8_t driverInputs);  // "ALARM" or ""

// Lamps of the I/O monitor: general inputs, general outputs, host inputs,
// host outputs.
std::vector<LampGroup> ioMonitorLamps();

// Toggles of the I/O test (general and host outputs), of the pulse-train axis
// output test (the driver outputs of each axis) and of the network axis output
// test for network group 0..3 (the sixteen NET-IN bits of each of its four
// drivers).
std::vector<LampGroup> ioTestToggles();
std::vector<LampGroup> pulseAxisOutputToggles();
std::vector<LampGroup> networkOutputToggles(int group);

// Network groups: drivers 4g + 1 .. 4g + 4.
inline constexpr int kNetworkGroupCount = 4;
std::string networkGroupText(int group);  // "RIVO 1-4" .. "RIVO 13-16"
int clampNetworkGroup(int group);         // into 0..3

}  // namespace vantrel
