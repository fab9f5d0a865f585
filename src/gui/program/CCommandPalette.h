#pragma once

#include <array>

#include <QWidget>

#include "program/PaletteButton.h"

#include "program/CProgramCmdPage.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace vantrel {

// The palette window "コマンドテーブル": five page buttons in a row, one page
// shown at a time (the first when it opens), and the buttons "削除" and
// "コメント入力". It is a tool window of the program view: it can be closed
// and is shown again by "テーブル再表示" or a double-click. In the run modes
// its buttons and pages are hidden.
class CCommandPalette : public QWidget {
    Q_OBJECT
public:
    CCommandPalette(const CProgramCmdPage::Available& available, QWidget* parent);

    // Shows the window in front (the first time beside the step table).
    void open();
    void setEditing(bool editing);
    void showPage(int page);
    int currentPage() const;

    // Page 0..4 ("軸動作(ﾊﾟﾙｽ列)" .. "その他").
    CProgramCmdPage* page(int index) const;
    // The page that holds the button of a page name, or null.
    CProgramCmdPage* page(std::string_view name) const;
    QPushButton* pageButton(int index) const;
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* commentButton() const { return comment_; }

signals:
    void entryPressed(int index);  // index into paletteCatalogue()
    void deletePressed();
    void commentPressed();

private:
    static constexpr int kPageCount = 5;
    std::array<QPushButton*, kPageCount> pageButtons_{};
    std::array<CProgramCmdPage*, kPageCount> pages_{};
    QWidget* controls_ = nullptr;
    QLabel* notEditing_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* comment_ = nullptr;
};

}  // namespace vantrel
