#pragma once

#include <string>
#include <utility>
#include <vector>

#include <QWidget>

#include "commands/IoSymbolList.h"

class QButtonGroup;
class QHBoxLayout;
class QTabBar;
class QTableWidget;

namespace vantrel {

// The symbol list of the I/O, timer, counter and memory editors: the
// categories as radio buttons (hidden for a list of one category), the
// category's sub-pages as tabs ("T1～T20" ...; hidden when it has none) and
// the rows of the page in the columns "記号" and "名称". It only shows an
// IoSymbolList and reports what the user picks; the dialog tells the model
// and calls showList() again.
class CIoSymbolPicker : public QWidget {
    Q_OBJECT
public:
    explicit CIoSymbolPicker(QWidget* parent = nullptr);

    // Rebuilds the controls from the list (categories and pages only when
    // they changed, so a click keeps its focus).
    void showList(const IoSymbolList& list);

    QTableWidget* table() const { return table_; }
    QTabBar* pages() const { return pages_; }
    QButtonGroup* categories() const { return categories_; }
    // Where a dialog puts controls to the right of the sub-pages ("軸No.：").
    QHBoxLayout* pageRow() const { return pageRow_; }

signals:
    void categoryChosen(int index);
    void pageChosen(int index);
    void rowChosen(int row);
    void rowDoubleClicked(int row);

private:
    QWidget* categoryRow_ = nullptr;
    QButtonGroup* categories_ = nullptr;
    QTabBar* pages_ = nullptr;
    QHBoxLayout* pageRow_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<std::string> shownCategories_;
    std::vector<std::string> shownPages_;
    std::vector<std::pair<std::string, std::string>> shownRows_;
    bool showing_ = false;
};

}  // namespace vantrel
