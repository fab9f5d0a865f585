#include "online/RegisterMonitorWindows.h"

#include "online/CAlarmMonitorDlg.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CJogDlg.h"
#include "online/CMonitorMenuDlg.h"
#include "online/CRegisterTestDlg.h"
#include "online/CRivoStatusMonitorDlg.h"
#include "online/CStatusMonitorDlg.h"

namespace vantrel {

void registerMonitorWindows(CMonitorMenuDlg& menu) {
    menu.registerWindow(MonitorWindow::PulseStatusMonitor,
                        [](CMonitorMenuDlg& m) { return new CStatusMonitorDlg(m.state(), &m); });
    menu.registerWindow(MonitorWindow::IoMonitor, [](CMonitorMenuDlg& m) { return new CIoMonitorDlg(m.state(), &m); });
    menu.registerWindow(MonitorWindow::AlarmMonitor,
                        [](CMonitorMenuDlg& m) { return new CAlarmMonitorDlg(m.state(), &m); });
    menu.registerWindow(MonitorWindow::IoTest, [](CMonitorMenuDlg& m) {
        return new CIoTestDlg(m.state(), [&m](int driver) { m.relayNetworkDriver(driver); }, &m);
    });
    menu.registerWindow(MonitorWindow::NetworkStatusMonitor, [](CMonitorMenuDlg& m) {
        auto* monitor = new CRivoStatusMonitorDlg(m.state(), &m);
        QObject::connect(&m, &CMonitorMenuDlg::networkDriverSelected, monitor, &CRivoStatusMonitorDlg::followDriver);
        return monitor;
    });
    menu.registerWindow(MonitorWindow::TestRun, [](CMonitorMenuDlg& m) {
        return new CJogDlg(m.state(), [&m](int driver) { m.relayNetworkDriver(driver); }, &m);
    });
    menu.registerWindow(MonitorWindow::RegisterTest,
                        [](CMonitorMenuDlg& m) { return new CRegisterTestDlg(m.state(), &m); });
}

}  // namespace vantrel
