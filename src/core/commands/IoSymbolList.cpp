#include "commands/IoSymbolList.h"

#include <array>

#include "platform/AnsiText.h"

namespace vantrel {

namespace {

constexpr int kPageRows = 20;
std::size_t at(int i) { return static_cast<std::size_t>(i); }

template <std::size_t N>
std::vector<IoSymbolPage> pagesOf(const std::array<std::string_view, N>& names, int group) {
    std::vector<IoSymbolPage> pages;
    for (std::size_t i = 0; i < N; ++i) pages.push_back({names[i], group, static_cast<int>(i) * kPageRows});
    return pages;
}

}  // namespace

std::vector<IoSymbolPage> timerPages(int group) {
    static constexpr std::array<std::string_view, 5> names = {"T1～T20", "T21～T40", "T41～T60", "T61～T80", "T81～T100"};
    return pagesOf(names, group);
}

std::vector<IoSymbolPage> memoryPages(int group) {
    static constexpr std::array<std::string_view, 5> names = {"M1～M20", "M21～M40", "M41～M60", "M61～M80", "M81～M96"};
    return pagesOf(names, group);
}

IoSymbolList::IoSymbolList(const IoNames& names, std::vector<IoSymbolCategory> categories)
    : names_(names), categories_(std::move(categories)) {}

std::vector<std::string> IoSymbolList::categoryNames() const {
    std::vector<std::string> out;
    for (const IoSymbolCategory& c : categories_) out.emplace_back(c.name);
    return out;
}

void IoSymbolList::chooseCategory(int index) {
    if (index < 0 || index >= static_cast<int>(categories_.size())) return;
    category_ = index;
    page_ = 0;
    row_ = -1;
}

std::vector<std::string> IoSymbolList::pageNames() const {
    std::vector<std::string> out;
    const auto& pages = categories_[at(category_)].pages;
    if (pages.size() == 1 && pages.front().name.empty()) return out;
    for (const IoSymbolPage& p : pages) out.emplace_back(p.name);
    return out;
}

void IoSymbolList::choosePage(int index) {
    if (index < 0 || index >= static_cast<int>(categories_[at(category_)].pages.size())) return;
    page_ = index;
    row_ = -1;
}

const IoSymbolPage& IoSymbolList::currentPage() const { return categories_[at(category_)].pages[at(page_)]; }

int IoSymbolList::rowCount() const {
    const IoSymbolPage& p = currentPage();
    int rows = 0;
    while (rows < p.maxRows && !names_.symbol(p.group, p.first + rows).empty()) ++rows;
    return rows;
}

std::string IoSymbolList::symbolText(int row) const {
    const IoSymbolPage& p = currentPage();
    return row >= 0 && row < p.maxRows ? ansiToUtf8(names_.symbol(p.group, p.first + row)) : std::string();
}

std::string IoSymbolList::nameText(int row) const {
    const IoSymbolPage& p = currentPage();
    return row >= 0 && row < p.maxRows ? ansiToUtf8(names_.name(p.group, p.first + row)) : std::string();
}

void IoSymbolList::chooseRow(int row) { row_ = row >= 0 && row < currentPage().maxRows ? row : -1; }

int IoSymbolList::chosenEntry() const { return row_ < 0 ? -1 : currentPage().first + row_; }

std::string_view IoSymbolList::chosenSymbol() const {
    if (row_ < 0) return {};
    return names_.symbol(currentPage().group, chosenEntry());
}

void IoSymbolList::chooseEntry(int entry) {
    const auto& pages = categories_[at(category_)].pages;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (entry >= pages[i].first && entry < pages[i].first + pages[i].maxRows) {
            page_ = static_cast<int>(i);
            row_ = entry - pages[i].first;
            return;
        }
    }
    row_ = -1;
}

}  // namespace vantrel
