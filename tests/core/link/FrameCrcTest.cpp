#include "link/FrameCrc.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using vantrel::FrameCrc;

namespace {
std::uint16_t crcOf(const std::string& s) {
    return FrameCrc::compute(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}
}  // namespace

TEST(FrameCrc, KnownCheckValues) {
    EXPECT_EQ(crcOf("abc"), 0xB788);
    EXPECT_EQ(crcOf("123456789"), 0xFE0A);
    EXPECT_EQ(FrameCrc::compute(nullptr, 0), 0);
}

TEST(FrameCrc, IdentifyRequestWithSequenceOne) {
    std::array<std::uint8_t, 34> frame{};
    frame[0] = 0x02;
    frame[1] = 0x01;
    frame[2] = 0x24;
    EXPECT_EQ(FrameCrc::compute(frame.data(), frame.size()), 0x1869);
}
