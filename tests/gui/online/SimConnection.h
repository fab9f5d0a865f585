#pragma once

// The application state of a GUI test connected over a real pseudo-terminal
// to a simulated controller, with the real link thread, and the monitor menu
// with every online window registered.

#include <chrono>
#include <memory>

#include <QTest>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "online/CMonitorMenuDlg.h"
#include "online/RegisterMonitorWindows.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace vantrel::test {

class SimConnection {
public:
    // The controller starts from the same settings as the application.
    explicit SimConnection(const SettingsImage& image) : sim(image), server(sim) { state.image = image; }
    ~SimConnection() {
        menu.reset();
        state.linkThread.stop();
        state.link.close();
        server.stop();
    }
    SimConnection(const SimConnection&) = delete;
    SimConnection& operator=(const SimConnection&) = delete;

    // Connects and waits for the first polls; false when that failed.
    bool connect() {
        using namespace std::chrono_literals;
        if (!server.start()) return false;
        state.link.setTimeouts(150ms, 1000ms);
        state.linkThread.start();
        if (!state.link.open(server.portName(), nullptr)) return false;
        menu = std::make_unique<CMonitorMenuDlg>(state);
        registerMonitorWindows(*menu);
        return waitPolls(2);
    }
    bool waitPolls(int n) {
        const int from = sim.requestCount(0xAA);
        return QTest::qWaitFor([&] { return sim.requestCount(0xAA) >= from + n; }, kPatience);
    }
    template <class Window>
    Window* open(MonitorWindow which) {
        auto* window = qobject_cast<Window*>(menu->openWindow(which));
        if (window && !QTest::qWaitForWindowActive(window)) return nullptr;
        return window;
    }

    ControllerSim sim;
    PtyServer server;
    AppState state;
    std::unique_ptr<CMonitorMenuDlg> menu;
};

}  // namespace vantrel::test
