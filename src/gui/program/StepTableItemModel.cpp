#include "program/StepTableItemModel.h"

#include <QBrush>
#include <QColor>

#include "ui/GuiLanguage.h"
#include "ui/Utf8Text.h"

namespace vantrel {

namespace {
constexpr int kCommandColumn = 2;  // "Step", "Label", the command, its operand, the comment
}  // namespace

void StepTableItemModel::fill(const CurrentProgram& program, const SettingsImage& image,
                              const ProgramDirectory& directory, const RowHighlightState& highlights) {
    beginResetModel();
    table_.setListingWords(listingWordsIn(ui::guiLanguage()));
    table_.fill(program, image, directory);
    // The command's name is the system's own word; the rest is numbers and the user's text.
    commands_.clear();
    for (int row = 0; row < table_.rowCount(); ++row) commands_ << ui::coreText(table_.text(row, kCommandColumn));
    table_.setHighlights(highlights);
    endResetModel();
}

void StepTableItemModel::setHighlights(const RowHighlightState& highlights) {
    const int rows = rowCount();
    std::vector<RowHighlight> before;
    before.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) before.push_back(table_.highlight(row));
    table_.setHighlights(highlights);
    for (int row = 0; row < rows; ++row)
        if (table_.highlight(row) != before[static_cast<std::size_t>(row)]) rowChanged(row);
}

void StepTableItemModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kStepColumnCount - 1),
                     {Qt::BackgroundRole, Qt::ForegroundRole, kRunningStepRole});
}

int StepTableItemModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.rowCount(); }

int StepTableItemModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kStepColumnCount; }

QVariant StepTableItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == kCommandColumn ? commands_.value(index.row())
                                                : fromUtf8(table_.text(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return StepTableModel::alignment(index.column()) == StepTableModel::Alignment::Centre
                   ? QVariant(Qt::AlignCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        switch (table_.highlight(index.row())) {
        case RowHighlight::RunningStep: return QBrush(QColor(255, 255, 0));
        case RowHighlight::CompileError: return QBrush(QColor(255, 0, 0));
        case RowHighlight::LastStored: return QBrush(QColor(0, 255, 0));
        case RowHighlight::None: return {};
        }
        return {};
    case Qt::ForegroundRole:
        switch (table_.highlight(index.row())) {
        case RowHighlight::CompileError: return QBrush(Qt::white);
        case RowHighlight::RunningStep:
        case RowHighlight::LastStored: return QBrush(Qt::black);
        case RowHighlight::None: return {};
        }
        return {};
    case kRunningStepRole: return table_.highlight(index.row()) == RowHighlight::RunningStep;
    default: return {};
    }
}

QVariant StepTableItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return ui::coreText(StepTableModel::header(section));
}

}  // namespace vantrel
