#include "online/TrendBuffer.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

TrendBuffer::TrendBuffer(std::int64_t spanMs, std::size_t capacity)
    : spanMs_(spanMs), storage_(std::max<std::size_t>(capacity, 1)) {}

void TrendBuffer::add(const TrendSample& sample) {
    if (count_ > 0 && sample.timeMs < newest().timeMs) return;
    if (count_ == storage_.size()) {
        head_ = (head_ + 1) % storage_.size();
        --count_;
    }
    storage_[(head_ + count_) % storage_.size()] = sample;
    ++count_;
    while (count_ > 1 && (*this)[0].timeMs < sample.timeMs - spanMs_) {
        head_ = (head_ + 1) % storage_.size();
        --count_;
    }
}

void TrendBuffer::clear() {
    head_ = 0;
    count_ = 0;
}

std::size_t TrendBuffer::lowerBound(std::int64_t t) const {
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if ((*this)[mid].timeMs < t)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

std::optional<std::size_t> TrendBuffer::nearest(std::int64_t t, std::int64_t maxDistanceMs) const {
    if (count_ == 0) return std::nullopt;
    const std::size_t after = lowerBound(t);
    std::optional<std::size_t> best;
    std::int64_t bestDistance = maxDistanceMs;
    for (std::size_t i : {after, after - 1}) {  // after - 1 wraps to a huge index when after is 0
        if (i >= count_) continue;
        const std::int64_t distance = std::llabs((*this)[i].timeMs - t);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

std::optional<TrendBuffer::Range> TrendBuffer::range(int axis, TrendChannel channel, std::int64_t t0,
                                                     std::int64_t t1) const {
    std::optional<Range> out;
    for (std::size_t i = lowerBound(t0); i < count_ && (*this)[i].timeMs <= t1; ++i) {
        const double v = (*this)[i].value(axis, channel);
        if (!out)
            out = Range{v, v};
        else
            out = Range{std::min(out->min, v), std::max(out->max, v)};
    }
    return out;
}

AxisTicks niceTicks(double min, double max, int maxTicks) {
    if (!(max > min)) {  // flat or empty: one unit (or one tenth of the value) around it
        const double pad = min == 0 ? 1.0 : std::abs(min) * 0.1;
        min -= pad;
        max += pad;
    }
    const double rough = (max - min) / std::max(maxTicks - 1, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * magnitude;
        const double ticks = std::ceil(max / step) - std::floor(min / step) + 1;
        if (ticks <= maxTicks) break;
    }
    return {std::floor(min / step) * step, std::ceil(max / step) * step, step};
}

}  // namespace vantrel
