#include "app/UndoActions.h"

#include <QAction>

#include "ui/GuiLanguage.h"
#include "ui/StatusNote.h"

namespace vantrel {

UndoActions::UndoActions(EditHistory& history, QObject* parent) : QObject(parent), history_(history) {
    undo_ = new QAction(tr("元に戻す(&U)"), this);
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo_ = new QAction(tr("やり直し(&R)"), this);
    redo_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    connect(undo_, &QAction::triggered, this, [this] { replay(false); });
    connect(redo_, &QAction::triggered, this, [this] { replay(true); });
    history_.setListener([this](EditHistory::Change change) {
        if (change == EditHistory::Change::Cleared)
            ui::showStatusNote(tr("読み込んだ内容に置き換えたため、元に戻す履歴を消去しました。"));
        refresh();
    });
    refresh();
}

UndoActions::~UndoActions() { history_.setListener({}); }

void UndoActions::replay(bool forward) {
    const bool programs = forward ? history_.redoChangesPrograms() : history_.undoChangesPrograms();
    if (programs && programsEditable_ && !programsEditable_()) {
        ui::showStatusNote(tr("プログラムの変更を戻すには編集テストモードに切り換えてください。"));
        return;
    }
    if (const auto outcome = forward ? history_.redo() : history_.undo()) emit edited(*outcome);
}

void UndoActions::refresh() {
    const auto show = [](QAction* action, bool enabled, const QString& what, const std::string& name) {
        action->setEnabled(enabled);
        const QString tip = enabled ? what + QStringLiteral(": ") + ui::coreText(name) : what;
        action->setToolTip(tip);
        action->setStatusTip(tip);
    };
    show(undo_, history_.canUndo(), tr("元に戻す"), history_.undoName());
    show(redo_, history_.canRedo(), tr("やり直し"), history_.redoName());
}

}  // namespace vantrel
