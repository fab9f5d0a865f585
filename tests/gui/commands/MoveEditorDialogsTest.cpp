// The move and interpolation editors (CProgMoveDlg) opened from the palette
// of the program view and by a double-click, offscreen: what the form shows,
// what OK stores into the program and the point table, what a refused check
// and Cancel leave behind.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "EditorTestSupport.h"
#include "commands/CProgMoveDlg.h"
#include "program/ValueTexts.h"

using namespace vantrel;

namespace {

constexpr std::string_view kPulse = kPagePulseAxes;
constexpr std::string_view kWait = kGroupAxisControl;
constexpr std::string_view kNoWait = kGroupAxisControlNoWait;

const std::string kOneStep = "\tPROG\t#001\r\n\tEND\t\r\n";

// Axis 1 in mm, 2 in steps, 3 in degrees, 4 in mm; point 301 and PT1500 set.
void prepareImage(SettingsImage& image) {
    const std::uint8_t units[] = {0, 2, 1, 0};
    for (int axis = 0; axis < 4; ++axis) PulseAxisRecord(image, axis).setPositionUnit(units[axis]);
    PositionRecord(image, 0, 300).setPosition(1000);
    PositionRecord(image, 0, 300).setSpeed(70);
    PositionRecord(image, 1, 300).setPosition(5000);
    PositionRecord(image, 0, 1499).setPosition(2500);
    PositionRecord(image, 0, 1499).setSpeed(40);
}

}  // namespace

class MoveEditorDialogsTest : public QObject, public test::EditorFixture {
    Q_OBJECT

    void open(const std::string& text = kOneStep) {
        openView(text, [](AppState& app) { prepareImage(app.image); });
        select(0);
    }

private slots:
    void cleanup() { closeView(); }

