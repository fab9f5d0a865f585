// Every case drives the port from the other end of a pseudo-terminal, which
// Windows lacks: there the port is tried against the simulated controller by
// the end-to-end run under Wine (scripts/test-windows.sh) instead.
#ifndef _WIN32

#include "link/SerialPort.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

#include "link/ControllerLink.h"

using namespace vantrel;
using namespace std::chrono_literals;

namespace {

// A pseudo-terminal whose master side plays the controller.
class Pty {
public:
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) path = ::ptsname(master);
        // Keep a slave open so the master never sees a hang-up between opens.
        if (!path.empty()) keeper = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        if (keeper >= 0) {
            termios t{};
            ::tcgetattr(keeper, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(keeper, TCSANOW, &t);
        }
    }
    ~Pty() {
        if (keeper >= 0) ::close(keeper);
        if (master >= 0) ::close(master);
    }
    void send(const std::string& s) const { ASSERT_EQ(::write(master, s.data(), s.size()), static_cast<ssize_t>(s.size())); }
    std::string take(std::size_t n) const {
        std::string s(n, '\0');
        std::size_t got = 0;
        while (got < n) {
            const ssize_t r = ::read(master, s.data() + got, n - got);
            if (r <= 0) break;
            got += static_cast<std::size_t>(r);
        }
        s.resize(got);
        return s;
    }
    int master = -1;
    int keeper = -1;
    std::string path;
};

class LossRecorder : public LinkEvents {
public:
    void progress(int percent, int result) override { progress_.push_back({percent, result}); }
    void connectionResult(int) override {}
    void settingsReadDone() override {}
    void verifyError(int) override {}
    void linkLost(bool silent) override { losses.push_back(silent); }
    std::vector<std::pair<int, int>> progress_;
    std::vector<bool> losses;
};

}  // namespace

TEST(SerialPort, DevicePathIsDevPlusTheName) {
    EXPECT_EQ(SerialPort::devicePath("ttyACM0"), "/dev/ttyACM0");
    EXPECT_EQ(SerialPort::devicePath("pts/7"), "/dev/pts/7");
}

TEST(SerialPort, OpensExclusivelyAndRefusesMissingDevices) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    SerialPort port;
    EXPECT_FALSE(port.open("/dev/vantrel-no-such-device"));
    EXPECT_FALSE(port.isOpen());
    ASSERT_TRUE(port.open(pty.path));
    SerialPort second;
    EXPECT_FALSE(second.open(pty.path));
    EXPECT_TRUE(port.close());
    EXPECT_TRUE(second.open(pty.path));
}

TEST(SerialPort, RawBinaryBytesPassUnchanged) {
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    const std::string bytes("\x02\r\n\x03\x11\x13\x7f\xff\0\x04", 10);
    ASSERT_EQ(port.write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 10);
    EXPECT_EQ(pty.take(10), bytes);
    pty.send(bytes);
    std::array<std::uint8_t, 10> in{};
    ASSERT_EQ(port.read(in.data(), in.size()), 10u);
    EXPECT_EQ(std::string(in.begin(), in.end()), bytes);
}

TEST(SerialPort, AWriteDiscardsBytesThatArrivedBefore) {
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    port.setTimeouts(100ms, 1000ms);
    pty.send("stale reply");
    std::array<std::uint8_t, 1> dummy{};
    // Wait until the stale bytes lie in the terminal's input (the keeper
    // descriptor sees the same input queue as the port).
    pollfd p{pty.keeper, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 10000), 1);
    const std::uint8_t request[2] = {0x02, 0x01};
    ASSERT_EQ(port.write(request, 2), 2);
    EXPECT_EQ(port.read(dummy.data(), dummy.size()), 0u);
    pty.send("R");
    ASSERT_EQ(port.read(dummy.data(), dummy.size()), 1u);
    EXPECT_EQ(dummy[0], 'R');
}

TEST(SerialPort, AReadReturnsWhatArrivedWithinTheTimeout) {
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    port.setTimeouts(100ms, 1000ms);
    pty.send("abc");
    std::array<std::uint8_t, 8> in{};
    EXPECT_EQ(port.read(in.data(), in.size()), 3u);
    EXPECT_EQ(port.read(in.data(), in.size()), 0u);
}

