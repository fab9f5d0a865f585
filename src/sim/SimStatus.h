#pragma once

// What the simulated controller reports in its status poll and JOG replies.

#include <array>
#include <cstdint>

namespace vantrel {

// Positions and speeds of one axis as the status poll and the JOG reply report them.
struct SimAxisValues {
    std::int32_t commandPosition = 0;
    std::int32_t detectedPosition = 0;
    std::int32_t commandSpeed = 0;
    std::int32_t detectedSpeed = 0;
};

struct SimNetworkDriver {
    SimAxisValues values;
    std::uint32_t status = 0x20;  // reply 160 + 4i: NET-OUT (bit 4 HOME-END, 5 READY, 7 ALM, 13 MOVE)
    std::uint16_t alarmCode = 0;  // reply 176 + 2i
    std::uint16_t inputs = 0;     // reply 184 + 2i: the output word the PC last sent for the driver
};

// Lowest bit of each pulse axis' nibble (HOMES, +LS, -LS, spare from the top)
// in the sensor word: axis 1 bits 7..4, 2: 3..0, 3: 15..12, 4: 11..8.
inline constexpr std::array<int, 4> kSensorNibbleShift{4, 0, 12, 8};

// What the controller reports in the status poll, in plain (not inverted) form.
struct SimStatus {
    std::uint16_t generalInputs = 0;                            // IN1..IN16
    // READY, ALM, TIM/ZSG2, END/IN-POS, HOME-END: a standing axis is ready and in position.
    std::array<std::uint8_t, 4> driverInputs{0x09, 0x09, 0x09, 0x09};
    std::uint16_t hostInputs = 0;                               // EXT-STOP, PRG-START, PRG-STOP, ALM-RST
    std::uint16_t sensorInputs = 0;                             // one nibble per pulse axis, see kSensorNibbleShift
    std::array<SimAxisValues, 4> pulseAxes{};
    std::array<SimNetworkDriver, 16> networkDrivers{};
    std::array<std::uint8_t, 8> runFlags{};                    // per task: running program number, 0 idle
    std::array<std::uint8_t, 8> stepValues{};                  // per task: step being run
};

}  // namespace vantrel
