#include "program/CStepTableView.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "program/CStepRowDelegate.h"

namespace vantrel {

namespace {

enum class TableKey { None, Delete, Edit, Copy, Paste };

TableKey tableKey(const QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) return TableKey::Copy;
    if (event->matches(QKeySequence::Paste)) return TableKey::Paste;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return TableKey::None;
    switch (event->key()) {
    case Qt::Key_Delete: return TableKey::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter: return TableKey::Edit;
    default: return TableKey::None;
    }
}

}  // namespace

CStepTableView::CStepTableView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setItemDelegate(new CStepRowDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit editRequested(index.row()); });
}

std::vector<int> CStepTableView::selectedRowNumbers() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CStepTableView::selectSingleRow(int row) {
    if (!model() || !selectionModel()) return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CStepTableView::event(QEvent* event) {
    // Ctrl+C and Ctrl+V are also the main window's menu shortcuts: the table
    // takes them while it has the focus, so they act on the steps.
    if (event->type() == QEvent::ShortcutOverride && tableKey(static_cast<QKeyEvent*>(event)) != TableKey::None) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void CStepTableView::keyPressEvent(QKeyEvent* event) {
    switch (tableKey(event)) {
    case TableKey::Delete: emit deleteRequested(); return;
    case TableKey::Edit:
        if (currentIndex().isValid()) emit editRequested(currentIndex().row());
        return;
    case TableKey::Copy: emit copyRequested(); return;
    case TableKey::Paste: emit pasteRequested(); return;
    case TableKey::None: break;
    }
    QTableView::keyPressEvent(event);
}

void CStepTableView::contextMenuEvent(QContextMenuEvent* event) {
    if (!menuEnabled_) return;
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("コピー(&C)"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* paste = menu.addAction(tr("貼り付け(&P)"));
    paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copy) emit copyRequested();
    if (chosen == paste) emit pasteRequested();
}

}  // namespace vantrel
