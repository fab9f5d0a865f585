// The program list "プログラム一覧" (CProgManage): adding and deleting in its
// working set, OK applying it to the store, Cancel changing nothing, and the
// program view following the new selected program.

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

#include "GuiTestSupport.h"
#include "ProgramViewTestSupport.h"
#include "app/AppState.h"
#include "data/ImageEdit.h"
#include "program/CProgManage.h"

using namespace vantrel;

class ProgramListDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state_;
    std::unique_ptr<test::MessageRecorder> recorder_;

    void load(const std::string& text, int selected) {
        QVERIFY(state_->programs.loadText(text));
        state_->programs.scanDirectory();
        state_->programs.selectProgram(selected);
    }
    static QStringList rows(const CProgManage& dialog) {
        QStringList texts;
        for (int row = 0; row < dialog.list()->rowCount(); ++row)
            texts << dialog.list()->item(row, 0)->text() + QLatin1Char(' ') + dialog.list()->item(row, 1)->text();
        return texts;
    }
    static void add(CProgManage& dialog, const QString& number) {
        dialog.numberField()->setText(number);
        dialog.addProgram();
    }
    static void selectNumber(CProgManage& dialog, const QString& text) {
        for (int row = 0; row < dialog.list()->rowCount(); ++row)
            if (dialog.list()->item(row, 0)->text() == text) dialog.list()->selectRow(row);
    }

private slots:
    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        state_ = std::make_unique<AppState>();
    }
    void cleanup() {
        state_.reset();
        recorder_.reset();
    }

    void addingRefusesWhatIsNotANewNumberFrom1To255() {
        load("\tPROG\t#005\t;five\r\n\tPROG\t#001\r\n", 1);
        CProgManage dialog(state_->programs, state_->image, &state_->queues);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("プログラム一覧"));
        QCOMPARE(rows(dialog), (QStringList{QStringLiteral("P001 "), QStringLiteral("P005 five")}));
        QCOMPARE(dialog.list()->currentRow(), 0);

        const std::pair<QString, std::string> refused[] = {
            {QString(), "整数を入力してください。"},
            {QStringLiteral("0"), "1 から 255 までの整数を入力してください。"},
            {QStringLiteral("256"), "1 から 255 までの整数を入力してください。"},
            {QStringLiteral("5"), "既に存在するプログラム番号です"},
        };
        for (const auto& [number, message] : refused) {
            recorder_->messages.clear();
            add(dialog, number);
            QCOMPARE(recorder_->texts(), std::vector<std::string>{message});
        }
        add(dialog, QStringLiteral("7"));
        QCOMPARE(rows(dialog),
                 (QStringList{QStringLiteral("P001 "), QStringLiteral("P005 five"), QStringLiteral("P007 ")}));
        QVERIFY(!state_->programs.findProgram(7).found);  // nothing before OK

        dialog.accept();
        QVERIFY(state_->programs.findProgram(7).found);
        QCOMPARE(dialog.selectedProgram(), 1);
        QVERIFY(dialog.changed());
    }

    void programHundredStaysAndDeletingTheSelectedOneSelectsTheOneBelow() {
        load("\tPROG\t#001\r\n\tPROG\t#005\r\n\tLINE\tA1 P0301 \r\n\tPROG\t#100\r\n", 5);
        state_->image.writePosition(0, 300, 1234);
        CProgManage dialog(state_->programs, state_->image, &state_->queues);
        dialog.list()->clearSelection();
        dialog.deleteProgram();
        QCOMPARE(recorder_->texts(), std::vector<std::string>{"ﾌﾟﾛｸﾞﾗﾑが選択されていません"});
        selectNumber(dialog, QStringLiteral("P100"));
        dialog.deleteProgram();
        QCOMPARE(recorder_->messages.back().text, std::string("プログラム100番は削除できません"));
        selectNumber(dialog, QStringLiteral("P005"));
        dialog.deleteProgram();
        QCOMPARE(rows(dialog), (QStringList{QStringLiteral("P001 "), QStringLiteral("P100 ")}));

        dialog.accept();
        QCOMPARE(dialog.selectedProgram(), 1);
        QCOMPARE(state_->programs.current().number, 1);
        QVERIFY(!state_->programs.findProgram(5).found);
        QCOMPARE(state_->image.readPosition(0, 300), NOT_SET_POSITION);  // its point is freed
        QCOMPARE(state_->queues.valueWriteCount(), std::size_t{4});     // and cleared on the controller
    }

    void cancelChangesNothing() {
        load("\tPROG\t#001\r\n\tPROG\t#005\r\n", 1);
        const std::string before = state_->programs.text();
        CProgManage dialog(state_->programs, state_->image, &state_->queues);
        add(dialog, QStringLiteral("9"));
        selectNumber(dialog, QStringLiteral("P005"));
        dialog.deleteProgram();
        dialog.reject();
        QCOMPARE(state_->programs.text(), before);
    }

    void theViewFollowsTheListAfterOk() {
        load("\tPROG\t#003\r\n\tEND\t\r\n", 3);
        const CommandEditorRegistry editors;
        CProgramView view(*state_, editors, {});
        auto ran = test::whenModal<CProgManage>([](CProgManage& dialog) {
            add(dialog, QStringLiteral("2"));
            dialog.accept();
        });
        view.button(QStringLiteral("プログラム一覧"))->click();
        QVERIFY(*ran);
        QCOMPARE(view.numberList()->count(), 2);
        QCOMPARE(view.numberList()->currentText(), QStringLiteral("003"));
        QCOMPARE(test::cell(view, 0, 2), QStringLiteral("end"));
        QVERIFY(state_->unsavedFlash);
    }
};

VANTREL_GUI_TEST_MAIN(ProgramListDialogTest)
#include "ProgramListDialogTest.moc"
