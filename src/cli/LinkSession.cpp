#include "LinkSession.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CliOutput.h"
#include "PortRun.h"
#include "ProgressBoard.h"
#include "platform/AnsiText.h"
#include "platform/Terminal.h"

namespace vantrel::cli {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often a wait looks at the link when no event wakes it.
constexpr milliseconds kLook{50};

std::string traceFile;  // of "--trace FILE"
// Sessions of several ports start their traces at the same time.
std::atomic<bool> traceStarted{false};

// The divisor of VANTREL_CLI_LINK_TIME_DIVISOR, 1 when unset or not a number.
long timeDivisor() {
    const char* text = std::getenv("VANTREL_CLI_LINK_TIME_DIVISOR");
    const long n = text ? std::strtol(text, nullptr, 10) : 1;
    return n > 1 ? n : 1;
}

}  // namespace

LinkSession::LinkSession(bool showProgress)
    : run_(PortRun::current()),
      showProgress_(showProgress && !run_ && standardErrorIsTerminal()),
      workFolder_("vantrel-cli-") {
    // The program read always writes the working program file; each run gets
    // its own, so scripts running side by side never share one. Without the
    // folder there is none (connectController refuses to go on).
    if (workFolder_.made()) thread.setWorkingProgramFile(workFolder_.path() + "/Ncstep.sys");
    if (const long divisor = timeDivisor(); divisor > 1) {
        link.setTimeouts(ControllerLink::kReadTimeout / divisor, ControllerLink::kWriteTimeout);
        margin_ /= divisor;
        LinkPauses pauses;
        for (Milliseconds* p : {&pauses.emptyFinalRead, &pauses.otherFinalReply, &pauses.emptyFlashRead,
                                &pauses.fileError, &pauses.settingsWritten, &pauses.poll})
            *p /= divisor;
        thread.setPauses(pauses);
    }
    thread.start();
}

LinkSession::~LinkSession() {
    thread.stop();
    link.close();
    link.setTraceSink(nullptr);
    if (trace_.isOpen()) {
        trace_.close();
        if (const int error = trace_.error())
            err() << "vantrel-cli: the trace " << trace_.path() << " is incomplete: " << std::strerror(error) << "\n";
    }
}

void LinkSession::setTracePath(const std::string& path) { traceFile = path; }

std::string LinkSession::tracePath() { return traceFile; }

bool LinkSession::traceWasStarted() { return traceStarted.load(); }

bool LinkSession::startTrace(std::string& problem) {
    // Each port of several writes a trace of its own.
    const std::string& path = run_ ? run_->tracePath() : traceFile;
    if (path.empty() || trace_.isOpen()) return true;
    if (!trace_.open(path)) {
        problem = "cannot write the trace " + path + ": " + std::strerror(trace_.error());
        return false;
    }
    link.setTraceSink(&trace_);
    traceStarted.store(true);
    return true;
}

std::uint64_t LinkSession::eventCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return events_;
}

int LinkSession::currentResult() const {
    std::lock_guard<std::mutex> guard(lock_);
    return result_;
}

void LinkSession::awaitEvent(Milliseconds most) {
    std::unique_lock<std::mutex> guard(lock_);
    const std::uint64_t seen = events_;
    changed_.wait_for(guard, most, [&] { return events_ != seen; });
}

long long LinkSession::silenceSeconds() const {
    return std::chrono::ceil<std::chrono::seconds>(thread.timing().longestSilence() + margin_).count();
}

int LinkSession::connect(const std::string& portName) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        connection_ = 0;
    }
    if (!link.open(portName, this)) return 0;
    // The identify is one exchange, made as soon as the link thread wakes.
    const LinkTiming timing = thread.timing();
    int result;
    {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait_for(guard, timing.exchange() + kLoopPause + margin_, [this] { return connection_ != 0; });
        result = connection_ == 0 ? static_cast<int>(kNoController) : connection_;
    }
    if (run_ && result != kNoController) run_->connected(ansiToUtf8(status.controllerName()));
    return result;
}

int LinkSession::runOperation(const std::function<void()>& start) {
    // The result is cleared before the start, so a quick ending is not missed.
    {
        std::lock_guard<std::mutex> guard(lock_);
        result_ = 0;
        lastPercent_ = -1;
    }
    const Milliseconds quiet = thread.timing().longestSilence() + margin_;
    start();
    std::uint64_t events = eventCount();
    std::uint64_t bytes = bytesMoved();
    auto lastSign = Clock::now();
    while (currentResult() == 0) {
        awaitEvent(kLook);
        if (eventCount() != events || bytesMoved() != bytes) {
            events = eventCount();
            bytes = bytesMoved();
            lastSign = Clock::now();
        } else if (Clock::now() - lastSign > quiet) {
            break;  // the link has stopped working on it: no verdict
        }
    }
    return currentResult();
}