    // The form of a new linear interpolation: units, tool tips, start texts,
    // focus; then typed values go into the step and into point 301.
    void aLinearInterpolationIsStoredFromThePalette() {
        open();
        QVERIFY(press<CProgMoveDlg>(kPulse, kWait, "直線補間", [](CProgMoveDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("直線補間"));
            QCOMPARE(d.focusWidget(), d.axisBox(0));
            QCOMPARE(d.unitLabel(0, 0)->text(), QStringLiteral("mm"));
            QCOMPARE(d.unitLabel(0, 1)->text(), QStringLiteral("step"));
            QCOMPARE(d.positionField(0, 1)->toolTip(), QStringLiteral("設定単位:1[step] \n設定範囲:-8000000～8000000[step]"));
            QCOMPARE(d.speedField(0)->toolTip(), QStringLiteral("設定単位:1[%] \n設定範囲:1～100[%]"));
            QCOMPARE(d.positionField(0, 0)->text(), QStringLiteral("10.00"));  // point 301's position
            QCOMPARE(d.speedField(0)->text(), QStringLiteral("100"));
            QVERIFY(d.absoluteButton()->isChecked());
            d.axisBox(0)->click();
            d.axisBox(1)->click();
            test::type(d.positionField(0, 0), QStringLiteral("12.345"));
            test::type(d.positionField(0, 1), QStringLiteral("-8000000"));
            test::type(d.speedField(0), QStringLiteral("50"));
            d.relativeButton()->click();
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(command(0), QStringLiteral("直線補間"));
        QCOMPARE(listing(0), QStringLiteral("相対値 軸1,軸2 P0301(12.35mm, -8000000step) 50% "));
        const SettingsImage& image = state->image;
        QCOMPARE(image.readPosition(0, 300), 1235);
        QCOMPARE(image.readPosition(1, 300), -8000000);
        QCOMPARE(int(ConstPositionRecord(image, 0, 300).speed()), 50);
        QVERIFY(state->queues.valueWriteCount() > 0);  // for the controller, once connected
        QVERIFY(recorder->messages.empty());
    }

    void anArcStoresItsViaAndEndPointInTwoAutomaticPoints() {
        open();
        QVERIFY(press<CProgMoveDlg>(kPulse, kWait, "円弧補間C", [](CProgMoveDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("円弧補間C"));
            d.axisBox(0)->click();
            d.axisBox(1)->click();
            test::type(d.positionField(0, 0), QStringLiteral("1"));
            test::type(d.positionField(0, 1), QStringLiteral("100"));
            test::type(d.positionField(1, 0), QStringLiteral("2.5"));
            test::type(d.positionField(1, 1), QStringLiteral("200"));
            test::type(d.speedField(0), QStringLiteral("30"));
            d.okButton()->click();
        }));
        QCOMPARE(command(0), QStringLiteral("円弧補間C"));
        QVERIFY(listing(0).startsWith(QStringLiteral("絶対値 軸1,軸2 P0301(1.00mm, 100step) P0302(2.50mm, 200step)")));
        const SettingsImage& image = state->image;
        QCOMPARE(image.readPosition(0, 301), 250);
        QCOMPARE(int(ConstPositionRecord(image, 1, 301).speed()), 30);
    }

    // A refused check shows its message and keeps the form open with the
    // input as typed; Escape then leaves the program and the points alone.
    void aRefusedCheckKeepsTheFormAndItsInput() {
        struct Case {
            const char* name;
            std::string_view group, button;
            std::function<QLineEdit*(CProgMoveDlg&)> fill;  // the field whose text must stay
            QString typed;
            std::string message;
        };
        const auto check = [](std::initializer_list<int> axes) {
            return [axes](CProgMoveDlg& d) {
                for (int axis : axes) d.axisBox(axis)->click();
            };
        };
        const Case cases[] = {
            {"no axis", kWait, "直線補間",
             [](CProgMoveDlg& d) { test::type(d.positionField(0, 0), "3.3"); return d.positionField(0, 0); }, "3.3",
             "軸を選択してください"},
            {"arc of three", kWait, "円弧補間",
             [&](CProgMoveDlg& d) { check({0, 1, 2})(d); test::type(d.positionField(1, 0), "7"); return d.positionField(1, 0); },
             "7", "2軸を選択してください"},
            {"mm beyond 80000", kWait, "直線補間",
             [&](CProgMoveDlg& d) { check({0})(d); test::type(d.positionField(0, 0), "80000.01"); return d.positionField(0, 0); },
             "80000.01", "設定値が範囲外です。"},
            {"axis move, speed 101", kNoWait, "軸移動",
             [&](CProgMoveDlg& d) { check({1})(d); test::type(d.speedField(1), "101"); return d.speedField(1); }, "101",
             "設定値が範囲外です。"},
        };
        for (const Case& c : cases) {
            open();
            const std::string before = state->programs.text();
            const SettingsImage image = state->image;
            QVERIFY2(press<CProgMoveDlg>(kPulse, c.group, c.button, [&](CProgMoveDlg& d) {
                QLineEdit* field = c.fill(d);
                test::pressKey(d, Qt::Key_Return);
                QVERIFY2(d.isVisible(), c.name);
                QCOMPARE(field->text(), c.typed);
                test::pressKey(d, Qt::Key_Escape);
                QVERIFY2(!d.isVisible(), c.name);
            }), c.name);
            QCOMPARE(recorder->texts(), std::vector<std::string>{c.message});
            QCOMPARE(state->programs.text(), before);
            QVERIFY2(state->image == image, c.name);
        }
    }

    // A double-click re-opens a step on its own point and overwrites it in
    // place; its label and comment stay.
    void aDoubleClickEditsTheStepInPlace() {
        open("\tPROG\t#001\r\nL007\tLINE\tA1,A2 P0305 \t;put\r\n\tEND\t\r\n");
        SettingsImage& image = state->image;
        PositionRecord(image, 0, 304).setPosition(-150);
        PositionRecord(image, 0, 304).setSpeed(60);
        PositionRecord(image, 1, 304).setPosition(42);
        QVERIFY(doubleClick<CProgMoveDlg>(0, [](CProgMoveDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("直線補間"));
            QVERIFY(d.axisBox(0)->isChecked() && d.axisBox(1)->isChecked() && !d.axisBox(2)->isChecked());
            QCOMPARE(d.positionField(0, 0)->text(), QStringLiteral("-1.50"));
            QCOMPARE(d.positionField(0, 1)->text(), QStringLiteral("42"));
            QCOMPARE(d.speedField(0)->text(), QStringLiteral("60"));
            test::type(d.positionField(0, 0), QStringLiteral("3"));
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(int(program().stepCount), 2);
        QCOMPARE(listing(0), QStringLiteral("絶対値 軸1,軸2 P0305(3.00mm, 42step) 60% "));
        QCOMPARE(test::cell(*view, 0, 1), QStringLiteral("007"));
        QCOMPARE(test::cell(*view, 0, 4), QStringLiteral("put"));
        QCOMPARE(image.readPosition(0, 304), 300);
    }

    // The point move writes into the chosen point of the point table and
    // tells the views that show it; Cancel neither stores nor tells.
    void aPointMoveWritesThePointAndRefreshesItsViews() {
        open();
        int told = 0;
        auto& context = view->editorContext();
        const auto refill = context.settingsChanged;
        context.settingsChanged = [&told, refill] {
            ++told;
            refill();
        };
        const std::string before = state->programs.text();
        QVERIFY(press<CProgMoveDlg>(kPulse, kWait, "軸移動(ポイント指定)", [](CProgMoveDlg& d) {
            QCOMPARE(d.focusWidget(), d.pointList());
            QCOMPARE(d.pointList()->currentText(), QStringLiteral("1001"));
            test::pressKey(d, Qt::Key_Escape);
        }));
        QCOMPARE(told, 0);
        QCOMPARE(state->programs.text(), before);

        QVERIFY(press<CProgMoveDlg>(kPulse, kNoWait, "軸移動(ポイント指定)", [](CProgMoveDlg& d) {
            QCOMPARE(d.pointList()->count(), 1000);
            d.pointList()->setCurrentIndex(499);
            QCOMPARE(d.pointList()->currentText(), QStringLiteral("1500"));
            QCOMPARE(d.positionField(0, 0)->text(), QStringLiteral("25.00"));  // refilled from PT1500
            QCOMPARE(d.speedField(0)->text(), QStringLiteral("40"));
            d.axisBox(0)->click();
            test::type(d.positionField(0, 0), QStringLiteral("-7.5"));
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(told, 1);
        QCOMPARE(state->image.readPosition(0, 1499), -750);
        QCOMPARE(command(0), QStringLiteral("軸移動P"));
        QCOMPARE(listing(0), QStringLiteral("絶対値 軸1 P1500(-7.50mm) 40% "));
        QCOMPARE(test::background(*view, 0), QColor(0, 255, 0));
        QCOMPARE(state->steps.selectedRow(), 1);
    }
};

VANTREL_GUI_TEST_MAIN(MoveEditorDialogsTest)
#include "MoveEditorDialogsTest.moc"
