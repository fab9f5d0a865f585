// The program editor in the main window against the simulated controller
// over a real pseudo-terminal and the real link thread: compile, program
// read, the running step of the run modes, and the exit question after an edit.

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QScrollBar>

#include "MainFrameTestSupport.h"
#include "ProgramViewTestSupport.h"
#include "ui/StatusNote.h"

using namespace vantrel;
using test::kPatience;

namespace {

// Program 1 with `steps` steps, program 3 and program 7 with ten steps.
std::string programs(int steps) {
    std::string text = "\tPROG\t#001\t;main\r\n";
    for (int i = 0; i < steps; ++i) text += "\tOUT\tOUT1 ON\r\n";
    text += "\tPROG\t#003\r\n\tEND\t\r\n\tPROG\t#007\t;seven\r\n";
    for (int i = 0; i < 10; ++i) text += "\tWAIT\tT1\r\n";
    return text;
}
}  // namespace

class ProgramViewE2eTest : public QObject, public test::MainFrameFixture {
    Q_OBJECT

private:
    bool rowVisible(CProgramView& view, int row) {
        const QRect rect = view.table()->visualRect(view.model()->index(row, 0));
        return view.table()->viewport()->rect().contains(rect);
    }

private slots:
    void init() {
        startMainFrame();
        if (frame_) showMainFrame();
    }
    void cleanup() { stopMainFrame(); }

