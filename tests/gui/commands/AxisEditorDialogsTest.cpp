// The motion editors other than the moves, offscreen through the palette of
// the program view: home, acceleration, pass, axis stop, excitation, preset,
// the network move and axis commands, and shift. One table of palette
// flows, one of re-opened steps, and the rules that show in the form.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "EditorTestSupport.h"
#include "commands/CProgAccDlg.h"
#include "commands/CProgAxisDlg.h"
#include "commands/CProgHomeDlg.h"
#include "commands/CProgPassDlg.h"
#include "commands/CProgRivoAxisDlg.h"
#include "commands/CProgRivoMoveDlg.h"
#include "commands/CProgShiftDlg.h"

using namespace vantrel;

namespace {

constexpr std::string_view kPulse = kPagePulseAxes;
constexpr std::string_view kNet = kPageNetworkAxes;
constexpr std::string_view kWait = kGroupAxisControl;
constexpr std::string_view kNoWait = kGroupAxisControlNoWait;

const std::string kOneStep = "\tPROG\t#001\r\n\tEND\t\r\n";

// Axis 2 in steps; homing speeds 80 and 30 on axes 1 and 3; acceleration
// entry 5 of axis 2 is 2.50 s; shift point 083 at 1.00 mm / 2 step / 3.00 mm;
// network driver 3 in mm (ratio 1/2) with point 5 absolute.
void prepareImage(SettingsImage& image) {
    PulseAxisRecord(image, 1).setPositionUnit(2);
    PositionRecord(image, 0, 252).setSpeed(80);
    PositionRecord(image, 2, 252).setSpeed(30);
    PulseAxisRecord(image, 1).setAccelTime(5, 250);
    PulseAxisRecord(image, 1).setAccelTime(7, 1205);
    PositionRecord(image, 0, 82).setPosition(100);
    PositionRecord(image, 1, 82).setPosition(2);
    PositionRecord(image, 2, 82).setPosition(300);
    NetworkDriverRecord driver(image, 2);
    driver.setUnit(0);
    driver.setRatio1(1);
    driver.setRatio2(2);
    driver.point(4).setMode(1);
    driver.point(4).setPosition(2469);
    driver.point(4).setSpeed(500);
    driver.point(4).setAccelTime(750);
    driver.point(4).setDecelTime(1250);
}

template <class Dialog>
Dialog& as(CommandEditorDialog& d) {
    return *qobject_cast<Dialog*>(&d);
}

}  // namespace

class AxisEditorDialogsTest : public QObject, public test::EditorFixture {
    Q_OBJECT

    void open(const std::string& text = kOneStep) {
        openView(text, [](AppState& app) { prepareImage(app.image); });
        select(0);
    }

private slots:
    void cleanup() { closeView(); }

