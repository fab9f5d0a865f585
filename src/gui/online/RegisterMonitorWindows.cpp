#include "online/RegisterMonitorWindows.h"

#include "online/CAlarmMonitorDlg.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CMonitorMenuDlg.h"
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
}

}  // namespace vantrel
