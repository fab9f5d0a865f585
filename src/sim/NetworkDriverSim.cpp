#include "sim/NetworkDriverSim.h"

#include <cmath>

namespace vantrel {

std::int32_t NetworkDriverSim::speedInRpm(double hz) {
    return static_cast<std::int32_t>(std::lround(hz * 60.0 / kStepsPerRevolution));
}

std::uint16_t NetworkDriverSim::reg(std::uint16_t address) const {
    const auto it = registers_.find(address);
    return it == registers_.end() ? 0 : it->second;
}

NetworkDriverSim::RegisterAnswer NetworkDriverSim::registerRequest(std::uint8_t function, std::uint16_t address,
                                                                   std::uint16_t count, std::uint32_t data) {
    RegisterAnswer answer{function, data};
    switch (function) {
    case 3:  // read one or two registers, the first in the upper half
        answer.data = count == 2 ? (static_cast<std::uint32_t>(reg(address)) << 16) | reg(static_cast<std::uint16_t>(address + 1))
                                 : reg(address);
        break;
    case 8:  // diagnostics: the data comes back as sent
        break;
    case 16:  // write one or two registers
        if (count == 2) {
            registers_[address] = static_cast<std::uint16_t>(data >> 16);
            registers_[static_cast<std::uint16_t>(address + 1)] = static_cast<std::uint16_t>(data);
        } else {
            registers_[address] = static_cast<std::uint16_t>(data);
        }
        break;
    default:  // an exception answer: the function code with its top bit set
        answer.function = static_cast<std::uint8_t>(function | 0x80);
        answer.data = 0;
        break;
    }
    return answer;
}

}  // namespace vantrel
