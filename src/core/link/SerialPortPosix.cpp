// POSIX implementation of SerialPort (termios).
#ifndef _WIN32

#include "link/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;
// A blocked read looks at the abort flag and the interrupt count this often.
constexpr std::chrono::milliseconds kAbortCheck{50};

// Device name prefixes of serial ports offered by listPorts.
constexpr const char* kSerialPrefixes[] = {"ttyACM", "ttyUSB", "ttyS", "ttyAMA", "ttyXRUSB", "rfcomm"};

// Orders "ttyS2" before "ttyS10".
bool naturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        std::size_t digits = s.size();
        while (digits > 0 && s[digits - 1] >= '0' && s[digits - 1] <= '9') --digits;
        const std::string number = s.substr(digits);
        return std::make_pair(s.substr(0, digits), number.empty() ? -1L : std::stol(number.substr(0, 9)));
    };
    return split(a) < split(b);
}

int asFd(std::intptr_t handle) { return static_cast<int>(handle); }

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

}  // namespace

SerialPort::~SerialPort() { close(); }

std::string SerialPort::devicePath(const std::string& portName) { return "/dev/" + portName; }

std::vector<std::string> SerialPort::candidateNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", ec)) {
        const std::string name = entry.path().filename().string();
        for (const char* prefix : kSerialPrefixes) {
            const std::string p(prefix);
            if (name.size() > p.size() && name.compare(0, p.size(), p) == 0) {
                names.push_back(name);
                break;
            }
        }
    }
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

bool SerialPort::open(const std::string& devicePath) {
    close();
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // Exclusive: TIOCEXCL refuses further opens of the terminal, the lock keeps
    // out another instance of this program (which TIOCEXCL does not stop when
    // it runs with privileges).
    termios tio{};
    if (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        return false;
    }
    // Raw binary mode: no echo, no line editing, no translation. The speed and
    // the other line settings stay as the driver has them.
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

bool SerialPort::isOpen() const { return handle_ >= 0; }

bool SerialPort::close() {
    if (handle_ < 0) return true;
    const int fd = asFd(handle_);
    handle_ = -1;
    ::ioctl(fd, TIOCNXCL);
    return ::close(fd) == 0;
}

void SerialPort::setTimeouts(Milliseconds readTimeout, Milliseconds writeTimeout) {
    readTimeout_ = readTimeout;
    writeTimeout_ = writeTimeout;
}

void SerialPort::discardInput() {
    // Input only: a write returns once the bytes are in the kernel's buffer, so
    // discarding output would drop frames still on their way out.
    ::tcflush(asFd(handle_), TCIFLUSH);
}

long SerialPort::write(const std::uint8_t* data, std::size_t length) {
    if (handle_ < 0) return -1;
    discardInput();
    const int fd = asFd(handle_);
    const auto deadline = Clock::now() + writeTimeout_;
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(fd, data + done, length - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // The device is gone (error or hang-up), however much of the frame went
        // out before: the write has failed, and so has the link.
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return -1;
        const int wait = remainingMs(deadline);
        if (wait <= 0) break;
        pollfd p{fd, POLLOUT, 0};
        const int r = ::poll(&p, 1, wait);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return -1;
    }
    // Only the write time-out leaves a frame cut short.
    return static_cast<long>(done);
}

std::size_t SerialPort::read(std::uint8_t* buffer, std::size_t length) {
    lastReadEnd_ = ReadEnd::HungUp;
    if (handle_ < 0) return 0;
    const int fd = asFd(handle_);
    const auto deadline = Clock::now() + readTimeout_;
    std::size_t done = 0;
    // In raw mode a read without data returns 0 at once; only poll tells a
    // quiet line from one that is gone: readable but nothing to read is an end.
    bool readable = false;
    ReadEnd end = ReadEnd::Complete;
    while (done < length) {
        const ssize_t n = ::read(fd, buffer + done, length - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            readable = false;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if ((n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) || readable) {
            end = ReadEnd::HungUp;  // device gone, or hung up
            break;
        }
        if ((abort_ && abort_->load()) || (interrupts_ && interrupts_->load() > 0)) {
            end = ReadEnd::Aborted;
            break;
        }
        const int wait = std::min<int>(remainingMs(deadline), static_cast<int>(kAbortCheck.count()));
        if (wait <= 0) {
            end = ReadEnd::TimedOut;
            break;
        }
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, wait);
        if (r <= 0) {
            if (r < 0 && errno != EINTR) {
                end = ReadEnd::HungUp;
                break;
            }
            continue;
        }
        if ((p.revents & (POLLERR | POLLNVAL)) || ((p.revents & POLLHUP) && !(p.revents & POLLIN))) {
            end = ReadEnd::HungUp;
            break;
        }
        readable = true;
    }
    lastReadEnd_ = end;
    return done;
}

}  // namespace vantrel

#endif
