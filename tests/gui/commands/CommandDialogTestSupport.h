#pragma once

// Shared by the command editor tests: a program view offscreen with the
// editors of this build, palette buttons pressed on a chosen row, steps
// double-clicked, and the editor that opens answered by a test function.

#include <functional>
#include <memory>
#include <string>

#include <QTableWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "commands/CIoSymbolPicker.h"
#include "commands/RegisterCommandEditors.h"
#include "program/ProgramViewTestSupport.h"

namespace vantrel::test {

// Runs `act` on the editor of type Dialog that opens next and cancels the
// editor if `act` left it open (a failed check must not leave it waiting).
template <class Dialog>
std::shared_ptr<bool> answer(std::function<void(Dialog&)> act) {
    return whenModal<Dialog>([act](Dialog& dialog) {
        act(dialog);
        if (dialog.isVisible()) dialog.reject();
    });
}

// Types into a field as a user does.
inline void type(QWidget* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
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

// A program view over `programText` with this build's editors, in edit-test mode.
class CommandDialogFixture {
public:
    void openView(const std::string& programText) {
        recorder = std::make_unique<MessageRecorder>();
        state = std::make_unique<AppState>();
        QVERIFY(state->programs.loadText(programText));
        view = std::make_unique<CProgramView>(*state, commandEditors(), CProgramView::Host{});
        view->resize(1000, 600);
        view->show();
    }
    void closeView() {
        view.reset();
        state.reset();
        recorder.reset();
    }

    // Presses the palette button (page, text) with `row` selected.
    void press(int row, std::string_view page, std::string_view text) {
        view->table()->selectSingleRow(row);
        QPushButton* button = paletteButton(*view, page, text);
        QVERIFY2(button && button->isEnabled(), text.data());
        button->click();
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
    const StepRecord& step(int row) const { return state->programs.current().step(row); }
    int stepCount() const { return state->programs.current().stepCount; }

    std::unique_ptr<MessageRecorder> recorder;
    std::unique_ptr<AppState> state;
    std::unique_ptr<CProgramView> view;
};

}  // namespace vantrel::test
