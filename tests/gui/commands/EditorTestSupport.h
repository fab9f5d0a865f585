#pragma once

// Shared by the command editor tests: the program view with the build's own
// editor registry, offscreen and without a controller; a palette button
// pressed with a hand on the modal editor it opens; Enter and Escape.

#include <functional>
#include <memory>
#include <string>

#include <QLineEdit>
#include <QTest>

#include "GuiTestSupport.h"
#include "ProgramViewTestSupport.h"
#include "app/AppState.h"
#include "commands/CommandEditorDialog.h"
#include "commands/RegisterCommandEditors.h"

namespace vantrel::test {

// The n-th palette entry (0-based among equal texts) of (page, group, text).
inline QPushButton* nthPaletteButton(const CProgramView& view, std::string_view page, std::string_view group,
                                     std::string_view text, int nth = 0) {
    const auto catalogue = paletteCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const PaletteButton& b = catalogue[i].button;
        if (b.page == page && b.group == group && b.button == text && nth-- == 0)
            return view.palette()->page(page)->button(static_cast<int>(i));
    }
    return nullptr;
}

// Enter and Escape as the user presses them in the field that has the focus.
inline void pressKey(QDialog& dialog, Qt::Key key) {
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
}

inline void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// whenModal, and the form is closed after `act` if it is still open (a
// failed comparison returns from `act` early and must not leave it waiting).
template <class Dialog>
std::shared_ptr<bool> whenEditor(std::function<void(Dialog&)> act) {
    return whenModal<Dialog>([act = std::move(act)](Dialog& dialog) {
        act(dialog);
        if (dialog.isVisible()) dialog.reject();
    });
}

class EditorHarness {
public:
    explicit EditorHarness(const std::string& programText) {
        state = std::make_unique<AppState>();
        if (!state->programs.loadText(programText)) throw std::runtime_error("program text refused");
    }
    ~EditorHarness() {
        view.reset();
        state.reset();
    }

    void open() {
        view = std::make_unique<CProgramView>(*state, commandEditors(), CProgramView::Host{});
        view->resize(1000, 600);
        view->show();
    }
    // Presses the palette button and runs `act` on the editor it opens; false
    // when no editor of type Dialog opened.
    template <class Dialog>
    bool press(QPushButton* button, std::function<void(Dialog&)> act) {
        if (!button || !button->isEnabled()) return false;
        const auto ran = whenEditor<Dialog>(std::move(act));
        button->click();
        return *ran;
    }
    template <class Dialog>
    bool press(std::string_view page, std::string_view group, std::string_view text, std::function<void(Dialog&)> act,
               int nth = 0) {
        return press<Dialog>(nthPaletteButton(*view, page, group, text, nth), std::move(act));
    }
    // Double-clicks step `row` and runs `act` on the editor it opens.
    template <class Dialog>
    bool doubleClick(int row, std::function<void(Dialog&)> act) {
        const auto ran = whenEditor<Dialog>(std::move(act));
        QWidget* viewport = view->table()->viewport();
        const QPoint at = view->table()->visualRect(view->model()->index(row, 2)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        return *ran;
    }
    void select(int row) { view->table()->selectSingleRow(row); }
    QString command(int row) const { return cell(*view, row, 2); }
    QString listing(int row) const { return cell(*view, row, 3); }
    const CurrentProgram& program() const { return state->programs.current(); }

    MessageRecorder recorder;
    std::unique_ptr<AppState> state;
    std::unique_ptr<CProgramView> view;
};

}  // namespace vantrel::test