    void aCompileErrorShowsItsProgramStepAndText() {
        sim_->setProgramFile(programs(3));
        connectAndRead();
        CProgramView* view = programView();
        QVERIFY(view);
        QCOMPARE(view->numberList()->currentText(), QStringLiteral("001"));

        sim_->setCompileError(ControllerSim::CompileError{5, 12, 7, 3});
        view->button(QStringLiteral("コンパイル"))->click();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"コンパイルエラー"});
        QCOMPARE(sim_->compileCount(), 1);
        QCOMPARE(view->numberList()->currentText(), QStringLiteral("007"));
        QCOMPARE(view->nameButton()->text(), QStringLiteral("seven"));
        QCOMPARE(test::background(*view, 8), QColor(255, 0, 0));
        QCOMPARE(view->model()->index(8, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
        QVERIFY(!test::coloured(*view, 7));
        QCOMPARE(view->statusField()->text(), QStringLiteral("ﾗﾍﾞﾙｴﾗｰ"));
        QVERIFY(view->statusField()->styleSheet().contains(QStringLiteral("255, 0, 0")));

        // Deleting a step above it: the red row moves up with its step.
        recorder_->answer = [](const Refusal&) { return true; };
        view->table()->selectSingleRow(2);
        view->deleteSelectedSteps();
        QCOMPARE(test::background(*view, 7), QColor(255, 0, 0));
        QVERIFY(!test::coloured(*view, 8));
        // Accepted with the program still shown: no red row is left.
        sim_->setCompileError(std::nullopt);
        view->compilePrograms();
        QVERIFY(!test::coloured(*view, 7));
        sim_->setCompileError(ControllerSim::CompileError{5, 12, 7, 3});
        view->compilePrograms();

        // Another program: the status keeps the error but not its colour.
        view->chooseProgram(0);
        view->refreshStatus();
        QCOMPARE(view->statusField()->text(), QStringLiteral("ﾗﾍﾞﾙｴﾗｰ"));
        QVERIFY(view->statusField()->styleSheet().isEmpty());

        // Accepted: clean, and the status empties.
        recorder_->messages.clear();
        sim_->setCompileError(std::nullopt);
        view->compilePrograms();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"コンパイル完了"});
        QVERIFY(state_->programs.storeClean());
        QCOMPARE(view->statusField()->text(), QString());
        QVERIFY(sim_->programFile().find("\tPROG\t#007") != std::string::npos);
    }

    void aProgramReadReplacesTheStore() {
        sim_->setProgramFile(programs(2));
        connectAndRead();
        CProgramView* view = programView();
        QVERIFY(view);
        QCOMPARE(view->numberList()->count(), 3);

        sim_->setProgramFile("\tPROG\t#009\t;nine\r\n\tHOME\tA1 \r\n\tEND\t\r\n");
        view->button(QStringLiteral("プログラム読出し"))->click();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{
                                         "コントローラのNCプログラムを読み込みます。\n現在のPC上のNCプログラムを保存しますか？"});
        QVERIFY(!state_->programs.findProgram(1).found);
        QCOMPARE(view->numberList()->count(), 1);
        QCOMPARE(view->numberList()->currentText(), QStringLiteral("009"));
        QCOMPARE(view->nameButton()->text(), QStringLiteral("nine"));
        QCOMPARE(test::cell(*view, 1, 2), QStringLiteral("end"));
        QVERIFY(!state_->programs.storeClean());
        QCOMPARE(frame_->currentView(), view);  // refreshed, not replaced

        // Without a controller the read is refused at once.
        frame_->disconnectController();  // answered no: still connected
        state_->link.linkLost();
        QTRY_VERIFY_WITH_TIMEOUT(!state_->link.isOpen(), kPatience);
        recorder_->messages.clear();
        view->readProgramsFromController();
        view->compilePrograms();
        QCOMPARE(recorder_->texts(), (std::vector<std::string>{"USBが未接続です。", "USBが未接続です。"}));
    }

    // The controller reports (program, step) pairs per task in its run modes
    // (set on the simulated controller here, which does not run programs).
    void theRunningStepFollowsTheControllerAndScrollsIntoView() {
        sim_->setProgramFile(programs(80));
        connectAndRead();
        CProgramView* view = programView();
        QVERIFY(view);
        frame_->setRequestedMode(2);
        QTRY_COMPARE_WITH_TIMEOUT(view->modeField()->text(), QStringLiteral("自動実行モード"), kPatience);
        QVERIFY(!view->palette()->page(0)->isVisibleTo(view->palette()));
        QVERIFY(!view->button(QStringLiteral("コンパイル"))->isVisible());

        SimStatus status = sim_->status();
        status.runFlags = {3, 1, 0, 0, 0, 0, 0, 0};
        status.stepValues = {5, 30, 0, 0, 0, 0, 0, 0};
        sim_->setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(test::background(*view, 30), QColor(255, 255, 0), kPatience);
        QVERIFY(!test::coloured(*view, 5));  // program 3's step is not shown here
        QVERIFY(rowVisible(*view, 30));
        QVERIFY(rowVisible(*view, 50));     // twenty steps beyond it are shown too

        status.stepValues[1] = 31;
        sim_->setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(test::background(*view, 31), QColor(255, 255, 0), kPatience);
        QVERIFY(!test::coloured(*view, 30));

        // Near the top the step itself is scrolled to.
        view->table()->verticalScrollBar()->setValue(view->table()->verticalScrollBar()->maximum());
        status.stepValues[1] = 2;
        sim_->setStatus(status);
        QTRY_COMPARE_WITH_TIMEOUT(test::background(*view, 2), QColor(255, 255, 0), kPatience);
        QVERIFY(rowVisible(*view, 2));

        // Back in edit-test mode no row is yellow and editing returns.
        frame_->setRequestedMode(0);
        QTRY_COMPARE_WITH_TIMEOUT(view->modeField()->text(), QStringLiteral("編集テストモード"), kPatience);
        QVERIFY(!test::coloured(*view, 2));
        QVERIFY(view->palette()->page(0)->isVisibleTo(view->palette()));
    }

    void theEditMenuCopiesPastesUndoesAndRedoesSteps() {
        QVERIFY(state_->programs.loadText("\tPROG\t#001\r\n\tRET\t\r\n\tEND\t\r\n"));
        state_->unsaved.programsSavedOrRead(state_->programs.text(), {UnsavedWork::Origin::Kind::File, "a.ncp"});
        CProgramView* view = programView();
        QVERIFY(view);
        QMap<QString, QAction*> actions;
        for (QAction* action : frame_->findChildren<QAction*>()) actions.insert(action->text(), action);
        QAction* copy = actions.value(QStringLiteral("コピー(&C)"));
        QAction* paste = actions.value(QStringLiteral("貼り付け(&P)"));
        QAction* undo = actions.value(QStringLiteral("元に戻す(&U)"));
        QAction* redo = actions.value(QStringLiteral("やり直し(&R)"));
        QVERIFY(copy && paste && undo && redo);
        QVERIFY(!undo->isEnabled());
        view->table()->selectSingleRow(1);
        copy->trigger();
        view->table()->selectSingleRow(0);
        paste->trigger();
        const auto listing = [view] {
            return QStringList{test::cell(*view, 0, 2), test::cell(*view, 1, 2), test::cell(*view, 2, 2)};
        };
        const QStringList pasted{QStringLiteral("end"), QStringLiteral("return"), QStringLiteral("end")};
        QCOMPARE(listing(), pasted);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->toolTip(), QStringLiteral("元に戻す: 貼り付け 1 ステップ"));
        QVERIFY(state_->unsaved.programsUnsaved(state_->programs.text()));

        // The keys of the menu, from the step table: the rows go and come
        // back, the pasted row selected.
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        view->table()->selectSingleRow(2);
        QTest::keyClick(view->table(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(listing(), (QStringList{QStringLiteral("return"), QStringLiteral("end"), QString()}));
        QCOMPARE(view->table()->selectedRowNumbers(), std::vector<int>{0});
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->toolTip(), QStringLiteral("やり直し: 貼り付け 1 ステップ"));
        QVERIFY(!state_->unsaved.programsUnsaved(state_->programs.text()));  // back as saved

        view->table()->selectSingleRow(1);
        QTest::keyClick(view->table(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(listing(), pasted);
        QCOMPARE(view->table()->selectedRowNumbers(), std::vector<int>{0});
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        // Programs are changed only in edit-test mode, by an undo too.
        state_->status.modeWord.store(2);
        QTest::keyClick(view->table(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(listing(), pasted);
        QCOMPARE(ui::lastStatusNote(), QStringLiteral("プログラムの変更を戻すには編集テストモードに切り換えてください。"));
        state_->status.modeWord.store(0);
    }

    void aProgramEditThenExitAsksTheFlashQuestion() {
        CProgramView* view = programView();
        QVERIFY(view);
        QVERIFY(frame_->close());  // nothing edited: no question
        QVERIFY(recorder_->messages.empty());
        frame_->show();

        view = programView();
        test::paletteButton(*view, "その他", "END")->click();
        QVERIFY(state_->unsavedFlash);
        QVERIFY(!frame_->close());  // answered no: the window stays
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"変更内容をFLASHに書込みせずに終了しますか？"});
    }
};

VANTREL_GUI_TEST_MAIN(ProgramViewE2eTest)
#include "ProgramViewE2eTest.moc"
