#include "sim/PtyServer.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "sim/FrameSplitter.h"

namespace vantrel {

namespace {

constexpr int kPollMillis = 100;
// A reply that makes no progress this long is given up: the PC reads bulk
// replies without pauses, and gives up itself after 3 s without bytes.
constexpr auto kStallLimit = std::chrono::seconds(2);
constexpr std::size_t kReadChunk = 65536;

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PtyServer::PtyServer(ControllerSim& sim) : sim_(sim) {}

void PtyServer::setPacing(std::optional<UsbLine> params) {
    std::lock_guard lock(mutex_);
    if (running_.load()) return;
    pacing_.reset();
    if (params) pacing_.emplace(*params);
    wireSeconds_ = 0;
}

bool PtyServer::sleepUntil(UsbPacing::Clock::time_point when) {
    while (!stopRequested_.load()) {
        const auto now = UsbPacing::Clock::now();
        if (now >= when) return true;
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(when - now);
        const timespec ts{static_cast<time_t>(wait.count() / 1000000000), static_cast<long>(wait.count() % 1000000000)};
        pollfd wake{wakeRead_, POLLIN, 0};
        if (ppoll(&wake, 1, &ts, nullptr) > 0) return false;
    }
    return false;
}

PtyServer::~PtyServer() { stop(); }

std::string PtyServer::portName() const {
    std::lock_guard lock(mutex_);
    const std::string prefix = "/dev/";
    return devicePath_.rfind(prefix, 0) == 0 ? devicePath_.substr(prefix.size()) : devicePath_;
}

std::string PtyServer::devicePath() const {
    std::lock_guard lock(mutex_);
    return devicePath_;
}

std::string PtyServer::errorText() const {
    std::lock_guard lock(mutex_);
    return error_;
}

bool PtyServer::start() {
    std::lock_guard lock(mutex_);
    if (running_.load()) return true;
    // A thread that ended by itself (hang-up) is collected before a new start.
    if (thread_.joinable()) thread_.join();
    closeDescriptors();
    hungUp_ = false;
    stopRequested_ = false;
    error_.clear();

    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error_ = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        error_ = systemError("pseudo-terminal set-up");
        closeDescriptors();
        return false;
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);

    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) {
        error_ = systemError("slave side");
        closeDescriptors();
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tcsetattr(slave_, TCSANOW, &tio);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        error_ = systemError("pipe");
        closeDescriptors();
        return false;
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    devicePath_ = name;
    running_ = true;
    thread_ = std::thread(&PtyServer::run, this);
    return true;
}

void PtyServer::stop() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) {
        stopRequested_ = true;
        if (wakeWrite_ >= 0) {
            const std::uint8_t b = 1;
            [[maybe_unused]] ssize_t n = write(wakeWrite_, &b, 1);
        }
        thread_.join();
    }
    closeDescriptors();
    running_ = false;
}

