// The network register test and the network monitor against the simulated
// controller over the real link: a register request rides in the status poll
// and its answer is read back; the monitor shows the group the poll reports.

#include <memory>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "SimConnection.h"
#include "data/DefaultImage.h"
#include "online/CLamp.h"
#include "online/CRegisterTestDlg.h"
#include "online/CRivoStatusMonitorDlg.h"

using namespace vantrel;
using test::kPatience;

namespace {

// RIVO2 connected (steps); RIVO14 connected in mm with ratio words 3 / 2.
SettingsImage drivers() {
    SettingsImage img = makeDefaultSettingsImage();
    NetworkDriverRecord(img, 1).setModel(2);
    NetworkDriverRecord mm(img, 13);
    mm.setModel(1);
    mm.setUnit(0);
    mm.setRatio1(3);
    mm.setRatio2(2);
    return img;
}

}  // namespace

class NetworkWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MessageRecorder> recorder_;
    std::unique_ptr<test::SimConnection> c_;

    // Fills the request fields, sends and waits for the answer on screen.
    static void send(CRegisterTestDlg* test, int function, const QString& address, const QString& data) {
        test->slave()->setText(QStringLiteral("2"));
        test->chooseFunction(function);
        test->registerAddress()->setText(address);
        test->data()->setText(data);
        test->pressSend();
        QVERIFY(test->waitingForAnswer());
        QTRY_VERIFY_WITH_TIMEOUT(!test->waitingForAnswer(), kPatience);
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        c_ = std::make_unique<test::SimConnection>(drivers());
    }
    void cleanup() {
        c_.reset();
        recorder_.reset();
    }

    void aWriteThenAReadOfTwoRegisters() {
        QVERIFY(c_->connect());
        auto* test = c_->open<CRegisterTestDlg>(MonitorWindow::RegisterTest);
        QVERIFY(test);
        QCOMPARE(test->function()->currentText(), QStringLiteral("16"));
        QCOMPARE(test->registerCount()->text(), QStringLiteral("2"));
        QVERIFY(!test->registerCount()->isEnabled());

        send(test, 16, QStringLiteral("300"), QStringLiteral("-7654321"));
        QCOMPARE(recorder_->texts(), std::vector<std::string>{});
        const QStringList written = {"2", "16", "300", "2", "0"};  // a write shows data 0
        for (int i = 0; i < 5; ++i) QCOMPARE(test->answerText(i), written[i]);

        send(test, 3, QStringLiteral("300"), QString());
        QVERIFY(!test->data()->isEnabled());
        const QStringList read = {"2", "3", "300", "2", "-7654321"};  // the whole 32 bits
        for (int i = 0; i < 5; ++i) QCOMPARE(test->answerText(i), read[i]);

        test->chooseFunction(8);
        QVERIFY(!test->registerAddress()->isEnabled());
        QVERIFY(test->data()->isEnabled());
    }

    void sendInAutoRunOnlyAsksForManualMode() {
        QVERIFY(c_->connect());
        auto* test = c_->open<CRegisterTestDlg>(MonitorWindow::RegisterTest);
        QVERIFY(test);
        c_->sim.setModeWord(2);
        QTRY_COMPARE_WITH_TIMEOUT(c_->state.status.modeWord.load(), std::uint16_t(2), kPatience);
        test->pressSend();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"手動モードにしてください"});
        QVERIFY(!test->waitingForAnswer());
        QVERIFY(c_->waitPolls(2));
        QCOMPARE(c_->sim.outputs().lastRegisterRequest, (std::array<std::uint32_t, 3>{}));
        // A check failing in edit-test mode is shown the same way and sends nothing.
        c_->sim.setModeWord(0);
        QTRY_COMPARE_WITH_TIMEOUT(c_->state.status.modeWord.load(), std::uint16_t(0), kPatience);
        test->slave()->setText(QStringLiteral("17"));
        test->pressSend();
        QCOMPARE(recorder_->messages.back().text, std::string("スレーブアドレスは1～16の範囲にしてください。"));
        QVERIFY(!test->waitingForAnswer());
    }

    void switchingTheMonitorToTheLastGroupMakesThePollReportIt() {
        SimStatus status = c_->sim.status();
        for (int d = 0; d < 16; ++d) status.networkDrivers[static_cast<std::size_t>(d)].values = {1000 + d, 2000 + d, 3000 + d, 4000 + d};
        status.networkDrivers[13].alarmCode = 0x1A;
        status.networkDrivers[15].status = 0x20 | 0x80;  // READY and ALM on NET-OUT
        c_->sim.setStatus(status);
        QVERIFY(c_->connect());
        auto* monitor = c_->open<CRivoStatusMonitorDlg>(MonitorWindow::NetworkStatusMonitor);
        QVERIFY(monitor);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->valueText(3, 3), QStringLiteral("4003"), kPatience);

        monitor->groupChoice(3)->click();
        QCOMPARE(monitor->blockTitle(0), QStringLiteral("RIVO13"));
        QTRY_COMPARE_WITH_TIMEOUT(c_->sim.outputs().selectedGroup, std::uint16_t(3), kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->valueText(0, 0), QStringLiteral("1012"), kPatience);
        QCOMPARE(monitor->valueText(3, 3), QStringLiteral("4015"));  // the fourth block's own detected speed
        QCOMPARE(monitor->unitText(0, 2), QStringLiteral("r/min"));
        // RIVO14 in mm: 1013 x 3 / 2 hundredths, 3013 x 3 / 60 hundredths.
        QCOMPARE(monitor->valueText(1, 0), QStringLiteral("15.20"));
        QCOMPARE(monitor->valueText(1, 2), QStringLiteral("1.51"));
        QCOMPARE(monitor->unitText(1, 0), QStringLiteral("mm"));
        QCOMPARE(monitor->unitText(1, 3), QStringLiteral("mm/s"));
        QCOMPARE(monitor->alarmText(1), QStringLiteral("001Ah"));
        QVERIFY(monitor->netOutLamp(3, 7)->lit());
        QVERIFY(monitor->netOutLamp(3, 5)->lit());
        QVERIFY(!monitor->netOutLamp(2, 7)->lit());

        // The alarm reset of a block reaches its own driver.
        status = c_->sim.status();
        status.networkDrivers[14].alarmCode = 0x30;
        c_->sim.setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->alarmText(2), QStringLiteral("0030h"), kPatience);
        monitor->pressAlarmReset(2);
        QTRY_COMPARE_WITH_TIMEOUT(monitor->alarmText(2), QStringLiteral("0000h"), kPatience);
        QCOMPARE(c_->sim.outputs().networkAlarmResets, std::uint16_t(1u << 14));
    }
};

VANTREL_GUI_TEST_MAIN(NetworkWindowsTest)
#include "NetworkWindowsTest.moc"
