#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/Protocol.h"

namespace vantrel {

// One request frame: start byte, sequence, length, code, command fields and
// the check code. The buffer starts cleared, so every byte no field names is 0.
class Frame {
public:
    Frame(RequestCode code, std::size_t length, std::uint8_t sequence);

    void setU8(std::size_t offset, std::uint8_t value);
    void setU16(std::size_t offset, std::uint16_t value);  // little-endian
    void setU32(std::size_t offset, std::uint32_t value);  // little-endian
    void setBytes(std::size_t offset, const std::uint8_t* bytes, std::size_t count);
    // Computes the check code over all but the last two bytes and stores it,
    // low byte first. Call after the last field is set.
    void seal();

    const std::uint8_t* data() const { return bytes_.data(); }
    std::size_t size() const { return length_; }
    std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }
    std::uint8_t sequence() const { return bytes_[frame::kSequence]; }

private:
    std::array<std::uint8_t, frame::kMaxRequestLength> bytes_{};
    std::size_t length_;
};

}  // namespace vantrel
