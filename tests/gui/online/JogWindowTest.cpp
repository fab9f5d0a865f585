// The test-operation window against the simulated controller over the real
// link: a held JOG moves the axis and ends with the first tick after its
// release or after anything that takes the button from the user; teaching
// writes the command position into the controller's point.

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtEndian>
#include <QPushButton>
#include <QTest>
#include <QApplication>

#include "GuiTestSupport.h"
#include "SimConnection.h"
#include "data/DefaultImage.h"
#include "online/CIoTestDlg.h"
#include "online/CJogDlg.h"
#include "online/COutputTestWindow.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "online/CRivoStatusMonitorDlg.h"
#include "online/Teaching.h"

using namespace vantrel;
using test::kPatience;

namespace {

constexpr auto kIdle = static_cast<std::uint8_t>(LinkOp::Idle);
constexpr auto kJog = static_cast<std::uint8_t>(LinkOp::Jog);

// 軸1: QS in mm with speeds in mm/s (10 mm/s = 1000 Hz); RIVO06: WRB in steps.
SettingsImage machine() {
    SettingsImage img = makeDefaultSettingsImage();
    PulseAxisRecord axis(img, 0);
    axis.setModel(2);
    axis.setPositionUnit(0);
    axis.setSpeedUnit(1);
    NetworkDriverRecord(img, 5).setModel(4);
    return img;
}

}  // namespace

class JogWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> recorder_;
    std::unique_ptr<test::SimConnection> c_;

    CJogDlg* openJog() {
        if (!c_->connect()) return nullptr;
        return c_->open<CJogDlg>(MonitorWindow::TestRun);
    }
    // Holds ">" and lets ticks run until the JOG has gone out.
    void holdForward(CJogDlg* jog) {
        QTest::mousePress(jog->button(JogButton::Forward), Qt::LeftButton);
        jog->refresh();
        QCOMPARE(c_->state.link.pendingOp(), kJog);
        QVERIFY(jog->session().jogging());
        QTRY_COMPARE_WITH_TIMEOUT(lastJogOperation(), 1, kPatience);
    }
    // What ends a held JOG other than its release: the stop goes out, then the polls.
    void stopFollows(CJogDlg* jog) {
        QVERIFY(!jog->session().jogging());
        QTRY_COMPARE_WITH_TIMEOUT(lastJogOperation(), 7, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(c_->state.link.pendingOp(), kIdle, kPatience);
    }
    static double shown(const QString& text) { return text.toDouble(); }
    // Operation of the last JOG request the controller received; -1 before any.
    int lastJogOperation() const {
        const auto request = c_->sim.lastRequest(0x0B);
        return request.size() > 32 ? request[32] : -1;
    }
    // Makes the window the active one again (the offscreen platform does not
    // give activation back to a window by itself).
    static bool activate(QWidget* window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
        return QTest::qWaitFor([window] { return window->isActiveWindow(); }, kPatience);
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        c_ = std::make_unique<test::SimConnection>(machine());
    }
    void cleanup() {
        c_.reset();
        recorder_.reset();
    }

    void holdingForwardMovesTheAxisAndTheReleaseEndsItWithinOneTick() {
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        QCOMPARE(jog->axisList()->currentText(), QStringLiteral("軸1"));
        QCOMPARE(jog->modelText(), QStringLiteral("QS"));
        QCOMPARE(jog->positionUnitText(), QStringLiteral("mm"));
        QCOMPARE(jog->unitLabel(CJogDlg::JogSpeed)->text(), QStringLiteral("mm/s"));
        QCOMPARE(jog->commandPositionText(), QStringLiteral("0.00"));

        holdForward(jog);
        // The held request is renewed and the displayed command position grows.
        QTRY_VERIFY_WITH_TIMEOUT(shown(jog->commandPositionText()) > 0.5, kPatience);
        const auto sent = c_->sim.lastRequest(0x0B);
        QCOMPARE(sent.size(), std::size_t(60));
        QCOMPARE(int(sent[32]), 1);
        QCOMPARE(qFromLittleEndian<qint32>(sent.data() + 40), 1000);  // 10 mm/s
        const double during = shown(jog->commandPositionText());
        QTRY_VERIFY_WITH_TIMEOUT(shown(jog->commandPositionText()) > during, kPatience);

        QTest::mouseRelease(jog->button(JogButton::Forward), Qt::LeftButton);
        jog->refresh();  // the first tick after the release
        QCOMPARE(c_->state.link.pendingOp(), kIdle);
        // A JOG exchange the link had already begun lands before its next poll;
        // after that no JOG request may follow.
        QVERIFY(c_->waitPolls(1));
        const int jogs = c_->sim.requestCount(0x0B);
        QVERIFY(c_->waitPolls(3));
        QCOMPARE(c_->sim.requestCount(0x0B), jogs);
        // The axis stands where the JOG left it.
        const double stopped = c_->sim.status().pulseAxes[0].commandPosition;
        QVERIFY(c_->waitPolls(2));
        QCOMPARE(double(c_->sim.status().pulseAxes[0].commandPosition), stopped);
    }

    void anythingThatTakesTheButtonAwayEndsTheJog() {
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        // Another window becomes active while ">" is held.
        holdForward(jog);
        c_->menu->show();
        c_->menu->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!jog->isActiveWindow(), kPatience);
        jog->refresh();
        stopFollows(jog);
        // Back in the window, the button must be pressed again: the mouse
        // moving over it pushes it down but does not hold it.
        QVERIFY(activate(jog));
        QTest::mouseMove(jog->button(JogButton::Forward));
        QVERIFY(jog->button(JogButton::Forward)->isDown());
        jog->refresh();
        QCOMPARE(c_->state.link.pendingOp(), kIdle);
        QTest::mouseRelease(jog->button(JogButton::Forward), Qt::LeftButton);

        // A modal box anywhere.
        holdForward(jog);
        QDialog modal(c_->menu.get());
        modal.setModal(true);
        modal.show();
        jog->refresh();
        stopFollows(jog);
        modal.close();
        QTest::mouseRelease(jog->button(JogButton::Forward), Qt::LeftButton);
        QVERIFY(activate(jog));

        // Escape sends stop, and the window stays.
        holdForward(jog);
        QTest::keyClick(jog, Qt::Key_Escape);
        QVERIFY(jog->isVisible());
        stopFollows(jog);
        QTest::mouseRelease(jog->button(JogButton::Forward), Qt::LeftButton);

        // The link drops.
        holdForward(jog);
        c_->state.link.close();
        jog->refresh();
        QVERIFY(!jog->session().jogging());
        QVERIFY(!jog->button(JogButton::Forward)->isDown());

        // Closing the window.
        QVERIFY(c_->state.link.open(c_->server.portName(), nullptr));
        QVERIFY(c_->waitPolls(2));
        QVERIFY(activate(jog));
        holdForward(jog);
        jog->close();
        stopFollows(jog);
    }

    void aFailedCheckShowsItsMessageAndSendsNothing() {
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        jog->field(CJogDlg::JogSpeed)->setText(QStringLiteral("05"));
        QTest::mousePress(jog->button(JogButton::Forward), Qt::LeftButton);
        jog->refresh();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"数字以外は入力出来ません。"});
        QCOMPARE(c_->state.link.pendingOp(), kIdle);
        jog->refresh();  // the box took the button: no second message
        QCOMPARE(recorder_->messages.size(), std::size_t(1));
        QTest::mouseRelease(jog->button(JogButton::Forward), Qt::LeftButton);

        jog->field(CJogDlg::InchDistance)->setText(QStringLiteral("100.01"));
        jog->pressButton(JogButton::InchForward);
        QCOMPARE(recorder_->messages.back().text, std::string("インチング量が範囲外です。"));
        QCOMPARE(c_->sim.requestCount(0x0B), 0);
        jog->field(CJogDlg::InchDistance)->setText(QStringLiteral("100.00"));
        jog->pressButton(JogButton::InchForward);
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.status().pulseAxes[0].commandPosition, 10000, kPatience);
    }

    void teachingWritesTheCommandPositionIntoThePoint() {
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        SimStatus status = c_->sim.status();
        status.pulseAxes[0].commandPosition = -12345;
        status.networkDrivers[5].values.commandPosition = 765432;
        c_->sim.setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(jog->commandPositionText(), QStringLiteral("-123.45"), kPatience);

        jog->teachPoints()->setCurrentIndex(4);  // P1005
        jog->pressTeach();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"設定しました。"});
        const std::uint32_t pulseAddress = 0x20000 + 7 * (1000 + 4) + 24;
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.readValue(pulseAddress, 3).value_or(0), std::uint32_t(0xFFFFFF & -12345),
                                  kPatience);

        // RIVO06: its group is polled, the position and ABS go to its point 3.
        jog->axisList()->setCurrentIndex(jog->axisList()->findText(QStringLiteral("RIVO06")));
        QCOMPARE(jog->windowState(), JogWindowState::NetworkDriver);
        QVERIFY(jog->homeSettings()->isHidden());
        QCOMPARE(jog->testPoints()->itemText(63), QStringLiteral("P064"));
        QTRY_COMPARE_WITH_TIMEOUT(jog->commandPositionText(), QStringLiteral("765432"), kPatience);
        QCOMPARE(jog->speedUnitText(), QStringLiteral("r/min"));
        jog->teachPoints()->setCurrentIndex(2);
        jog->testPoints()->setCurrentIndex(2);
        jog->pressTeach();
        const std::uint32_t networkAddress = 0x50000 + 6416 * 5 + 64 * 2 + 36;
        QCOMPARE(networkTeachAddress(5, 2), networkAddress);
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.readValue(networkAddress, 4).value_or(0), std::uint32_t(765432), kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.readValue(networkAddress - 4, 1).value_or(0), std::uint32_t(1), kPatience);
        QCOMPARE(ConstNetworkDriverRecord(c_->state.image, 5).point(2).mode(), 1);
        jog->refresh();
        QCOMPARE(jog->testModeText(), QStringLiteral("ABS"));
    }

    void teachingInAutoRunOnlyShowsTheInformationBox() {
        c_->sim.setModeWord(2);
        QVERIFY(c_->connect());
        QTRY_COMPARE_WITH_TIMEOUT(c_->state.status.modeWord.load(), std::uint16_t(2), kPatience);
        // The menu opens no test window in this mode; the window was open before the switch.
        auto* jog = new CJogDlg(c_->state, {}, c_->menu.get());
        jog->show();
        jog->pressTeach();
        QCOMPARE(recorder_->texts(),
                 std::vector<std::string>{"ティーチングを行うときは\n編集テストモードに切り替えてください。"});
        QCOMPARE(recorder_->messages[0].title, std::string("インフォメーション"));
        QCOMPARE(c_->state.queues.valueWriteCount(), std::size_t(0));
        jog->close();
    }

    void outputsSwitchedWhileDisconnectedAreNotSentOnConnecting() {
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        auto* io = c_->open<CIoTestDlg>(MonitorWindow::IoTest);
        QVERIFY(io);
        QCOMPARE(jog->driverSwitch(0)->text(), QStringLiteral("C-ON"));  // QS: C-ON, AWO, FREE
        QVERIFY(jog->driverSwitch(2)->isVisible());
        QCOMPARE(jog->driverSwitch(2)->text(), QStringLiteral("FREE"));

        c_->state.link.close();
        io->groups()[0]->lamp(QStringLiteral("OUT1"))->click();
        jog->driverSwitch(2)->click();
        jog->pressAlarmReset();
        jog->refresh();
        QVERIFY(!jog->driverSwitch(2)->isChecked());  // the box shows the output, which stayed off
        QVERIFY(!io->groups()[0]->lamp(QStringLiteral("OUT1"))->lit());

        QVERIFY(c_->state.link.open(c_->server.portName(), nullptr));
        QVERIFY(c_->waitPolls(3));
        QCOMPARE(c_->sim.outputs().generalOutputs, std::uint16_t(0));
        QCOMPARE(c_->sim.outputs().driverOutputs[0], std::uint8_t(0));

        // Connected, the same presses go out.
        QVERIFY(activate(jog));
        jog->driverSwitch(2)->click();
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.outputs().driverOutputs[0], std::uint8_t(0x04), kPatience);
        QTRY_VERIFY_WITH_TIMEOUT((jog->refresh(), jog->driverSwitch(2)->isChecked()), kPatience);
    }

    void outsideEditTestModeTheTestWindowsDoNotActAndSayWhy() {
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        auto* io = c_->open<CIoTestDlg>(MonitorWindow::IoTest);
        QVERIFY(io);
        const std::vector<COutputTestWindow*> outputs{io, io->openPulseOutputTest(), io->openRivoOutputTest()};
        const QString jogReason = QStringLiteral("テスト運転を行うときは\n編集テストモードに切り替えてください。");
        const QString ioReason = QStringLiteral("IOテストを行うときは\n編集テストモードに切り替えてください。");
        QVERIFY(jog->modeReason()->isHidden());

        for (const std::uint16_t mode : {std::uint16_t(2), std::uint16_t(0)}) {
            const bool acts = mode == 0;
            c_->state.status.requestedMode.store(mode);  // the main window's mode command
            QTRY_COMPARE_WITH_TIMEOUT(c_->state.status.modeWord.load(), mode, kPatience);
            QTRY_COMPARE_WITH_TIMEOUT(jog->button(JogButton::Forward)->isEnabled(), acts, kPatience);
            for (JogButton b : {JogButton::Backward, JogButton::InchForward, JogButton::Home, JogButton::TestRun})
                QCOMPARE(jog->button(b)->isEnabled(), acts);
            QVERIFY(jog->button(JogButton::Stop)->isEnabled());
            QCOMPARE(jog->driverSwitch(2)->isEnabled(), acts);
            QCOMPARE(jog->modeReason()->isVisible(), !acts);
            if (!acts) QCOMPARE(jog->modeReason()->text(), jogReason);
            for (COutputTestWindow* window : outputs) {
                QTRY_COMPARE_WITH_TIMEOUT(window->groups()[0]->isEnabled(), acts, kPatience);
                QCOMPARE(window->modeReason()->isVisible(), !acts);
                if (!acts) QCOMPARE(window->modeReason()->text(), ioReason);
            }
        }
    }

    void withNoAxisTheWindowSaysWhyAndTheDriverSwitchesAreDisabled() {
        c_ = std::make_unique<test::SimConnection>(makeDefaultSettingsImage());  // no model anywhere
        CJogDlg* jog = openJog();
        QVERIFY(jog);
        QCOMPARE(jog->axisList()->count(), 0);
        QVERIFY(!jog->axisReason()->isHidden());
        QCOMPARE(jog->axisReason()->text(), QStringLiteral("接続機種が設定された軸がありません。"
                                                           "「パルス列軸設定」または「RIVO軸設定」で接続機種を選んでください。"));
        const QString labels[] = {QStringLiteral("C-ON"), QStringLiteral("AWO"), QStringLiteral("FREE")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(jog->driverSwitch(i)->text(), labels[i]);
            QVERIFY(!jog->driverSwitch(i)->isEnabled());
        }
        // A model chosen while the window is open lists the axis at the next tick.
        PulseAxisRecord(c_->state.image, 1).setModel(2);
        jog->refresh();
        QCOMPARE(jog->axisList()->currentText(), QStringLiteral("軸2"));
        QCOMPARE(jog->modelText(), QStringLiteral("QS"));
        QVERIFY(jog->axisReason()->isHidden());
    }

    void choosingRivo06MovesAnOpenNetworkMonitorToItsGroup() {
        QVERIFY(c_->connect());
        auto* monitor = c_->open<CRivoStatusMonitorDlg>(MonitorWindow::NetworkStatusMonitor);
        QVERIFY(monitor);
        QCOMPARE(monitor->group(), 0);
        auto* jog = c_->open<CJogDlg>(MonitorWindow::TestRun);
        QVERIFY(jog);
        jog->axisList()->setCurrentIndex(jog->axisList()->findText(QStringLiteral("RIVO06")));
        QCOMPARE(monitor->group(), 1);
        QVERIFY(monitor->groupChoice(1)->isChecked());
        QCOMPARE(monitor->blockTitle(0), QStringLiteral("RIVO5"));
        QCOMPARE(monitor->blockTitle(1), QStringLiteral("RIVO6"));
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.outputs().selectedGroup, std::uint16_t(1), kPatience);
    }
};

VANTREL_GUI_TEST_MAIN(JogWindowTest)
#include "JogWindowTest.moc"
