#include "ui/GridItemDelegate.h"

#include <QComboBox>
#include <QLineEdit>

#include "ui/GridTableModel.h"

namespace vantrel::ui {

GridItemDelegate::GridItemDelegate(GridTableModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const int row = model_.gridRow(index);
    const int column = model_.gridColumn(index);
    if (model_.grid().cellKind(row, column) == CellKind::DropDown) {
        auto* box = new QComboBox(parent);
        box->setFrame(false);
        for (const auto& choice : model_.grid().choices(row, column)) box->addItem(QString::fromStdString(choice));
        auto* self = const_cast<GridItemDelegate*>(this);
        connect(box, &QComboBox::activated, self, [self, box] {
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    (void)option;
    return edit;
}

void GridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int at = box->findText(text);
        box->setCurrentIndex(at >= 0 ? at : 0);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void GridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // An editor left unchanged commits nothing, so moving through the
        // table never re-sends values.
        if (edit->text() == index.data(Qt::EditRole).toString()) return;
        model->setData(index, edit->text(), Qt::EditRole);
    }
}

}  // namespace vantrel::ui
