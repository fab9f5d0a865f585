#include "online/OnlineScreenshots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "app/AppState.h"
#include "data/ImageEdit.h"
#include "link/JogRequestRecord.h"
#include "online/CAlarmMonitorDlg.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CJogDlg.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "online/CMonitorMenuDlg.h"
#include "online/CRegisterTestDlg.h"
#include "online/CRivoStatusMonitorDlg.h"
#include "online/CStatusMonitorDlg.h"
#include "online/CTrendPanel.h"
#include "online/CTrendPlot.h"

namespace vantrel {
namespace {

JogRequestRecord jogRequest(std::uint8_t operation, std::int32_t speed, std::uint16_t point = 0) {
    JogRequestRecord record;
    record.setOperation(operation);
    record.setAxis(0);
    record.setSpeed(speed);
    record.setAccelTime(100);
    record.setPoint(point);
    return record;
}

void press(CLampGroup* group, const char* label) {
    if (CLamp* lamp = group->lamp(QString::fromUtf8(label))) lamp->click();
}

}  // namespace

OnlineScreenshots::OnlineScreenshots(CMonitorMenuDlg& menu, Save save, std::function<void()> done, QObject* parent)
    : QObject(parent), menu_(menu), save_(std::move(save)), done_(std::move(done)), renewal_(new QTimer(this)) {
    AppState& state = menu_.state();
    renewal_->setInterval(CJogDlg::kTickMs);
    connect(renewal_, &QTimer::timeout, this, [this, &state] { state.link.startJog(held_); });
    auto window = [this](MonitorWindow which) { return menu_.window(which); };
    steps_ = {
        {0, [this] { menu_.show(); }},
        {300, [this] { save_(menu_, QStringLiteral("monitor-menu.png")); }},
        // The status monitor and its trend over a JOG: forward, a pause, back.
        {0, [this] {
             if (auto* monitor = qobject_cast<CStatusMonitorDlg*>(menu_.openWindow(MonitorWindow::PulseStatusMonitor))) {
                 monitor->setTrendShown(true);
                 monitor->trend().axisBox(1)->setChecked(true);
                 monitor->trend().setViewSeconds(10);
             }
         }},
        {800, [this] { hold(jogRequest(JogRequestRecord::kJogForward, 1500)); }},
        {2000, [this] { release(); }},
        {1000, [this] { hold(jogRequest(JogRequestRecord::kJogBackward, 800)); }},
        {1800, [this, window] {
             auto* monitor = qobject_cast<CStatusMonitorDlg*>(window(MonitorWindow::PulseStatusMonitor));
             if (!monitor) return;
             // The cursor 3.5 s back, in the forward JOG.
             CTrendPlot& plot = monitor->trend().plot();
             const int left = 78;
             const int right = plot.width() - 13;
             plot.setCursorX(left + static_cast<int>((right - left) * (1.0 - 3.5 / 10.0)));
             save_(*monitor, QStringLiteral("status-monitor.png"));
         }},
        {0, [this] { release(); }},
        // Outputs switched on from the I/O test and its two axis output tests.
        {300, [this, window] {
             if (QWidget* monitor = window(MonitorWindow::PulseStatusMonitor)) monitor->close();
             auto* io = qobject_cast<CIoTestDlg*>(menu_.openWindow(MonitorWindow::IoTest));
             if (!io) return;
             for (const char* out : {"OUT1", "OUT3", "OUT4", "OUT9"}) press(io->groups()[0], out);
             press(io->groups()[1], "PRG-READY");
             CPulseOutputTestDlg* pulse = io->openPulseOutputTest();
             press(pulse->groups()[0], "C-ON/S-ON/AWO");
             press(pulse->groups()[2], "FREE");
             CRivoOutputTestDlg* rivo = io->openRivoOutputTest();
             rivo->chooseGroup(1);
             for (const char* bit : {"NET-IN0", "NET-IN3", "NET-IN7"}) press(rivo->groups()[0], bit);
             press(rivo->groups()[2], "NET-IN6");
         }},
        {800, [this, window] {
             auto* io = qobject_cast<CIoTestDlg*>(window(MonitorWindow::IoTest));
             if (!io) return;
             save_(*io, QStringLiteral("io-test.png"));
             save_(*io->pulseOutputTest(), QStringLiteral("pulse-output-test.png"));
             save_(*io->rivoOutputTest(), QStringLiteral("rivo-output-test.png"));
             menu_.openWindow(MonitorWindow::IoMonitor);
         }},
        {400, [this, window] {
             if (QWidget* monitor = window(MonitorWindow::IoMonitor)) save_(*monitor, QStringLiteral("io-monitor.png"));
             if (QWidget* io = window(MonitorWindow::IoTest)) io->close();
             if (QWidget* monitor = window(MonitorWindow::IoMonitor)) monitor->close();
         }},
        // A test run to a point that holds no position: the controller raises its alarm.
        {0, [&state] { state.link.startJog(jogRequest(JogRequestRecord::kTestRun, 1000, 1001)); }},
        {300, [this] { menu_.openWindow(MonitorWindow::AlarmMonitor); }},
        {1200, [this, window] {
             if (auto* alarms = qobject_cast<CAlarmMonitorDlg*>(window(MonitorWindow::AlarmMonitor))) {
                 save_(*alarms, QStringLiteral("alarm-monitor.png"));
                 alarms->pressAlarmReset();  // the main window's picture follows, without the alarm
             }
         }},
        {300, [this, window] {
             if (QWidget* alarms = window(MonitorWindow::AlarmMonitor)) alarms->close();
         }},
        // The test-operation window: as the settings views would, connect a QS
        // to pulse axis 2 (in mm, speeds in mm/s) and a WRB as RIVO06.
        {0, [&state] {
             ImageEdit edit(state.image, &state.queues);
             edit.write(PulseAxisRecord(state.image, 1).offsetOf(PulseAxisRecord::kModel), 1, 2);
             edit.write(NetworkDriverRecord(state.image, 5).offsetOf(NetworkDriverRecord::kModel), 1, 4);
         }},
        {400, [this] {
             auto* jog = qobject_cast<CJogDlg*>(menu_.openWindow(MonitorWindow::TestRun));
             if (!jog) return;
             jog->field(CJogDlg::InchDistance)->setText(QStringLiteral("12.5"));
             jog->pressButton(JogButton::InchForward);
         }},
        // Teach the end of the move into P1001, then move again and take the picture on the way.
        {1800, [window] {
             if (auto* jog = qobject_cast<CJogDlg*>(window(MonitorWindow::TestRun))) jog->pressTeach();
         }},
        {600, [window] {
             if (auto* jog = qobject_cast<CJogDlg*>(window(MonitorWindow::TestRun)))
                 jog->pressButton(JogButton::InchForward);
         }},
        {500, [this, window] {
             if (QWidget* jog = window(MonitorWindow::TestRun)) save_(*jog, QStringLiteral("jog-pulse-axis.png"));
         }},
        // RIVO06 in the same window, followed by the network monitor.
        {1000, [this, window] {
             auto* jog = qobject_cast<CJogDlg*>(window(MonitorWindow::TestRun));
             if (!jog) return;
             menu_.openWindow(MonitorWindow::NetworkStatusMonitor);
             jog->axisList()->setCurrentIndex(jog->axisList()->findText(QStringLiteral("RIVO06")));
             jog->field(CJogDlg::InchDistance)->setText(QStringLiteral("8000"));
             jog->field(CJogDlg::InchSpeed)->setText(QStringLiteral("4000"));
             jog->pressButton(JogButton::InchForward);
         }},
        {900, [this, window] {
             if (QWidget* jog = window(MonitorWindow::TestRun)) save_(*jog, QStringLiteral("jog-network-driver.png"));
             if (QWidget* monitor = window(MonitorWindow::NetworkStatusMonitor))
                 save_(*monitor, QStringLiteral("rivo-status-monitor.png"));
         }},
        // The register test: a write of two registers to RIVO06, then their read.
        {1500, [this, window] {
             if (QWidget* jog = window(MonitorWindow::TestRun)) jog->close();
             if (QWidget* monitor = window(MonitorWindow::NetworkStatusMonitor)) monitor->close();
             auto* test = qobject_cast<CRegisterTestDlg*>(menu_.openWindow(MonitorWindow::RegisterTest));
             if (!test) return;
             test->slave()->setText(QStringLiteral("6"));
             test->registerAddress()->setText(QStringLiteral("1024"));
             test->data()->setText(QStringLiteral("-250000"));
             test->pressSend();
         }},
        {900, [window] {
             if (auto* test = qobject_cast<CRegisterTestDlg*>(window(MonitorWindow::RegisterTest))) {
                 test->chooseFunction(3);
                 test->pressSend();
             }
         }},
        {900, [this, window] {
             if (QWidget* test = window(MonitorWindow::RegisterTest)) {
                 save_(*test, QStringLiteral("register-test.png"));
                 test->close();
             }
             menu_.hide();
         }},
    };
}

void OnlineScreenshots::start() { runStep(0); }

void OnlineScreenshots::hold(const JogRequestRecord& record) {
    held_ = record;
    menu_.state().link.startJog(held_);
    renewal_->start();
}

void OnlineScreenshots::release() {
    renewal_->stop();
    menu_.state().link.endHeldJog();
}

void OnlineScreenshots::runStep(std::size_t index) {
    if (index >= steps_.size()) {
        if (done_) done_();
        return;
    }
    QTimer::singleShot(steps_[index].delayMs, this, [this, index] {
        steps_[index].action();
        runStep(index + 1);
    });
}

}  // namespace vantrel
