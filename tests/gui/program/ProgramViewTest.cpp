// The program editor offscreen without a controller (edit-test mode): the
// palette, the table's keys and mouse, labels, comments, copy and paste, the
// run-mode gate and the status refresh, driven as a user drives them.

#include <optional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "GuiTestSupport.h"
#include "ProgramViewTestSupport.h"
#include "app/AppState.h"
#include "commands/CCommentDlg.h"
#include "commands/CLabelDlg.h"
#include "commands/RegisterCommandEditors.h"
#include "platform/AnsiText.h"
#include "platform/UserProfile.h"

#include <QFile>

using namespace vantrel;

namespace {

const char* const kProgram =
    "\tPROG\t#001\t;main\r\n"
    "L001\tHOME\tA1 \r\n"
    "\tWAIT\tT1\t;settle\r\n"
    "\tOUT\tOUT1 ON\r\n"
    "\tEND\t\r\n"
    "\tPROG\t#002\r\n"
    "\tRET\t\r\n";

}  // namespace

class ProgramViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state_;
    std::unique_ptr<test::MessageRecorder> recorder_;
    CommandEditorRegistry editors_;
    std::unique_ptr<CProgramView> view_;

    // The fake editors record how they were opened and answer `answer_`.
    int editorCalls_ = 0;
    bool openedExisting_ = false;
    int openedMode_ = -1;
    CommandEditRecord openedWith_;
    CommandEditorResult answer_;

    QTemporaryDir files_;
    QString chosenFile_;
    std::optional<QString> saveChoice_;  // the save dialog's answer, when not chosenFile_

    void open(const std::string& text = kProgram) {
        QVERIFY(state_->programs.loadText(text));
        CProgramView::Host host;
        host.prompts.openProgramFile = [this](QWidget*, const QString&) { return chosenFile_; };
        host.prompts.saveProgramFile = [this](QWidget*, const QString&) { return saveChoice_.value_or(chosenFile_); };
        view_ = std::make_unique<CProgramView>(*state_, editors_, std::move(host));
        view_->resize(1000, 600);
        view_->show();
    }
    const CurrentProgram& program() const { return state_->programs.current(); }
    void press(std::string_view page, std::string_view text) {
        QPushButton* button = test::paletteButton(*view_, page, text);
        QVERIFY2(button, text.data());
        QVERIFY2(button->isEnabled(), text.data());
        button->click();
    }
    void select(std::initializer_list<int> rows) {
        view_->table()->clearSelection();
        for (int row : rows)
            view_->table()->selectionModel()->select(view_->model()->index(row, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view_->table()->selectionModel()->setCurrentIndex(view_->model()->index(*rows.begin(), 0),
                                                          QItemSelectionModel::NoUpdate);
    }
    int selectedRow() const { return state_->steps.selectedRow(); }
    // The colour the table draws at the left end of a row (no text there).
    QColor drawnColour(int row) const {
        const QImage image = view_->table()->viewport()->grab().toImage();
        const QRect cell = view_->table()->visualRect(view_->model()->index(row, 0));
        return image.pixelColor(cell.left() + 3, cell.center().y());
    }
    // `task` runs `step` of `program` in step-run mode.
    void runTask(int task, int program, int step) {
        state_->status.modeWord.store(1);
        state_->status.runFlags[static_cast<std::size_t>(task)].store(static_cast<std::uint16_t>(program));
        state_->status.statusValues[static_cast<std::size_t>(task)].store(static_cast<std::uint16_t>(step));
        view_->refreshStatus();
    }
    void doubleClick(int row) {
        QWidget* viewport = view_->table()->viewport();
        const QPoint at = view_->table()->visualRect(view_->model()->index(row, 2)).center();
        // The view acts on a double click that follows a press on the same row.
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }
    CommandEditorOpener fakeEditor() {
        return [this](const CommandEditorRequest& request) {
            ++editorCalls_;
            openedExisting_ = request.editExisting;
            openedMode_ = request.mode;
            openedWith_ = request.start;
            return answer_;
        };
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        state_ = std::make_unique<AppState>();
        editors_ = CommandEditorRegistry();
        registerCommandEditors(editors_);
        editors_.add(CommandEditorKind::TimerCounterMemory, fakeEditor());
        editors_.add(CommandEditorKind::Comparison, fakeEditor());
        editorCalls_ = 0;
        openedExisting_ = false;
        answer_ = CommandEditorResult::cancelled();
        saveChoice_.reset();
    }
    void cleanup() {
        view_.reset();
        state_.reset();
        recorder_.reset();
    }

    void theViewOpensOnTheFirstProgram() {
        open();
        QCOMPARE(view_->numberList()->count(), 2);
        QCOMPARE(view_->numberList()->currentText(), QStringLiteral("001"));
        QCOMPARE(view_->nameButton()->text(), QStringLiteral("main"));
        QCOMPARE(view_->model()->rowCount(), 5);
        QCOMPARE(test::cell(*view_, 1, 3), QStringLiteral("T1 (0.00sec)"));  // the blank before the comment stays
        QCOMPARE(view_->modeField()->text(), QStringLiteral("編集テストモード"));
        QCOMPARE(selectedRow(), 0);
        QVERIFY(view_->palette()->isVisible());

        view_->numberList()->setCurrentIndex(1);
        emit view_->numberList()->activated(1);
        QCOMPARE(test::cell(*view_, 0, 2), QStringLiteral("return"));
    }

    void aPaletteButtonNeedsASelectedRow() {
        open();
        view_->table()->clearSelection();
        press("その他", "END");
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"行が選択されていません。"});
        QCOMPARE(int(program().stepCount), 4);
    }

    void endReturnAndElseStoreAndMoveTheSelectionDown() {
        open();
        const std::string before = state_->programs.text();
        select({1});
        press("その他", "END");
        QCOMPARE(test::cell(*view_, 1, 2), QStringLiteral("end"));
        QCOMPARE(test::cell(*view_, 2, 2), QStringLiteral("時間待ち"));  // inserted before it
        QCOMPARE(test::background(*view_, 1), QColor(0, 255, 0));
        QCOMPARE(selectedRow(), 2);
        QCOMPARE(view_->table()->selectedRowNumbers(), std::vector<int>{2});

        press("その他", "RETURN");
        press("I/O等", "条件分岐(ELSE)");
        QCOMPARE(test::cell(*view_, 2, 2), QStringLiteral("return"));
        QCOMPARE(test::cell(*view_, 3, 2), QStringLiteral("条件分岐(ELSE)"));
        QVERIFY(!test::coloured(*view_, 1));
        QCOMPARE(test::background(*view_, 3), QColor(0, 255, 0));
        QCOMPARE(selectedRow(), 4);
        QCOMPARE(int(program().stepCount), 7);
        QVERIFY(state_->programs.text() != before);
        QVERIFY(state_->unsavedFlash);
        QVERIFY(recorder_->messages.empty());

        // The blank last row appends.
        select({7});
        press("その他", "END");
        QCOMPARE(test::cell(*view_, 7, 2), QStringLiteral("end"));
        QCOMPARE(view_->model()->rowCount(), 9);
        view_->refreshStatus();
        QCOMPARE(view_->statusField()->text(), QStringLiteral("プログラム編集中"));
    }

    void ifEndIfNeedsRoomForTwoStepsAndAddsTheEndIf() {
        std::string text = "\tPROG\t#001\r\n";
        for (int i = 0; i < 252; ++i) text += "\tEND\t\r\n";
        open(text);
        CommandEditRecord ifThen;
        ifThen.code = kCodeIfThen;
        ifThen.operand = "X == 1 THEN";
        answer_ = CommandEditorResult::confirmed(ifThen);
        select({0});
        press("I/O等", "条件分岐(IF/ENDIF)");
        QCOMPARE(editorCalls_, 1);
        QVERIFY(!openedExisting_);
        QCOMPARE(openedMode_, int(kCodeIfThen));
        QCOMPARE(int(program().stepCount), 254);
        QCOMPARE(test::cell(*view_, 0, 2), QStringLiteral("条件分岐(IF)"));
        QCOMPARE(test::cell(*view_, 0, 3), QStringLiteral("X == 1 THEN"));
        QCOMPARE(test::cell(*view_, 1, 2), QStringLiteral("条件分岐(ENDIF)"));
        QCOMPARE(test::background(*view_, 1), QColor(0, 255, 0));
        QCOMPARE(selectedRow(), 2);

        // 254 steps: no room for two, room for one.
        press("I/O等", "条件分岐(IF/ENDIF)");
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"これ以上コマンドを追加できません。"});
        QCOMPARE(editorCalls_, 1);
        press("その他", "END");
        QCOMPARE(int(program().stepCount), 255);
        QCOMPARE(recorder_->messages.size(), std::size_t{1});
        QCOMPARE(view_->model()->rowCount(), 255);
    }

    void deletingTwoSelectedRowsAsksFirst() {
        open();
        select({1, 3});
        view_->palette()->deleteButton()->click();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"本当に削除しますか？"});
        QCOMPARE(recorder_->messages[0].title, std::string("確認"));
        QCOMPARE(int(program().stepCount), 4);  // answered no

        recorder_->answer = [](const Refusal&) { return true; };
        select({1, 3});
        QTest::keyClick(view_->table(), Qt::Key_Delete);
        QCOMPARE(int(program().stepCount), 2);
        QCOMPARE(test::cell(*view_, 1, 2), QStringLiteral("外部出力"));
        QCOMPARE(test::cell(*view_, 1, 0), QStringLiteral("002"));
        QCOMPARE(selectedRow(), 1);

        // The blank row holds nothing to delete.
        select({2});
        view_->palette()->deleteButton()->click();
        QCOMPARE(recorder_->messages.back().text, std::string("コマンドが設定されていない行です。"));
    }

    void labelsAreSetThroughTheLabelEditorAndDeleted() {
        open();
        select({1});
        press("I/O等", "LABEL削除");
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"ラベルが設定されていません。"});

        // Label 1 is used by program 1: typing it is refused and the editor stays open.
        auto ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Label入力"));
            QCOMPARE(dialog.choiceList()->itemText(0), QStringLiteral("002"));
            dialog.typedButton()->click();
            QVERIFY(dialog.numberField()->isVisible());
            QVERIFY(!dialog.choiceList()->isVisible());
            dialog.numberField()->setText(QStringLiteral("1"));
            dialog.accept();
            QVERIFY(dialog.isVisible());
            dialog.numberField()->setText(QStringLiteral("12"));
            dialog.accept();
        });
        press("I/O等", "LABEL");
        QVERIFY(*ran);
        QCOMPARE(recorder_->messages.back().text, std::string("ﾗﾍﾞﾙが既に設定されています"));
        QCOMPARE(test::cell(*view_, 1, 1), QStringLiteral("012"));
        QCOMPARE(test::background(*view_, 1), QColor(0, 255, 0));
        QCOMPARE(selectedRow(), 2);

        // A jump offers the labels of the program.
        select({4});
        ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("JUMP"));
            QCOMPARE(dialog.choiceList()->count(), 2);
            dialog.choiceList()->setCurrentIndex(1);
            dialog.accept();
        });
        press("I/O等", "JUMP");
        QVERIFY(*ran);
        QCOMPARE(test::cell(*view_, 4, 2), QStringLiteral("jump"));
        QCOMPARE(test::cell(*view_, 4, 3), QStringLiteral("L012 "));

        select({1});
        press("I/O等", "LABEL削除");
        QCOMPARE(test::cell(*view_, 1, 1), QString());
    }

    void theCommentEditorRefusesMoreThanAHundredBytes() {
        open();
        select({1});
        auto ran = test::whenModal<CCommentDlg>([](CCommentDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("コメント入力"));
            QCOMPARE(dialog.textField()->text(), QStringLiteral("settle"));
            dialog.textField()->setText(QString(51, QChar(0x3042)));  // 102 bytes
            dialog.accept();
            QVERIFY(dialog.isVisible());
            dialog.textField()->setText(QString(100, QLatin1Char('c')));
            dialog.accept();
        });
        view_->palette()->commentButton()->click();
        QVERIFY(*ran);
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"最大文字数を超えています"});
        QCOMPARE(test::cell(*view_, 1, 4), QString(100, QLatin1Char('c')));
        QCOMPARE(program().step(1).comment, std::string(100, 'c'));

        // Only a row with a command takes a comment.
        select({4});
        view_->palette()->commentButton()->click();
        QCOMPARE(recorder_->messages.back().text, std::string("コマンドが設定されている行を選んでください。"));
    }

    // As in every command editor, Enter is OK from any field and Escape is Cancel.
    void theLabelAndCommentEditorsTakeEnterAsOkAndEscapeAsCancel() {
        open();
        select({1});
        auto ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            dialog.choiceList()->setFocus();
            QTest::keyClick(dialog.choiceList(), Qt::Key_Escape);
        });
        press("I/O等", "LABEL");
        QVERIFY(*ran);
        QCOMPARE(test::cell(*view_, 1, 1), QString());

        ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            dialog.typedButton()->click();
            dialog.numberField()->setFocus();
            QTest::keyClicks(dialog.numberField(), QStringLiteral("12"));
            QTest::keyClick(dialog.numberField(), Qt::Key_Return);
        });
        press("I/O等", "LABEL");
        QVERIFY(*ran);
        QCOMPARE(test::cell(*view_, 1, 1), QStringLiteral("012"));

        // From the chosen way's radio button and from the drop-down.
        select({2});
        ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            dialog.chosenButton()->setFocus();
            QTest::keyClick(dialog.chosenButton(), Qt::Key_Enter);
        });
        press("I/O等", "LABEL");
        QVERIFY(*ran);
        QCOMPARE(test::cell(*view_, 2, 1), QStringLiteral("002"));
        select({4});
        ran = test::whenModal<CLabelDlg>([](CLabelDlg& dialog) {
            dialog.choiceList()->setFocus();
            QTest::keyClick(dialog.choiceList(), Qt::Key_Return);
        });
        press("I/O等", "JUMP");
        QVERIFY(*ran);
        QCOMPARE(test::cell(*view_, 4, 2), QStringLiteral("jump"));

        select({3});
        ran = test::whenModal<CCommentDlg>([](CCommentDlg& dialog) {
            dialog.textField()->setFocus();
            dialog.textField()->setText(QStringLiteral("new"));
            QTest::keyClick(dialog.textField(), Qt::Key_Return);
        });
        view_->palette()->commentButton()->click();
        QVERIFY(*ran);
        QCOMPARE(program().step(3).comment, std::string("new"));
        ran = test::whenModal<CCommentDlg>([](CCommentDlg& dialog) {
            dialog.textField()->setText(QStringLiteral("dropped"));
            QTest::keyClick(dialog.textField(), Qt::Key_Escape);
        });
        view_->palette()->commentButton()->click();
        QVERIFY(*ran);
        QCOMPARE(program().step(3).comment, std::string("new"));
        QVERIFY(recorder_->messages.empty());
    }

    void copyingThreeStepsAndPastingAtRowZeroShiftsTheRest() {
        open();
        select({1, 2, 3});
        QTest::keyClick(view_->table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(state_->steps.clipboardCount(), 3);
        select({0});
        QTest::keyClick(view_->table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(int(program().stepCount), 7);
        const QString commands[] = {QStringLiteral("時間待ち"), QStringLiteral("外部出力"), QStringLiteral("end"),
                                    QStringLiteral("原点復帰"), QStringLiteral("時間待ち"), QStringLiteral("外部出力"),
                                    QStringLiteral("end")};
        for (int row = 0; row < 7; ++row) QCOMPARE(test::cell(*view_, row, 2), commands[row]);
        QCOMPARE(test::cell(*view_, 3, 1), QStringLiteral("001"));  // the original keeps its label
        QCOMPARE(test::background(*view_, 0), QColor(0, 255, 0));

        // A selection with the blank row is not copied; the clipboard stays.
        select({6, 7});
        view_->copy();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"空白の行は、コピーできません。"});
        QCOMPARE(state_->steps.clipboardCount(), 3);
    }

    void aDoubleClickOpensTheStepsEditorToOverwriteIt() {
        open();
        CommandEditRecord wait;
        wait.code = kCodeWait;
        wait.operand = "T2";
        wait.number = 1;  // timer index of T2
        wait.value = 250;
        answer_ = CommandEditorResult::confirmed(wait);
        view_->palette()->hide();
        doubleClick(1);
        QCOMPARE(editorCalls_, 1);
        QVERIFY(openedExisting_);
        QCOMPARE(openedMode_, int(kCodeWait));
        QCOMPARE(int(openedWith_.code), int(kCodeWait));
        QCOMPARE(int(openedWith_.number), 1);  // T1 as read from the step
        QVERIFY(view_->palette()->isVisible());
        QCOMPARE(int(program().stepCount), 4);
        QCOMPARE(test::cell(*view_, 1, 3), QStringLiteral("T2(2.50sec)"));
        QCOMPARE(test::cell(*view_, 1, 4), QStringLiteral("settle"));
        QCOMPARE(ConstTimerTable(state_->image).timer(1), 250);
        QCOMPARE(state_->steps.storeMode(), StepEditor::StoreMode::Insert);

        // Enter opens it as well; END and the blank row have no editor.
        select({1});
        QTest::keyClick(view_->table(), Qt::Key_Return);
        QCOMPARE(editorCalls_, 2);
        doubleClick(3);
        doubleClick(4);
        QCOMPARE(editorCalls_, 2);
        QVERIFY(recorder_->messages.empty());
    }

    // The palette, its buttons hidden, tells why instead of standing empty.
    bool paletteSaysWhy() const {
        for (const QLabel* label : view_->palette()->findChildren<QLabel*>())
            if (label->isVisibleTo(view_->palette()) && label->text().contains(QStringLiteral("編集テストモード")))
                return true;
        return false;
    }

    void theRunModesMakeEveryEditInert() {
        open();
        answer_ = CommandEditorResult::confirmed(CommandEditRecord{});
        recorder_->answer = [](const Refusal&) { return true; };
        select({1});
        QTest::keyClick(view_->table(), Qt::Key_C, Qt::ControlModifier);
        state_->status.modeWord.store(1);
        view_->refreshStatus();
        QCOMPARE(view_->modeField()->text(), QStringLiteral("ステップ実行モード"));
        QVERIFY(!view_->palette()->page(0)->isVisibleTo(view_->palette()));
        QVERIFY(!view_->palette()->deleteButton()->isVisibleTo(view_->palette()));
        QVERIFY(paletteSaysWhy());
        QVERIFY(!view_->button(QStringLiteral("コンパイル"))->isVisible());
        QVERIFY(!view_->button(QStringLiteral("プログラム読出し"))->isVisible());
        QVERIFY(view_->button(QStringLiteral("■"))->isVisible());
        QVERIFY(view_->button(QStringLiteral(">>"))->isVisible());

        const std::string before = state_->programs.text();
        const auto catalogue = paletteCatalogue();
        for (std::size_t i = 0; i < catalogue.size(); ++i) view_->pressPaletteEntry(static_cast<int>(i));
        view_->deleteSelectedSteps();
        QTest::keyClick(view_->table(), Qt::Key_Delete);
        QTest::keyClick(view_->table(), Qt::Key_V, Qt::ControlModifier);
        view_->editComment();
        doubleClick(1);
        QCOMPARE(state_->programs.text(), before);
        QCOMPARE(editorCalls_, 0);
        QVERIFY(recorder_->messages.empty());
        QVERIFY(!state_->unsavedFlash);

        state_->status.modeWord.store(2);
        view_->refreshStatus();
        QVERIFY(!view_->button(QStringLiteral("■"))->isVisible());
        state_->status.modeWord.store(0);
        view_->refreshStatus();
        QVERIFY(view_->palette()->page(0)->isVisibleTo(view_->palette()));
        QVERIFY(!paletteSaysWhy());
        QVERIFY(view_->button(QStringLiteral("コンパイル"))->isVisible());
        QVERIFY(!view_->button(QStringLiteral("■"))->isVisible());
    }

    void buttonsWithoutARegisteredEditorAreDisabled() {
        // Only the label editor is registered.
        editors_ = CommandEditorRegistry();
        registerLabelEditor(editors_);
        open();
        struct Case {
            std::string_view page, text;
            bool enabled;
        };
        const Case cases[] = {
            {"I/O等", "時間待ち", false},      {"軸動作(ﾊﾟﾙｽ列)", "直線補間", false}, {"軸動作(RIVO)", "JOG動作", false},
            {"I/O等", "条件分岐(IF/ENDIF)", false}, {"I/O等", "LABEL", true},       {"I/O等", "JUMP", true},
            {"I/O等", "LABEL削除", true},      {"その他", "END", true},              {"I/O等", "条件分岐(ELSE)", true},
        };
        for (const Case& c : cases) {
            QPushButton* button = test::paletteButton(*view_, c.page, c.text);
            QVERIFY(button);
            QCOMPARE(button->isEnabled(), c.enabled);
        }
    }

    void anIdleRefreshLeavesTheTableAlone() {
        open();
        QSignalSpy resets(view_->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(view_->model(), &QAbstractItemModel::dataChanged);
        for (int i = 0; i < 5; ++i) view_->refreshStatus();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 0);
        state_->status.modeWord.store(2);
        view_->refreshStatus();
        view_->refreshStatus();
        QCOMPARE(resets.count(), 0);
        state_->status.modeWord.store(0);
        view_->refreshStatus();
        QCOMPARE(resets.count(), 1);  // back in edit-test mode the table is filled anew
    }

    // The running step stays yellow when it is the selected row too.
    void theRunningRowIsYellowSelectedOrNot() {
        QFETCH(int, selected);
        open();
        const QColor yellow(255, 255, 0);
        runTask(0, 1, 2);
        view_->table()->selectSingleRow(selected);
        QCOMPARE(drawnColour(2), yellow);
        QVERIFY(drawnColour(selected == 2 ? 1 : selected) != yellow);
    }
    void theRunningRowIsYellowSelectedOrNot_data() {
        QTest::addColumn<int>("selected");
        QTest::newRow("selected") << 2;
        QTest::newRow("another row selected") << 0;
    }

    // A task in a program other than the one shown is named in the status
    // field; a click on it shows that program with the task's step.
    void aTaskInAnotherProgramIsNamedAndAClickShowsIt() {
        open();
        view_->numberList()->setCurrentIndex(1);
        emit view_->numberList()->activated(1);
        runTask(0, 2, 0);
        runTask(3, 1, 2);
        QLineEdit* field = view_->statusField();
        QCOMPARE(field->text(), QStringLiteral("タスク0: #002 ステップ001　タスク3: #001 ステップ003"));
        QCOMPARE(test::background(*view_, 0), QColor(255, 255, 0));

        const QPoint onTask3(field->fontMetrics().horizontalAdvance(field->text()) - 6, field->height() / 2);
        QTest::mouseClick(field, Qt::LeftButton, {}, onTask3);
        QCOMPARE(program().number, 1);
        QCOMPARE(view_->numberList()->currentText(), QStringLiteral("001"));
        QCOMPARE(test::background(*view_, 2), QColor(255, 255, 0));
    }

    // Programs that were never in a file are saved first when the user says yes.
    void openingAFileAsksFirstToSaveProgramsThatAreInNoFile() {
        open();
        const std::string before = state_->programs.text();
        chosenFile_ = files_.filePath(QStringLiteral("other.ncp"));
        QFile other(chosenFile_);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("\tPROG\t#004\r\n\tEND\t\r\n");
        other.close();
        saveChoice_ = files_.filePath(QStringLiteral("kept.ncp"));
        recorder_->reply = [](const Refusal&) { return ui::MessageAnswer::Yes; };

        view_->button(QStringLiteral("プログラムを開く"))->click();
        QCOMPARE(recorder_->texts(),
                 std::vector<std::string>{"プログラムの変更がファイルに保存されていません。\n保存してから開きますか？"});
        QFile saved(*saveChoice_);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), before);
        QVERIFY(state_->programs.findProgram(4).found);
    }

    void theNameButtonRenamesTheProgram() {
        open();
        auto ran = test::whenModal<CCommentDlg>([](CCommentDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("プログラム名称"));
            dialog.textField()->setText(QStringLiteral("搬送"));
            dialog.accept();
        });
        view_->nameButton()->click();
        QVERIFY(*ran);
        QCOMPARE(view_->nameButton()->text(), QStringLiteral("搬送"));
        QVERIFY(state_->programs.text().find("\tPROG\t#001\t;" + utf8ToAnsi("搬送") + "\r\n") != std::string::npos);
        QVERIFY(state_->unsavedFlash);
    }

    void programFilesAreSavedOpenedAndResetToTheDefaults() {
        open();
        chosenFile_ = files_.filePath(QStringLiteral("saved.ncp"));
        view_->button(QStringLiteral("プログラムの保存"))->click();
        QFile saved(chosenFile_);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), state_->programs.text());
        QCOMPARE(QString::fromStdString(UserProfile().lastFolder()), files_.path());
        // A save that fails names the file and the reason, and offers another place (no here).
        chosenFile_ = files_.filePath(QStringLiteral("missing/saved.ncp"));
        view_->button(QStringLiteral("プログラムの保存"))->click();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"ファイルを保存出来ませんでした。\n" + chosenFile_.toStdString() +
                                                              "\n(保存先フォルダなし)\n別の場所に保存しますか？"});
        QCOMPARE(recorder_->messages[0].title, std::string("異常終了"));

        const std::pair<QString, std::string> refused[] = {
            {QStringLiteral("programs.txt"), "ファイルフォーマットが違います。"},
            {QStringLiteral("programs.NcP"), "ファイルフォーマットが違います。"},
        };
        for (const auto& [name, message] : refused) {
            recorder_->messages.clear();
            chosenFile_ = files_.filePath(name);
            view_->openProgramFile();
            QCOMPARE(recorder_->texts(), std::vector<std::string>{message});
        }

        // A file with LF line ends opens like one with CR LF.
        chosenFile_ = files_.filePath(QStringLiteral("other.NCP"));
        QFile other(chosenFile_);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("\tPROG\t#004\t;four\n\tEND\t\n");
        other.close();
        select({0});
        view_->button(QStringLiteral("プログラムを開く"))->click();
        QCOMPARE(state_->programs.text(), std::string("\tPROG\t#004\t;four\r\n\tEND\t\r\n"));
        QCOMPARE(view_->numberList()->count(), 1);
        QCOMPARE(view_->nameButton()->text(), QStringLiteral("four"));
        QCOMPARE(test::cell(*view_, 0, 2), QStringLiteral("end"));
        view_->refreshStatus();
        QCOMPARE(view_->statusField()->text(), QStringLiteral("プログラム編集中"));

        // Reset: answered no keeps the programs, yes loads the defaults.
        recorder_->messages.clear();
        view_->button(QStringLiteral("プログラム\n初期化"))->click();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"現在のプログラムを削除します。よろしいですか？"});
        QVERIFY(state_->programs.findProgram(4).found);
        recorder_->answer = [](const Refusal&) { return true; };
        view_->resetPrograms();
        QVERIFY(!state_->programs.findProgram(4).found);
        QVERIFY(state_->programs.storeClean());
        QCOMPARE(view_->numberList()->currentIndex(), 0);
        QCOMPARE(int(program().number), int(state_->programs.directory().numbers.front()));
    }
};

VANTREL_GUI_TEST_MAIN(ProgramViewTest)
#include "ProgramViewTest.moc"
