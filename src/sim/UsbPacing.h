#pragma once

// The pace of a USB full-speed CDC controller, for a simulated controller that
// should answer no faster than the real one: the payload crosses the line at
// about 1 MB/s in both directions, and an answer starts in the USB frame
// after the one that brought its request (1 ms later). The model also adds up
// the wire-limit time of what it carried: every byte at the rate and one frame
// per answer, the time a host that never paused would take for the same
// exchanges.

#include <chrono>
#include <cstddef>

namespace vantrel {

// Payload rate and USB frame period of a full-speed CDC line.
struct UsbLine {
    double bytesPerSecond = 1.0e6;
    std::chrono::microseconds framePeriod{1000};
};

class UsbPacing {
public:
    using Clock = std::chrono::steady_clock;

    explicit UsbPacing(UsbLine line) : params_(line) {}

    const UsbLine& line() const { return params_; }
    // `count` request bytes taken from the line at `now`: when the last of
    // them has crossed it (the line carries one byte after the other). Bytes
    // that were `queued` while the line was busy follow the ones before them
    // at once, however late they are taken.
    Clock::time_point received(std::size_t count, Clock::time_point now, bool queued = false);
    // When the answer to a request that ended at `requestEnd` starts.
    Clock::time_point answerStart(Clock::time_point requestEnd) const;
    // How many bytes of an answer begun at `start` have crossed the line by `now`.
    std::size_t answerBytesBy(Clock::time_point start, Clock::time_point now, std::size_t count) const;
    // When an answer of `count` bytes begun at `start` has crossed the line.
    Clock::time_point answerEnd(Clock::time_point start, std::size_t count) const;
    // An answer of `count` bytes has crossed the line by `end`; it counts into
    // the wire-limit time, and the next request crosses after it.
    void answered(std::size_t count, Clock::time_point end);
    // The wire-limit time of everything carried so far.
    double wireSeconds() const { return wireSeconds_; }

private:
    Clock::duration transfer(std::size_t count) const;

    UsbLine params_;
    Clock::time_point lineFree_{};
    double wireSeconds_ = 0;
};

}  // namespace vantrel
