// The demo's machine seen through the I/O monitor: an input set on the
// simulated controller's console lights its lamp, and an output switched in
// the I/O test comes back as its input (OUTn drives INn), over a real
// pseudo-terminal and the real link thread.

#include <chrono>
#include <memory>
#include <mutex>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "data/DefaultImage.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "online/CMonitorMenuDlg.h"
#include "online/RegisterMonitorWindows.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "sim/SimConsole.h"

using namespace vantrel;
using namespace std::chrono_literals;

namespace {
// A guard against a hang only; nothing measures time with it.
constexpr int kPatience = 20000;
}  // namespace

class ConsoleLampTest : public QObject {
    Q_OBJECT

private slots:
    void consoleInputAndWiredOutputLightTheirLamps() {
        test::MessageRecorder recorder;
        ControllerSim sim;
        sim.useStandAloneMachine();
        PtyServer server(sim);
        AppState state;
        state.image = makeDefaultSettingsImage();
        QVERIFY(server.start());
        state.link.setTimeouts(150ms, 1000ms);
        state.linkThread.start();
        QVERIFY(state.link.open(server.portName(), nullptr));
        QTRY_VERIFY_WITH_TIMEOUT(sim.requestCount(0xAA) >= 2, kPatience);
        {
            CMonitorMenuDlg menu(state);
            registerMonitorWindows(menu);
            auto* monitor = qobject_cast<CIoMonitorDlg*>(menu.openWindow(MonitorWindow::IoMonitor));
            auto* io = qobject_cast<CIoTestDlg*>(menu.openWindow(MonitorWindow::IoTest));
            QVERIFY(monitor && io);
            CLampGroup* inputs = monitor->groups()[0];

            SimConsole console(sim);
            QVERIFY(console.run("in 7 on").ok);
            QTRY_VERIFY_WITH_TIMEOUT(inputs->lamp(QStringLiteral("IN7"))->lit(), kPatience);
            QVERIFY(!inputs->lamp(QStringLiteral("IN3"))->lit());

            {
                const std::lock_guard guard(state.link.lock());
                io->groups()[0]->lamp(QStringLiteral("OUT3"))->click();
            }
            QTRY_VERIFY_WITH_TIMEOUT(inputs->lamp(QStringLiteral("IN3"))->lit(), kPatience);
            QVERIFY2(inputs->lamp(QStringLiteral("IN7"))->lit(), "an input set by hand stays");

            QVERIFY(console.run("in 7 off").ok);
            QTRY_VERIFY_WITH_TIMEOUT(!inputs->lamp(QStringLiteral("IN7"))->lit(), kPatience);
        }
        state.linkThread.stop();
        state.link.close();
        server.stop();
    }
};

QTEST_MAIN(ConsoleLampTest)
#include "ConsoleLampTest.moc"
