#include "link/LinkTraceFile.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "link/TraceLine.h"
#include "platform/LocalTime.h"
#include "platform/OutputFile.h"

namespace vantrel {
namespace {

constexpr std::size_t kBatchBytes = 64 * 1024;
constexpr std::chrono::milliseconds kBatchTime{200};

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = localTime(now);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S (local time)", &local);
    return text;
}

bool isFrame(TraceEvent::Kind kind) {
    return kind == TraceEvent::Kind::Sent || kind == TraceEvent::Kind::Received ||
           kind == TraceEvent::Kind::ReceivedMore;
}

}  // namespace

LinkTraceFile::~LinkTraceFile() { close(); }

bool LinkTraceFile::open(const std::string& path) {
    std::lock_guard guard(lock_);
    closeLocked();
    error_ = 0;
    lines_ = 0;
    const int fd = openOutputFile(path);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    fd_ = fd;
    path_ = path;
    start_ = lastWrite_ = std::chrono::steady_clock::now();
    pending_ = traceHeader(localTimeNow());
    const bool plainFile = isPlainFile(fd);
    if (flushLocked()) return true;
    // Not even the header went in (a full disk): no empty trace is left behind.
    if (plainFile) removeFile(path);
    return false;
}

void LinkTraceFile::close() {
    std::lock_guard guard(lock_);
    closeLocked();
}

void LinkTraceFile::closeLocked() {
    if (fd_ < 0) return;
    flushLocked();
    if (fd_ >= 0 && ::close(fd_) != 0 && error_ == 0 && errno != EINTR) error_ = errno;
    fd_ = -1;
    pending_.clear();
}

bool LinkTraceFile::isOpen() const {
    std::lock_guard guard(lock_);
    return fd_ >= 0;
}

std::string LinkTraceFile::path() const {
    std::lock_guard guard(lock_);
    return path_;
}

int LinkTraceFile::error() const {
    std::lock_guard guard(lock_);
    return error_;
}

std::uint64_t LinkTraceFile::lines() const {
    std::lock_guard guard(lock_);
    return lines_;
}

bool LinkTraceFile::flushLocked() {
    std::size_t done = 0;
    while (done < pending_.size()) {
        const ssize_t n = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : ENOSPC;
            ::close(fd_);
            fd_ = -1;
            pending_.clear();
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    pending_.clear();
    lastWrite_ = std::chrono::steady_clock::now();
    return true;
}

void LinkTraceFile::record(const TraceEvent& event) {
    std::lock_guard guard(lock_);
    if (fd_ < 0) return;
    const auto since = event.time > start_ ? event.time - start_ : std::chrono::steady_clock::duration{};
    appendTraceLine(pending_, std::chrono::duration<double>(since).count(), event);
    ++lines_;
    if (!isFrame(event.kind) || pending_.size() >= kBatchBytes || event.time - lastWrite_ >= kBatchTime)
        flushLocked();
}

}  // namespace vantrel
