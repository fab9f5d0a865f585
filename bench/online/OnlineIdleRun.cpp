// Keeps one online window open for a while against the simulated controller
// (on a pseudo-terminal, over the real link thread), then exits, so that
// idle_cpu.sh can time whole runs with and without the window.
//
//   online_idle_run [--window none|status|status-trend|io|alarm] [--seconds N]
#include <cstdio>
#include <cstring>
#include <string>

#include <QApplication>
#include <QTimer>

#include "app/AppState.h"
#include "data/DefaultImage.h"
#include "online/CMonitorMenuDlg.h"
#include "online/CStatusMonitorDlg.h"
#include "online/RegisterMonitorWindows.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;

int main(int argc, char** argv) {
    std::string window = "status";
    int seconds = 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--window") == 0) window = argv[i + 1];
        if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atoi(argv[i + 1]);
    }
    QApplication app(argc, argv);
    ControllerSim sim;
    PtyServer server(sim);
    if (!server.start()) {
        std::fprintf(stderr, "online_idle_run: the simulated controller did not start\n");
        return 1;
    }
    int exitCode = 0;
    {
        AppState state;
        state.image = makeDefaultSettingsImage();
        state.linkThread.start();
        state.link.open(server.portName(), nullptr);
        CMonitorMenuDlg menu(state);
        registerMonitorWindows(menu);
        QWidget* shown = nullptr;
        if (window == "status" || window == "status-trend") {
            shown = menu.openWindow(MonitorWindow::PulseStatusMonitor);
            if (window == "status-trend") static_cast<CStatusMonitorDlg*>(shown)->setTrendShown(true);
        } else if (window == "io") {
            shown = menu.openWindow(MonitorWindow::IoMonitor);
        } else if (window == "alarm") {
            shown = menu.openWindow(MonitorWindow::AlarmMonitor);
        }
        if (window != "none" && !shown) {
            std::fprintf(stderr, "online_idle_run: no window \"%s\"\n", window.c_str());
            return 1;
        }
        QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
        exitCode = app.exec();
        std::printf("polls: %d\n", sim.requestCount(0xAA));
        state.linkThread.stop();
        state.link.close();
    }
    server.stop();
    return exitCode;
}
