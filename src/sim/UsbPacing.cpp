#include "sim/UsbPacing.h"

#include <algorithm>

namespace vantrel {

UsbPacing::Clock::duration UsbPacing::transfer(std::size_t count) const {
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(count) / params_.bytesPerSecond));
}

UsbPacing::Clock::time_point UsbPacing::received(std::size_t count, Clock::time_point now, bool queued) {
    lineFree_ = (queued ? lineFree_ : std::max(lineFree_, now)) + transfer(count);
    wireSeconds_ += static_cast<double>(count) / params_.bytesPerSecond;
    return lineFree_;
}

UsbPacing::Clock::time_point UsbPacing::answerStart(Clock::time_point requestEnd) const {
    return requestEnd + params_.framePeriod;
}

std::size_t UsbPacing::answerBytesBy(Clock::time_point start, Clock::time_point now, std::size_t count) const {
    if (now <= start) return 0;
    const double seconds = std::chrono::duration<double>(now - start).count();
    return std::min(count, static_cast<std::size_t>(seconds * params_.bytesPerSecond));
}

UsbPacing::Clock::time_point UsbPacing::answerEnd(Clock::time_point start, std::size_t count) const {
    return start + transfer(count);
}

void UsbPacing::answered(std::size_t count, Clock::time_point end) {
    lineFree_ = std::max(lineFree_, end);
    wireSeconds_ += std::chrono::duration<double>(params_.framePeriod).count() +
                    static_cast<double>(count) / params_.bytesPerSecond;
}

}  // namespace vantrel
