// The USB full-speed pace: bytes cross the line one after the other at the
// rate, an answer starts one frame after its request, and the wire-limit time
// adds up every byte and one frame per answer.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "sim/UsbPacing.h"

using namespace vantrel;
using namespace vantrel::simtest;
using namespace std::chrono_literals;

namespace {

using Clock = UsbPacing::Clock;

TEST(UsbPacing, BytesCrossOneAfterTheOtherAndAnswersWaitAFrame) {
    UsbPacing pace(UsbLine{});  // 1 MB/s, 1 ms frames
    const Clock::time_point t0{1s};
    EXPECT_EQ(pace.received(500, t0), t0 + 500us);
    EXPECT_EQ(pace.received(500, t0 + 100us), t0 + 1000us) << "queued behind the first 500 bytes";
    EXPECT_EQ(pace.received(52, t0 + 5ms), t0 + 5ms + 52us) << "an idle line starts at once";

    const auto start = pace.answerStart(t0 + 5ms + 52us);
    EXPECT_EQ(start, t0 + 6ms + 52us);
    EXPECT_EQ(pace.answerBytesBy(start, start - 1us, 212), 0u);
    EXPECT_EQ(pace.answerBytesBy(start, start + 100us, 212), 100u);
    EXPECT_EQ(pace.answerBytesBy(start, start + 1s, 212), 212u);
    EXPECT_EQ(pace.answerEnd(start, 212), start + 212us);
    pace.answered(212, start + 212us);
    EXPECT_EQ(pace.received(10, start), start + 222us) << "the next request crosses after the answer";
    EXPECT_NEAR(pace.wireSeconds(), (500 + 500 + 52 + 212 + 10) * 1e-6 + 1e-3, 1e-12);
}

TEST(UsbPacing, ThePacedServerCountsTheWireLimitOfWhatItCarried) {
    ControllerSim sim;
    PtyServer server(sim);
    server.setPacing(UsbLine{});
    ASSERT_TRUE(server.start()) << server.errorText();
    const int fd = open(server.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    auto exchange = [&](const Bytes& request, std::size_t replySize) {
        ASSERT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
        std::vector<std::uint8_t> buffer(replySize);
        std::size_t got = 0;
        while (got < replySize) {
            pollfd p{fd, POLLIN, 0};
            ASSERT_GT(poll(&p, 1, 5000), 0);
            const ssize_t n = read(fd, buffer.data() + got, replySize - got);
            ASSERT_GT(n, 0);
            got += static_cast<std::size_t>(n);
        }
        EXPECT_EQ(buffer[1], request[1]) << "the whole answer, in order";
    };
    exchange(identify(1), 88);
    exchange(readSettings(2, 1), 65536);
    close(fd);
    server.stop();
    // Requests 36 + 40 bytes, answers 88 + 65,536 bytes, two frames.
    EXPECT_NEAR(server.wireSeconds(), (36 + 40 + 88 + 65536) * 1e-6 + 2e-3, 1e-9);
}

}  // namespace
