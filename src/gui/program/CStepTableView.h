#pragma once

#include <vector>

#include <QTableView>

namespace vantrel {

// The step table's view: whole rows are selected (several with Ctrl and
// Shift), grid lines drawn. Keys and mouse become requests the program view
// acts on: Delete deletes the selected rows, Enter edits the current step as
// a double-click does, Ctrl+C / Ctrl+V copy and paste steps, and a right click
// opens the menu "コピー(&C)" / "貼り付け(&P)" when `menuEnabled` says so.
class CStepTableView : public QTableView {
    Q_OBJECT
public:
    explicit CStepTableView(QWidget* parent = nullptr);

    // Selected rows, ascending.
    std::vector<int> selectedRowNumbers() const;
    // Selects one row and makes it current (nothing for -1).
    void selectSingleRow(int row);
    void setMenuEnabled(bool enabled) { menuEnabled_ = enabled; }

signals:
    void editRequested(int row);
    void deleteRequested();
    void copyRequested();
    void pasteRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool menuEnabled_ = true;
};

}  // namespace vantrel
