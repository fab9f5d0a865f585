// The grid widget over a settings table model: what it shows, what it lets
// the user edit, and what a commit does.

#include <memory>

#include <QBrush>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QTableView>
#include <QHelpEvent>
#include <QToolTip>

#include "GuiTestSupport.h"
#include "ui/CGridView.h"

using namespace vantrel;

namespace {

// A table of many rows: column 1 text (refuses anything but digits), column 2
// a drop-down, column 3 read-only grey.
class BigTable : public SettingsTableModel {
public:
    explicit BigTable(int rows) : values_(rows, 0), choices_(rows, 0) {}
    int rowCount() const override { return static_cast<int>(values_.size()) + 1; }
    int columnCount() const override { return 4; }
    int columnWidth(int column) const override { return column == 0 ? 90 : 60; }
    std::string cellText(int row, int column) const override {
        if (row == 0) return column == 0 ? corner : "head" + std::to_string(column);
        if (column == 0) return "row" + std::to_string(row);
        if (column == 1) return std::to_string(values_[row - 1]);
        if (column == 2) {
            const char* const texts[] = {"A接点", "B接点", "C接点"};  // C接点 is never offered
            return texts[choices_[row - 1]];
        }
        return "a long read-only text that does not fit into sixty pixels";
    }
    CellKind cellKind(int row, int column) const override {
        if (row == 0) return CellKind::Header;
        if (column == 0) return CellKind::Label;
        if (column == 1) return CellKind::Text;
        if (column == 2) return CellKind::DropDown;
        return CellKind::ReadOnly;
    }
    std::vector<std::string> choices(int, int) const override { return {"A接点", "B接点"}; }
    std::uint32_t backgroundColour(int row, int column) const override {
        if (column == 2) return choices_[row - 1] ? cellColour::kYellow : cellColour::kCyan;
        return SettingsTableModel::backgroundColour(row, column);
    }
    std::string helpText(int row, int column) const override {
        return "help " + std::to_string(row) + "/" + std::to_string(column);
    }
    MaybeRefusal commit(int row, int column, const std::string& text) override {
        ++commits;
        if (column == 2) {
            choices_[row - 1] = text == "B接点" ? 1 : 0;
            return std::nullopt;
        }
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
            return Refusal{"入力は半角数字のみです。", "VANTREL", MessageIcon::Warning};
        values_[row - 1] = std::stoi(text);
        return std::nullopt;
    }
    int value(int row) const { return values_[row - 1]; }
    int choice(int row) const { return choices_[row - 1]; }
    void setChoice(int row, int code) { choices_[row - 1] = code; }
    int commits = 0;
    std::string corner;

private:
    std::vector<int> values_;
    std::vector<int> choices_;
};

}  // namespace

