#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/LinkEvents.h"
#include "link/LinkThread.h"
#include "link/RequestQueues.h"

namespace vantrel::cli {

// One connection to a controller for the length of a subcommand: the same
// link, queues, status and link thread the desktop program uses, with a
// LinkEvents that lets the command wait for results and draws a progress bar
// on a terminal.
class LinkSession : public LinkEvents {
public:
    using Seconds = std::chrono::seconds;

    explicit LinkSession(bool showProgress);
    ~LinkSession() override;

    // Opens the port and waits for the identify: kEditTestMode, kOtherMode or
    // kNoController; 0 when the port cannot be opened at all.
    int connect(const std::string& portName);

    // Clears the last result, starts an operation with `start` and waits for
    // its ending progress result (1, 2, 3 or 4); 0 when none came in time.
    int runOperation(const std::function<void()>& start, Seconds timeout);
    // Waits until the single-value queues are served (written and read back).
    bool waitQueuesIdle(Seconds timeout);
    // Waits until the link thread has sent the one-shot run request.
    bool waitRunRequestSent(Seconds timeout);
    // Waits until `count` further status polls have been answered.
    bool waitPolls(int count, Seconds timeout);

    int verifyErrorKind() const;
    bool linkWasLost() const;
    bool linkLostWarning() const;  // lost with the USB warning
    bool settingsWereRead() const;

    SettingsImage image;
    ControllerStatus status;
    RequestQueues queues;
    ControllerLink link{status};
    LinkThread thread{link, queues, status, image};
    const std::filesystem::path& workDir() const { return workDir_; }

    // LinkEvents
    void progress(int percent, int result) override;
    void connectionResult(int result) override;
    void settingsReadDone() override;
    void verifyError(int kind) override;
    void linkLost(bool silent) override;

private:
    void drawBar(int percent);

    bool showProgress_;
    std::filesystem::path workDir_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    int result_ = 0;
    int connection_ = 0;
    int verifyError_ = 0;
    bool linkLost_ = false;
    bool linkLostWarning_ = false;
    bool settingsRead_ = false;
    int lastPercent_ = -1;
};

}  // namespace vantrel::cli
