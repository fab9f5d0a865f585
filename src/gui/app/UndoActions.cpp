#include "app/UndoActions.h"

#include <QAction>

#include "ui/StatusNote.h"

namespace vantrel {

UndoActions::UndoActions(EditHistory& history, QObject* parent) : QObject(parent), history_(history) {
    undo_ = new QAction(tr("元に戻す(&U)"), this);
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo_ = new QAction(tr("やり直し(&R)"), this);
    redo_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    connect(undo_, &QAction::triggered, this, [this] {
        if (const auto outcome = history_.undo()) emit edited(*outcome);
    });
    connect(redo_, &QAction::triggered, this, [this] {
        if (const auto outcome = history_.redo()) emit edited(*outcome);
    });
    history_.setListener([this](EditHistory::Change change) {
        if (change == EditHistory::Change::Cleared)
            ui::showStatusNote(tr("読み込んだ内容に置き換えたため、元に戻す履歴を消去しました。"));
        refresh();
    });
    refresh();
}

UndoActions::~UndoActions() { history_.setListener({}); }

void UndoActions::refresh() {
    const auto show = [](QAction* action, bool enabled, const QString& what, const std::string& name) {
        action->setEnabled(enabled);
        const QString tip = enabled ? what + QStringLiteral(": ") + QString::fromStdString(name) : what;
        action->setToolTip(tip);
        action->setStatusTip(tip);
    };
    show(undo_, history_.canUndo(), tr("元に戻す"), history_.undoName());
    show(redo_, history_.canRedo(), tr("やり直し"), history_.redoName());
}

}  // namespace vantrel
