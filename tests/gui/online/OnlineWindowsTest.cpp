// The online windows against the simulated controller over a real
// pseudo-terminal and the real link thread: what the user presses reaches the
// controller with the status poll, and what the controller reports comes back
// to the lamps and fields.

#include <chrono>
#include <memory>
#include <mutex>

#include <QAction>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "GuiTestSupport.h"
#include "SimConnection.h"
#include "app/CMainFrame.h"
#include "data/DefaultImage.h"
#include "online/CAlarmMonitorDlg.h"
#include "online/CIoMonitorDlg.h"
#include "online/CIoTestDlg.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "online/CStatusMonitorDlg.h"
#include "online/CTrendPanel.h"
#include "online/CTrendPlot.h"

using namespace vantrel;
using test::kPatience;

class OnlineWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> recorder_;
    std::unique_ptr<test::SimConnection> c_;

    void connectSim() { QVERIFY(c_->connect()); }
    void waitPolls(int n) { QVERIFY(c_->waitPolls(n)); }
    // Presses made while the link lock is held land between two polls, as
    // two quick clicks do; no poll is under way to replace them.
    template <class F>
    void betweenPolls(F presses) {
        const std::lock_guard guard(c_->state.link.lock());
        presses();
    }
    template <class Window>
    Window* open(MonitorWindow which) {
        auto* window = c_->open<Window>(which);
        if (!window) qFatal("window did not open");
        return window;
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        c_ = std::make_unique<test::SimConnection>(makeDefaultSettingsImage());
    }

    void cleanup() {
        c_.reset();
        recorder_.reset();
    }

    void statusMonitorAlarmResetReachesTheDriverAndTwoPressesCancel() {
        connectSim();
        auto* monitor = open<CStatusMonitorDlg>(MonitorWindow::PulseStatusMonitor);
        SimStatus status = c_->sim.status();
        status.driverInputs[1] |= 0x02;  // axis 2 in alarm
        c_->sim.setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->alarmText(1), QStringLiteral("ALARM"), kPatience);
        QVERIFY(monitor->inputLamps(1).lamp(QStringLiteral("ALM"))->lit());

        const std::uint8_t before = c_->sim.outputs().driverOutputs[1];
        betweenPolls([&] {
            monitor->pressAlarmReset(1);
            monitor->pressAlarmReset(1);
        });
        waitPolls(2);
        QCOMPARE(c_->sim.outputs().driverOutputs[1], before);
        QCOMPARE(monitor->alarmText(1), QStringLiteral("ALARM"));

        betweenPolls([&] { monitor->pressAlarmReset(1); });
        QTRY_VERIFY_WITH_TIMEOUT(c_->sim.outputs().driverOutputs[1] & 0x02, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->alarmText(1), QString(), kPatience);  // the driver cleared its alarm
        QVERIFY(monitor->outputLamps(1).lamp(QStringLiteral("ALM-RST"))->lit());
        QVERIFY(!monitor->outputLamps(0).lamp(QStringLiteral("ALM-RST"))->lit());
    }

    void statusMonitorValuesResetSpeedAndClosedLink() {
        PulseAxisRecord step(c_->state.image, 2);
        step.setPositionUnit(2);
        step.setResolution(1000);
        step.setTravelPerRev(500);  // R = 2
        setSpeedOverrideLevel(c_->state.image, 2);
        connectSim();
        SimStatus status = c_->sim.status();
        status.pulseAxes[0] = {12345, 12340, -50, 250000};
        status.pulseAxes[2] = {1000, 1990, 300, 301};
        c_->sim.setStatus(status);
        auto* monitor = open<CStatusMonitorDlg>(MonitorWindow::PulseStatusMonitor);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->valueText(0, 2), QStringLiteral("-0.50"), kPatience);
        QCOMPARE(monitor->valueText(0, 0), QStringLiteral("123.45"));
        QCOMPARE(monitor->valueText(0, 3), QStringLiteral("2500.00"));
        QCOMPARE(monitor->valueText(2, 0), QStringLiteral("2000"));
        QCOMPARE(monitor->valueText(2, 1), QStringLiteral("1990"));

        monitor->pressReset();
        QCOMPARE(monitor->valueText(2, 0), QStringLiteral("0"));
        QCOMPARE(monitor->valueText(2, 1), QStringLiteral("0"));
        QCOMPARE(monitor->valueText(0, 0), QStringLiteral("123.45"));  // a mm axis has no zero reference
        status.pulseAxes[2].commandPosition += 5;
        status.pulseAxes[2].detectedPosition += 7;
        c_->sim.setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->valueText(2, 0), QStringLiteral("10"), kPatience);
        QCOMPARE(monitor->valueText(2, 1), QStringLiteral("7"));

        // Speed buttons: the write goes to the controller, the image waits for the read-back.
        QCOMPARE(monitor->speedText(), QStringLiteral("60％"));
        monitor->pressSpeedUp();
        QCOMPARE(monitor->speedText(), QStringLiteral("80％"));
        QCOMPARE(speedOverrideLevel(c_->state.image), 2);
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.readValue(28, 1).value_or(99), std::uint32_t(3), kPatience);

        // With the link closed the values stay and the window goes on working.
        c_->state.link.close();
        status.pulseAxes[0].commandPosition = 0;
        c_->sim.setStatus(status);
        monitor->refresh();
        monitor->pressAlarmReset(0);
        monitor->pressSpeedDown();
        monitor->refresh();
        QCOMPARE(monitor->valueText(0, 0), QStringLiteral("123.45"));
        QVERIFY(monitor->isVisible());
    }

    void ioTestOut1ReachesTheControllerAndComesBackLit() {
        connectSim();
        auto* io = open<CIoTestDlg>(MonitorWindow::IoTest);
        auto* monitor = open<CIoMonitorDlg>(MonitorWindow::IoMonitor);
        CLamp* out1 = io->groups()[0]->lamp(QStringLiteral("OUT1"));
        QVERIFY(out1 && !out1->lit());

        betweenPolls([&] {
            out1->click();
            out1->click();
        });
        waitPolls(2);
        QCOMPARE(c_->sim.outputs().generalOutputs & 1, 0);
        QVERIFY(!out1->lit());

        betweenPolls([&] { out1->click(); });
        QVERIFY(out1->lit());  // its own lamp at once
        QTRY_VERIFY_WITH_TIMEOUT(c_->sim.outputs().generalOutputs & 1, kPatience);
        waitPolls(2);  // the read-back keeps it on
        io->refresh();
        QVERIFY(out1->lit());
        QTRY_VERIFY_WITH_TIMEOUT(monitor->groups()[1]->lamp(QStringLiteral("OUT1"))->lit(), kPatience);

        // A general input active on the controller lights its lamp.
        SimStatus status = c_->sim.status();
        status.generalInputs = 0x0001;
        c_->sim.setStatus(status);
        QTRY_VERIFY_WITH_TIMEOUT(monitor->groups()[0]->lamp(QStringLiteral("IN1"))->lit(), kPatience);
        QVERIFY(!monitor->groups()[0]->lamp(QStringLiteral("IN2"))->lit());
    }

    void ioTestOpensEachAxisOutputTestOnce() {
        connectSim();
        auto* io = open<CIoTestDlg>(MonitorWindow::IoTest);
        QPushButton* pulse = nullptr;
        for (auto* b : io->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("パルス列軸出力")) pulse = b;
        QVERIFY(pulse);
        pulse->click();
        pulse->click();
        QCOMPARE(io->findChildren<CPulseOutputTestDlg*>().size(), 1);
        QVERIFY(io->pulseOutputTest()->isVisible());
        // Closed, it opens anew; the menu gives the open I/O test, not a second one.
        io->pulseOutputTest()->close();
        QVERIFY(io->openPulseOutputTest()->isVisible());
        QCOMPARE(c_->menu->openWindow(MonitorWindow::IoTest), static_cast<QWidget*>(io));
        QCOMPARE(c_->menu->findChildren<CIoTestDlg*>().size(), 1);
    }

    void rivoOutputTestDrivesTheChosenGroup() {
        connectSim();
        auto* io = open<CIoTestDlg>(MonitorWindow::IoTest);
        QSignalSpy relayed(c_->menu.get(), &CMonitorMenuDlg::networkDriverSelected);
        CRivoOutputTestDlg* rivo = io->openRivoOutputTest();
        QCOMPARE(rivo->groups()[0]->title(), QStringLiteral("RIVO1軸"));
        rivo->chooseGroup(3);
        QCOMPARE(rivo->groups()[0]->title(), QStringLiteral("RIVO13軸"));
        QCOMPARE(relayed.size(), 1);
        QCOMPARE(relayed[0][0].toInt(), 12);

        rivo->groups()[0]->lamp(QStringLiteral("NET-IN0"))->click();
        rivo->groups()[3]->lamp(QStringLiteral("NET-IN15"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.outputs().networkOutputs[12], std::uint16_t(0x0001), kPatience);
        QCOMPARE(c_->sim.outputs().networkOutputs[15], std::uint16_t(0x8000));
        QCOMPARE(c_->sim.outputs().selectedGroup, std::uint16_t(3));
        // The poll reports drivers 13..16: their inputs echo the words sent.
        QTRY_COMPARE_WITH_TIMEOUT(c_->state.status.networkWord2[0].load(), std::uint16_t(0x0001), kPatience);
        QCOMPARE(c_->state.status.networkWord2[3].load(), std::uint16_t(0x8000));
        // Back to drivers 1..4: their words are their own, not those of 13..16.
        rivo->chooseGroup(0);
        waitPolls(2);
        QCOMPARE(c_->sim.outputs().networkOutputs[0], std::uint16_t(0));
        QVERIFY(!rivo->groups()[0]->lamp(QStringLiteral("NET-IN0"))->lit());
    }

    void alarmMonitorShowsTheAlarmAndOneResetClearsIt() {
        c_->sim.raiseAlarm(27);
        connectSim();
        auto* alarms = open<CAlarmMonitorDlg>(MonitorWindow::AlarmMonitor);
        QTRY_COMPARE_WITH_TIMEOUT(alarms->currentAlarmText(), QStringLiteral("alarm 27  HOME信号未検出"), kPatience);
        // The history read on open fills the (hidden) list.
        QVERIFY(alarms->historyGroup().isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(alarms->historyList().topLevelItem(0)->text(1), QStringLiteral("alarm 27"), kPatience);
        QCOMPARE(alarms->historyList().topLevelItemCount(), 10);
        QCOMPARE(alarms->historyList().topLevelItem(9)->text(0), QStringLiteral("010"));
        QCOMPARE(alarms->historyList().topLevelItem(9)->text(1), QStringLiteral("no alarm"));

        betweenPolls([&] {
            alarms->pressAlarmReset();
            alarms->pressAlarmReset();
        });
        QTRY_COMPARE_WITH_TIMEOUT(alarms->currentAlarmText(), QStringLiteral("アラームなし"), kPatience);
        waitPolls(2);
        QCOMPARE(c_->sim.outputs().alarmResets, 1);
    }

    void testButtonsInAutoRunShowTheirBoxesAndOpenNothing() {
        c_->sim.setModeWord(2);
        connectSim();
        QTRY_COMPARE_WITH_TIMEOUT(c_->state.status.modeWord.load(), std::uint16_t(2), kPatience);
        // Stand-ins count whether a factory ran at all.
        int made = 0;
        for (MonitorWindow later : {MonitorWindow::TestRun, MonitorWindow::RegisterTest})
            c_->menu->registerWindow(later, [&made](CMonitorMenuDlg& m) { return ++made, new QDialog(&m); });
        for (MonitorWindow test : {MonitorWindow::TestRun, MonitorWindow::IoTest, MonitorWindow::RegisterTest})
            c_->menu->button(test)->click();
        QCOMPARE(recorder_->texts(), (std::vector<std::string>{
                                         "テスト運転を行うときは\n編集テストモードに切り替えてください。",
                                         "IOテストを行うときは\n編集テストモードに切り替えてください。",
                                         "485通信テストを行うときは\n編集テストモードに切り替えてください。"}));
        QCOMPARE(recorder_->messages[0].title, std::string("インフォメーション"));
        QCOMPARE(made, 0);
        QVERIFY(!c_->menu->window(MonitorWindow::IoTest));
        // The monitors open in any mode.
        c_->menu->button(MonitorWindow::IoMonitor)->click();
        QVERIFY(c_->menu->window(MonitorWindow::IoMonitor));
    }

    void trendFollowsAJogAndReadsUnderTheCursor() {
        connectSim();
        auto* monitor = open<CStatusMonitorDlg>(MonitorWindow::PulseStatusMonitor);
        monitor->setTrendShown(true);
        CTrendPanel& trend = monitor->trend();
        QVERIFY(trend.isVisible());
        JogRequestRecord jog;
        jog.setOperation(JogRequestRecord::kJogForward);
        jog.setAxis(0);
        jog.setSpeed(1000);  // 10.00 mm/s on axis 1
        QVERIFY(c_->state.link.startJog(jog));  // held: the link repeats it
        QTRY_VERIFY_WITH_TIMEOUT(!trend.buffer().empty() &&
                                     trend.buffer().newest().value(0, TrendChannel::CommandSpeed) == 10.0 &&
                                     trend.buffer().newest().value(0, TrendChannel::CommandPosition) > 1.0,
                                 kPatience);
        trend.setPaused(true);
        const std::size_t samples = trend.buffer().size();
        monitor->refresh();
        QCOMPARE(trend.buffer().size(), samples);  // paused: nothing taken
        QVERIFY(c_->state.link.setPendingOp(LinkOp::Idle));

        CTrendPlot& plot = trend.plot();
        plot.resize(800, 300);
        plot.setCursorX(plot.width() - 13);  // the newest sample, at the right edge
        const QStringList lines = plot.cursorTexts();
        QVERIFY2(lines.contains(QStringLiteral("軸1 指令速度 10.00 mm/s")), qPrintable(lines.join(" | ")));
        QVERIFY(lines.front().endsWith(QStringLiteral(" s")));
        trend.axisBox(1)->setChecked(true);
        trend.channelBox(TrendChannel::DetectedSpeed)->setChecked(false);
        QCOMPARE(plot.cursorTexts().size(), 1 + 2 * 3);  // two axes, three values each
        plot.setCursorX(std::nullopt);
        QVERIFY(plot.cursorTexts().isEmpty());
    }

    void mainWindowReachesTheMonitorMenu() {
        QVERIFY(c_->server.start());
        CMainFrame frame(c_->state, ViewFactory{});
        QAction* action = nullptr;
        for (QAction* a : frame.findChildren<QAction*>())
            if (a->text() == QStringLiteral("モニタメニュー(&M)...")) action = a;
        QVERIFY(action);
        action->trigger();
        CMonitorMenuDlg& menu = frame.monitorMenu();
        QVERIFY(menu.isVisible());
        for (const MonitorWindowEntry& e : monitorWindows()) {
            QVERIFY(menu.button(e.window)->isEnabled());  // every window is plugged in
            QCOMPARE(menu.button(e.window)->text(), fromUtf8(e.buttonText));
        }
        // With no controller every monitor opens and stays usable.
        auto* monitor = qobject_cast<CStatusMonitorDlg*>(menu.openWindow(MonitorWindow::PulseStatusMonitor));
        QVERIFY(monitor);
        QCOMPARE(menu.openWindow(MonitorWindow::PulseStatusMonitor), static_cast<QWidget*>(monitor));
        QCOMPARE(monitor->valueText(0, 0), QStringLiteral("0.00"));
        frame.shutdownLink();
    }
};

VANTREL_GUI_TEST_MAIN(OnlineWindowsTest)
#include "OnlineWindowsTest.moc"
