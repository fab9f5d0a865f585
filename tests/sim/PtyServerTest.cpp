// The simulator served on a pseudo-terminal: the test opens the slave path as
// the PC opens its port, writes request frames and reads the replies.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SimTestSupport.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

class Port {
public:
    explicit Port(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {}
    ~Port() {
        if (fd_ >= 0) close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void send(const Bytes& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<std::size_t>(n);
        }
    }
    // Reads until `count` bytes arrived, the line ends, or nothing came for 5 s.
    Bytes receive(std::size_t count) const {
        Bytes out;
        std::vector<std::uint8_t> chunk(65536);
        while (out.size() < count) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0) break;
            const ssize_t n = read(fd_, chunk.data(), std::min(chunk.size(), count - out.size()));
            if (n <= 0) break;
            out.insert(out.end(), chunk.begin(), chunk.begin() + n);
        }
        return out;
    }

private:
    int fd_;
};

template <class Predicate>
bool eventually(Predicate predicate) {
    for (int i = 0; i < 500; ++i) {
        if (predicate()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return predicate();
}

// A simulator with its server started on a fresh pseudo-terminal.
class PtyServerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()) << server.errorText(); }

    ControllerSim sim;
    PtyServer server{sim};
};

// The identify request with `sequence` gets its whole, well-formed reply.
void expectIdentifyAnswered(const Port& port, std::uint8_t sequence) {
    port.send(identify(sequence));
    expectReply(port.receive(88), 88, sequence, 0x00);
}

TEST_F(PtyServerTest, ServesFramesOnTheSlavePath) {
    EXPECT_EQ(server.portName().rfind("pts/", 0), 0u);
    EXPECT_EQ(server.devicePath(), "/dev/" + server.portName());

    Port port(server.devicePath());
    ASSERT_TRUE(port.isOpen());
    port.send(identify(1));
    Bytes reply = port.receive(88);
    expectReply(reply, 88, 1, 0x00);
    EXPECT_EQ(std::string(reply.begin() + 32, reply.begin() + 36), "MAIN");
}

TEST_F(PtyServerTest, FramesSplitAcrossWritesAndTwoFramesInOneWrite) {
    Port port(server.devicePath());

    const Bytes frame = writeValue(2, 52, 2, 0x0102);
    port.send(Bytes(frame.begin(), frame.begin() + 3));
    port.send(Bytes(frame.begin() + 3, frame.begin() + 30));
    port.send(Bytes(frame.begin() + 30, frame.end()));
    expectReply(port.receive(48), 48, 2, 0x07);

    Bytes two = readValue(3, 52, 2);
    const Bytes second = alarmRecord(4);
    two.insert(two.end(), second.begin(), second.end());
    port.send(two);
    Bytes replies = port.receive(48 + 44);
    ASSERT_EQ(replies.size(), 92u);
    Bytes first(replies.begin(), replies.begin() + 48);
    expectReply(first, 48, 3, 0x09);
    EXPECT_EQ(be(first, 40, 2), 0x0102u);
    expectReply(Bytes(replies.begin() + 48, replies.end()), 44, 4, 0x19);
}

TEST_F(PtyServerTest, LineControlBytesPassUnchanged) {
    Port port(server.devicePath());
    // CR, LF, Ctrl-C and XON as data, both ways: the line is raw before the PC sets it.
    port.send(writeValue(0x0D, 264, 4, 0x0D0A0311));
    expectReply(port.receive(48), 48, 0x0D, 0x07);
    EXPECT_EQ(sim.readMemory(264, 4), (Bytes{0x0D, 0x0A, 0x03, 0x11}));
    port.send(readValue(0x0A, 264, 4));
    Bytes reply = port.receive(48);
    expectReply(reply, 48, 0x0A, 0x09);
    EXPECT_EQ(be(reply, 40, 4), 0x0D0A0311u);
}

TEST(PtyServer, LargestReplyArrivesWhole) {
    ControllerSim sim(randomImage(21));
    PtyServer server(sim);
    ASSERT_TRUE(server.start());
    Port port(server.devicePath());
    port.send(readSettings(5, 2));
    Bytes reply = port.receive(524320);
    ASSERT_EQ(reply.size(), 524320u);
    EXPECT_EQ(reply[1], 5);
    EXPECT_EQ(Bytes(reply.begin() + 32, reply.end()), sim.readMemory(0, 0x80000));
    // The line is free for the next exchange.
    expectIdentifyAnswered(port, 6);
}

TEST_F(PtyServerTest, KeepsServingWhileNobodyHasThePortOpen) {
    {
        Port port(server.devicePath());
        port.send(identify(1));
        EXPECT_EQ(port.receive(88).size(), 88u);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(server.isRunning());
    Port again(server.devicePath());
    expectIdentifyAnswered(again, 2);
}

TEST_F(PtyServerTest, ReplyThePcStopsReadingIsGivenUpWithoutStaleBytes) {
    Port port(server.devicePath());
    port.send(readSettings(1, 2));
    ASSERT_EQ(port.receive(1000).size(), 1000u);
    ASSERT_TRUE(eventually([&] { return server.abandonedReplies() == 1; }));
    expectIdentifyAnswered(port, 2);
}

TEST_F(PtyServerTest, StopEndsServingEvenWithAReplyNobodyReads) {
    const std::string first = server.devicePath();
    {
        Port port(first);
        port.send(readSettings(1, 2));  // 524,320 bytes that nobody reads
        ASSERT_TRUE(eventually([&] { return sim.requestCount(0x01) == 1; }));
        server.stop();
    }
    EXPECT_FALSE(server.isRunning());
    server.stop();  // a second stop is harmless

    ASSERT_TRUE(server.start());
    Port port(server.devicePath());
    expectIdentifyAnswered(port, 3);
}

TEST_F(PtyServerTest, HangUpFaultClosesTheLineAfterTheBytesAllowed) {
    Port port(server.devicePath());
    port.send(identify(1));
    EXPECT_EQ(port.receive(88).size(), 88u);

    SimFaults f;
    f.hangUpAfterBytes = 50;
    sim.setFaults(f);
    port.send(identify(2));
    Bytes cut = port.receive(88);
    EXPECT_EQ(cut.size(), 50u);
    EXPECT_TRUE(eventually([&] { return server.hungUp(); }));
    EXPECT_FALSE(server.isRunning());
    EXPECT_TRUE(port.receive(1).empty()) << "the line is dead";

    // A new start makes a fresh line.
    ASSERT_TRUE(server.start());
    EXPECT_FALSE(server.hungUp());
    Port fresh(server.devicePath());
    expectIdentifyAnswered(fresh, 3);
}

}  // namespace
