// The comparison, expression and variable declaration editors opened through
// the palette and re-opened by a double-click.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "EditorTestSupport.h"
#include "commands/CProgCalcDlg.h"
#include "commands/CProgIfThenDlg.h"
#include "commands/CProgRegIntDlg.h"

using namespace vantrel;

namespace {
const char* const kProgram = "\tPROG\t#001\r\n\tEND\t\r\n";
constexpr int kBlankRow = 1;
}  // namespace

class CalculationDialogsTest : public QObject, public test::EditorFixture {
    Q_OBJECT

private slots:
    void init() { openView(kProgram); }
    void cleanup() { closeView(); }

    void aComparisonIsStoredWithItsEndIf() {
        auto ran = test::answer<CProgIfThenDlg>([](CProgIfThenDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("条件分岐"));
            QCOMPARE(d.operatorList()->currentIndex(), -1);
            test::type(d.leftField(), QStringLiteral("1a"));
            test::type(d.rightField(), QStringLiteral("10"));
            d.okButton()->click();
            d.operatorList()->setCurrentIndex(2);  // "＜"
            d.okButton()->click();
            test::type(d.leftField(), QStringLiteral("CNT"));
            QTest::keyClick(d.rightField(), Qt::Key_Return);
        });
        press(kBlankRow, kPageIo, "条件分岐(IF/ENDIF)");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(),
                 (std::vector<std::string>{"条件が設定されていません", "先頭文字はアルファベットのみ指定可能。"}));
        QCOMPARE(step(kBlankRow).code, kCodeIfThen);
        QCOMPARE(step(kBlankRow).operand, std::string("CNT < 10 THEN"));
        QCOMPARE(step(kBlankRow + 1).code, kCodeEndIf);

        // Re-opened with its fields; no second ENDIF.
        ran = test::answer<CProgIfThenDlg>([](CProgIfThenDlg& d) {
            QCOMPARE(d.leftField()->text(), QStringLiteral("CNT"));
            QCOMPARE(d.operatorList()->currentText(), QStringLiteral("＜"));
            QCOMPARE(d.rightField()->text(), QStringLiteral("10"));
            d.okButton()->click();
        });
        doubleClick(kBlankRow);
        QVERIFY(*ran);
        QCOMPARE(stepCount(), 3);
    }

    void anExpressionAlternatesOperandsAndOperators() {
        auto ran = test::answer<CProgCalcDlg>([](CProgCalcDlg& d) {
            const auto text = [&d] { return d.expressionField()->toPlainText(); };
            QCOMPARE(d.windowTitle(), QStringLiteral("演算"));
            QCOMPARE(d.numberField()->toolTip(), QStringLiteral("設定範囲:0～2147483647 "));
            d.operatorButton(ExpressionOperator::Plus)->click();
            QCOMPARE(text(), QString());
            test::type(d.nameField(), QStringLiteral("A"));
            d.variableButton()->click();
            test::type(d.numberField(), QStringLiteral("5"));
            d.numberButton()->click();
            d.operatorButton(ExpressionOperator::Equals)->click();
            test::type(d.numberField(), QStringLiteral("2147483648"));
            d.numberButton()->click();
            QCOMPARE(text(), QStringLiteral("A = "));
            test::type(d.numberField(), QStringLiteral("2147483647"));
            d.numberButton()->click();
            QCOMPARE(text(), QStringLiteral("A = 2147483647 "));
            d.clearButton()->click();
            d.okButton()->click();
            d.variableButton()->click();
            d.operatorButton(ExpressionOperator::Times)->click();
            QTest::keyClick(d.nameField(), Qt::Key_Return);
        });
        press(kBlankRow, kPageCalculation, "演算");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(), (std::vector<std::string>{"入力値は範囲外です。", "演算式が未設定です。"}));
        QCOMPARE(step(kBlankRow).code, kCodeCalc);
        QCOMPARE(step(kBlankRow).operand, std::string("A * "));
    }

    void aVariableIsTypedOrPickedFromTheSystemVariables() {
        auto ran = test::answer<CProgRegIntDlg>([](CProgRegIntDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("変数宣言"));
            QVERIFY(d.typedButton()->isChecked() && d.nameField()->isEnabled() && !d.variableList()->isEnabled());
            d.okButton()->click();
            d.listButton()->click();
            QVERIFY(!d.nameField()->isEnabled() && d.variableList()->isEnabled());
            d.okButton()->click();
            QCOMPARE(d.variableList()->rowCount(), 13);
            QCOMPARE(d.variableList()->item(12, 1)->text(), QStringLiteral("RIVO通信異常"));
            test::clickRow(d.variableList(), 12);
            QTest::keyClick(d.variableList(), Qt::Key_Return);
        });
        press(kBlankRow, kPageCalculation, "変数宣言");
        QVERIFY(*ran);
        QCOMPARE(recorder->texts(), (std::vector<std::string>{"変数名が未設定です。", "変数名が未選択です。"}));
        QCOMPARE(step(kBlankRow).operand, std::string("MR040"));

        ran = test::answer<CProgRegIntDlg>([](CProgRegIntDlg& d) {
            QVERIFY(d.listButton()->isChecked());
            QCOMPARE(d.variableList()->currentRow(), 12);
            d.typedButton()->click();
            test::type(d.nameField(), QStringLiteral("SPEED_1"));
            d.okButton()->click();
        });
        doubleClick(kBlankRow);
        QVERIFY(*ran);
        QCOMPARE(step(kBlankRow).operand, std::string("SPEED_1"));
    }
};

VANTREL_GUI_TEST_MAIN(CalculationDialogsTest)
#include "CalculationDialogsTest.moc"
