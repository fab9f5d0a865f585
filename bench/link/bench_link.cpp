// Times a full settings write (three areas and the single values that follow)
// and a full settings read (both bulk phases and the program read after them)
// through the real link thread against the simulated controller, which answers
// at once over a pseudo-terminal. Prints bytes moved, time and byte rate.
// With --usb-fs the controller answers at the pace of a USB full-speed line;
// each transfer is then also compared with its wire-limit time (every byte at
// the line's rate and one USB frame per answer), and a program read is timed
// on its own. With --trace FILE the link writes its protocol trace to FILE
// (the cost of a trace that is on; without it the trace is off).
//
//   bench_link [--usb-fs] [--trace FILE] [rounds]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

#include "LinkWaiter.h"
#include "link/ControllerLink.h"
#include "link/LinkThread.h"
#include "link/LinkTraceFile.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
    int rounds = 5;
    bool usbFullSpeed = false;
    std::string tracePath;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--usb-fs")
            usbFullSpeed = true;
        else if (std::string(argv[i]) == "--trace" && i + 1 < argc)
            tracePath = argv[++i];
        else
            rounds = std::max(1, std::atoi(argv[i]));
    }
    ControllerSim sim;
    // A program file of about 64 KB for the program reads.
    std::string program;
    for (int p = 1; program.size() < 64000; ++p) {
        char line[64];
        std::snprintf(line, sizeof line, "\tPROG\t#%03d\r\n", p % 255 + 1);
        program += line;
        for (int s = 0; s < 40; ++s) program += "\tLINE\tA1 P0301 \t;a step of the benchmark\r\n";
        program += "\tEND\t\t\r\n";
    }
    sim.setProgramFile(program);
    PtyServer server(sim);
    if (usbFullSpeed) server.setPacing(UsbLine{});
    if (!server.start()) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", server.errorText().c_str());
        return 1;
    }
    ControllerStatus status;
    RequestQueues queues;
    SettingsImage image;
    std::mt19937 rng(1);
    for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
    ControllerLink link(status);
    LinkThread thread(link, queues, status, image);
    // Only the link's own work is timed: no pause after the write completes.
    LinkPauses pauses;
    pauses.settingsWritten = std::chrono::milliseconds(0);
    thread.setPauses(pauses);
    const auto programFile = std::filesystem::temp_directory_path() / ("vantrel-bench-" + std::to_string(getpid()) + ".sys");
    thread.setWorkingProgramFile(programFile.string());
    LinkTraceFile trace;
    if (!tracePath.empty()) {
        if (!trace.open(tracePath)) return std::fprintf(stderr, "cannot write %s\n", tracePath.c_str()), 1;
        link.setTraceSink(&trace);
    }
    bench::LinkWaiter events(&link);
    thread.start();
    if (!link.open(server.portName(), &events) || events.wait() != kEditTestMode) {
        std::fprintf(stderr, "controller not identified\n");
        return 1;
    }

    double best = 0;
    for (int r = 0; r < rounds; ++r) {
        // Settings write: areas 1, 2 and 3 until the controller accepts area 3.
        std::uint64_t before = link.bytesSent() + link.bytesReceived();
        double wireBefore = server.wireSeconds();
        auto start = Clock::now();
        thread.startOperation(LinkOp::SettingsWriteArea1);
        if (events.wait() != kDone) return std::fprintf(stderr, "settings write failed\n"), 1;
        const double writeSeconds = std::chrono::duration<double>(events.at - start).count();
        const double writeWire = server.wireSeconds() - wireBefore;
        std::uint64_t bytes = events.bytes - before;
        // The single values queued after area 2 follow in the idle-time queue
        // service, one per loop pass (1 ms pause each): timed apart.
        const auto drainStart = Clock::now();
        while (true) {
            {
                std::lock_guard g(link.lock());
                if (queues.valueWriteCount() == 0 && queues.valueReadCount() == 0) break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const double drainSeconds = std::chrono::duration<double>(Clock::now() - drainStart).count();
        // Settings read: both bulk phases and the program read after them.
        before = link.bytesSent() + link.bytesReceived();
        wireBefore = server.wireSeconds();
        start = Clock::now();
        thread.startOperation(LinkOp::SettingsRead);
        if (events.wait() != kDone) return std::fprintf(stderr, "settings read failed\n"), 1;
        const double readSeconds = std::chrono::duration<double>(events.at - start).count();
        const double readWire = server.wireSeconds() - wireBefore;
        bytes += events.bytes - before;
        const double seconds = writeSeconds + readSeconds;
        const double rate = static_cast<double>(bytes) / seconds / 1e6;
        best = std::max(best, rate);
        std::printf("round %d: %llu bytes in %.3f s (write %.3f s, read %.3f s) = %.1f MB/s;"
                    " 117 single values after the write: %.3f s\n",
                    r + 1, static_cast<unsigned long long>(bytes), seconds, writeSeconds, readSeconds, rate,
                    drainSeconds);
        if (usbFullSpeed) {
            // The program read on its own, then each transfer against its wire-limit time.
            wireBefore = server.wireSeconds();
            const int readsBefore = sim.requestCount(0x05);
            start = Clock::now();
            thread.startProgramRead();
            // The link takes the operation after the pause that follows its last status poll.
            while (sim.requestCount(0x05) == readsBefore) std::this_thread::yield();
            const double programWait = std::chrono::duration<double>(Clock::now() - start).count();
            if (events.wait() != kDone) return std::fprintf(stderr, "program read failed\n"), 1;
            const double programSeconds = std::chrono::duration<double>(events.at - start).count();
            const double programWire = server.wireSeconds() - wireBefore;
            std::printf("  USB full speed, time / wire-limit time: settings write %.3f / %.3f s = %.3f,"
                        " settings read with programs %.3f / %.3f s = %.3f, program read (%zu bytes) %.3f / %.3f s = %.3f"
                        " (%.3f s of it before its first request), together %.3f\n",
                        writeSeconds, writeWire, writeSeconds / writeWire, readSeconds, readWire, readSeconds / readWire,
                        program.size(), programSeconds, programWire, programSeconds / programWire, programWait,
                        (writeSeconds + readSeconds + programSeconds) / (writeWire + readWire + programWire));
        }
    }
    std::printf("best: %.1f MB/s\n", best);
    thread.stop();
    link.close();
    link.setTraceSink(nullptr);
    server.stop();
    std::filesystem::remove(programFile);
    return 0;
}