TEST(SerialPort, AHungUpLineEndsReadsAndFailsWrites) {
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    port.setTimeouts(3000ms, 1000ms);
    ::close(pty.keeper);
    pty.keeper = -1;
    ::close(pty.master);
    pty.master = -1;
    std::array<std::uint8_t, 8> in{};
    EXPECT_EQ(port.read(in.data(), in.size()), 0u);
    const std::uint8_t request[2] = {0x02, 0x01};
    EXPECT_EQ(port.write(request, 2), -1);
}

TEST(SerialPort, AClosedPortNeitherWritesNorReads) {
    SerialPort port;
    const std::uint8_t b[1] = {0};
    std::uint8_t in[1];
    EXPECT_EQ(port.write(b, 1), -1);
    EXPECT_EQ(port.read(in, 1), 0u);
    EXPECT_TRUE(port.close());
}

TEST(SerialPort, AWriteNobodyTakesGivesUpWithWhatWentOut) {
    // The controller side never reads: the terminal's buffers fill and the
    // write must return after its time-out instead of blocking for ever.
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    port.setTimeouts(100ms, 200ms);
    std::vector<std::uint8_t> block(4u << 20, 0x55);
    const long written = port.write(block.data(), block.size());
    EXPECT_GE(written, 0);
    EXPECT_LT(written, static_cast<long>(block.size()));
}

TEST(SerialPort, OpeningMakesNoLineSettings) {
    Pty pty;
    termios wanted{};
    ASSERT_EQ(::tcgetattr(pty.keeper, &wanted), 0);
    ::cfsetispeed(&wanted, B4800);
    ::cfsetospeed(&wanted, B4800);
    wanted.c_cflag |= CSTOPB;
    // A cooked terminal, as a freshly plugged-in device may come up.
    wanted.c_lflag |= ECHO | ICANON | ISIG;
    wanted.c_iflag |= ICRNL | IXON;
    wanted.c_oflag |= OPOST;
    ASSERT_EQ(::tcsetattr(pty.keeper, TCSANOW, &wanted), 0);
    termios before{};  // what the terminal kept of it
    ASSERT_EQ(::tcgetattr(pty.keeper, &before), 0);
    SerialPort port;
    ASSERT_TRUE(port.open(pty.path));
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.keeper, &after), 0);
    // Speed, character size, parity and stop bits stay as the driver had them ...
    EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B4800));
    EXPECT_EQ(::cfgetispeed(&after), ::cfgetispeed(&before));
    const tcflag_t line = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
    EXPECT_EQ(after.c_cflag & line, before.c_cflag & line);
    EXPECT_TRUE(after.c_cflag & CSTOPB);
    // ... but the line is raw: no echo, no line editing, no CR/LF translation.
    EXPECT_FALSE(after.c_lflag & (ECHO | ICANON | ISIG));
    EXPECT_FALSE(after.c_iflag & (ICRNL | IXON));
    EXPECT_FALSE(after.c_oflag & OPOST);
}

TEST(SerialPort, AHangUpWhileAWriteWaitsIsALostLinkEvenWhenPartOfTheFrameWentOut) {
    // The controller side stops reading: the terminal's buffers take part of a
    // frame and the write waits; then the controller hangs up. That write has
    // failed (the link is gone), it was not merely cut short.
    Pty pty;
    ControllerStatus status;
    ControllerLink link(status);
    LossRecorder events;
    link.setTimeouts(3000ms, 60000ms);  // only the hang-up may end the write
    ASSERT_TRUE(link.open(pty.path.substr(std::string("/dev/").size()), &events));
    std::thread controller([&pty] {
        pollfd p{pty.master, POLLIN, 0};
        ::poll(&p, 1, 10000);  // the first bytes of the frame are in
        ::close(pty.keeper);
        ::close(pty.master);
    });
    std::vector<std::uint8_t> frame(4u << 20, 0x55);
    EXPECT_EQ(link.send(frame.data(), frame.size()), 0u);
    controller.join();
    pty.keeper = pty.master = -1;
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(events.losses, std::vector<bool>{false});  // with the USB warning
    EXPECT_EQ(events.progress_, (std::vector<std::pair<int, int>>{{100, kFailed}}));
    EXPECT_EQ(link.pendingOp(), static_cast<std::uint8_t>(LinkOp::Identify));
}

#endif
