// Disconnects while the link thread waits for the reply to a status poll from
// a controller that has stopped answering, a few times at different moments
// of the wait, and prints how long each disconnect took. The user must not
// wait for the read time-out (3 s): fails when the median took 100 ms or more,
// or any one a second. One slow sample alone is the machine, not the port: on
// a busy CI machine, under Wine, a thread may wait that long to run at all.
//
//   disconnect_while_reading PORT [SAMPLES, default 5]
//
// PORT is a simulated controller whose status polls get no reply
// (vantrel-sim with "fault no-reply 170").
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/LinkThread.h"
#include "link/RequestQueues.h"
#include "platform/TemporaryFolder.h"

using namespace vantrel;
using Clock = std::chrono::steady_clock;

namespace {

// Waits for the identify's result or the loss of the link.
class ConnectionWaiter : public LinkEvents {
public:
    void progress(int, int) override {}
    void connectionResult(int result) override { put(result); }
    void settingsReadDone() override {}
    void verifyError(int) override {}
    void linkLost(bool) override { put(-1); }
    // The result, or 0 after ten seconds without one.
    int wait() {
        std::unique_lock guard(lock_);
        changed_.wait_for(guard, std::chrono::seconds(10), [&] { return result_ != 0; });
        return std::exchange(result_, 0);
    }

private:
    void put(int result) {
        std::lock_guard guard(lock_);
        result_ = result;
        changed_.notify_all();
    }
    std::mutex lock_;
    std::condition_variable changed_;
    int result_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: disconnect_while_reading PORT [SAMPLES]\n");
        return 2;
    }
    const std::string port = argv[1];
    const int samples = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    ControllerStatus status;
    RequestQueues queues;
    SettingsImage image;
    ControllerLink link(status);
    LinkThread thread(link, queues, status, image);
    const TemporaryFolder folder("vantrel-disconnect-");
    thread.setWorkingProgramFile(folder.path() + "/Ncstep.sys");
    ConnectionWaiter events;
    thread.start();

    std::vector<double> took;
    for (int i = 0; i < samples; ++i) {
        if (!link.open(port, &events) || events.wait() != kEditTestMode) {
            std::fprintf(stderr, "disconnect_while_reading: no controller in edit-test mode on %s\n", port.c_str());
            return 1;
        }
        // The first status poll now waits for its reply: disconnect somewhere
        // inside that wait.
        std::this_thread::sleep_for(std::chrono::milliseconds(200 + 2200 * i / samples));
        const auto start = Clock::now();
        link.silentDisconnect.store(true);
        link.linkLost();
        took.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        events.wait();
    }
    thread.stop();
    link.close();

    std::printf("disconnect while a read waits for a silent controller (ms):");
    for (const double ms : took) std::printf(" %.1f", ms);
    std::sort(took.begin(), took.end());
    const double median = took[took.size() / 2];
    const double longest = took.back();
    std::printf("; median %.1f, longest %.1f\n", median, longest);
    return median < 100.0 && longest < 1000.0 ? 0 : 1;
}
