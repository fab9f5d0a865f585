// The demo's machine seen through the I/O monitor: an input set on the
// simulated controller's console lights its lamp, and an output switched in
// the I/O test comes back as its input (OUTn drives INn), over a real
// pseudo-terminal and the real link thread.

#include <mutex>

#include "GuiTestSupport.h"
#include "SimConnection.h"
#include "data/DefaultImage.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "sim/SimConsole.h"

using namespace vantrel;
using test::kPatience;

class ConsoleLampTest : public QObject {
    Q_OBJECT

private slots:
    void consoleInputAndWiredOutputLightTheirLamps() {
        test::MessageRecorder recorder;
        test::SimConnection c(makeDefaultSettingsImage());
        c.sim.useStandAloneMachine();
        QVERIFY(c.connect());
        auto* monitor = qobject_cast<CIoMonitorDlg*>(c.menu->openWindow(MonitorWindow::IoMonitor));
        auto* io = qobject_cast<CIoTestDlg*>(c.menu->openWindow(MonitorWindow::IoTest));
        QVERIFY(monitor && io);
        CLampGroup* inputs = monitor->groups()[0];

        SimConsole console(c.sim);
        QVERIFY(console.run("in 7 on").ok);
        QTRY_VERIFY_WITH_TIMEOUT(inputs->lamp(QStringLiteral("IN7"))->lit(), kPatience);
        QVERIFY(!inputs->lamp(QStringLiteral("IN3"))->lit());

        {
            const std::lock_guard guard(c.state.link.lock());
            io->groups()[0]->lamp(QStringLiteral("OUT3"))->click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(inputs->lamp(QStringLiteral("IN3"))->lit(), kPatience);
        QVERIFY2(inputs->lamp(QStringLiteral("IN7"))->lit(), "an input set by hand stays");

        QVERIFY(console.run("in 7 off").ok);
        QTRY_VERIFY_WITH_TIMEOUT(!inputs->lamp(QStringLiteral("IN7"))->lit(), kPatience);
    }
};

VANTREL_GUI_TEST_MAIN(ConsoleLampTest)
#include "ConsoleLampTest.moc"
