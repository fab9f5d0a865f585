// Keeps a link thread running for a while, with no port open or connected to
// the simulated controller and polling, and does nothing else: run it under
// /usr/bin/time to see what the link costs while the user does nothing.
//
//   /usr/bin/time -f '%e s, %U user, %S system, %P' bench_link_idle 30
//   /usr/bin/time -f '%e s, %U user, %S system, %P' bench_link_idle 30 --connected

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "link/ControllerLink.h"
#include "link/LinkThread.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;

namespace {

class Connection : public LinkEvents {
public:
    void progress(int, int) override {}
    void connectionResult(int result) override {
        std::lock_guard g(m_);
        result_ = result;
        cv_.notify_all();
    }
    void settingsReadDone() override {}
    void verifyError(int) override {}
    void linkLost(bool) override {}
    int wait() {
        std::unique_lock g(m_);
        cv_.wait_for(g, std::chrono::seconds(10), [&] { return result_ != 0; });
        return result_;
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    int result_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const bool connected = argc > 2 && std::strcmp(argv[2], "--connected") == 0;
    ControllerSim sim;
    std::unique_ptr<PtyServer> server;
    ControllerStatus status;
    RequestQueues queues;
    SettingsImage image;
    ControllerLink link(status);
    LinkThread thread(link, queues, status, image);
    Connection events;
    thread.start();
    if (connected) {
        server = std::make_unique<PtyServer>(sim);
        if (!server->start() || !link.open(server->portName(), &events) || events.wait() != kEditTestMode) {
            std::fprintf(stderr, "controller not identified\n");
            return 1;
        }
    }
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    thread.stop();
    link.close();
    if (server) server->stop();
    return 0;
}
