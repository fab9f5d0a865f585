#pragma once

// Shared by the command editor tests: a program view offscreen with the
// editors of this build, palette buttons pressed, steps double-clicked, and
// the editor that opens answered by a test function; typing, Enter and
// Escape, and the rows of the editors' lists.

#include <functional>
#include <memory>
#include <string>

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "ProgramViewTestSupport.h"
#include "app/AppState.h"
#include "commands/CIoSymbolPicker.h"
#include "commands/CommandEditorDialog.h"
#include "commands/RegisterCommandEditors.h"

namespace vantrel::test {

// Runs `act` on the editor of type Dialog that opens next and cancels the
// editor if `act` left it open (a failed check returns from `act` early and
// must not leave it waiting).
template <class Dialog>
std::shared_ptr<bool> answer(std::function<void(Dialog&)> act) {
    return whenModal<Dialog>([act = std::move(act)](Dialog& dialog) {
        act(dialog);
        if (dialog.isVisible()) dialog.reject();
    });
}

// Types into a field as a user does: the field takes the focus and the text
// replaces what it held.
inline void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Enter and Escape as the user presses them in the field that has the focus.
inline void pressKey(QDialog& dialog, Qt::Key key) {
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
}

// Clicks (or double-clicks) a row of a list.
inline void clickRow(QTableWidget* table, int row, bool twice = false) {
    const QPoint at = table->visualItemRect(table->item(row, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}
inline void clickRow(CIoSymbolPicker* picker, int row, bool twice = false) { clickRow(picker->table(), row, twice); }

// The texts of a list's column.
inline QStringList column(const QTableWidget* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, column)->text();
    return texts;
}

// A program view over a program text with this build's editors, in
// edit-test mode (no controller).
class EditorFixture {
public:
    // `prepare` may set up the settings before the view lists the program.
    void openView(const std::string& programText, const std::function<void(AppState&)>& prepare = {}) {
        closeView();
        recorder = std::make_unique<MessageRecorder>();
        state = std::make_unique<AppState>();
        QVERIFY(state->programs.loadText(programText));
        if (prepare) prepare(*state);
        view = std::make_unique<CProgramView>(*state, commandEditors(), CProgramView::Host{});
        view->resize(1000, 600);
        view->show();
    }
    void closeView() {
        view.reset();
        state.reset();
        recorder.reset();
    }

    void select(int row) { view->table()->selectSingleRow(row); }
    // Presses the palette button (page, text) with `row` selected.
    void press(int row, std::string_view page, std::string_view text) {
        select(row);
        QPushButton* button = paletteButton(*view, page, text);
        QVERIFY2(button && button->isEnabled(), text.data());
        button->click();
    }
    // Presses the nth palette button (page, group, text) and runs `act` on the
    // editor it opens; false when the button is disabled or no editor of
    // type Dialog opened.
    template <class Dialog>
    bool press(std::string_view page, std::string_view group, std::string_view text, std::function<void(Dialog&)> act,
               int nth = 0) {
        QPushButton* button = paletteButton(*view, page, text, group, nth);
        if (!button || !button->isEnabled()) return false;
        const auto ran = answer<Dialog>(std::move(act));
        button->click();
        return *ran;
    }
    // Double-clicks step `row`.
    void doubleClick(int row) {
        QWidget* viewport = view->table()->viewport();
        view->table()->scrollTo(view->model()->index(row, 2));
        const QPoint at = view->table()->visualRect(view->model()->index(row, 2)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }
    // Double-clicks step `row` and runs `act` on the editor it opens; false
    // when none of type Dialog opened.
    template <class Dialog>
    bool doubleClick(int row, std::function<void(Dialog&)> act) {
        const auto ran = answer<Dialog>(std::move(act));
        doubleClick(row);
        return *ran;
    }

    QString command(int row) const { return cell(*view, row, 2); }
    QString listing(int row) const { return cell(*view, row, 3); }
    const CurrentProgram& program() const { return state->programs.current(); }
    const StepRecord& step(int row) const { return program().step(row); }
    int stepCount() const { return program().stepCount; }

    std::unique_ptr<MessageRecorder> recorder;
    std::unique_ptr<AppState> state;
    std::unique_ptr<CProgramView> view;
};

}  // namespace vantrel::test
