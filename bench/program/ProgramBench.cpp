// Program store operations on a full data set: 255 programs of 255 steps.
//
//   cmake --build <build> --target bench_program && <build>/bin/bench_program
//
// Besides the time, each benchmark reports the bytes allocated per operation
// ("alloc_per_op") and the store text's length, to show that memory follows
// the size of the text and not the 16 MiB limit.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "data/SettingsImage.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"

namespace {

std::atomic<std::size_t> allocatedBytes{0};

}  // namespace

// Counting replacement of the global allocation functions; GCC sees malloc in
// one and free in the other after inlining and takes them for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    allocatedBytes.fetch_add(size, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vantrel {
namespace {

std::string fourDigits(int n) { return std::to_string(10000 + n).substr(1); }

// A data set as the editor writes it: every program full, moves with points,
// interpolations, waits, branches, labels and comments.
std::string fullDataSet() {
    std::string text;
    int point = 0;
    for (int program = 1; program <= 255; ++program) {
        text += "\tPROG\t#" + fourDigits(program).substr(1) + "\t;Program " + std::to_string(program) + "\r\n";
        for (int step = 0; step < 255; ++step) {
            switch (step % 6) {
            case 0: text += "L" + fourDigits(step % 999 + 1).substr(1) + "\tMOVE\tA1,A2 P" + fourDigits(1001 + step) + " \r\n"; break;
            case 1: text += "\tMOVE\tI A1,A2,A3 P" + fourDigits(301 + point++ % 700) + " \t;approach\r\n"; break;
            case 2: text += "\tLINE\tA1,A2 P" + fourDigits(301 + point++ % 700) + " \r\n"; break;
            case 3: text += "\tWAIT\tT" + std::to_string(step % 100 + 1) + "\r\n"; break;
            case 4: text += "\tIF\tIN1=1 GOTO L001\r\n"; break;
            default: text += "\tOUT\tOUT1=1\t;signal\r\n"; break;
            }
        }
    }
    return text;
}

ProgramStore& fullStore() {
    static ProgramStore store = [] {
        ProgramStore s;
        s.loadText(fullDataSet());
        s.scanDirectory();
        return s;
    }();
    return store;
}

void reportMemory(benchmark::State& state, std::size_t allocatedBefore, const ProgramStore& store) {
    const std::size_t allocated = allocatedBytes.load() - allocatedBefore;
    state.counters["alloc_per_op"] =
        benchmark::Counter(static_cast<double>(allocated) / static_cast<double>(state.iterations()));
    state.counters["text_bytes"] = benchmark::Counter(static_cast<double>(store.length()));
}

void BM_loadProgram(benchmark::State& state) {
    ProgramStore& store = fullStore();
    const std::size_t before = allocatedBytes.load();
    for (auto _ : state) {
        store.loadProgram(255);  // the last section: the search runs through the whole text
        benchmark::DoNotOptimize(store.current().stepCount);
    }
    reportMemory(state, before, store);
}
BENCHMARK(BM_loadProgram)->Unit(benchmark::kMillisecond);

void BM_commitProgramOneChangedStep(benchmark::State& state) {
    ProgramStore& store = fullStore();
    store.loadProgram(128);
    int round = 0;
    const std::size_t before = allocatedBytes.load();
    for (auto _ : state) {
        store.current().step(100).comment = (++round & 1) ? "changed" : "again";
        benchmark::DoNotOptimize(store.commitProgram(128));
    }
    reportMemory(state, before, store);
}
BENCHMARK(BM_commitProgramOneChangedStep)->Unit(benchmark::kMillisecond);

void BM_scanDirectory(benchmark::State& state) {
    ProgramStore& store = fullStore();
    const std::size_t before = allocatedBytes.load();
    for (auto _ : state) benchmark::DoNotOptimize(store.scanDirectory());
    reportMemory(state, before, store);
}
BENCHMARK(BM_scanDirectory)->Unit(benchmark::kMillisecond);

void BM_allocateAutoPoint(benchmark::State& state) {
    ProgramStore& store = fullStore();
    store.loadProgram(128);
    static SettingsImage image;
    StepEditor editor(store, image, nullptr);
    const std::size_t before = allocatedBytes.load();
    for (auto _ : state) benchmark::DoNotOptimize(editor.allocateAutoPoint(0));
    reportMemory(state, before, store);
}
BENCHMARK(BM_allocateAutoPoint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
