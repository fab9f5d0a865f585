// One refresh of each online window, offscreen, with nothing changed since
// the previous refresh and with every status bit and value changed; the
// "Paint" variants also let Qt paint what the refresh marked as changed.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include <QApplication>

#include "app/AppState.h"
#include "online/CAlarmMonitorDlg.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CJogDlg.h"
#include "online/CRivoStatusMonitorDlg.h"
#include "online/CStatusMonitorDlg.h"

namespace {

using namespace vantrel;

AppState* state = nullptr;

// Inverts every input and output word and moves every axis value.
void changeEverything(ControllerStatus& s) {
    constexpr auto relaxed = std::memory_order_relaxed;
    auto flip16 = [](std::atomic<std::uint16_t>& w) { w.store(static_cast<std::uint16_t>(~w.load(relaxed)), relaxed); };
    auto flip8 = [](std::atomic<std::uint8_t>& w) { w.store(static_cast<std::uint8_t>(~w.load(relaxed)), relaxed); };
    flip16(s.generalInputs);
    flip16(s.hostInputs);
    flip16(s.sensorInputs);
    flip16(s.generalOutputs);
    flip16(s.hostOutputs);
    for (auto& w : s.networkOutputs) flip16(w);
    for (std::size_t i = 0; i < 4; ++i) {
        flip8(s.driverInputs[i]);
        flip8(s.driverOutputs[i]);
        for (auto* values : {&s.axisCommandPosition, &s.axisDetectedPosition, &s.axisCommandSpeed, &s.axisDetectedSpeed})
            (*values)[i].fetch_add(12345, relaxed);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        s.networkStatus[i].store(~s.networkStatus[i].load(relaxed), relaxed);
        flip16(s.networkWord[i]);
        flip16(s.networkWord2[i]);
        for (auto* values : {&s.networkCommandPosition, &s.networkDetectedPosition, &s.networkCommandSpeed,
                             &s.networkDetectedSpeed})
            (*values)[i].fetch_add(12345, relaxed);
    }
    s.alarmCode.store(s.alarmCode.load(relaxed) == 27 ? 0 : 27, relaxed);
}

void refresh(benchmark::State& run, const std::function<COnlineWindow*()>& make, bool changed, bool paint) {
    std::unique_ptr<COnlineWindow> window(make());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QApplication::processEvents();
    for (auto _ : run) {
        if (changed) changeEverything(state->status);
        window->refresh();
        if (paint) QApplication::processEvents();
    }
}

template <class Window>
void registerWindow(const char* name) {
    const auto make = [] { return new Window(*state); };
    for (bool changed : {false, true})
        for (bool paint : {false, true}) {
            const std::string label = std::string(name) + (changed ? "/EveryBitChanged" : "/NothingChanged") +
                                      (paint ? "/Paint" : "");
            benchmark::RegisterBenchmark(label.c_str(), [=](benchmark::State& run) { refresh(run, make, changed, paint); })
                ->Unit(benchmark::kMicrosecond);
        }
}

struct IoTest : CIoTestDlg {
    explicit IoTest(AppState& s) : CIoTestDlg(s, {}) {}
};
struct RivoOutputTest : CRivoOutputTestDlg {
    explicit RivoOutputTest(AppState& s) : CRivoOutputTestDlg(s, {}) {}
};
// The test-operation window on pulse axis 1 (a QS in mm), ticking with no button held.
struct JogWindow : CJogDlg {
    explicit JogWindow(AppState& s) : CJogDlg(s, {}) {}
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppState appState;
    state = &appState;
    PulseAxisRecord(appState.image, 0).setModel(2);
    registerWindow<CStatusMonitorDlg>("StatusMonitor");
    registerWindow<CIoMonitorDlg>("IoMonitor");
    registerWindow<IoTest>("IoTest");
    registerWindow<CPulseOutputTestDlg>("PulseOutputTest");
    registerWindow<RivoOutputTest>("RivoOutputTest");
    registerWindow<CAlarmMonitorDlg>("AlarmMonitor");
    registerWindow<JogWindow>("JogWindow");
    registerWindow<CRivoStatusMonitorDlg>("RivoStatusMonitor");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
