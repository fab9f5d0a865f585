#include "sim/ReplyFrame.h"

#include <cstring>
#include <stdexcept>

#include "data/ByteOrder.h"
#include "link/FrameCrc.h"

namespace vantrel {

namespace {
constexpr std::uint8_t kStartByte = 0x02;
}

ReplyFrame::ReplyFrame(std::size_t length, std::uint8_t sequence, std::uint8_t code) : bytes_(length, 0) {
    if (length < 6) throw std::invalid_argument("reply shorter than a frame head");
    bytes_[0] = kStartByte;
    bytes_[1] = sequence;
    // The length field is 16 bits wide; the bulk blocks that are longer keep its low half.
    writeU16LE(&bytes_[2], static_cast<std::uint16_t>(length & 0xFFFF));
    bytes_[4] = code;
}

void ReplyFrame::setU16(std::size_t offset, std::uint16_t v) {
    if (offset + 2 > bytes_.size()) throw std::out_of_range("reply field");
    writeU16LE(&bytes_[offset], v);
}

void ReplyFrame::setU32(std::size_t offset, std::uint32_t v) {
    if (offset + 4 > bytes_.size()) throw std::out_of_range("reply field");
    writeU32LE(&bytes_[offset], v);
}

void ReplyFrame::setBytes(std::size_t offset, const std::uint8_t* source, std::size_t count) {
    if (offset + count > bytes_.size()) throw std::out_of_range("reply field");
    if (count > 0) std::memcpy(&bytes_[offset], source, count);
}

std::vector<std::uint8_t> ReplyFrame::finish() {
    const std::size_t n = bytes_.size();
    std::uint16_t crc = FrameCrc::compute(bytes_.data(), n - 2);
    writeU16LE(&bytes_[n - 2], crc);
    return std::move(bytes_);
}

}  // namespace vantrel
