// Answer times of the simulated controller. Run:
//   build/bin/bench_sim
// The engine alone (ControllerSim::handle) and whole exchanges over the
// pseudo-terminal as the PC sees them (write a request, read the reply); the
// compile of the largest program file and status polls while programs run.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "link/FrameCrc.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void sealFrame(Bytes& b) {
    const std::uint16_t crc = vantrel::FrameCrc::compute(b.data(), b.size() - 2);
    b[b.size() - 2] = static_cast<std::uint8_t>(crc);
    b[b.size() - 1] = static_cast<std::uint8_t>(crc >> 8);
}

Bytes request(std::uint8_t code, std::size_t length, std::uint32_t field32 = 0) {
    Bytes b(length, 0);
    b[0] = 0x02;
    b[1] = 1;
    b[2] = static_cast<std::uint8_t>(length);
    b[4] = code;
    for (std::size_t i = 0; i < 4; ++i) b[32 + i] = static_cast<std::uint8_t>(field32 >> (8 * i));
    sealFrame(b);
    return b;
}

// A status poll with every output off (active-low on the wire, so no driver is
// freed) and `requestedMode` asked for.
Bytes outputsOffPoll(std::uint8_t requestedMode) {
    Bytes poll = request(0xAA, 52);
    for (std::size_t i = 6; i < 14; ++i) poll[i] = 0xFF;
    poll[32] = requestedMode;
    sealFrame(poll);
    return poll;
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
    const Bytes poll = outputsOffPoll(0);
    for (auto _ : state) {
        now += 30;
        benchmark::DoNotOptimize(sim.handle(poll));
    }
    if (!sim.withMachine([](vantrel::Machine& m) { return m.axisBusy(0) && m.axisBusy(19); }))
        state.SkipWithError("the axes stopped before the end");
}
BENCHMARK(BM_HandleStatusPollMachineMoving);

// The compile of a program file just under the 131,072 bytes the PC sends at most.
void BM_CompileLargestFile(benchmark::State& state) {
    std::string text = "\tPROG\t#100\r\n\tREGINT\tX\r\n\tEND\t\r\n";
    const char* steps[] = {"\tMOVE\tA1,A2 P1001 \t;move\r\n", "\tIN\tIN1 ONorIN2 OFF,CUP1>7\r\n",
                           "\tCALC\tX = X * 2 + MR104 \r\n", "\tOUT\tOUT1 ON,DCON2 OFF\r\n", "\tGOTO\tL%03d \r\n"};
    for (int program = 1; text.size() < 130000; ++program) {
        const std::string digits = std::to_string(1000 + program).substr(1);  // program 1..99, label alike
        text.append("\tPROG\t#").append(digits).append("\r\n");
        text.append("L").append(digits).append("\tWAIT\tT1\r\n");
        for (int i = 0; i < 200 && text.size() < 130000; ++i) {
            std::string line = steps[i % 5];
            if (const auto at = line.find("%03d"); at != std::string::npos) line.replace(at, 4, digits);
            text += line;
        }
    }
    for (auto _ : state) {
        const vantrel::CompileVerdict verdict = vantrel::compileProgramFile(text);
        if (!verdict.accepted()) state.SkipWithError("the file is refused");
        benchmark::DoNotOptimize(verdict);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CompileLargestFile)->Unit(benchmark::kMillisecond);

// A status poll 30 ms after the last while programs run: `range(0)` 0 runs the
// default pick-and-place cycle, 1 eight tasks that loop without ever waiting
// (the most steps the controller runs between two polls).
void BM_HandleStatusPollProgramsRunning(benchmark::State& state) {
    vantrel::ControllerSim sim;
    std::int64_t now = 0;
    sim.setClock([&now] { return now; });
    sim.useStandAloneMachine();
    std::string text;
    if (state.range(0) == 0) {
        if (!sim.loadDefaultPrograms()) state.SkipWithError("no default programs beside the benchmark");
    } else {
        text = "\tPROG\t#100\r\n\tREGINT\tX\r\n";
        for (int p = 1; p <= 7; ++p) text += "\tON\t#00" + std::to_string(p) + " \r\n";
        text += "L001\tCALC\tX = X + 1 \r\n\tGOTO\tL001 \r\n";
        for (int p = 1; p <= 7; ++p)
            text += "\tPROG\t#00" + std::to_string(p) + "\r\nL00" + std::to_string(p + 1) +
                    "\tIF\tIN1 ONorM1>3 GOTO L00" + std::to_string(p + 1) + " \r\n\tGOTO\tL00" + std::to_string(p + 1) + " \r\n";
        if (!sim.loadPrograms(text).accepted()) state.SkipWithError("the busy programs are refused");
    }
    sim.setModeWord(2);
    sim.withMachine([](vantrel::Machine& m) { m.startRun(); });
    const Bytes poll = outputsOffPoll(2);  // automatic run asked for
    for (auto _ : state) {
        now += 30;
        benchmark::DoNotOptimize(sim.handle(poll));
    }
    if (!sim.running()) state.SkipWithError("the programs ended");
}
BENCHMARK(BM_HandleStatusPollProgramsRunning)->Arg(0)->Arg(1);

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
