#include "LinkSession.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace vantrel::cli {

LinkSession::LinkSession(bool showProgress) : showProgress_(showProgress && ::isatty(STDERR_FILENO)) {
    // The program read always writes the working program file; each run gets
    // its own, so scripts running side by side never share one.
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data())) workDir_ = pattern;
    thread.setWorkingProgramFile((workDir_ / "Ncstep.sys").string());
    thread.start();
}

LinkSession::~LinkSession() {
    thread.stop();
    link.close();
    std::error_code ec;
    if (!workDir_.empty()) std::filesystem::remove_all(workDir_, ec);
}

int LinkSession::connect(const std::string& portName) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        connection_ = 0;
    }
    if (!link.open(portName, this)) return 0;
    std::unique_lock<std::mutex> guard(lock_);
    // The identify waits up to the read time-out of 3 s for its reply.
    changed_.wait_for(guard, std::chrono::seconds(10), [this] { return connection_ != 0; });
    return connection_ == 0 ? static_cast<int>(kNoController) : connection_;
}

int LinkSession::runOperation(const std::function<void()>& start, Seconds timeout) {
    // The result is cleared before the start, so a quick ending is not missed.
    {
        std::lock_guard<std::mutex> guard(lock_);
        result_ = 0;
        lastPercent_ = -1;
    }
    start();
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait_for(guard, timeout, [this] { return result_ != 0; });
    return result_;
}

bool LinkSession::waitQueuesIdle(Seconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (!link.isOpen()) return false;
        if (queues.valueWriteCount() == 0 && queues.valueReadCount() == 0 && queues.axisParameterWriteCount() == 0 &&
            link.pendingOp() == static_cast<std::uint8_t>(LinkOp::Idle))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool LinkSession::waitRunRequestSent(Seconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (!link.isOpen()) return false;
        if (status.runRequest.load(std::memory_order_relaxed) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

bool LinkSession::waitPolls(int count, Seconds timeout) {
    // A status poll answered overwrites the status variables; the link thread
    // runs one about every 31 ms when idle. Polls are not counted by the link,
    // so wait for the time `count` polls take, bounded by the port staying open.
    const auto end = std::chrono::steady_clock::now() + timeout;
    const auto wanted = std::chrono::steady_clock::now() + std::chrono::milliseconds(40 * count + 20);
    while (std::chrono::steady_clock::now() < wanted) {
        if (!link.isOpen() || std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return link.isOpen();
}

int LinkSession::verifyErrorKind() const {
    std::lock_guard<std::mutex> guard(lock_);
    return verifyError_;
}

bool LinkSession::linkWasLost() const {
    std::lock_guard<std::mutex> guard(lock_);
    return linkLost_;
}

bool LinkSession::linkLostWarning() const {
    std::lock_guard<std::mutex> guard(lock_);
    return linkLostWarning_;
}

bool LinkSession::settingsWereRead() const {
    std::lock_guard<std::mutex> guard(lock_);
    return settingsRead_;
}

void LinkSession::progress(int percent, int result) {
    std::lock_guard<std::mutex> guard(lock_);
    if (result_ != 0) return;  // the first ending result counts, as in the progress window
    if (percent != lastPercent_) {
        drawBar(percent);
        lastPercent_ = percent;
    }
    if (result != 0) {
        result_ = result;
        if (showProgress_) std::fputs("\n", stderr);
        changed_.notify_all();
    }
}

void LinkSession::connectionResult(int result) {
    std::lock_guard<std::mutex> guard(lock_);
    connection_ = result;
    changed_.notify_all();
}

void LinkSession::settingsReadDone() {
    std::lock_guard<std::mutex> guard(lock_);
    settingsRead_ = true;
}

void LinkSession::verifyError(int kind) {
    std::lock_guard<std::mutex> guard(lock_);
    verifyError_ = kind;
}

void LinkSession::linkLost(bool silent) {
    std::lock_guard<std::mutex> guard(lock_);
    linkLost_ = true;
    if (!silent) linkLostWarning_ = true;
    changed_.notify_all();
}

void LinkSession::drawBar(int percent) {
    if (!showProgress_) return;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
}

}  // namespace vantrel::cli
