// The program editor's window offscreen: filling the step table of a 255-step
// program with every kind of listing (the Qt model alone, and the model with
// the visible rows painted), and one status refresh tick of the view when
// nothing changed.
//
//   cmake --build <build> --target bench_program_view && <build>/bin/bench_program_view

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include "ProgramDemo.h"
#include "app/AppState.h"
#include "commands/CommandEditorRegistry.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/StepTableItemModel.h"

namespace vantrel {
namespace {

AppState* app = nullptr;

void loadFullProgram() {
    app->image = bench::programDemoImage();
    app->programs.loadText(bench::fullProgram());
    app->programs.scanDirectory();
    app->programs.selectProgram(1);
}

void fillQtModel(benchmark::State& state) {
    loadFullProgram();
    StepTableItemModel model;
    for (auto _ : state) {
        model.fill(app->programs.current(), app->image, app->programs.directory(), {});
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(fillQtModel)->Unit(benchmark::kMillisecond);

void fillAndPaintTable(benchmark::State& state) {
    loadFullProgram();
    StepTableItemModel model;
    CStepTableView table;
    table.setModel(&model);
    table.resize(800, 600);
    table.show();
    for (auto _ : state) {
        model.fill(app->programs.current(), app->image, app->programs.directory(), {});
        QPixmap picture = table.viewport()->grab();  // lays out and paints the visible rows
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(fillAndPaintTable)->Unit(benchmark::kMillisecond);

void idleViewTick(benchmark::State& state) {
    loadFullProgram();
    const CommandEditorRegistry editors;
    CProgramView view(*app, editors, {});
    view.resize(1000, 700);
    view.show();
    view.refreshStatus();
    int resets = 0;
    QObject::connect(view.model(), &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    for (auto _ : state) view.refreshStatus();
    state.counters["table_refills"] = resets;
}
BENCHMARK(idleViewTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    vantrel::AppState state;
    vantrel::app = &state;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
