#pragma once

// One reply of the simulated controller under construction: a zeroed buffer
// with the start byte, the echoed sequence number, the length and the reply
// code already in place. finish() appends the check code; bulk blocks (the
// large settings and program reads) go out without one.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

class ReplyFrame {
public:
    ReplyFrame(std::size_t length, std::uint8_t sequence, std::uint8_t code);

    std::uint8_t* data() { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    void setU8(std::size_t offset, std::uint8_t v) { bytes_.at(offset) = v; }
    void setU16(std::size_t offset, std::uint16_t v);
    void setU32(std::size_t offset, std::uint32_t v);
    void setS32(std::size_t offset, std::int32_t v) { setU32(offset, static_cast<std::uint32_t>(v)); }
    void setBytes(std::size_t offset, const std::uint8_t* source, std::size_t count);

    // The frame with its check code over bytes 0 .. length-3 at length-2 (low byte first).
    std::vector<std::uint8_t> finish();
    // The bytes as they are: the bulk blocks carry no check code.
    std::vector<std::uint8_t> takeBulk() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace vantrel