class GridViewTest : public QObject {
    Q_OBJECT

private slots:
    void headersAndCellsComeFromTheModel() {
        auto model = std::make_unique<BigTable>(3000);
        ui::CGridView view(std::move(model));
        QTableView* table = view.table();
        QCOMPARE(table->model()->rowCount(), 3000);
        QCOMPARE(table->model()->columnCount(), 3);
        QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("head1"));
        QCOMPARE(table->model()->headerData(2999, Qt::Vertical).toString(), QStringLiteral("row3000"));
        const QModelIndex grey = table->model()->index(5, 2);
        QCOMPARE(grey.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xCC, 0xCC, 0xCC));
        QVERIFY(!(grey.flags() & Qt::ItemIsEditable));
        QVERIFY(table->model()->index(5, 0).flags() & Qt::ItemIsEditable);
        QCOMPARE(table->model()->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0xFF, 0xFF));
        QCOMPARE(table->columnWidth(0), 60);
        QCOMPARE(table->verticalHeader()->width(), 90);
    }

    // The header of the label column sits in the table's corner cell, which
    // Qt draws as an empty header section unless told otherwise.
    void theLabelColumnHeaderIsDrawnInTheCorner() {
        QImage corners[2];
        for (int i = 0; i < 2; ++i) {
            auto model = std::make_unique<BigTable>(4);
            model->corner = i == 0 ? "" : "ポイント";
            ui::CGridView view(std::move(model));
            view.resize(600, 300);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            auto* corner = view.table()->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
            QVERIFY(corner != nullptr);
            QCOMPARE(corner->width(), view.table()->verticalHeader()->width());
            corners[i] = corner->grab().toImage();
        }
        QCOMPARE(corners[1].size(), corners[0].size());
        QVERIFY2(corners[1] != corners[0], "the corner shows no text");
    }

    void noEditorExistsUntilACellIsEdited() {
        ui::CGridView view(std::make_unique<BigTable>(3000));
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.findChildren<QLineEdit*>().isEmpty());
        QVERIFY(view.findChildren<QComboBox*>().isEmpty());
        QTableView* table = view.table();
        table->setCurrentIndex(table->model()->index(2, 0));
        table->edit(table->currentIndex());
        QCOMPARE(view.findChildren<QLineEdit*>().size(), 1);
    }

    void typedTextIsCommittedThroughTheEditor() {
        auto owned = std::make_unique<BigTable>(10);
        BigTable& model = *owned;
        ui::CGridView view(std::move(owned));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView* table = view.table();
        table->setFocus();
        table->setCurrentIndex(table->model()->index(3, 0));
        QTest::keyClick(table, Qt::Key_4);  // typing on a cell opens its editor with the key
        QLineEdit* editor = view.findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_2);
        QCOMPARE(editor->text(), QStringLiteral("42"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(model.value(4), 42);  // Return commits through a queued call
        QCOMPARE(table->model()->index(3, 0).data().toString(), QStringLiteral("42"));
    }

    void aRefusedCommitShowsTheMessageAndKeepsTheValue() {
        test::MessageRecorder recorder;
        auto owned = std::make_unique<BigTable>(10);
        BigTable& model = *owned;
        ui::CGridView view(std::move(owned));
        QVERIFY(view.commitText(2, 1, QStringLiteral("7")));
        QVERIFY(!view.commitText(2, 1, QStringLiteral("1x")));
        QCOMPARE(model.value(2), 7);
        QVERIFY(recorder.messages.empty());  // shown once the editor is gone
        QTRY_COMPARE(recorder.texts(), std::vector<std::string>{"入力は半角数字のみです。"});
        // Read-only and label cells take nothing.
        QVERIFY(!view.commitText(2, 3, QStringLiteral("5")));
        QCOMPARE(model.commits, 2);
    }

    void dropDownChoiceCommitsAndRecolours() {
        auto owned = std::make_unique<BigTable>(4);
        BigTable& model = *owned;
        ui::CGridView view(std::move(owned));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView* table = view.table();
        const QModelIndex cell = table->model()->index(1, 1);
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* box = view.findChild<QComboBox*>();
        QVERIFY(box);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentText(), QStringLiteral("A接点"));
        box->setCurrentIndex(1);
        emit box->activated(1);
        QVERIFY(model.choice(2));
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFF, 0xFF, 0x00));
    }

    // Only an entry the user picks is committed; an editor left any other way
    // keeps what the cell holds, a code the list does not offer included.
    void aDropDownCommitsOnlyAPickedEntry_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("key");  // 0: focus moves elsewhere; -1: the list is opened and Return takes its entry
        QTest::addColumn<int>("commits");
        QTest::addColumn<int>("after");
        QTest::newRow("not offered, Tab") << 2 << int(Qt::Key_Tab) << 0 << 2;
        QTest::newRow("not offered, focus out") << 2 << 0 << 0 << 2;
        QTest::newRow("not offered, Down picks the first") << 2 << int(Qt::Key_Down) << 1 << 0;
        QTest::newRow("offered, Return") << 1 << int(Qt::Key_Return) << 0 << 1;
        QTest::newRow("offered, the shown entry taken from the open list") << 1 << -1 << 1 << 1;
    }

    void aDropDownCommitsOnlyAPickedEntry() {
        QFETCH(int, stored);
        QFETCH(int, key);
        QFETCH(int, commits);
        QFETCH(int, after);
        auto owned = std::make_unique<BigTable>(4);
        BigTable& model = *owned;
        model.setChoice(2, stored);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        auto* view = new ui::CGridView(std::move(owned), &host);
        auto* elsewhere = new QLineEdit(&host);
        layout->addWidget(view);
        layout->addWidget(elsewhere);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QTableView* table = view->table();
        const QModelIndex cell = table->model()->index(1, 1);
        table->setFocus();
        table->setCurrentIndex(cell);
        table->edit(cell);
        QPointer<QComboBox> box = view->findChild<QComboBox*>();
        QVERIFY(box);
        QTRY_VERIFY(box->hasFocus());
        // The editor starts on what the cell shows, picked or not.
        QCOMPARE(box->currentIndex(), stored < 2 ? stored : -1);
        QCOMPARE(box->currentIndex() < 0 ? box->placeholderText() : box->currentText(), cell.data().toString());
        if (key == 0) {
            elsewhere->setFocus();
        } else if (key < 0) {
            QTest::keyClick(box, Qt::Key_F4);
            QAbstractItemView* list = box->view();
            QTRY_VERIFY(list->isVisible());
            QCOMPARE(list->currentIndex().row(), stored);
            QTest::keyClick(list, Qt::Key_Return);
        } else {
            QTest::keyClick(box, Qt::Key(key));
        }
        QTRY_VERIFY(box.isNull());
        QCoreApplication::processEvents();
        QCOMPARE(model.commits, commits);
        QCOMPARE(model.choice(2), after);
    }

    // A benchmark, not a check: how long a table of 20,000 rows takes to open
    // and draw (run with -tickcounter or -callgrind for other measures).
    void benchmarkOpeningALargeTable() {
        QBENCHMARK {
            ui::CGridView view(std::make_unique<BigTable>(20000));
            view.resize(800, 600);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            view.table()->scrollToBottom();
            QCoreApplication::processEvents();
        }
    }

    void aCutOffTextShowsWholeInItsTitleTip() {
        ui::CGridView view(std::make_unique<BigTable>(4));
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView* table = view.table();
        QWidget* viewport = table->viewport();
        const QRect longCell = table->visualRect(table->model()->index(0, 2));
        QHelpEvent tip(QEvent::ToolTip, longCell.center(), viewport->mapToGlobal(longCell.center()));
        QCoreApplication::sendEvent(viewport, &tip);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("a long read-only text that does not fit into sixty pixels"));

        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());  // hiding takes a moment
        const QRect shortCell = table->visualRect(table->model()->index(0, 0));
        QHelpEvent noTip(QEvent::ToolTip, shortCell.center(), viewport->mapToGlobal(shortCell.center()));
        QCoreApplication::sendEvent(viewport, &noTip);
        QCoreApplication::processEvents();
        QVERIFY(!QToolTip::isVisible());
    }

    void helpPaneFollowsTheCurrentCell() {
        ui::CGridView view(std::make_unique<BigTable>(4));
        view.selectCell(3, 2);
        QCOMPARE(view.helpText(), QStringLiteral("help 3/2"));
        view.selectCell(1, 1);
        QCOMPARE(view.helpText(), QStringLiteral("help 1/1"));
    }
};

VANTREL_GUI_TEST_MAIN(GridViewTest)
#include "GridViewTest.moc"
