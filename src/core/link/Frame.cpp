#include "link/Frame.h"

#include <algorithm>

#include "link/FrameCrc.h"

namespace vantrel {

Frame::Frame(RequestCode code, std::size_t length, std::uint8_t sequence)
    : length_(std::clamp(length, frame::kFields + frame::kCheckSize, frame::kMaxRequestLength)) {
    bytes_[frame::kStart] = frame::kStartByte;
    bytes_[frame::kSequence] = sequence;
    setU16(frame::kLength, static_cast<std::uint16_t>(length_));
    bytes_[frame::kCode] = static_cast<std::uint8_t>(code);
}

void Frame::setU8(std::size_t offset, std::uint8_t value) {
    if (offset < length_) bytes_[offset] = value;
}

void Frame::setU16(std::size_t offset, std::uint16_t value) {
    setU8(offset, static_cast<std::uint8_t>(value & 0xFF));
    setU8(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

void Frame::setU32(std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) setU8(offset + i, static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

void Frame::setBytes(std::size_t offset, const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) setU8(offset + i, bytes[i]);
}

void Frame::seal() {
    const std::size_t body = length_ - frame::kCheckSize;
    setU16(body, FrameCrc::compute(bytes_.data(), body));
}

std::uint16_t readU16LE(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t readU32LE(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t readU16BE(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
std::uint32_t readU32BE(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

}  // namespace vantrel
