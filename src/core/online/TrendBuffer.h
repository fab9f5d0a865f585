#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

// The four values of a pulse axis that the trend keeps.
enum class TrendChannel : std::uint8_t { CommandPosition, DetectedPosition, CommandSpeed, DetectedSpeed };
inline constexpr int kTrendAxes = 4;
inline constexpr int kTrendChannels = 4;

// One refresh of the status monitor: the time in milliseconds of a steady
// clock and the values of every axis in its unit.
struct TrendSample {
    std::int64_t timeMs = 0;
    std::array<double, kTrendAxes * kTrendChannels> values{};
    double value(int axis, TrendChannel channel) const { return values[slot(axis, channel)]; }
    void setValue(int axis, TrendChannel channel, double v) { values[slot(axis, channel)] = v; }
    static std::size_t slot(int axis, TrendChannel channel) {
        return static_cast<std::size_t>(axis) * kTrendChannels + static_cast<std::size_t>(channel);
    }
};

// The samples of the last `span` milliseconds, oldest first, in a ring of fixed
// capacity: adding never allocates, and a refresh faster than expected drops
// the oldest samples rather than growing without bound.
class TrendBuffer {
public:
    static constexpr std::int64_t kDefaultSpanMs = 60000;
    static constexpr std::size_t kDefaultCapacity = 4096;  // 60 s at 40 ms is 1500

    explicit TrendBuffer(std::int64_t spanMs = kDefaultSpanMs, std::size_t capacity = kDefaultCapacity);

    // Adds a sample and drops those more than the span older than it. A
    // sample older than the newest one (a clock that stepped back) is ignored.
    void add(const TrendSample& sample);
    void clear();

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::int64_t spanMs() const { return spanMs_; }
    // i = 0 is the oldest sample.
    const TrendSample& operator[](std::size_t i) const { return storage_[(head_ + i) % storage_.size()]; }
    const TrendSample& newest() const { return (*this)[count_ - 1]; }

    // Index of the first sample at or after time t (size() when none).
    std::size_t lowerBound(std::int64_t t) const;
    // The sample nearest to time t, when one lies within maxDistanceMs of it.
    std::optional<std::size_t> nearest(std::int64_t t, std::int64_t maxDistanceMs) const;

    struct Range {
        double min;
        double max;
    };
    // Smallest and largest value of one channel over the samples in [t0, t1].
    std::optional<Range> range(int axis, TrendChannel channel, std::int64_t t0, std::int64_t t1) const;

private:
    std::int64_t spanMs_;
    std::vector<TrendSample> storage_;
    std::size_t head_ = 0;  // index of the oldest sample in storage_
    std::size_t count_ = 0;
};

// Tick marks of a value axis: `first` and every `step` up to `last`, at most
// about `maxTicks` of them, on steps of 1, 2 or 5 times a power of ten. An
// empty or flat range is widened so that it always has ticks.
struct AxisTicks {
    double first;
    double last;
    double step;
};
AxisTicks niceTicks(double min, double max, int maxTicks);

}  // namespace vantrel
