// The timer, counter and memory editor in the main window, connected over a
// real pseudo-terminal and the real link thread to the simulated controller:
// a time wait stored from the editor sets the timer's preset, which the timer
// view shows and the controller receives. (The counter and memory modes are
// the same form over other groups; the catalogue walk opens each of them.)

#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

#include "CommandDialogTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "commands/CProgTimerCounterDlg.h"
#include "data/DefaultImage.h"
#include "platform/AppFolders.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "ui/CGridView.h"

using namespace vantrel;

namespace {
// A guard against a hang only; nothing measures time with it.
constexpr int kPatience = 60000;
constexpr int kT25 = 24;  // timer index of T25
}  // namespace

class TimerCounterDialogE2eTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ControllerSim> sim_;
    std::unique_ptr<PtyServer> server_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<test::MessageRecorder> recorder_;

    CProgramView* programView() {
        frame_->chooseView(ViewKind::ProgramEditor);
        return qobject_cast<CProgramView*>(frame_->currentView());
    }
    const StepRecord& step(int row) const { return state_->programs.current().step(row); }
    void press(CProgramView& view, int row, std::string_view page, std::string_view text) {
        view.table()->selectSingleRow(row);
        test::paletteButton(view, page, text)->click();
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        sim_ = std::make_unique<ControllerSim>();
        sim_->setProgramFile("\tPROG\t#001\t;main\r\n\tEND\t\r\n");
        server_ = std::make_unique<PtyServer>(*sim_);
        QVERIFY(server_->start());
        ensureDataFolder();
        state_ = std::make_unique<AppState>();
        state_->image = makeDefaultSettingsImage();
        state_->portOverride = server_->portName();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        MainFramePrompts prompts;
        prompts.connectDirection = [](QWidget*) { return MainFramePrompts::Direction::ControllerToPc; };
        prompts.saveSettingsFile = [](QWidget*, const QString&) { return QString(); };
        frame_->setPrompts(prompts);
        frame_->resize(1100, 900);
        frame_->show();
        frame_->connectController();
        QTRY_VERIFY2_WITH_TIMEOUT(recorder_->has("読込完了しました。"), qPrintable(recorder_->dump()), kPatience);
        recorder_->messages.clear();
    }
    void cleanup() {
        frame_.reset();
        server_->stop();
        server_.reset();
        sim_.reset();
        state_.reset();
        recorder_.reset();
    }

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
