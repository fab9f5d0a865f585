// How long a request from another thread (the window's) takes while the link
// thread works, against the simulated controller on a pseudo-terminal with the
// link's real time-outs and pauses:
//   - while the link polls: starting an operation (the pending-operation code),
//     setting the JOG slot, queuing a value;
//   - right after a settings write reports done: starting the FLASH write,
//     which is what the window does next;
//   - a controller that stopped answering: the disconnect command while a
//     poll waits for its reply (3 s read time-out).
// Prints median, 90th and 99th percentile and maximum of each, in microseconds.
//
//   bench_lock_wait [samples of each request while polling, default 1000] [settings writes, default 10]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "LinkWaiter.h"
#include "link/ControllerLink.h"
#include "link/LinkThread.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;
using Clock = std::chrono::steady_clock;

namespace {

template <class F>
double microsecondsOf(F&& call) {
    const auto start = Clock::now();
    call();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void report(const char* what, std::vector<double> samples) {
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[std::min(samples.size() - 1, static_cast<std::size_t>(q * samples.size()))]; };
    std::printf("%-44s n=%5zu  median %9.1f  p90 %9.1f  p99 %9.1f  max %9.1f us\n", what, samples.size(), at(0.5),
                at(0.9), at(0.99), samples.back());
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int writes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    ControllerSim sim;
    PtyServer server(sim);
    if (!server.start()) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", server.errorText().c_str());
        return 1;
    }
    ControllerStatus status;
    RequestQueues queues;
    SettingsImage image = sim.settingsImage();
    ControllerLink link(status);
    LinkThread thread(link, queues, status, image);
    const auto programFile = std::filesystem::temp_directory_path() / ("vantrel-lockwait-" + std::to_string(getpid()) + ".sys");
    thread.setWorkingProgramFile(programFile.string());
    bench::LinkWaiter events;
    thread.start();
    if (!link.open(server.portName(), &events) || events.wait() != kEditTestMode) {
        std::fprintf(stderr, "controller not identified\n");
        return 1;
    }

    // While polling: requests at random moments of the poll cycle.
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> gap(0, 40000);
    std::vector<double> start, jog, queue;
    JogRequestRecord stop;
    stop.setOperation(JogRequestRecord::kStop);
    // Each kind in a run of its own, so the link is back at its polls between samples.
    const auto sample = [&](std::vector<double>& into, auto&& call) {
        for (int i = 0; i < samples; ++i) {
            std::this_thread::sleep_for(std::chrono::microseconds(gap(rng)));
            into.push_back(microsecondsOf(call));
        }
    };
    sample(start, [&] { link.setPendingOp(LinkOp::Idle); });
    sample(jog, [&] { link.startJog(stop); });
    sample(queue, [&] { queues.queueValueWrite(28, 1, 4); });
    report("polling: start an operation", start);
    report("polling: set the JOG slot", jog);
    report("polling: queue a value", queue);

    // Right after a settings write: start the FLASH write.
    std::vector<double> flash;
    for (int i = 0; i < writes; ++i) {
        thread.startOperation(LinkOp::SettingsWriteArea1);
        if (events.wait() != kDone) return std::fprintf(stderr, "settings write failed\n"), 1;
        flash.push_back(microsecondsOf([&] { thread.startOperation(LinkOp::FlashWrite); }));
        if (events.wait() != kDone) return std::fprintf(stderr, "FLASH write failed\n"), 1;
    }
    report("after a settings write: start the FLASH write", flash);

    // A controller that stopped answering: disconnect while a poll waits.
    std::vector<double> disconnect;
    std::uniform_int_distribution<int> into(0, 2500);
    for (int i = 0; i < writes; ++i) {
        SimFaults silent;
        silent.noReply = CodeFault::always(0xAA);
        sim.setFaults(silent);
        const int polls = sim.requestCount(0xAA);
        while (sim.requestCount(0xAA) <= polls) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(into(rng)));  // somewhere inside the read
        disconnect.push_back(microsecondsOf([&] {
            link.silentDisconnect.store(true);
            link.linkLost();
        }));
        events.wait();
        sim.setFaults({});
        if (!link.open(server.portName(), &events) || events.wait() != kEditTestMode) {
            std::fprintf(stderr, "controller not identified again\n");
            return 1;
        }
    }
    report("silent controller: disconnect", disconnect);

    thread.stop();
    link.close();
    server.stop();
    std::filesystem::remove(programFile);
    return 0;
}
