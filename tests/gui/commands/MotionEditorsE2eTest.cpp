// The motion editors in the main window connected to the simulated controller
// over a real pseudo-terminal and the real link thread: what an editor's OK
// writes into the point table and the homing speeds reaches the controller.

#include <memory>

#include <QCheckBox>
#include <QComboBox>

#include "EditorTestSupport.h"
#include "MainFrameTestSupport.h"
#include "commands/CProgHomeDlg.h"
#include "commands/CProgMoveDlg.h"

using namespace vantrel;
using test::kPatience;

class MotionEditorsE2eTest : public QObject, public test::MainFrameFixture {
    Q_OBJECT

    template <class Dialog>
    bool press(CProgramView& view, std::string_view group, std::string_view text, std::function<void(Dialog&)> act) {
        QPushButton* button = test::paletteButton(view, kPagePulseAxes, text, group);
        if (!button || !button->isEnabled()) return false;
        const auto ran = test::answer<Dialog>(std::move(act));
        button->click();
        return *ran;
    }

private slots:
    void init() {
        SettingsImage image = makeDefaultSettingsImage();
        PulseAxisRecord(image, 0).setPositionUnit(0);
        PulseAxisRecord(image, 1).setPositionUnit(2);
        startMainFrame(image);
        if (!frame_) return;
        sim_->setProgramFile("\tPROG\t#001\r\n\tEND\t\r\n");
        showMainFrame();
        connectAndRead();
    }
    void cleanup() { stopMainFrame(); }

    void pointsAndHomingSpeedsReachTheController() {
        CProgramView* view = programView();
        QVERIFY(view);
        view->table()->selectSingleRow(0);

        // Point move: the chosen table point.
        QVERIFY(press<CProgMoveDlg>(*view, kGroupAxisControl, "軸移動(ポイント指定)", [](CProgMoveDlg& d) {
            d.pointList()->setCurrentIndex(499);
            d.axisBox(0)->click();
            d.axisBox(1)->click();
            test::type(d.positionField(0, 0), "-7.5");
            test::type(d.positionField(0, 1), "1234");
            test::type(d.speedField(0), "100");
            test::type(d.speedField(1), "33");
            test::pressKey(d, Qt::Key_Return);
        }));
        QCOMPARE(test::cell(*view, 0, 3), QStringLiteral("絶対値 軸1,軸2 P1500(-7.50mm, 1234step) 100%, 33% "));
        // Home: the homing speed of the axis homed.
        QVERIFY(press<CProgHomeDlg>(*view, kGroupAxisControlNoWait, "原点復帰", [](CProgHomeDlg& d) {
            d.axisBox(3)->click();
            test::type(d.speedField(3), "45");
            test::pressKey(d, Qt::Key_Return);
        }));
        QVERIFY2(recorder_->messages.empty(), qPrintable(recorder_->dump()));
        QCOMPARE(int(state_->programs.current().stepCount), 3);

        QTRY_COMPARE_WITH_TIMEOUT(sim_->settingsImage().readPosition(0, 1499), -750, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(sim_->settingsImage().readPosition(1, 1499), 1234, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(int(ConstPositionRecord(sim_->settingsImage(), 1, 1499).speed()), 33, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(int(ConstPositionRecord(sim_->settingsImage(), 3, 252).speed()), 45, kPatience);
    }
};

VANTREL_GUI_TEST_MAIN(MotionEditorsE2eTest)
#include "MotionEditorsE2eTest.moc"
