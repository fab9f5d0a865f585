#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "data/ByteOrder.h"

namespace vantrel {

// One register request towards a network driver; it rides in bytes 36..47 of
// the next status poll and is cleared once sent. All-zero means none pending.
struct NetworkRegisterRequest {
    static constexpr std::size_t kSize = 12;
    enum Function : std::uint8_t { kReadRegisters = 3, kDiagnostics = 8, kWriteRegisters = 16 };

    std::uint8_t slave = 0;     // 1..16 (RIVO driver number)
    std::uint8_t function = 0;  // Function
    std::uint16_t registerAddress = 0;
    std::uint16_t registerCount = 0;
    std::int32_t data = 0;

    bool operator==(const NetworkRegisterRequest&) const = default;

    // The 12 bytes as they go on the wire (little-endian fields).
    std::array<std::uint8_t, kSize> encode() const {
        std::array<std::uint8_t, kSize> b{};
        b[0] = slave;
        b[1] = function;
        writeU16LE(&b[4], registerAddress);
        writeU16LE(&b[6], registerCount);
        writeU32LE(&b[8], static_cast<std::uint32_t>(data));
        return b;
    }
};

}  // namespace vantrel
