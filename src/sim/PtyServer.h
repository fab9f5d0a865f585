#pragma once

// Serves a ControllerSim on a pseudo-terminal from its own thread: the PC side
// opens devicePath() ("/dev/pts/N") like a serial port. Incoming bytes are cut
// into frames (FrameSplitter), each frame goes to the simulator, and its reply
// is written back whole, however large, before the next frame is taken.
//
// With pacing set (setPacing), requests and replies cross at the pace of a
// USB full-speed controller (UsbPacing) instead of at once.
//
// The server keeps a slave descriptor of its own open, set to raw mode, so the
// PC finds a raw port even before it sets the mode itself, and the master never
// sees a hang-up while the PC has the port closed.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/ControllerSim.h"
#include "sim/UsbPacing.h"

namespace vantrel {

class PtyServer {
public:
    explicit PtyServer(ControllerSim& sim);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal and starts serving; true when serving (also
    // when already running). A server that hung up makes a new terminal.
    bool start();
    // Ends the thread and closes the terminal; safe to call more than once.
    void stop();

    // Paces the line like a USB full-speed controller; set before start().
    void setPacing(std::optional<UsbLine> params);
    // The wire-limit time of what the paced line carried so far (0 unpaced).
    double wireSeconds() const { return wireSeconds_.load(); }

    bool isRunning() const { return running_.load(); }
    // True once the hang-up fault closed the terminal.
    bool hungUp() const { return hungUp_.load(); }
    // Replies given up half-way because the PC stopped reading them or sent a
    // new request meanwhile; what was left of them is discarded.
    int abandonedReplies() const { return abandonedReplies_.load(); }
    // "pts/N": the name a port setting holds; empty before start.
    std::string portName() const;
    // "/dev/pts/N".
    std::string devicePath() const;
    // Why start() failed.
    std::string errorText() const;

private:
    enum class WriteResult { Done, Abandoned, Stopped, HungUp };

    void run();
    // Writes a reply whole; a paced one from `start` on, at the line's pace.
    WriteResult writeReply(const std::vector<std::uint8_t>& reply, std::optional<UsbPacing::Clock::time_point> start);
    // Sleeps until `when`, waking at once for a stop; false when stopped.
    bool sleepUntil(UsbPacing::Clock::time_point when);
    void closeDescriptors();
    void pauseBriefly();
    void drainBeforeHangUp();

    ControllerSim& sim_;
    mutable std::mutex mutex_;  // start/stop and the names
    std::thread thread_;
    int master_ = -1;
    int slave_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> running_{false};
    std::atomic<bool> hungUp_{false};
    std::atomic<int> abandonedReplies_{0};
    std::optional<UsbPacing> pacing_;
    std::atomic<double> wireSeconds_{0};
    std::string devicePath_;
    std::string error_;
};

}  // namespace vantrel
