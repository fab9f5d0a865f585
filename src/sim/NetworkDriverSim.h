#pragma once

// One network driver of the simulated machine: its motion in steps, the
// NET-IN word the PC sends it (FREE and AWO release the motor), its NET-OUT
// status bits, its alarm code and its registers, which the register requests
// of the status poll read and write (functions 3, 8 and 16).

#include <cstdint>
#include <map>

#include "sim/AxisMotion.h"
#include "sim/SimStatus.h"

namespace vantrel {

class NetworkDriverSim {
public:
    // NET-OUT bits of the per-driver status word.
    static constexpr std::uint32_t kHomeEnd = 0x10;
    static constexpr std::uint32_t kReady = 0x20;
    static constexpr std::uint32_t kAlarm = 0x80;
    static constexpr std::uint32_t kMoving = 0x2000;
    // NET-IN bits.
    static constexpr std::uint16_t kFree = 0x40;
    static constexpr std::uint16_t kAwo = 0x80;
    // The drivers report speeds in r/min of a motor with this many steps per revolution.
    static constexpr double kStepsPerRevolution = 1000.0;

    AxisMotion motion;
    bool homing = false;  // returning to step 0

    // The motor holds its position unless FREE or AWO is on.
    static bool excited(std::uint16_t netIn) { return (netIn & (kFree | kAwo)) == 0; }
    static std::int32_t speedInRpm(double hz);

    // A register request; fills the answer's function code and data.
    struct RegisterAnswer {
        std::uint8_t function = 0;
        std::uint32_t data = 0;
    };
    RegisterAnswer registerRequest(std::uint8_t function, std::uint16_t address, std::uint16_t count, std::uint32_t data);

private:
    std::uint16_t reg(std::uint16_t address) const;
    std::map<std::uint16_t, std::uint16_t> registers_;
};

}  // namespace vantrel
