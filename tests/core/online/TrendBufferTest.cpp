#include "online/TrendBuffer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vantrel;

namespace {
TrendSample sampleAt(std::int64_t t, double v) {
    TrendSample s;
    s.timeMs = t;
    s.setValue(1, TrendChannel::CommandSpeed, v);
    return s;
}
}  // namespace

TEST(TrendBuffer, KeepsTheLastSpanOldestFirst) {
    TrendBuffer buffer;  // 60 s
    for (std::int64_t t = 0; t <= 100000; t += 40) buffer.add(sampleAt(t, static_cast<double>(t)));
    EXPECT_EQ(buffer[0].timeMs, 40000);  // exactly 60 s before the newest stays
    EXPECT_EQ(buffer.newest().timeMs, 100000);
    EXPECT_EQ(buffer.size(), 1501u);
    for (std::size_t i = 1; i < buffer.size(); ++i) ASSERT_LT(buffer[i - 1].timeMs, buffer[i].timeMs);
    buffer.add(sampleAt(99000, 1));  // a clock that stepped back: ignored
    EXPECT_EQ(buffer.newest().timeMs, 100000);
}

TEST(TrendBuffer, AFullRingDropsTheOldestInsteadOfGrowing) {
    TrendBuffer buffer(60000, 100);
    for (std::int64_t t = 0; t < 1000; ++t) buffer.add(sampleAt(t, 0));
    EXPECT_EQ(buffer.size(), 100u);
    EXPECT_EQ(buffer[0].timeMs, 900);
    EXPECT_EQ(buffer.newest().timeMs, 999);
}

TEST(TrendBuffer, NearestSampleAndRange) {
    TrendBuffer buffer;
    for (std::int64_t t = 1000; t <= 2000; t += 100) buffer.add(sampleAt(t, std::sin(static_cast<double>(t))));
    buffer.add(sampleAt(2100, -5));
    buffer.add(sampleAt(2200, 7));
    struct Case {
        std::int64_t t;
        std::int64_t within;
        std::optional<std::int64_t> found;
    };
    const Case cases[] = {
        {1049, 100, 1000}, {1051, 100, 1100}, {1000, 0, 1000}, {500, 100, std::nullopt},
        {900, 100, 1000},  {2300, 100, 2200}, {2301, 100, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto i = buffer.nearest(c.t, c.within);
        ASSERT_EQ(i.has_value(), c.found.has_value()) << c.t;
        if (i) {
            EXPECT_EQ(buffer[*i].timeMs, *c.found) << c.t;
        }
    }
    const auto r = buffer.range(1, TrendChannel::CommandSpeed, 2050, 2250);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->min, -5);
    EXPECT_EQ(r->max, 7);
    EXPECT_FALSE(buffer.range(1, TrendChannel::CommandSpeed, 2201, 3000));
    EXPECT_FALSE(TrendBuffer().nearest(0, 1000));
}

TEST(TrendBuffer, NiceTicksCoverTheRangeOnRoundSteps) {
    struct Case {
        double min, max;
        double step;
    };
    const Case cases[] = {
        {0, 100, 20}, {-3.2, 7.9, 5}, {-3.2, 5.9, 2}, {0.001, 0.0093, 0.002}, {-40000, 66666, 50000}, {5, 5, 0.5}, {0, 0, 0.5},
    };
    for (const Case& c : cases) {
        const AxisTicks t = niceTicks(c.min, c.max, 6);
        EXPECT_NEAR(t.step, c.step, c.step * 1e-9) << c.min << ".." << c.max;
        EXPECT_LE(t.first, std::min(c.min, c.max));
        EXPECT_GE(t.last, c.max);
        EXPECT_LE((t.last - t.first) / t.step + 1, 6.0 + 1e-9);
    }
}
