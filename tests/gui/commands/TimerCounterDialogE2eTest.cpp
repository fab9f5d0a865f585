// The timer, counter and memory editor in the main window, connected over a
// real pseudo-terminal and the real link thread to the simulated controller:
// a time wait stored from the editor sets the timer's preset, which the timer
// view shows and the controller receives. (The counter and memory modes are
// the same form over other groups; the catalogue walk opens each of them.)

#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

#include "EditorTestSupport.h"
#include "MainFrameTestSupport.h"
#include "commands/CProgTimerCounterDlg.h"
#include "ui/CGridView.h"

using namespace vantrel;
using test::kPatience;

namespace {
constexpr int kT25 = 24;  // timer index of T25
}  // namespace

class TimerCounterDialogE2eTest : public QObject, public test::MainFrameFixture {
    Q_OBJECT

private:
    const StepRecord& step(int row) const { return state_->programs.current().step(row); }
    void press(CProgramView& view, int row, std::string_view page, std::string_view text) {
        view.table()->selectSingleRow(row);
        test::paletteButton(view, page, text)->click();
    }

private slots:
    void init() {
        startMainFrame();
        if (!frame_) return;
        sim_->setProgramFile("\tPROG\t#001\t;main\r\n\tEND\t\r\n");
        showMainFrame();
        connectAndRead();
    }
    void cleanup() { stopMainFrame(); }

    void aTimeWaitSetsTheTimerForTheViewAndTheController() {
        CProgramView* view = programView();
        QVERIFY(view);
        TimerTable(state_->image).setTimer(kT25, 123);
        auto ran = test::answer<CProgTimerCounterDlg>([](CProgTimerCounterDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("時間待ち"));
            QCOMPARE(d.valueUnit()->text(), QStringLiteral("sec"));
            QCOMPARE(d.valueField()->toolTip(), QStringLiteral("設定単位:0.01[sec] \n設定範囲:0.00～99.99[sec]"));
            d.picker()->pages()->setCurrentIndex(1);  // "T21～T40"
            test::clickRow(d.picker(), 4);
            QCOMPARE(d.operandField()->text(), QStringLiteral("T25"));
            QCOMPARE(d.valueField()->text(), QStringLiteral("1.23"));  // the preset
            test::type(d.valueField(), QStringLiteral("100"));
            d.okButton()->click();
            test::type(d.valueField(), QStringLiteral("9x"));
            d.okButton()->click();
            test::type(d.valueField(), QStringLiteral("99.99"));
            QTest::keyClick(d.valueField(), Qt::Key_Return);
        });
        press(*view, 1, kPageIo, "時間待ち");
        QVERIFY(*ran);
        QCOMPARE(recorder_->texts(), (std::vector<std::string>{"設定が範囲外です。", "数字を入力してください"}));
        QCOMPARE(step(1).code, kCodeWait);
        QCOMPARE(step(1).operand, std::string("T25"));
        QCOMPARE(ConstTimerTable(state_->image).timer(kT25), 9999);
        QCOMPARE(test::cell(*view, 1, 3), QStringLiteral("T25(99.99sec)"));
        // Queued for the controller, which receives it while the link is idle.
        QTRY_COMPARE_WITH_TIMEOUT(int(ConstTimerTable(sim_->settingsImage()).timer(kT25)), 9999, kPatience);

        // Re-opened on the timer's page and row.
        ran = test::answer<CProgTimerCounterDlg>([](CProgTimerCounterDlg& d) {
            QCOMPARE(d.picker()->pages()->currentIndex(), 1);
            QCOMPARE(d.picker()->table()->currentRow(), 4);
            QCOMPARE(d.valueField()->text(), QStringLiteral("99.99"));
        });
        view->editStep(1);
        QVERIFY(*ran);

        // The timer view shows the new preset.
        recorder_->answer = [](const Refusal&) { return true; };  // leave the uncompiled programs
        frame_->chooseView(ViewKind::Timers);
        auto* timers = qobject_cast<ui::CGridView*>(frame_->currentView());
        QVERIFY(timers);
        QCOMPARE(timers->model().cellText(25, 1), std::string("99.99"));
    }
};

VANTREL_GUI_TEST_MAIN(TimerCounterDialogE2eTest)
#include "TimerCounterDialogE2eTest.moc"