void PtyServer::closeDescriptors() {
    for (int* fd : {&master_, &slave_, &wakeRead_, &wakeWrite_}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
}

void PtyServer::pauseBriefly() {
    // Sleeps a little, waking at once when a stop is asked for.
    pollfd wake{wakeRead_, POLLIN, 0};
    poll(&wake, 1, 20);
}

void PtyServer::drainBeforeHangUp() {
    pauseBriefly();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int waiting = 0;
    while (!stopRequested_.load() && ioctl(slave_, TIOCINQ, &waiting) == 0 && waiting > 0 &&
           std::chrono::steady_clock::now() < limit) {
        pauseBriefly();
    }
}

void PtyServer::run() {
    FrameSplitter splitter;
    std::vector<std::uint8_t> chunk(kReadChunk);
    while (!stopRequested_.load()) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        // Bytes already waiting when the paced line is free again have queued
        // behind the ones before them: they cross without a gap.
        bool queued = pacing_ && poll(fds, 1, 0) > 0 && (fds[0].revents & POLLIN);
        const int ready = queued ? 1 : poll(fds, 2, kPollMillis);
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (!queued && fds[1].revents != 0) break;
        if (fds[0].revents == 0) continue;
        if (!(fds[0].revents & POLLIN)) {
            // POLLHUP/POLLERR: nobody on the slave side just now.
            pauseBriefly();
            continue;
        }
        const ssize_t n = read(master_, chunk.data(), chunk.size());
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            pauseBriefly();  // EIO while no slave is open
            continue;
        }
        // With pacing, the bytes read have crossed the line only by this time.
        const auto crossed = pacing_ ? pacing_->received(static_cast<std::size_t>(n), UsbPacing::Clock::now(), queued)
                                     : UsbPacing::Clock::now();
        splitter.feed(chunk.data(), static_cast<std::size_t>(n));
        while (auto frame = splitter.next()) {
            if (pacing_ && !sleepUntil(crossed)) break;
            const std::vector<std::uint8_t> reply = sim_.handle(*frame);
            if (pacing_) wireSeconds_ = pacing_->wireSeconds();
            if (reply.empty() && !sim_.hangUpDue()) continue;
            std::optional<UsbPacing::Clock::time_point> start;
            if (pacing_) start = pacing_->answerStart(std::max(crossed, UsbPacing::Clock::now()));
            const WriteResult result = writeReply(reply, start);
            if (result == WriteResult::HungUp) {
                // Like a pulled cable: the terminal disappears. Bytes not yet
                // read would vanish with it, so the PC gets a moment to take them.
                drainBeforeHangUp();
                close(master_);
                master_ = -1;
                close(slave_);
                slave_ = -1;
                hungUp_ = true;
                running_ = false;
                return;
            }
            if (result == WriteResult::Abandoned) {
                // What is left of the reply in the terminal would reach the
                // PC's next read as if it answered its next request.
                tcflush(slave_, TCIFLUSH);
                ++abandonedReplies_;
            }
            if (result == WriteResult::Stopped) {
                running_ = false;
                return;
            }
        }
    }
    running_ = false;
}

PtyServer::WriteResult PtyServer::writeReply(const std::vector<std::uint8_t>& reply,
                                             std::optional<UsbPacing::Clock::time_point> start) {
    const auto [allowed, hangUp] = sim_.hangUpAllowance(reply.size());
    std::size_t sent = 0;
    auto lastProgress = std::chrono::steady_clock::now();
    while (sent < allowed) {
        std::size_t ready = allowed;
        if (start) {
            // Only what has crossed the paced line by now; wait a moment for more.
            const auto now = UsbPacing::Clock::now();
            ready = std::min(allowed, pacing_->answerBytesBy(*start, now, reply.size()));
            if (ready <= sent) {
                const auto next = std::min(pacing_->answerEnd(*start, allowed), now + std::chrono::milliseconds(1));
                if (!sleepUntil(std::max(next, *start))) return WriteResult::Stopped;
                lastProgress = UsbPacing::Clock::now();
                continue;
            }
        }
        const ssize_t n = write(master_, reply.data() + sent, ready - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            lastProgress = std::chrono::steady_clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            pauseBriefly();  // no reader attached: give the rest up
            return WriteResult::Abandoned;
        }
        // The terminal's buffer is full: wait until the PC reads, a new
        // request arrives (the PC gave up on this reply) or a stop is asked for.
        pollfd fds[2] = {{master_, POLLOUT | POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (poll(fds, 2, kPollMillis) < 0 && errno != EINTR) return WriteResult::Abandoned;
        if (fds[1].revents != 0 || stopRequested_.load()) return WriteResult::Stopped;
        if (fds[0].revents & POLLIN) return WriteResult::Abandoned;
        if (std::chrono::steady_clock::now() - lastProgress > kStallLimit) return WriteResult::Abandoned;
    }
    if (start) {
        pacing_->answered(reply.size(), UsbPacing::Clock::now());
        wireSeconds_ = pacing_->wireSeconds();
    }
    return hangUp ? WriteResult::HungUp : WriteResult::Done;
}

}  // namespace vantrel
