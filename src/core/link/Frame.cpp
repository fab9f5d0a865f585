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

}  // namespace vantrel
