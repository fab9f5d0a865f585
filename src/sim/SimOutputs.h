#pragma once

// What the PC last sent to the simulated controller in its status polls.

#include <array>
#include <cstdint>

namespace vantrel {

// What the PC last sent in its status polls.
struct SimOutputs {
    std::uint8_t lastRunRequest = 0;  // last non-zero run request (0xD7 start, 0xD8 stop)
    std::uint16_t generalOutputs = 0;
    std::array<std::uint8_t, 4> driverOutputs{};
    std::uint16_t hostOutputs = 0;          // as received (bits 4..7 arrive set)
    int alarmResets = 0;                    // one-shot alarm resets received
    std::uint16_t networkAlarmResets = 0;   // every network alarm-reset mask received, OR-ed
    std::array<std::uint16_t, 16> networkOutputs{};
    std::uint16_t requestedMode = 0;
    std::uint16_t selectedGroup = 0;
    std::array<std::uint32_t, 3> lastRegisterRequest{};  // last non-empty network register request
};

}  // namespace vantrel
