#pragma once

#include <functional>

#include <QObject>

#include "undo/EditHistory.h"

class QAction;

namespace vantrel {

// The Edit menu's undo and redo of the run's edit history: enabled only when
// there is something to take back (do again), the tooltip naming it. A
// history emptied because the work was replaced says so in the status bar.
class UndoActions : public QObject {
    Q_OBJECT
public:
    UndoActions(EditHistory& history, QObject* parent);
    ~UndoActions() override;

    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    // Whether programs may be edited now (edit-test mode): an undo or redo
    // that would change them is refused otherwise, with a note.
    void setProgramsEditable(std::function<bool()> editable) { programsEditable_ = std::move(editable); }
    // Texts and enabled state from the history (after a change, or in a new language).
    void refresh();

signals:
    // An edit was undone or redone: the window shows where it was made.
    void edited(const vantrel::EditHistory::Outcome& outcome);

private:
    void replay(bool forward);

    EditHistory& history_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::function<bool()> programsEditable_;
};

}  // namespace vantrel
