#pragma once

#include <memory>

#include <QList>
#include <QWidget>

class QAbstractButton;
class QTableView;
class QPlainTextEdit;
class QModelIndex;

#include "data/EditRecorder.h"
#include "ui/GridModel.h"

namespace vantrel::ui {

class GridTableModel;
class GridItemDelegate;

// The settings views' table: a fixed header row and label column (its header
// drawn in the corner cell), text and drop-down cells edited in place, grey
// read-only cells, per-cell colours, title tips for cut-off texts, and a help
// pane beside the table that shows the help of the current cell. A refused
// commit shows the core's message and the cell shows the stored value again.
class CGridView : public QWidget {
    Q_OBJECT
public:
    // The view owns the model.
    explicit CGridView(std::unique_ptr<GridModel> model, QWidget* parent = nullptr);
    ~CGridView() override;

    GridModel& model() const { return *grid_; }
    QTableView* table() const { return table_; }
    QString helpText() const;
    // The image changed under the view (an area cleared): redraw every cell from it.
    void refresh();
    // Commits text to a body cell the way the in-place editor does (for
    // keyboard-less use and tests); true when accepted.
    bool commitText(int gridRow, int gridColumn, const QString& text);
    void selectCell(int gridRow, int gridColumn);
    // Selects a cell and brings it into view, with its page when the grid is
    // one page of a stack; a row below 1 only shows the grid.
    void showCell(int gridRow, int gridColumn);
    // Each committed cell becomes one undoable edit, named after the cell and
    // made at `place` (the view and page; the cell is filled in).
    void setEditRecorder(EditRecorder* recorder, const EditPlace& place);
    // The grids of a view in the order they were made (the view itself when
    // it is one): the pages of an edit place.
    static QList<CGridView*> gridsIn(QWidget* view);

private:
    // The help of the cell; `announce`: the user came to it, so a lock note
    // also goes to the status bar.
    void showHelpFor(const QModelIndex& index, bool announce);
    void paintCorner();
    // Widens the label column and the columns whose labels or choices are
    // longer than the widths the grid asks for (English is longer than Japanese).
    void fitWidthsToTexts();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

    std::unique_ptr<GridModel> grid_;
    GridTableModel* tableModel_ = nullptr;
    GridItemDelegate* delegate_ = nullptr;
    QTableView* table_ = nullptr;
    QAbstractButton* corner_ = nullptr;  // the table's corner cell, above the row labels
    QPlainTextEdit* help_ = nullptr;
    QString lockShown_;  // the lock note this view put in the status bar
};

}  // namespace vantrel::ui
