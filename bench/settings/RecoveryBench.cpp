// What keeping a recovery copy and the undo history cost while the user types
// into the 4,000-row pulse-train point table: one cell committed per
// keystroke (with the events that follow it, as in the window), with and
// without the recovery timer running beside it, with and without each cell
// recorded as an undoable edit; then a timer tick alone (the fingerprints of the image
// and of the program store) and the write of the copy, which runs on a
// thread of its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "SettingsViewSet.h"
#include "app/AppState.h"
#include "app/CWorkRecovery.h"
#include "app/RecoveryFile.h"
#include "app/RecoveryKeeper.h"
#include "platform/AtomicFile.h"
#include "settings/PointModel.h"
#include "settings/CPointView.h"

namespace {

using namespace vantrel;

QTemporaryDir* folder = nullptr;

// A program store of `steps` step lines in programs of 16 steps.
std::string programText(int steps) {
    std::string text;
    for (int i = 0; i < steps; ++i) {
        if (i % 16 == 0) text += "\tPROG\t#" + std::to_string(100 + i / 16 % 155) + "\r\n";
        text += "\tMOVE\tA1 PT" + std::to_string(1001 + i % 1000) + " ;point " + std::to_string(i) + "\r\n";
    }
    return text;
}

void typeIntoPointTable(benchmark::State& run) {
    const bool withRecovery = run.range(0) != 0;
    const bool withHistory = run.range(1) != 0;
    AppState state;
    state.image = bench::demoImage();
    state.programs.loadText(programText(4000));
    std::unique_ptr<CWorkRecovery> recovery;
    if (withRecovery) {
        CWorkRecovery::Options options = CWorkRecovery::defaults();
        options.path = QDir(folder->path()).filePath(QStringLiteral("recovery.dat")).toStdString();
        recovery = std::make_unique<CWorkRecovery>(state, options);
        recovery->start();
    }
    QWidget host;
    host.resize(1000, 700);
    ControllerWriteSink* sink = withHistory ? static_cast<ControllerWriteSink*>(&state.history) : &state.queues;
    auto* view = new CPointView(state.image, sink, &host);
    if (withHistory)
        view->setEditRecorder(&state.history, EditPlace::cell(static_cast<int>(ViewKind::PulsePointTable), 0, -1, -1));
    view->resize(host.size());
    host.show();
    QApplication::processEvents();

    int row = 1;
    double slowest = 0;
    for (auto _ : run) {
        const auto begin = std::chrono::steady_clock::now();
        view->commitText(row, PointModel::kPositionColumn, QString::number(row % 500) + QStringLiteral(".25"));
        QApplication::processEvents();
        slowest = std::max(slowest, std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count());
        row = row % (PointModel::kRows - 1) + 1;
        state.queues.clearAll();
    }
    run.counters["slowest_us"] = slowest;
    if (recovery) recovery->cleanExit();
}

void recoveryTick(benchmark::State& run) {
    const SettingsImage image = bench::demoImage();
    const std::string text = run.range(0) == 0 ? std::string(16 * 1024 * 1024 - 1, 'x') : programText(static_cast<int>(run.range(0)));
    const UnsavedWork saved;  // the work differs from what was saved: a copy is due
    RecoveryKeeper keeper(saved);
    auto now = RecoveryKeeper::Clock::now();
    for (auto _ : run) {
        now += std::chrono::milliseconds(500);
        benchmark::DoNotOptimize(keeper.poll(now, image, text));
    }
    run.counters["store_bytes"] = static_cast<double>(text.size());
}

// The part of a write that runs on the window's thread: the copy's bytes.
void recoveryEncode(benchmark::State& run) {
    const SettingsImage image = bench::demoImage();
    const std::string text = programText(static_cast<int>(run.range(0)));
    for (auto _ : run) benchmark::DoNotOptimize(encodeRecoveredWork(image, text));
}

void recoveryWrite(benchmark::State& run) {
    const SettingsImage image = bench::demoImage();
    const std::string text = programText(static_cast<int>(run.range(0)));
    const std::string path = QDir(folder->path()).filePath(QStringLiteral("write.dat")).toStdString();
    for (auto _ : run) {
        const FileWriteResult result = writeFileAtomically(path, encodeRecoveredWork(image, text));
        if (!result) run.SkipWithError(result.description().c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    folder = &temporary;
    benchmark::RegisterBenchmark("type_point_cell", typeIntoPointTable)
        ->ArgNames({"recovery", "history"})
        ->Args({0, 0})
        ->Args({1, 0})
        ->Args({0, 1})
        ->Args({1, 1})
        ->MinTime(5.0)
        ->Unit(benchmark::kMicrosecond);
    // 4,000 steps, then a full 16 MiB store (0).
    benchmark::RegisterBenchmark("recovery_tick/steps", recoveryTick)->Arg(4000)->Arg(0)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("recovery_encode/steps", recoveryEncode)->Arg(4000)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("recovery_write/steps", recoveryWrite)->Arg(4000)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
