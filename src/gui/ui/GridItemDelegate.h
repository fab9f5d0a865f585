#pragma once

#include <QStyledItemDelegate>

namespace vantrel::ui {

class GridTableModel;

// Creates the in-place editor of a cell only while it is being edited: a line
// edit for text cells, a drop-down list for choice cells. A choice is
// committed as soon as it is picked; an editor left without a pick (or, for
// text, unchanged) commits nothing.
class GridItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridItemDelegate(GridTableModel& model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    GridTableModel& model_;
};

}  // namespace vantrel::ui
