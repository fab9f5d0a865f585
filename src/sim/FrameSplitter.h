#pragma once

// Cuts the byte stream the PC writes into request frames: a frame starts with
// 0x02 and is as long as the little-endian length at bytes 2..3. Bytes before a
// start byte are garbage and dropped; a start byte whose length is outside the
// lengths of requests (36..60) or whose frame fails the check code is dropped
// and the search resumes at the next byte, so the splitter finds its way back
// into step after noise.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

class FrameSplitter {
public:
    static constexpr std::size_t kMinFrame = 36;
    static constexpr std::size_t kMaxFrame = 60;

    void feed(const std::uint8_t* bytes, std::size_t count);
    // The next whole frame, or nothing until more bytes arrive.
    std::optional<std::vector<std::uint8_t>> next();

    std::size_t buffered() const { return buffer_.size() - start_; }
    std::size_t droppedBytes() const { return dropped_; }
    void clear();

private:
    void compact();

    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
    std::size_t dropped_ = 0;
};

}  // namespace vantrel
