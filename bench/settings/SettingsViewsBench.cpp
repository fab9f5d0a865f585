// Opening each settings view offscreen: constructing it from the image, laying
// it out and painting it once, then closing it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "SettingsViewSet.h"
#include "app/AppState.h"
#include "app/ViewFactory.h"

namespace {

using namespace vantrel;

AppState* state = nullptr;
ViewFactory* factory = nullptr;

void openView(benchmark::State& run, ViewKind kind) {
    for (auto _ : run) {
        QWidget host;
        host.resize(1000, 700);
        QWidget* view = factory->create(kind, *state, &host);
        view->resize(host.size());
        host.show();
        QPixmap picture = host.grab();  // lays out and paints every visible cell
        benchmark::DoNotOptimize(picture);
        state->queues.clearAll();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppState appState;
    appState.image = bench::demoImage();
    ViewFactory viewFactory;
    registerSettingsViews(viewFactory);
    state = &appState;
    factory = &viewFactory;
    for (const auto& entry : bench::settingsViews()) {
        const ViewKind kind = entry.kind;
        benchmark::RegisterBenchmark(("open/" + entry.name.toStdString()).c_str(),
                                     [kind](benchmark::State& run) { openView(run, kind); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
