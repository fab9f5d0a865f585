#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel {

// Check code of a controller frame: CRC-16 with generator 0x1021, preset 0, no
// final inversion, where each data byte enters bit-reversed at the bottom of
// the register instead of being XOR-ed into the table index.
class FrameCrc {
public:
    static std::uint16_t compute(const std::uint8_t* data, std::size_t length);
};

}  // namespace vantrel
