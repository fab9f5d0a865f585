// The program editor against a simulated controller that compiles and runs
// programs, over a real pseudo-terminal and the real link thread: a jump to a
// missing label is refused with its error on its step, the mended programs
// compile, and in automatic run the running step moves through the program.

#include <memory>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "GuiTestSupport.h"
#include "ProgramViewTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "commands/CLabelDlg.h"
#include "platform/AppFolders.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

using namespace vantrel;

namespace {
// A guard against a hang only; nothing measures time with it.
constexpr int kPatience = 60000;
const QColor kYellow(255, 255, 0);

// Program 100: a cycle between the default settings' points P0999 and P1000
// whose last step jumps to a label no step has.
const char* const kPrograms =
    "\tPROG\t#100\t;main\r\n"
    "L001\tOUT\tOUT1 ON\r\n"
    "\tWAIT\tT1\r\n"
    "\tMOVE\tA1,A2 P0999 \r\n"
    "\tOUT\tOUT1 OFF\r\n"
    "\tWAIT\tT1\r\n"
    "\tMOVE\tA1,A2 P1000 \r\n"
    "\tGOTO\tL002 \r\n";
}  // namespace

class ProgramRunE2eTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ControllerSim> sim_;
    std::unique_ptr<PtyServer> server_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<test::MessageRecorder> recorder_;

    int yellowRow(const CProgramView& view) const {
        for (int row = 0; row < view.model()->rowCount(); ++row)
            if (test::background(view, row) == kYellow) return row;
        return -1;
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        sim_ = std::make_unique<ControllerSim>();
        sim_->useStandAloneMachine();  // timed motion, programs compiled and run
        sim_->setProgramFile(kPrograms);
        sim_->writeValue(ControllerMemory::kTimers, 2, 30);  // T1: 0.30 s
        server_ = std::make_unique<PtyServer>(*sim_);
        QVERIFY(server_->start());
        ensureDataFolder();
        state_ = std::make_unique<AppState>();
        state_->portOverride = server_->portName();
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        MainFramePrompts prompts;
        prompts.connectDirection = [](QWidget*) { return MainFramePrompts::Direction::ControllerToPc; };
        prompts.saveSettingsFile = [](QWidget*, const QString&) { return QString(); };
        frame_->setPrompts(prompts);
        frame_->resize(1100, 900);
        frame_->show();
    }
    void cleanup() {
        frame_.reset();
        server_->stop();
        server_.reset();
        sim_.reset();
        state_.reset();
        recorder_.reset();
    }

    void aMissingLabelIsAJumpErrorOnItsStepAndTheMendedProgramRuns() {
        frame_->connectController();
        QTRY_VERIFY2_WITH_TIMEOUT(recorder_->has("読込完了しました。"), qPrintable(recorder_->dump()), kPatience);
        recorder_->messages.clear();
        frame_->chooseView(ViewKind::ProgramEditor);
        auto* view = qobject_cast<CProgramView*>(frame_->currentView());
        QVERIFY(view);

        view->button(QStringLiteral("コンパイル"))->click();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"コンパイルエラー"});
        QCOMPARE(view->statusField()->text(), QStringLiteral("ｼﾞｬﾝﾌﾟｴﾗｰ"));
        QCOMPARE(view->numberList()->currentText(), QStringLiteral("100"));
        QCOMPARE(test::background(*view, 6), QColor(255, 0, 0));
        QCOMPARE(test::cell(*view, 6, 3), QStringLiteral("L002 "));
        QCOMPARE(yellowRow(*view), -1);

        // Label 2 on the step "OUT OUT1 OFF", through the palette's label editor.
        view->table()->selectSingleRow(3);
        auto ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            dialog.typedButton()->click();
            dialog.numberField()->setText(QStringLiteral("2"));
            dialog.accept();
        });
        test::paletteButton(*view, "I/O等", "LABEL")->click();
        QVERIFY(*ran);
        QCOMPARE(test::cell(*view, 3, 1), QStringLiteral("002"));
        recorder_->messages.clear();
        view->compilePrograms();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"コンパイル完了"});
        QVERIFY(sim_->programFile().find("L002\tOUT\tOUT1 OFF") != std::string::npos);

        // Automatic run: the start request runs program 100; its task's step moves on.
        frame_->setRequestedMode(2);
        QTRY_COMPARE_WITH_TIMEOUT(view->modeField()->text(), QStringLiteral("自動実行モード"), kPatience);
        frame_->startProgram();
        QTRY_VERIFY_WITH_TIMEOUT(yellowRow(*view) >= 0, kPatience);
        const int first = yellowRow(*view);
        QTRY_VERIFY_WITH_TIMEOUT(yellowRow(*view) >= 0 && yellowRow(*view) != first, kPatience);
        // The move to the place point, then round the loop: back to the wait after label 2.
        QTRY_VERIFY_WITH_TIMEOUT(yellowRow(*view) == 5, kPatience);
        QTRY_VERIFY_WITH_TIMEOUT(yellowRow(*view) == 4, kPatience);
        QVERIFY(sim_->running());
        QCOMPARE(sim_->alarmCode(), std::uint8_t{0});

        frame_->stopProgram();
        QTRY_VERIFY_WITH_TIMEOUT(!sim_->running(), kPatience);
    }
};

VANTREL_GUI_TEST_MAIN(ProgramRunE2eTest)
#include "ProgramRunE2eTest.moc"
