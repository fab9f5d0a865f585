// Answer times of the simulated controller. Run:
//   build/bin/bench_sim
// The engine alone (ControllerSim::handle) and whole exchanges over the
// pseudo-terminal as the PC sees them (write a request, read the reply).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <vector>

#include "link/FrameCrc.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes request(std::uint8_t code, std::size_t length, std::uint32_t field32 = 0) {
    Bytes b(length, 0);
    b[0] = 0x02;
    b[1] = 1;
    b[2] = static_cast<std::uint8_t>(length);
    b[4] = code;
    for (std::size_t i = 0; i < 4; ++i) b[32 + i] = static_cast<std::uint8_t>(field32 >> (8 * i));
    const std::uint16_t crc = vantrel::FrameCrc::compute(b.data(), length - 2);
    b[length - 2] = static_cast<std::uint8_t>(crc);
    b[length - 1] = static_cast<std::uint8_t>(crc >> 8);
    return b;
}

void BM_HandleStatusPoll(benchmark::State& state) {
    vantrel::ControllerSim sim;
    const Bytes poll = request(0xAA, 52);
    for (auto _ : state) benchmark::DoNotOptimize(sim.handle(poll));
}
BENCHMARK(BM_HandleStatusPoll);

// The same poll with the timed machine moving all twenty axes: what advancing
// the machine 30 ms (the link's pause between polls) adds to an answer.
void BM_HandleStatusPollMachineMoving(benchmark::State& state) {
    vantrel::ControllerSim sim;
    std::int64_t now = 0;
    sim.setClock([&now] { return now; });
    sim.useStandAloneMachine();
    sim.withMachine([](vantrel::Machine& m) {
        for (int a = 0; a < vantrel::Machine::kAxes; ++a)
            m.moveAxis(a, vantrel::MoveTarget::by(a < 4 ? 1000000 : 100000000), {100, 0});
    });
    // Every output off (active-low on the wire), so no driver is freed.
    Bytes poll = request(0xAA, 52);
    for (std::size_t i = 6; i < 14; ++i) poll[i] = 0xFF;
    const std::uint16_t crc = vantrel::FrameCrc::compute(poll.data(), poll.size() - 2);
    poll[50] = static_cast<std::uint8_t>(crc);
    poll[51] = static_cast<std::uint8_t>(crc >> 8);
    for (auto _ : state) {
        now += 30;
        benchmark::DoNotOptimize(sim.handle(poll));
    }
    if (!sim.withMachine([](vantrel::Machine& m) { return m.axisBusy(0) && m.axisBusy(19); }))
        state.SkipWithError("the axes stopped before the end");
}
BENCHMARK(BM_HandleStatusPollMachineMoving);

void BM_HandleSettingsPhase2(benchmark::State& state) {
    vantrel::ControllerSim sim;
    const Bytes phase2 = request(0x01, 40, 2);
    for (auto _ : state) benchmark::DoNotOptimize(sim.handle(phase2));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 524320);
}
BENCHMARK(BM_HandleSettingsPhase2);

// One exchange over the pseudo-terminal: write the request, read the whole reply.
void exchange(int fd, const Bytes& req, std::vector<std::uint8_t>& buffer, std::size_t replySize) {
    if (write(fd, req.data(), req.size()) != static_cast<ssize_t>(req.size())) std::abort();
    std::size_t got = 0;
    while (got < replySize) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 3000) <= 0) std::abort();
        const ssize_t n = read(fd, buffer.data(), std::min(buffer.size(), replySize - got));
        if (n <= 0) std::abort();
        got += static_cast<std::size_t>(n);
    }
}

// Repeated exchanges of one request with a simulator served on a fresh pseudo-terminal.
void ptyRoundTrips(benchmark::State& state, const Bytes& req, std::size_t replySize) {
    vantrel::ControllerSim sim;
    vantrel::PtyServer server(sim);
    if (!server.start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const int fd = open(server.devicePath().c_str(), O_RDWR | O_NOCTTY);
    std::vector<std::uint8_t> buffer(1 << 20);
    for (auto _ : state) exchange(fd, req, buffer, replySize);
    close(fd);
}

void BM_PtyStatusPollRoundTrip(benchmark::State& state) { ptyRoundTrips(state, request(0xAA, 52), 212); }
BENCHMARK(BM_PtyStatusPollRoundTrip)->UseRealTime();

void BM_PtySettingsPhase2RoundTrip(benchmark::State& state) {
    ptyRoundTrips(state, request(0x01, 40, 2), 524320);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 524320);
}
BENCHMARK(BM_PtySettingsPhase2RoundTrip)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
