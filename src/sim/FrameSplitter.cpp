#include "sim/FrameSplitter.h"

#include "data/ByteOrder.h"
#include "link/FrameCrc.h"

namespace vantrel {

void FrameSplitter::feed(const std::uint8_t* bytes, std::size_t count) {
    compact();
    buffer_.insert(buffer_.end(), bytes, bytes + count);
}

void FrameSplitter::clear() {
    buffer_.clear();
    start_ = 0;
}

void FrameSplitter::compact() {
    if (start_ == 0) return;
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
}

std::optional<std::vector<std::uint8_t>> FrameSplitter::next() {
    while (start_ < buffer_.size()) {
        if (buffer_[start_] != 0x02) {
            ++start_;
            ++dropped_;
            continue;
        }
        if (buffer_.size() - start_ < 4) return std::nullopt;
        const std::size_t length = readU16LE(&buffer_[start_ + 2]);
        if (length < kMinFrame || length > kMaxFrame) {
            ++start_;
            ++dropped_;
            continue;
        }
        if (buffer_.size() - start_ < length) return std::nullopt;
        const std::uint8_t* frame = &buffer_[start_];
        if (FrameCrc::compute(frame, length - 2) != readU16LE(frame + length - 2)) {
            ++start_;
            ++dropped_;
            continue;
        }
        std::vector<std::uint8_t> out(frame, frame + length);
        start_ += length;
        return out;
    }
    return std::nullopt;
}

}  // namespace vantrel
