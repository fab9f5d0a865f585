#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "program/StepTableModel.h"

namespace vantrel {

// The step table as a Qt model over the core's StepTableModel: five columns
// with their headers and alignment, and the row colours (black on yellow for
// the running step, white on red for the compile error, black on green for
// the step last stored).
class StepTableItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // True on the cells of the running step.
    static constexpr int kRunningStepRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Rebuilds every row (a model reset).
    void fill(const CurrentProgram& program, const SettingsImage& image, const ProgramDirectory& directory,
              const RowHighlightState& highlights);
    // New colours; only the rows whose colour changes are redrawn.
    void setHighlights(const RowHighlightState& highlights);
    const StepTableModel& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void rowChanged(int row);

    StepTableModel table_;
    // The command names in the window's language, one a row, made at the fill
    // so that drawing only looks them up as it does the other cells.
    QStringList commands_;
};

}  // namespace vantrel
