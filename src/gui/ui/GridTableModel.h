#pragma once

#include <QAbstractTableModel>

#include "data/EditRecorder.h"
#include "ui/GridModel.h"

namespace vantrel::ui {

// Adapts a GridModel to Qt's item views. The grid's first header row and first
// label column become the view's header sections (so they never scroll); the
// remaining cells are the body. Every query goes to the GridModel, so nothing
// is copied and a table of thousands of rows costs nothing until it is drawn.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridTableModel(GridModel& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Hands the text to the grid's commit rule; a refusal is reported through
    // `refused` (queued by the view, so no box opens while the editor closes),
    // a value stored other than typed (clamped) through `noted`.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    GridModel& grid() const { return grid_; }
    int gridRow(const QModelIndex& index) const { return index.row() + 1; }
    int gridColumn(const QModelIndex& index) const { return index.column() + 1; }
    // The whole table was changed behind the model's back (a read, a file).
    void refreshAll();
    // Each commit becomes one undoable edit named after its cell, made at
    // `place` with the cell's row and column.
    void setEditRecorder(EditRecorder* recorder, const EditPlace& place) {
        recorder_ = recorder;
        place_ = place;
    }

signals:
    // `note`: the range the cell takes, shown beside the message.
    void refused(const QString& text, const QString& title, int icon, const QString& note);
    void noted(const QString& note);

private:
    GridModel& grid_;
    EditRecorder* recorder_ = nullptr;
    EditPlace place_;
};

}  // namespace vantrel::ui
