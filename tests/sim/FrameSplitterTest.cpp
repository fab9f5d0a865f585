// Cutting the PC's byte stream into request frames.

#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "sim/FrameSplitter.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

void feed(FrameSplitter& s, const Bytes& b) { s.feed(b.data(), b.size()); }

TEST(FrameSplitter, FrameSplitAcrossFeedsComesOutWhole) {
    FrameSplitter s;
    const Bytes frame = writeValue(3, 52, 2, 7);
    for (std::size_t cut : {1u, 3u, 4u, 47u}) {
        feed(s, Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(cut)));
        EXPECT_FALSE(s.next().has_value()) << "cut after " << cut;
        feed(s, Bytes(frame.begin() + static_cast<std::ptrdiff_t>(cut), frame.end()));
        auto out = s.next();
        ASSERT_TRUE(out.has_value());
        EXPECT_EQ(*out, frame);
        EXPECT_FALSE(s.next().has_value());
    }
}

TEST(FrameSplitter, TwoFramesInOneFeed) {
    FrameSplitter s;
    Bytes both = identify(1);
    const Bytes second = Request(0xAA, 2, 52);
    both.insert(both.end(), second.begin(), second.end());
    feed(s, both);
    EXPECT_EQ(s.next().value(), identify(1));
    EXPECT_EQ(s.next().value(), second);
    EXPECT_FALSE(s.next().has_value());
    EXPECT_EQ(s.buffered(), 0u);
}

TEST(FrameSplitter, ResynchronisesAfterGarbage) {
    FrameSplitter s;
    // Noise, a start byte with an impossible length, a start byte with a
    // plausible length whose frame fails the check code, then a real frame.
    Bytes stream = {0x00, 0xFF, 0x13, 0x02, 0x01, 0xFF, 0x7F, 0x02, 0x09, 0x24, 0x00};
    stream.resize(stream.size() + 32, 0x55);
    const Bytes frame = identify(9);
    stream.insert(stream.end(), frame.begin(), frame.end());
    feed(s, stream);
    EXPECT_EQ(s.next().value(), frame);
    EXPECT_FALSE(s.next().has_value());
    EXPECT_GT(s.droppedBytes(), 0u);
}

TEST(FrameSplitter, LengthsOutsideTheRequestsAreDropped) {
    FrameSplitter s;
    Bytes longFrame = Request(0x07, 1, 61);  // longer than any request
    feed(s, longFrame);
    EXPECT_FALSE(s.next().has_value());
    Bytes shortFrame = Request(0x07, 1, 35);  // shorter than any request
    feed(s, shortFrame);
    EXPECT_FALSE(s.next().has_value());
    const Bytes frame = alarmRecord(4);
    feed(s, frame);
    EXPECT_EQ(s.next().value(), frame);
}

}  // namespace
