#include "ui/GridItemDelegate.h"

#include <QComboBox>
#include <QLineEdit>

#include "ui/GridTableModel.h"
#include "ui/GuiLanguage.h"

namespace vantrel::ui {

namespace {
// The editor of a drop-down cell. It remembers whether the user picked an
// entry: only a picked entry is committed. Leaving the list by Tab, Return or
// a click elsewhere commits nothing, so a stored code that the list does not
// offer as such (a deg axis shown as "mm", a home direction of 2 shown as
// "CW") is kept as it is, as leaving a text cell unchanged keeps its value.
class ChoiceEditor : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool chosen = false;
};
}  // namespace

GridItemDelegate::GridItemDelegate(GridTableModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const int row = model_.gridRow(index);
    const int column = model_.gridColumn(index);
    if (model_.grid().cellKind(row, column) == CellKind::DropDown) {
        auto* box = new ChoiceEditor(parent);
        box->setFrame(false);
        addCoreChoices(*box, model_.grid().choices(row, column));
        auto* self = const_cast<GridItemDelegate*>(this);
        connect(box, &QComboBox::activated, self, [self, box] {
            box->chosen = true;
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
    if (auto* box = dynamic_cast<ChoiceEditor*>(editor)) {
        // A text the list does not hold is shown as it is, with no entry picked.
        const int at = box->findData(text);
        box->setPlaceholderText(at < 0 ? coreText(text.toStdString()) : QString());
        box->setCurrentIndex(at);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void GridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* box = dynamic_cast<ChoiceEditor*>(editor)) {
        if (!box->chosen) return;
        box->chosen = false;  // one pick, one commit
        model->setData(index, box->currentData(), Qt::EditRole);  // the core's own text
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
