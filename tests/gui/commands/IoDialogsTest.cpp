// The output editors opened through the palette: external and internal
// output over the loaded I/O names, and the remote I/O write with its driver
// fixed by "軸確定".

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>

#include "EditorTestSupport.h"
#include "commands/CProgOutDlg.h"
#include "commands/CProgRioOutDlg.h"
#include "commands/CProgTimerCounterDlg.h"
#include "ui/StatusNote.h"

using namespace vantrel;

namespace {
const char* const kProgram = "\tPROG\t#001\r\n\tEND\t\r\n";
constexpr int kBlankRow = 1;
// The outputs end at the empty symbol of entry 2; OUT4 is never listed.
const char* const kIoNames =
    "[IO_OUT]\nOUT1\tlamp\nOUT2\tbuzzer\n\tgap\nOUT4\tafter\n"
    "[IO_DOUT]\nDCON1\td1\n"
    "[IO_RIOOUT]\nNO000\tw0\nNO001\tw1\n";

QString outputsOf(const CProgOutDlg& dialog) { return dialog.outputField()->toPlainText(); }
}  // namespace

class IoDialogsTest : public QObject, public test::EditorFixture {
    Q_OBJECT

private slots:
    void init() {
        openView(kProgram);
        state->ioNames.loadFromText(kIoNames);
    }
    void cleanup() { closeView(); }

    void anExternalOutputListsTheNamesAndRefusesAnOutputTwice() {
        auto ran = test::answer<CProgOutDlg>([](CProgOutDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("外部出力"));
            QTableWidget* list = d.picker()->table();
            QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("記号"));
            QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("名称"));
            QCOMPARE(test::column(list, 0), (QStringList{"OUT1", "OUT2"}));
            QCOMPARE(test::column(list, 1), (QStringList{"lamp", "buzzer"}));
            QCOMPARE(d.picker()->pages()->tabText(1), QStringLiteral("ドライバ出力"));

            d.andButton()->click();
            test::clickRow(d.picker(), 0, true);
            QCOMPARE(outputsOf(d), QStringLiteral("OUT1 ON"));
            test::clickRow(d.picker(), 0, true);
            QCOMPARE(outputsOf(d), QStringLiteral("OUT1 ON"));
            d.picker()->pages()->setCurrentIndex(1);
            test::clickRow(d.picker(), 0);
            d.offButton()->click();
            d.andButton()->click();
            QCOMPARE(outputsOf(d), QStringLiteral("OUT1 ON,DCON1 OFF"));
            d.deleteButton()->click();
            QCOMPARE(outputsOf(d), QStringLiteral("OUT1 ON"));
            QTest::keyClick(&d, Qt::Key_Return);
        });
        press(kBlankRow, kPageIo, "外部出力");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(), (std::vector<std::string>{"項目が未選択です", "出力 OUT1 は既に指定済みです"}));
        QCOMPARE(step(kBlankRow).code, kCodeOutExternal);
        QCOMPARE(step(kBlankRow).operand, std::string("OUT1 ON"));

        // An internal output without a term is refused and stays open.
        recorder->messages.clear();
        ran = test::answer<CProgOutDlg>([](CProgOutDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("内部出力"));
            QCOMPARE(d.picker()->pages()->tabText(4), QStringLiteral("T81～T100"));
            d.okButton()->click();
            QVERIFY(d.isVisible());
        });
        press(kBlankRow, kPageIo, "内部出力");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(), std::vector<std::string>{"条件が未設定です。"});
        QCOMPARE(stepCount(), 2);
    }

    // A time wait says which other steps wait on its timer (not the one
    // re-opened); a refused time names its range beside the message.
    void aTimeWaitSaysWhenOtherStepsShareItsTimer() {
        openView("\tPROG\t#001\r\n\tWAIT\tT2\r\n\tWAIT\tT2\r\n\tPROG\t#002\r\n\tWAIT\tT2\r\n");
        state->ioNames.loadFromText("[IO_TIMER]\nT1\tt1\nT2\tt2\nT3\tt3\n");
        QVERIFY(doubleClick<CProgTimerCounterDlg>(0, [](CProgTimerCounterDlg& d) {
            QCOMPARE(d.timerNote()->text(), QStringLiteral("T2 は他の 2 ステップでも使われています"));
            test::clickRow(d.picker(), 2);  // T3: no other step
            QVERIFY(d.timerNote()->isHidden());
            test::type(d.valueField(), QStringLiteral("100"));
            d.okButton()->click();
            QCOMPARE(ui::lastStatusNote(), QStringLiteral("設定範囲:0.00～99.99[sec]"));
        }));
        QCOMPARE(recorder->texts(), (std::vector<std::string>{"設定が範囲外です。"}));
    }

    void aRemoteIoWriteNeedsItsDriverFixedFirst() {
        auto ran = test::answer<CProgRioOutDlg>([](CProgRioOutDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("リモートI/O書込"));
            QCOMPARE(d.axisList()->count(), 16);
            QCOMPARE(d.axisList()->itemText(0), QStringLiteral("001"));
            QVERIFY(!d.picker()->isEnabled() && !d.andButton()->isEnabled() && !d.onButton()->isEnabled());
            d.okButton()->click();

            d.axisList()->setCurrentIndex(11);
            d.fixAxisButton()->click();
            QVERIFY(d.picker()->isEnabled() && d.andButton()->isEnabled());
            QCOMPARE(test::column(d.picker()->table(), 0), (QStringList{"NO000", "NO001"}));
            test::clickRow(d.picker(), 1, true);
            QCOMPARE(outputsOf(d), QStringLiteral("NOB01 ON"));
            // One step addresses one driver.
            QVERIFY(!d.axisList()->isEnabled());
            QTest::keyClick(d.picker()->table(), Qt::Key_Enter);
        });
        press(kBlankRow, kPageNetworkAxes, "リモートI/O書込");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(), std::vector<std::string>{"出力が未設定です。"});
        QCOMPARE(step(kBlankRow).code, kCodeNioWr);
        QCOMPARE(step(kBlankRow).operand, std::string("NOB01 ON"));

        ran = test::answer<CProgRioOutDlg>([](CProgRioOutDlg& d) {
            QCOMPARE(d.axisList()->currentText(), QStringLiteral("012"));
            QVERIFY(d.picker()->isEnabled());
            QCOMPARE(outputsOf(d), QStringLiteral("NOB01 ON"));
        });
        doubleClick(kBlankRow);
        QVERIFY(*ran);
    }
};

VANTREL_GUI_TEST_MAIN(IoDialogsTest)
#include "IoDialogsTest.moc"
