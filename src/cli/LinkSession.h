#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/LinkEvents.h"
#include "link/LinkThread.h"
#include "link/LinkTraceFile.h"
#include "link/RequestQueues.h"
#include "platform/PathText.h"
#include "platform/TemporaryFolder.h"

namespace vantrel::cli {

class PortRun;

// One connection to a controller for the length of a subcommand: the same
// link, queues, status and link thread the desktop program uses, with a
// LinkEvents that lets the command wait for results and draws a progress bar
// on a terminal.
//
// Every wait is bounded by the link's own timing (LinkTiming), so a command
// never gives up while the link still works on its answer, and never waits for
// ever: the link decides, and a wait that ends without the link's verdict
// says so (0, false) instead of inventing one.
//
// Made on the thread of one port among several (PortRun), it draws its
// progress on that port's line and writes the port's own trace.
//
// For tests, the environment variable VANTREL_CLI_LINK_TIME_DIVISOR=N runs
// the link with its read time-out and pauses, and the waits with their
// margin, divided by N. The write time-out stays: it only ever runs out when a
// controller stops reading, and a shorter one fails writes to controllers that
// are merely slow on a busy machine.
class LinkSession : public LinkEvents {
public:
    using Milliseconds = std::chrono::milliseconds;
    // A wait gives the link this much more than its own bound.
    static constexpr Milliseconds kMargin{2000};
    // Status polls that may go unanswered before a command gives up on them.
    static constexpr int kStatusPollTries = 3;

    explicit LinkSession(bool showProgress);
    ~LinkSession() override;

    // The file of "--trace FILE": every session of the run writes the
    // protocol trace there (main sets it before the subcommand runs).
    static void setTracePath(const std::string& path);
    static std::string tracePath();
    // Whether a session of this run has started the trace.
    static bool traceWasStarted();
    // Starts the trace when one is asked for (before the port opens); false,
    // with `problem`, when its file cannot be made.
    bool startTrace(std::string& problem);

    // Opens the port and waits for the identify: kEditTestMode, kOtherMode or
    // kNoController; 0 when the port cannot be opened at all.
    int connect(const std::string& portName);

    // Clears the last result, starts an operation with `start` and waits for
    // its ending progress result (1, 2, 3 or 4). 0 when the link went quiet
    // for longer than it ever does while working (no event and no byte
    // either way for LinkTiming::longestSilence()): there is no verdict.
    int runOperation(const std::function<void()>& start);
    // Waits until the single-value queues are served (written and read back);
    // false when they stop shrinking for longer than one exchange of the link
    // takes, or the link is lost.
    bool waitQueuesIdle();
    // Waits until the link thread has taken the one-shot run request into a
    // status poll.
    bool waitRunRequestSent();
    // Waits until `taken` holds, which the next status poll makes so (a
    // one-shot request taken into it); false when it does not within the pass
    // running now and one poll cycle, or the link is lost.
    bool waitTakenByPoll(const std::function<bool()>& taken);
    // Asks for the alarm record and waits for it (ControllerStatus::alarmRecord);
    // false when the controller does not answer it within one exchange after
    // the pass running now, or the link is lost.
    bool readAlarmRecord();
    // Settings image stores the link has reported (imageBytesStored) so far.
    std::uint64_t imageStores() const;
    // Waits for status poll replies the link accepts from now on until `done`
    // holds after one of them (true). False when `maxReplies` were accepted
    // without it, when kStatusPollTries poll cycles pass without an accepted
    // reply, or when the link is lost.
    bool waitStatusReplies(const std::function<bool()>& done, int maxReplies);
    // The bound runOperation gives the link's silence, in whole seconds (for messages).
    long long silenceSeconds() const;

    int verifyErrorKind() const;
    bool linkWasLost() const;
    bool linkLostWarning() const;  // lost with the USB warning
    bool settingsWereRead() const;

    SettingsImage image;
    ControllerStatus status;
    RequestQueues queues;
    ControllerLink link{status};
    LinkThread thread{link, queues, status, image};
    // The folder of this run's working files in the system's temporary
    // folder, removed at the end; empty when it could not be made, and
    // workProblem() says why.
    std::filesystem::path workDir() const { return pathFromUtf8(workFolder_.path()); }
    const std::string& workProblem() const { return workFolder_.problem(); }

    // LinkEvents
    void progress(int percent, int result) override;
    void connectionResult(int result) override;
    void settingsReadDone() override;
    void alarmRecordRead() override;
    void imageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) override;
    void verifyError(int kind) override;
    void linkLost(bool silent) override;

private:
    void drawBar(int percent);
    std::uint64_t bytesMoved() const { return link.bytesSent() + link.bytesReceived(); }
    std::uint64_t eventCount() const;
    int currentResult() const;
    // Returns after the next LinkEvents call or after `most`, whichever comes first.
    void awaitEvent(Milliseconds most);
    // True once the link is closed; by then its loss report is in (waited
    // for up to a second), so linkLostWarning() tells why.
    bool linkGone();

    PortRun* run_;  // the port this session works for among several; null for one port
    bool showProgress_;
    LinkTraceFile trace_;
    Milliseconds margin_ = kMargin;
    TemporaryFolder workFolder_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::uint64_t events_ = 0;  // LinkEvents calls so far
    int result_ = 0;
    int connection_ = 0;
    int verifyError_ = 0;
    bool linkLost_ = false;
    bool linkLostWarning_ = false;
    bool settingsRead_ = false;
    std::uint64_t alarmRecords_ = 0;
    std::uint64_t imageStores_ = 0;
    int lastPercent_ = -1;
};

}  // namespace vantrel::cli