bool LinkSession::waitQueuesIdle() {
    // A value write and its read-back are two exchanges: count the writes twice,
    // so every exchange the controller answers makes the count smaller.
    const auto pending = [this] {
        return 2 * queues.valueWriteCount() + queues.valueReadCount() + queues.axisParameterWriteCount();
    };
    const LinkTiming timing = thread.timing();
    // One exchange, after whatever pass or pause runs now.
    const Milliseconds quiet = timing.passRunningNow() + timing.exchange() + kLoopPause + margin_;
    std::size_t least = pending();
    auto lastShrink = Clock::now();
    while (true) {
        if (linkGone()) return false;
        {
            // Under the link lock no single-value exchange is in flight.
            std::lock_guard<std::recursive_mutex> guard(link.lock());
            if (pending() == 0) return true;
        }
        if (const std::size_t now = pending(); now < least) {
            least = now;
            lastShrink = Clock::now();
        } else if (Clock::now() - lastShrink > quiet) {
            return false;
        }
        awaitEvent(kLook);
    }
}

bool LinkSession::waitRunRequestSent() {
    return waitTakenByPoll([this] { return status.runRequest.load(std::memory_order_relaxed) == 0; });
}

bool LinkSession::waitTakenByPoll(const std::function<bool()>& taken) {
    // The next status poll takes it, after the pass (and pause) running now.
    const LinkTiming timing = thread.timing();
    const auto end = Clock::now() + timing.passRunningNow() + timing.pollCycle() + margin_;
    while (Clock::now() < end) {
        if (linkGone()) return false;
        if (taken()) return true;
        awaitEvent(milliseconds(5));
    }
    return false;
}

bool LinkSession::readAlarmRecord() {
    std::uint64_t before;
    {
        std::lock_guard<std::mutex> guard(lock_);
        before = alarmRecords_;
    }
    if (!thread.startOperation(LinkOp::AlarmRead)) return false;
    // Taken at the next pass, after the pass (and pause) running now.
    const LinkTiming timing = thread.timing();
    const Milliseconds most = timing.passRunningNow() + timing.exchange() + kLoopPause + margin_;
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait_for(guard, most, [&] { return alarmRecords_ != before || linkLost_; });
    return alarmRecords_ != before;
}

std::uint64_t LinkSession::imageStores() const {
    std::lock_guard<std::mutex> guard(lock_);
    return imageStores_;
}

bool LinkSession::waitStatusReplies(const std::function<bool()>& done, int maxReplies) {
    const LinkTiming timing = thread.timing();
    // The pass running now, then kStatusPollTries polls.
    const Milliseconds quiet =
        timing.passRunningNow() + kStatusPollTries * timing.pollCycle() + margin_;
    std::uint32_t seen = status.statusReplies.load(std::memory_order_relaxed);
    int replies = 0;
    auto lastReply = Clock::now();
    while (!linkGone()) {
        const std::uint32_t now = status.statusReplies.load(std::memory_order_relaxed);
        if (now != seen) {
            replies += static_cast<int>(now - seen);
            seen = now;
            lastReply = Clock::now();
            if (done()) return true;
            if (replies >= maxReplies) return false;
        } else if (Clock::now() - lastReply > quiet) {
            return false;
        }
        awaitEvent(milliseconds(5));
    }
    return false;
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

bool LinkSession::linkGone() {
    if (link.isOpen()) return false;
    // The link shows itself closed a moment before it reports the loss: a
    // wait ends only once the report is in, so its caller judges by it.
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait_for(guard, std::chrono::seconds(1), [&] { return linkLost_; });
    return true;
}

bool LinkSession::settingsWereRead() const {
    std::lock_guard<std::mutex> guard(lock_);
    return settingsRead_;
}

void LinkSession::progress(int percent, int result) {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    changed_.notify_all();
    if (result_ != 0) return;  // the first ending result counts, as in the progress window
    if (percent != lastPercent_) {
        drawBar(percent);
        lastPercent_ = percent;
    }
    if (result != 0) {
        result_ = result;
        if (showProgress_) std::fputs("\n", stderr);
    }
}

void LinkSession::connectionResult(int result) {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    connection_ = result;
    changed_.notify_all();
}

void LinkSession::settingsReadDone() {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    settingsRead_ = true;
    changed_.notify_all();
}

void LinkSession::alarmRecordRead() {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    ++alarmRecords_;
    changed_.notify_all();
}

void LinkSession::imageBytesStored(std::size_t, const std::vector<std::uint8_t>&) {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    ++imageStores_;
    changed_.notify_all();
}

void LinkSession::verifyError(int kind) {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    verifyError_ = kind;
    changed_.notify_all();
}

void LinkSession::linkLost(bool silent) {
    std::lock_guard<std::mutex> guard(lock_);
    ++events_;
    linkLost_ = true;
    if (!silent) linkLostWarning_ = true;
    changed_.notify_all();
}

void LinkSession::drawBar(int percent) {
    if (run_) run_->progress(percent);
    if (!showProgress_) return;
    std::fprintf(stderr, "\r%s", ProgressBoard::bar(percent).c_str());
    std::fflush(stderr);
}

}  // namespace vantrel::cli
