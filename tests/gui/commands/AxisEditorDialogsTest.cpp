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

class AxisEditorDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::EditorHarness> h_;

    void open(const std::string& text = kOneStep) {
        h_.reset();  // its message recorder first
        h_ = std::make_unique<test::EditorHarness>(text);
        prepareImage(h_->state->image);
        h_->open();
        h_->select(0);
    }

private slots:
    void cleanup() { h_.reset(); }

    // Every form from its palette button: the title, focus in the first
    // control, the filled-in step as the program table lists it.
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
                 QCOMPARE(home.focusWidget(), home.axisBox(0));
                 QCOMPARE(home.speedField(0)->text(), QStringLiteral("80"));
                 QCOMPARE(home.speedField(0)->toolTip(), QStringLiteral("設定単位:1[%] \n設定範囲:1～100[%]"));
                 home.axisBox(0)->click();
                 home.axisBox(2)->click();
                 test::type(home.speedField(2), "55");
             },
             "原点復帰", "軸1(80%),軸3(55%) "},
            {kPulse, kNoWait, "原点復帰", 0, "原点復帰",
             [](CommandEditorDialog& d) {
                 as<CProgHomeDlg>(d).axisBox(1)->click();
                 test::type(as<CProgHomeDlg>(d).speedField(1), "100");
             },
             "原点復帰P", "軸2(100%) "},
            {kPulse, kWait, "軸加速度", 0, "軸加速度",
             [](CommandEditorDialog& d) {
                 auto& acc = as<CProgAccDlg>(d);
                 QCOMPARE(acc.focusWidget(), acc.onButton());
                 acc.axisBox(1)->click();
                 acc.entryList(1)->setCurrentIndex(5);
             },
             "軸加速度", "軸2 5(2.50sec)"},
            {kPulse, kWait, "軸PASS", 0, "軸PASS",
             [](CommandEditorDialog& d) {
                 auto& pass = as<CProgPassDlg>(d);
                 pass.axisBox(0)->click();
                 test::type(pass.distanceField(0), "1234.5");
             },
             "軸PASS", "軸1 999.99"},
            {kPulse, kNoWait, "軸停止", 0, "軸停止",
             [](CommandEditorDialog& d) {
                 auto& stop = as<CProgAxisDlg>(d);
                 QVERIFY(!stop.onButton());
                 stop.axisBox(1)->click();
                 stop.axisBox(3)->click();
             },
             "軸停止", "軸2,軸4 "},
            {kPulse, kNoWait, "励磁ON/OFF", 0, "励磁ON/OFF",
             [](CommandEditorDialog& d) {
                 auto& sav = as<CProgAxisDlg>(d);
                 sav.axisBox(2)->click();
                 sav.offButton()->click();
             },
             "励磁制御", "軸3 OFF"},
            {"その他", "その他", "PRESET", 0, "位置プリセット", [](CommandEditorDialog& d) { as<CProgAxisDlg>(d).axisBox(0)->click(); },
             "位置ﾌﾟﾘｾｯﾄ", "軸1 "},
            {kNet, kWait, "軸移動", 0, "軸移動(RIVO)",
             [](CommandEditorDialog& d) {
                 auto& move = as<CProgRivoMoveDlg>(d);
                 QCOMPARE(move.focusWidget(), move.axisList());
                 move.axisList()->setCurrentIndex(2);
                 move.pointList()->setCurrentIndex(4);
             },
             "軸移動P(RIVO)", "軸3  P005 "},
            {kNet, kWait, "軸移動", 1, "軸移動(RIVO)", [](CommandEditorDialog&) {}, "軸移動P(RIVO)", "軸1  P001 "},
            {kNet, kWait, "原点復帰", 0, "原点復帰(RIVO)", [](CommandEditorDialog& d) { as<CProgRivoAxisDlg>(d).axisList()->setCurrentIndex(15); },
             "原点復帰P(RIVO)", "軸16 "},
            {kNet, kWait, "軸復帰", 0, "原点復帰(RIVO)", [](CommandEditorDialog&) {}, "原点復帰P(RIVO)", "軸1 "},
            {kNet, kWait, "軸停止", 0, "軸停止(RIVO)", [](CommandEditorDialog& d) { QVERIFY(!as<CProgRivoAxisDlg>(d).onButton()); },
             "軸停止(RIVO)", "軸1 "},
            {kNet, kWait, "励磁ON/OFF", 0, "励磁ON/OFF(RIVO)",
             [](CommandEditorDialog& d) {
                 auto& sav = as<CProgRivoAxisDlg>(d);
                 sav.axisList()->setCurrentIndex(3);
                 sav.offButton()->click();
             },
             "励磁制御2", "軸4 OFF"},
            {kNet, kWait, "リモートI/O読出", 0, "ﾘﾓｰﾄI/O読出", [](CommandEditorDialog& d) { as<CProgRivoAxisDlg>(d).axisList()->setCurrentIndex(1); },
             "ﾘﾓｰﾄI/O読出", "軸2 "},
            {"その他", "その他", "SHIFT", 0, "シフト演算",
             [](CommandEditorDialog& d) {
                 auto& shift = as<CProgShiftDlg>(d);
                 QCOMPARE(shift.focusWidget(), shift.firstShiftButton());
                 QCOMPARE(shift.unitLabel(1)->text(), QStringLiteral("step"));
                 shift.secondShiftButton()->click();
                 shift.pointList()->setCurrentIndex(2);
                 QCOMPARE(shift.positionField(0)->text(), QStringLiteral("1.00"));
                 QCOMPARE(shift.positionField(1)->text(), QStringLiteral("2"));
                 test::type(shift.positionField(3), "-4.5");
             },
             "SHIFT", "ON 2 P083(1.00mm, 2step, 3.00mm, -4.50mm) "},
        };
        for (const Case& c : cases) {
            open();
            const QString name = QString::fromUtf8(c.button.data(), qsizetype(c.button.size())) + c.title;
            QVERIFY2(h_->press<CommandEditorDialog>(c.page, c.group, c.button,
                                                   [&c](CommandEditorDialog& d) {
                                                       QCOMPARE(d.windowTitle(), c.title);
                                                       c.fill(d);
                                                       test::pressKey(d, Qt::Key_Return);
                                                   },
                                                   c.nth),
                     qPrintable(name));
            QVERIFY2(h_->recorder.messages.empty(), qPrintable(name + h_->recorder.dump()));
            QCOMPARE(h_->command(0), c.command);
            QCOMPARE(h_->listing(0), c.listing);
        }
        // The last case was the shift: its point holds what the form showed and typed.
        QCOMPARE(h_->state->image.readPosition(3, 82), -450);
        QCOMPARE(h_->state->image.readPosition(0, 82), 100);
    }

    // A double-click opens the step's form on its own operands; OK without a
    // change stores the same step.
    void aReopenedStepKeepsItsOperands() {
        struct Case {
            std::string line;  // CP932; ASCII here
            QString title;
            std::function<void(CommandEditorDialog&)> check;
        };
        const Case cases[] = {
            {"HOME\tA1,A3 ", "原点復帰",
             [](CommandEditorDialog& d) {
                 auto& home = as<CProgHomeDlg>(d);
                 QVERIFY(home.axisBox(0)->isChecked() && !home.axisBox(1)->isChecked() && home.axisBox(2)->isChecked());
                 QCOMPARE(home.speedField(2)->text(), QStringLiteral("30"));
             }},
            {"ACC\tON,A2 7", "軸加速度",
             [](CommandEditorDialog& d) {
                 auto& acc = as<CProgAccDlg>(d);
                 QCOMPARE(acc.entryList(1)->currentText(), QStringLiteral("7"));
                 QCOMPARE(acc.timeLabel(1)->text(), QStringLiteral("12.05"));
             }},
            {"PATH\tON,A1 1.50 ", "軸PASS", [](CommandEditorDialog& d) { QCOMPARE(as<CProgPassDlg>(d).distanceField(0)->text(), QStringLiteral("1.50")); }},
            {"PATH\tOFF ", "軸PASS", [](CommandEditorDialog& d) { QVERIFY(as<CProgPassDlg>(d).offButton()->isChecked()); }},
            {"SAV\tA3 OFF", "励磁ON/OFF",
             [](CommandEditorDialog& d) {
                 auto& sav = as<CProgAxisDlg>(d);
                 QVERIFY(sav.axisBox(2)->isChecked() && sav.offButton()->isChecked());
             }},
            {"PRST\tA2,A4 ", "位置プリセット",
             [](CommandEditorDialog& d) {
                 auto& preset = as<CProgAxisDlg>(d);
                 QVERIFY(!preset.axisBox(0)->isChecked() && preset.axisBox(1)->isChecked() && preset.axisBox(3)->isChecked());
             }},
            {"MOVE2\tA3 P005 ", "軸移動(RIVO)",  // MOVE2 stays MOVE2
             [](CommandEditorDialog& d) {
                 auto& move = as<CProgRivoMoveDlg>(d);
                 QCOMPARE(move.axisList()->currentText(), QStringLiteral("003"));
                 QCOMPARE(move.pointList()->currentText(), QStringLiteral("005"));
             }},
            {"SAV2\tA12 OFF", "励磁ON/OFF(RIVO)",
             [](CommandEditorDialog& d) {
                 auto& sav = as<CProgRivoAxisDlg>(d);
                 QCOMPARE(sav.axisList()->currentText(), QStringLiteral("012"));
                 QVERIFY(sav.offButton()->isChecked());
             }},
            {"SHIFT\tON 2 P083 ", "シフト演算",
             [](CommandEditorDialog& d) {
                 auto& shift = as<CProgShiftDlg>(d);
                 QVERIFY(shift.secondShiftButton()->isChecked() && shift.onButton()->isChecked());
                 QCOMPARE(shift.pointList()->currentText(), QStringLiteral("083"));
             }},
            {"SHIFT\tOFF 1 ", "シフト演算", [](CommandEditorDialog& d) { QVERIFY(!as<CProgShiftDlg>(d).pointList()->isEnabled()); }},
        };
        for (const Case& c : cases) {
            open("\tPROG\t#001\r\n\t" + c.line + "\r\n\tEND\t\r\n");
            const std::string before = h_->state->programs.text();
            QVERIFY2(h_->doubleClick<CommandEditorDialog>(0,
                                                          [&c](CommandEditorDialog& d) {
                                                              QCOMPARE(d.windowTitle(), c.title);
                                                              c.check(d);
                                                              test::pressKey(d, Qt::Key_Return);
                                                          }),
                     c.line.c_str());
            QCOMPARE(h_->state->programs.text(), before);
            QCOMPARE(int(h_->program().stepCount), 2);
        }
    }

    void theAccelerationTimeFollowsTheChoiceAndOffDisablesTheAxes() {
        open();
        QVERIFY(h_->press<CProgAccDlg>(kPulse, kWait, "軸加速度", [](CProgAccDlg& d) {
            QCOMPARE(d.entryList(1)->count(), 26);
            QCOMPARE(d.timeLabel(1)->text(), QStringLiteral("0.00"));
            d.entryList(1)->setCurrentIndex(7);
            QCOMPARE(d.timeLabel(1)->text(), QStringLiteral("12.05"));
            d.entryList(1)->setCurrentIndex(5);
            QCOMPARE(d.timeLabel(1)->text(), QStringLiteral("2.50"));
            QVERIFY(d.axisBox(0)->isEnabled() && d.entryList(3)->isEnabled());
            d.offButton()->click();
            QVERIFY(!d.axisBox(0)->isEnabled() && !d.entryList(3)->isEnabled());
            d.onButton()->click();
            QVERIFY(d.axisBox(0)->isEnabled());
            // ON without an axis is refused and stays open.
            test::pressKey(d, Qt::Key_Return);
            QVERIFY(d.isVisible());
            d.offButton()->click();
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(h_->recorder.texts(), std::vector<std::string>{"軸を選択してください"});
        QCOMPARE(h_->listing(0), QStringLiteral("OFF"));
    }

    void anExcitationFormHoldsOneAxis() {
        open();
        QVERIFY(h_->press<CProgAxisDlg>(kPulse, kNoWait, "励磁ON/OFF", [](CProgAxisDlg& d) {
            d.axisBox(0)->click();
            d.axisBox(2)->click();
            QVERIFY(!d.axisBox(0)->isChecked() && d.axisBox(2)->isChecked());
            d.axisBox(3)->click();
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(h_->listing(0), QStringLiteral("軸4 ON"));
    }

    void theNetworkMoveShowsThePointsDataReadOnly() {
        open();
        QVERIFY(h_->press<CProgRivoMoveDlg>(kNet, kWait, "軸移動", [](CProgRivoMoveDlg& d) {
            QCOMPARE(d.axisList()->count(), 16);
            QCOMPARE(d.pointList()->count(), 64);
            QCOMPARE(d.pointList()->itemText(63), QStringLiteral("064"));
            QCOMPARE(d.modeField()->text(), QStringLiteral("inc"));
            QCOMPARE(d.positionUnitLabel()->text(), QStringLiteral("step"));  // driver 1 has no ratio
            d.axisList()->setCurrentIndex(2);
            d.pointList()->setCurrentIndex(4);
            QCOMPARE(d.modeField()->text(), QStringLiteral("abs"));
            QCOMPARE(d.positionField()->text(), QStringLiteral("12.34"));  // 2469 x 1 / 2 hundredths
            QCOMPARE(d.positionUnitLabel()->text(), QStringLiteral("mm"));
            QCOMPARE(d.speedField()->text(), QStringLiteral("2.50"));
            QCOMPARE(d.speedUnitLabel()->text(), QStringLiteral("mm/s"));
            QCOMPARE(d.accelTimeField()->text(), QStringLiteral("0.750"));
            QCOMPARE(d.decelTimeField()->text(), QStringLiteral("1.250"));
            QVERIFY(d.positionField()->isReadOnly() && d.accelTimeField()->isReadOnly());
            test::pressKey(d, Qt::Key_Escape);
        }));
        QCOMPARE(int(h_->program().stepCount), 1);
    }

    void aShiftSwitchedOffNamesNoPoint() {
        open();
        const SettingsImage before = h_->state->image;
        QVERIFY(h_->press<CProgShiftDlg>("その他", "その他", "SHIFT", [](CProgShiftDlg& d) {
            test::type(d.positionField(0), "x");
            d.offButton()->click();
            QVERIFY(!d.pointList()->isEnabled() && !d.positionField(0)->isEnabled());
            test::pressKey(d, Qt::Key_Return);
        }));
        QVERIFY(h_->recorder.messages.empty());
        QCOMPARE(h_->listing(0), QStringLiteral("OFF 1 "));
        QVERIFY(h_->state->image == before);
    }
};

VANTREL_GUI_TEST_MAIN(AxisEditorDialogsTest)
#include "AxisEditorDialogsTest.moc"