    // Every form from its palette button: its title, the step it stores as
    // the program table lists it.
    void everyFormStoresItsStepFromThePalette() {
        struct Case {
            std::string_view page, group, button;
            int nth;
            QString title;
            std::function<void(CommandEditorDialog&)> fill;
            QString command, listing;
        };
        const Case cases[] = {
            {kPulse, kWait, "原点復帰", 0, "原点復帰",
             [](CommandEditorDialog& d) {
                 auto& home = as<CProgHomeDlg>(d);
                 QCOMPARE(home.speedField(0)->text(), QStringLiteral("80"));  // the homing speed
                 QCOMPARE(home.speedField(0)->toolTip(), QStringLiteral("設定単位:1[%] \n設定範囲:1～100[%]"));
                 home.axisBox(0)->click();
                 home.axisBox(2)->click();
                 test::type(home.speedField(2), "55");
             },
             "原点復帰", "軸1(80%),軸3(55%) "},
            {kPulse, kWait, "軸加速度", 0, "軸加速度",
             [](CommandEditorDialog& d) {
                 as<CProgAccDlg>(d).axisBox(1)->click();
                 as<CProgAccDlg>(d).entryList(1)->setCurrentIndex(5);
             },
             "軸加速度", "軸2 5(2.50sec)"},
            {kPulse, kWait, "軸PASS", 0, "軸PASS",
             [](CommandEditorDialog& d) {
                 as<CProgPassDlg>(d).axisBox(0)->click();
                 test::type(as<CProgPassDlg>(d).distanceField(0), "1234.5");
             },
             "軸PASS", "軸1 999.99"},
            {kPulse, kNoWait, "軸停止", 0, "軸停止",
             [](CommandEditorDialog& d) {
                 QVERIFY(!as<CProgAxisDlg>(d).onButton());
                 as<CProgAxisDlg>(d).axisBox(1)->click();
                 as<CProgAxisDlg>(d).axisBox(3)->click();
             },
             "軸停止", "軸2,軸4 "},
            {kPulse, kNoWait, "励磁ON/OFF", 0, "励磁ON/OFF",
             [](CommandEditorDialog& d) {
                 auto& sav = as<CProgAxisDlg>(d);
                 sav.axisBox(0)->click();
                 sav.axisBox(2)->click();  // clears axis 1
                 QVERIFY(!sav.axisBox(0)->isChecked());
                 sav.offButton()->click();
             },
             "励磁制御", "軸3 OFF"},
            {"その他", "その他", "PRESET", 0, "位置プリセット", [](CommandEditorDialog& d) { as<CProgAxisDlg>(d).axisBox(0)->click(); },
             "位置ﾌﾟﾘｾｯﾄ", "軸1 "},
            {kNet, kWait, "軸移動", 0, "軸移動(RIVO)",
             [](CommandEditorDialog& d) {
                 as<CProgRivoMoveDlg>(d).axisList()->setCurrentIndex(2);
                 as<CProgRivoMoveDlg>(d).pointList()->setCurrentIndex(4);
             },
             "軸移動P(RIVO)", "軸3  P005 "},
            {kNet, kWait, "軸移動", 1, "軸移動(RIVO)", [](CommandEditorDialog&) {}, "軸移動P(RIVO)", "軸1  P001 "},
            {kNet, kWait, "原点復帰", 0, "原点復帰(RIVO)", [](CommandEditorDialog& d) { as<CProgRivoAxisDlg>(d).axisList()->setCurrentIndex(15); },
             "原点復帰P(RIVO)", "軸16 "},
            {kNet, kWait, "軸復帰", 0, "原点復帰(RIVO)", [](CommandEditorDialog&) {}, "原点復帰P(RIVO)", "軸1 "},
            {kNet, kWait, "軸停止", 0, "軸停止(RIVO)", [](CommandEditorDialog&) {}, "軸停止(RIVO)", "軸1 "},
            {kNet, kWait, "励磁ON/OFF", 0, "励磁ON/OFF(RIVO)",
             [](CommandEditorDialog& d) {
                 as<CProgRivoAxisDlg>(d).axisList()->setCurrentIndex(3);
                 as<CProgRivoAxisDlg>(d).offButton()->click();
             },
             "励磁制御2", "軸4 OFF"},
            {kNet, kWait, "リモートI/O読出", 0, "ﾘﾓｰﾄI/O読出", [](CommandEditorDialog&) {}, "ﾘﾓｰﾄI/O読出", "軸1 "},
            {"その他", "その他", "SHIFT", 0, "シフト演算",
             [](CommandEditorDialog& d) {
                 auto& shift = as<CProgShiftDlg>(d);
                 QCOMPARE(shift.unitLabel(1)->text(), QStringLiteral("step"));
                 shift.secondShiftButton()->click();
                 shift.pointList()->setCurrentIndex(2);
                 QCOMPARE(shift.positionField(1)->text(), QStringLiteral("2"));  // point 083's
                 test::type(shift.positionField(3), "-4.5");
             },
             "SHIFT", "ON 2 P083(1.00mm, 2step, 3.00mm, -4.50mm) "},
        };
        for (const Case& c : cases) {
            open();
            QVERIFY2(press<CommandEditorDialog>(c.page, c.group, c.button,
                                                [&c](CommandEditorDialog& d) {
                                                    QCOMPARE(d.windowTitle(), c.title);
                                                    c.fill(d);
                                                    test::pressKey(d, Qt::Key_Return);
                                                },
                                                c.nth),
                     qPrintable(c.title));
            QVERIFY2(recorder->messages.empty(), qPrintable(recorder->dump()));
            QCOMPARE(command(0), c.command);
            QCOMPARE(listing(0), c.listing);
        }
        QCOMPARE(state->image.readPosition(3, 82), -450);  // the shift point
    }

    // A double-click opens the step's form on its own operands, and OK
    // without a change stores the same step (MOVE2 stays MOVE2).
    void aReopenedStepKeepsItsOperands() {
        struct Case {
            std::string line;
            std::function<void(CommandEditorDialog&)> check;
        };
        const Case cases[] = {
            {"ACC\tON,A2 7", [](CommandEditorDialog& d) { QCOMPARE(as<CProgAccDlg>(d).timeLabel(1)->text(), QStringLiteral("12.05")); }},
            {"PATH\tOFF ", [](CommandEditorDialog& d) { QVERIFY(as<CProgPassDlg>(d).offButton()->isChecked()); }},
            {"SAV\tA3 OFF", [](CommandEditorDialog& d) { QVERIFY(as<CProgAxisDlg>(d).axisBox(2)->isChecked()); }},
            {"MOVE2\tA3 P005 ", [](CommandEditorDialog& d) { QCOMPARE(as<CProgRivoMoveDlg>(d).pointList()->currentText(), QStringLiteral("005")); }},
            {"SHIFT\tON 2 P083 ", [](CommandEditorDialog& d) { QVERIFY(as<CProgShiftDlg>(d).secondShiftButton()->isChecked()); }},
        };
        for (const Case& c : cases) {
            open("\tPROG\t#001\r\n\t" + c.line + "\r\n\tEND\t\r\n");
            const std::string before = state->programs.text();
            QVERIFY2(doubleClick<CommandEditorDialog>(0,
                                                      [&c](CommandEditorDialog& d) {
                                                          c.check(d);
                                                          test::pressKey(d, Qt::Key_Return);
                                                      }),
                     c.line.c_str());
            QCOMPARE(state->programs.text(), before);
        }
    }

