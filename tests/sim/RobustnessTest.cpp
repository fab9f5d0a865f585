// Whatever arrives on the line, the controller neither crashes nor answers
// with a malformed frame: random bytes through the frame splitter, and
// well-formed frames of every request code with random fields.

#include <gtest/gtest.h>

#include <random>

#include "SimTestSupport.h"
#include "sim/ControllerSim.h"
#include "sim/FrameSplitter.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

bool isBulk(const Bytes& request) {
    const std::uint8_t code = request[4];
    const std::uint32_t phase = u32(request, 32);
    return (code == 0x01 && phase != 0) || (code == 0x05 && phase != 0);
}

TEST(Robustness, RandomFieldsInWellFormedFramesGetWellFormedReplies) {
    ControllerSim sim;
    std::mt19937 gen(2024);
    const std::uint8_t codes[] = {0x00, 0x01, 0x03, 0x05, 0x07, 0x09, 0x0B, 0x0D, 0x13, 0x15, 0x19, 0xAA, 0xC1};
    int answered = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::uint8_t code = codes[gen() % std::size(codes)];
        // Half of the frames have their code's own length, the others any request length.
        std::size_t length = 36 + gen() % 25;
        if (gen() % 2) {
            switch (code) {
            case 0x01: case 0x05: case 0x09: length = 40; break;
            case 0x03: length = 40 + gen() % 21; break;
            case 0x07: case 0x0D: length = 48; break;
            case 0x0B: length = 60; break;
            case 0x15: length = 41 + gen() % 20; break;
            case 0xAA: length = 52; break;
            default: length = 36; break;
            }
        }
        Request r(code, static_cast<std::uint8_t>(i), length);
        for (std::size_t at = 5; at < length - 2; ++at) r.u8(at, static_cast<std::uint8_t>(gen()));
        // Keep phases, sizes and block lengths mostly in range so the deep paths run too.
        if (gen() % 2) r.u32(32, gen() % 3);
        if (code == 0x03 && length >= 40) r.u16(36, static_cast<std::uint16_t>(length - 40)).u16(32, gen() % 4 + 1).u16(34, gen() % 4);
        if (code == 0x15 && length >= 41) r.u16(36, static_cast<std::uint16_t>(length - 41)).u16(32, gen() % 4 + 1).u16(34, gen() % 4);
        const Bytes request = r;
        const Bytes reply = sim.handle(request);
        if (reply.empty()) continue;
        ++answered;
        ASSERT_EQ(reply[0], 0x02);
        ASSERT_EQ(reply[1], request[1]);
        if (!isBulk(request)) {
            ASSERT_EQ(u16(reply, 2), reply.size());
            ASSERT_EQ(u16(reply, reply.size() - 2), FrameCrc::compute(reply.data(), reply.size() - 2));
        }
    }
    EXPECT_GT(answered, 3000);
}

TEST(Robustness, RandomBytesOnTheLineAreSplitSafely) {
    ControllerSim sim;
    FrameSplitter splitter;
    std::mt19937 gen(99);
    std::vector<std::uint8_t> noise(1 << 16);
    int frames = 0;
    for (int round = 0; round < 16; ++round) {
        for (auto& b : noise) b = static_cast<std::uint8_t>(gen() % 4 == 0 ? 0x02 : gen());
        splitter.feed(noise.data(), noise.size());
        // A real frame after the noise is found again.
        const Bytes frame = identify(static_cast<std::uint8_t>(round));
        splitter.feed(frame.data(), frame.size());
        bool found = false;
        while (auto f = splitter.next()) {
            sim.handle(*f);
            ++frames;
            found = found || *f == frame;
        }
        EXPECT_TRUE(found) << "round " << round;
    }
    EXPECT_GE(frames, 16);
}

}  // namespace
