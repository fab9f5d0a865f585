// The flow-control editors opened through the palette and by a double-click:
// the condition editor in its three modes, the program choice, the user alarm
// and the pause.

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "EditorTestSupport.h"
#include "commands/CProgAlarmDlg.h"
#include "commands/CProgCallDlg.h"
#include "commands/CProgIfDlg.h"
#include "commands/CProgPauseDlg.h"

using namespace vantrel;

namespace {
const char* const kPrograms =
    "\tPROG\t#001\t;main\r\n"
    "L001\tEND\t\r\n"
    "L005\tEND\t\r\n"
    "L007\tIF\tIN2 ON GOTO L005 \r\n"
    "\tEND\t\r\n"
    "\tPROG\t#002\t;sub\r\n"
    "\tRET\t\r\n"
    "\tPROG\t#010\r\n"
    "\tEND\t\r\n";
constexpr int kBlankRow = 4;

QString conditionOf(const CProgIfDlg& dialog) { return dialog.conditionField()->toPlainText(); }
}  // namespace

class FlowDialogsTest : public QObject, public test::EditorFixture {
    Q_OBJECT

private slots:
    void init() { openView(kPrograms); }
    void cleanup() { closeView(); }

    void aConditionalJumpReopensOnItsLabel() {
        auto ran = test::answer<CProgIfDlg>([](CProgIfDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("条件JUMP"));
            QCOMPARE(conditionOf(d), QStringLiteral("IN2 ON"));
            QCOMPARE(d.targetCaption()->text(), QStringLiteral("LABEL"));
            QCOMPARE(d.targetList()->count(), 3);
            QCOMPARE(d.targetList()->currentText(), QStringLiteral("005 "));
            QVERIFY(!d.targetList()->isEnabled());

            // Confirmed: the terms lock and the target unlocks; and back.
            d.confirmButton()->click();
            QCOMPARE(d.confirmButton()->text(), QStringLiteral("入力条件訂正"));
            QVERIFY(d.targetList()->isEnabled());
            QVERIFY(!d.andButton()->isEnabled() && !d.orButton()->isEnabled() && !d.deleteButton()->isEnabled());
            d.confirmButton()->click();
            QCOMPARE(d.confirmButton()->text(), QStringLiteral("入力条件確定"));
            QVERIFY(d.andButton()->isEnabled());

            // A double-click on a row is "AND"; then another label, and Enter is OK.
            test::clickRow(d.picker(), 0, true);
            QCOMPARE(conditionOf(d), QStringLiteral("IN2 ON,IN1 ON"));
            d.confirmButton()->click();
            d.targetList()->setCurrentIndex(2);
            QTest::keyClick(d.picker()->table(), Qt::Key_Return);
        });
        doubleClick(2);
        QVERIFY(*ran);
        QCOMPARE(step(2).code, kCodeIfGoto);
        QCOMPARE(step(2).operand, std::string("IN2 ON,IN1 ON GOTO L007 "));
        QCOMPARE(int(step(2).label), 7);
        QCOMPARE(stepCount(), 4);
        QVERIFY(recorder->messages.empty());
    }

    void aWaitForInputIsBuiltTermByTerm() {
        auto ran = test::answer<CProgIfDlg>([this](CProgIfDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("入力待ち"));
            QVERIFY(!d.targetGroup()->isVisible());
            d.okButton()->click();
            d.confirmButton()->click();
            d.andButton()->click();
            QVERIFY(d.isVisible());

            test::clickRow(d.picker(), 0);
            d.andButton()->click();
            test::clickRow(d.picker(), 1);
            d.offButton()->click();
            d.orButton()->click();
            QCOMPARE(conditionOf(d), QStringLiteral("IN1 ONorIN2 OFF"));
            d.deleteButton()->click();
            QCOMPARE(conditionOf(d), QStringLiteral("IN1 ON"));

            // A numeric comparison: its value is checked, its operator written without blanks.
            test::clickRow(d.picker(), 2);
            d.compareButton()->click();
            QVERIFY(d.valueField()->isEnabled());
            test::type(d.valueField(), QStringLiteral("256"));
            d.andButton()->click();
            d.operatorList()->setCurrentIndex(3);  // "＞"
            test::type(d.valueField(), QStringLiteral("7"));
            d.andButton()->click();
            QCOMPARE(conditionOf(d), QStringLiteral("IN1 ON,IN3>7"));

            // Another category shows its own group from its first page.
            d.picker()->categories()->button(1)->click();  // "外部出力"
            QCOMPARE(d.picker()->table()->item(0, 0)->text(), QStringLiteral("OUT1"));
            // Enter is OK even after a click gave "AND" the focus.
            QApplication::setActiveWindow(&d);
            d.andButton()->setFocus();
            QVERIFY(d.andButton()->hasFocus());
            QTest::keyClick(d.valueField(), Qt::Key_Enter);
            QCOMPARE(recorder->texts(), (std::vector<std::string>{"条件が設定されていません", "条件が設定されていません",
                                                                  "項目が未選択です",
                                                                  "0 から 255 までの整数を入力してください。"}));
        });
        press(kBlankRow, kPageIo, "入力待ち");
        QVERIFY(*ran);
        QCOMPARE(step(kBlankRow).code, kCodeIn);
        QCOMPARE(step(kBlankRow).operand, std::string("IN1 ON,IN3>7"));
    }

    void aConditionalCallOffersTheProgramsAndEscapeCancels() {
        auto ran = test::answer<CProgIfDlg>([](CProgIfDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("条件CALL"));
            QCOMPARE(d.targetCaption()->text(), QStringLiteral("プログラムNo."));
            QCOMPARE(d.targetList()->itemText(1), QStringLiteral("002  sub"));
            QCOMPARE(d.targetList()->count(), 3);
            // The remote I/O page carries the network axis in the symbol.
            QVERIFY(!d.networkAxisList()->isVisible());
            d.picker()->pages()->setCurrentIndex(3);
            QVERIFY(d.networkAxisList()->isVisible());
            d.networkAxisList()->setCurrentIndex(10);
            test::clickRow(d.picker(), 0, true);
            QCOMPARE(conditionOf(d), QStringLiteral("NIA00 ON"));
            QTest::keyClick(d.picker()->table(), Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        });
        press(kBlankRow, kPageIo, "条件CALL");
        QVERIFY(*ran);
        QCOMPARE(stepCount(), 4);
        QVERIFY(recorder->messages.empty());
    }

    void aCallListsTheProgramsWithTheirNames() {
        auto ran = test::answer<CProgCallDlg>([](CProgCallDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("CALL"));
            QCOMPARE(d.programList()->horizontalHeaderItem(0)->text(), QStringLiteral("プログラムNo."));
            QCOMPARE(d.programList()->horizontalHeaderItem(1)->text(), QStringLiteral("プログラム名称"));
            QCOMPARE(test::column(d.programList(), 0), (QStringList{"P001", "P002", "P010"}));
            QCOMPARE(test::column(d.programList(), 1), (QStringList{"main", "sub", ""}));
            d.okButton()->click();
            test::clickRow(d.programList(), 1);
            d.okButton()->click();
        });
        press(kBlankRow, kPageIo, "CALL");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(), std::vector<std::string>{"プログラム未選択です"});
        QCOMPARE(step(kBlankRow).code, kCodeGosub);
        QCOMPARE(step(kBlankRow).operand, std::string("#002 "));

        // Re-opened on its program.
        ran = test::answer<CProgCallDlg>([](CProgCallDlg& d) {
            QCOMPARE(d.programList()->currentRow(), 1);
            QTest::keyClick(d.programList(), Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        });
        doubleClick(kBlankRow);
        QVERIFY(*ran);
    }

    void alarmAndPauseStoreTheirChoice() {
        auto ran = test::answer<CProgAlarmDlg>([](CProgAlarmDlg& d) {
            QCOMPARE(d.alarmList()->count(), 55);
            QCOMPARE(d.alarmList()->currentText(), QStringLiteral("01"));
            d.alarmList()->setCurrentIndex(54);
            QTest::keyClick(d.alarmList(), Qt::Key_Return);
        });
        press(kBlankRow, kPageOther, "ALARM");
        QVERIFY(*ran);
        QCOMPARE(step(kBlankRow).operand, std::string("55 "));

        ran = test::answer<CProgPauseDlg>([](CProgPauseDlg& d) {
            QVERIFY(d.onButton()->isChecked());
            d.offButton()->click();
            d.okButton()->click();
        });
        press(kBlankRow + 1, kPageOther, "PAUSE");
        QVERIFY(*ran);
        QCOMPARE(step(kBlankRow + 1).operand, std::string("OFF"));
    }
};

VANTREL_GUI_TEST_MAIN(FlowDialogsTest)
#include "FlowDialogsTest.moc"
