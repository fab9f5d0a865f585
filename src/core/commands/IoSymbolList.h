#pragma once

// The symbol list of the I/O, timer, counter and memory editors: one group of
// the I/O names tables at a time, chosen through a category and a sub-page,
// shown as the columns "記号" (symbol) and "名称" (name). A page shows at most
// 20 rows (16 for remote I/O), from its first entry up to the first entry
// whose symbol is empty. The timer and memory groups are split into pages of
// 20 entries ("T1～T20" .. "T81～T100", "M1～M20" .. "M81～M96"); the entry of a
// row is the page's first entry + the row.

#include <string>
#include <string_view>
#include <vector>

#include "program/IoNames.h"

namespace vantrel {

inline constexpr std::string_view kSymbolColumn = "記号";
inline constexpr std::string_view kNameColumn = "名称";

struct IoSymbolPage {
    std::string_view name;  // the sub-page's caption; empty when its category has no sub-pages
    int group = 0;
    int first = 0;          // entry of row 0
    int maxRows = 20;
    bool networkAxis = false;  // remote I/O: the symbols name a network driver ("軸No.：")
};

struct IoSymbolCategory {
    std::string_view name;  // empty for a list without categories
    std::vector<IoSymbolPage> pages;
};

// "T1～T20" .. "T81～T100" of a timer group.
std::vector<IoSymbolPage> timerPages(int group);
// "M1～M20" .. "M81～M96" of a memory group.
std::vector<IoSymbolPage> memoryPages(int group);

class IoSymbolList {
public:
    // `categories` must not be empty, nor any category's pages.
    IoSymbolList(const IoNames& names, std::vector<IoSymbolCategory> categories);

    std::vector<std::string> categoryNames() const;
    int category() const { return category_; }
    // Shows the category's first page; no row is chosen.
    void chooseCategory(int index);

    // The sub-pages of the category; empty when it has a single page without a name.
    std::vector<std::string> pageNames() const;
    int page() const { return page_; }
    // Shows another page of the category; no row is chosen.
    void choosePage(int index);
    const IoSymbolPage& currentPage() const;

    // The rows shown: display (UTF-8) texts of each row's symbol and name.
    int rowCount() const;
    std::string symbolText(int row) const;
    std::string nameText(int row) const;

    // The row chosen on the page, -1 for none. A row past the rows shown may be
    // chosen when a stored step names an entry the tables leave empty; its
    // symbol is then empty.
    int chosenRow() const { return row_; }
    void chooseRow(int row);
    // The entry of the chosen row in its group, -1 for none.
    int chosenEntry() const;
    // The chosen row's symbol as the program text holds it (CP932); empty for
    // none or an empty entry.
    std::string_view chosenSymbol() const;
    // Shows the page of the current category that holds `entry` and chooses
    // its row; nothing is chosen when no page holds it.
    void chooseEntry(int entry);

private:
    const IoNames& names_;
    std::vector<IoSymbolCategory> categories_;
    int category_ = 0;
    int page_ = 0;
    int row_ = -1;
};

}  // namespace vantrel
