// The program editor's table model and status refresh, without a window:
// filling the step table of a 255-step program that holds every kind of
// listing, and one 100 ms status tick when nothing changed.
//
//   cmake --build <build> --target bench_program_view_model && <build>/bin/bench_program_view_model

#include <benchmark/benchmark.h>

#include "ProgramDemo.h"
#include "program/ProgramStore.h"
#include "program/ProgramViewStatus.h"
#include "program/StepTableModel.h"

namespace vantrel {
namespace {

struct FullProgram {
    FullProgram() {
        store.loadText(bench::fullProgram());
        store.scanDirectory();
        store.selectProgram(1);
    }
    SettingsImage image = bench::programDemoImage();
    ProgramStore store;
};

void fillStepTable(benchmark::State& state) {
    const FullProgram data;
    StepTableModel model;
    for (auto _ : state) {
        model.fill(data.store.current(), data.image, data.store.directory());
        benchmark::DoNotOptimize(model.text(254, 3));
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(fillStepTable)->Unit(benchmark::kMillisecond);

ProgramViewStatusInput runningInput() {
    ProgramViewStatusInput input;
    input.mode = 2;
    input.programShown = 1;
    input.storeClean = true;
    input.tasks[0] = {1, 40};
    input.tasks[1] = {3, 7};
    return input;
}

void idleStatusTick(benchmark::State& state) {
    ProgramViewStatus status;
    CompileState compile;
    const ProgramViewStatusInput input = runningInput();
    status.tick(input, compile);  // the first tick shows everything
    for (auto _ : state) {
        const auto changes = status.tick(input, compile);
        benchmark::DoNotOptimize(changes);
    }
}
BENCHMARK(idleStatusTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
