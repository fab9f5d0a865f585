#include "ui/GridTableModel.h"

#include <QBrush>
#include <QColor>

#include "data/EditGroup.h"
#include "undo/CellEditName.h"
#include "ui/GuiLanguage.h"

namespace vantrel::ui {

namespace {
QColor colourOf(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }
}  // namespace

GridTableModel::GridTableModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.rowCount() - 1);
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.columnCount() - 1);
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = gridRow(index);
    const int column = gridColumn(index);
    switch (role) {
    case Qt::DisplayRole: return coreText(grid_.cellText(row, column));
    case Qt::EditRole: return QString::fromStdString(grid_.editText(row, column));
    case Qt::BackgroundRole: return QBrush(colourOf(grid_.backgroundColour(row, column)));
    case Qt::ForegroundRole: return QBrush(Qt::black);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignLeft);
    default: return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return coreText(grid_.cellText(0, section + 1));
    return coreText(grid_.cellText(section + 1, 0));
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.isEditable(gridRow(index), gridColumn(index))) result |= Qt::ItemIsEditable;
    return result;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int row = gridRow(index);
    const int column = gridColumn(index);
    if (!grid_.isEditable(row, column)) return false;
    CellCommit result;
    {
        EditGroup group(recorder_, recorder_ ? cellEditName(grid_, row, column) : std::string(),
                        EditPlace::cell(place_.view, place_.page, row, column));
        result = grid_.commitCell(row, column, value.toString().toStdString());
    }
    // A commit may change other cells of the table too (a unit changes a row).
    refreshAll();
    if (const MaybeRefusal& refusal = result.refusal) {
        // The message box shows the text and title in the window's language.
        emit refused(QString::fromStdString(refusal->text), QString::fromStdString(refusal->title),
                     static_cast<int>(refusal->icon), coreText(refusal->note));
        return false;
    }
    if (const std::string note = result.note(); !note.empty()) emit noted(coreText(note));
    return true;
}

void GridTableModel::refreshAll() {
    if (rowCount() == 0 || columnCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

}  // namespace vantrel::ui