    void theAccelerationTimeFollowsTheChoiceAndOffDisablesTheAxes() {
        open();
        QVERIFY(press<CProgAccDlg>(kPulse, kWait, "軸加速度", [](CProgAccDlg& d) {
            QCOMPARE(d.focusWidget(), d.onButton());
            QCOMPARE(d.timeLabel(1)->text(), QStringLiteral("0.00"));
            d.entryList(1)->setCurrentIndex(7);
            QCOMPARE(d.timeLabel(1)->text(), QStringLiteral("12.05"));
            d.offButton()->click();
            QVERIFY(!d.axisBox(0)->isEnabled() && !d.entryList(3)->isEnabled());
            d.onButton()->click();
            QVERIFY(d.axisBox(0)->isEnabled());
            test::pressKey(d, Qt::Key_Return);  // ON without an axis: refused, still open
            QVERIFY(d.isVisible());
            d.offButton()->click();
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(recorder->texts(), std::vector<std::string>{"軸を選択してください"});
        QCOMPARE(listing(0), QStringLiteral("OFF"));
    }

    void theNetworkMoveShowsThePointsDataReadOnly() {
        open();
        QVERIFY(press<CProgRivoMoveDlg>(kNet, kWait, "軸移動", [](CProgRivoMoveDlg& d) {
            QCOMPARE(d.focusWidget(), d.axisList());
            QCOMPARE(d.modeField()->text(), QStringLiteral("inc"));
            QCOMPARE(d.positionUnitLabel()->text(), QStringLiteral("step"));  // driver 1 has no ratio
            d.axisList()->setCurrentIndex(2);
            d.pointList()->setCurrentIndex(4);
            QCOMPARE(d.modeField()->text(), QStringLiteral("abs"));
            QCOMPARE(d.positionField()->text(), QStringLiteral("12.34"));  // 2469 x 1 / 2 hundredths
            QCOMPARE(d.positionUnitLabel()->text(), QStringLiteral("mm"));
            QCOMPARE(d.speedUnitLabel()->text(), QStringLiteral("mm/s"));
            QCOMPARE(d.decelTimeField()->text(), QStringLiteral("1.250"));
            QVERIFY(d.positionField()->isReadOnly() && d.accelTimeField()->isReadOnly());
            test::pressKey(d, Qt::Key_Escape);
        }));
        QCOMPARE(int(program().stepCount), 1);
    }

    // A shift from a file that names a prohibited-area record: OK is refused
    // and the form stays open, so that a shift point can be chosen.
    void aShiftOnAnAreaRecordStaysOpenForAnotherPoint() {
        open("\tPROG\t#001\r\n\tSHIFT\tON 1 P226 \r\n");
        const SettingsImage before = state->image;
        QVERIFY(doubleClick<CProgShiftDlg>(0, [this, &before](CProgShiftDlg& d) {
            test::pressKey(d, Qt::Key_Return);
            QVERIFY(d.isVisible() && state->image == before && recorder->messages.size() == 1);
            d.pointList()->setCurrentIndex(3);  // 083
            test::type(d.positionField(3), "4");
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(step(0).operand, std::string("ON 1 P083 "));
    }

    void aShiftSwitchedOffNamesNoPoint() {
        open();
        const SettingsImage before = state->image;
        QVERIFY(press<CProgShiftDlg>("その他", "その他", "SHIFT", [](CProgShiftDlg& d) {
            QCOMPARE(d.focusWidget(), d.firstShiftButton());
            test::type(d.positionField(0), "x");
            d.offButton()->click();
            QVERIFY(!d.pointList()->isEnabled() && !d.positionField(0)->isEnabled());
            test::pressKey(d, Qt::Key_Return);
        }));
        QVERIFY(recorder->messages.empty());
        QCOMPARE(listing(0), QStringLiteral("OFF 1 "));
        QVERIFY(state->image == before);
    }
};

VANTREL_GUI_TEST_MAIN(AxisEditorDialogsTest)
#include "AxisEditorDialogsTest.moc"
