#include "commands/CIoSymbolPicker.h"

#include <algorithm>

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/Utf8Text.h"

namespace vantrel {

namespace {
constexpr int kSymbolWidth = 50;
constexpr int kNameWidth = 150;
constexpr int kVisibleRows = 12;
}  // namespace

CIoSymbolPicker::CIoSymbolPicker(QWidget* parent) : QWidget(parent) {
    categoryRow_ = new QWidget(this);
    auto* categoryLayout = new QHBoxLayout(categoryRow_);
    categoryLayout->setContentsMargins(0, 0, 0, 0);
    categoryLayout->addStretch(1);
    categories_ = new QButtonGroup(this);
    connect(categories_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!showing_) emit categoryChosen(id);
    });

    pages_ = new QTabBar(this);
    pages_->setExpanding(false);
    pages_->setDrawBase(false);
    connect(pages_, &QTabBar::currentChanged, this, [this](int index) {
        if (!showing_ && index >= 0) emit pageChosen(index);
    });
    pageRow_ = new QHBoxLayout;
    pageRow_->addWidget(pages_);
    pageRow_->addStretch(1);

    table_ = new QTableWidget(0, 2, this);
    table_->setHorizontalHeaderLabels({fromUtf8(kSymbolColumn), fromUtf8(kNameColumn)});
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    // "記号" 50 wide and "名称" 150, or wider where the font needs it.
    const int symbolWidth = std::max(kSymbolWidth, table_->fontMetrics().horizontalAdvance(QStringLiteral("DARST16")) + 12);
    table_->setColumnWidth(0, symbolWidth);
    table_->setColumnWidth(1, kNameWidth);
    table_->setFixedWidth(symbolWidth + kNameWidth + table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth());
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                           kVisibleRows * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth());
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!showing_ && row >= 0 && row != previous) emit rowChosen(row);
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { emit rowDoubleClicked(row); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(categoryRow_);
    layout->addLayout(pageRow_);
    layout->addWidget(table_);
}

void CIoSymbolPicker::showList(const IoSymbolList& list) {
    showing_ = true;
    const std::vector<std::string> categories = list.categoryNames();
    if (categories != shownCategories_) {
        shownCategories_ = categories;
        for (QAbstractButton* button : categories_->buttons()) {
            categories_->removeButton(button);
            delete button;
        }
        auto* row = static_cast<QHBoxLayout*>(categoryRow_->layout());
        for (std::size_t i = 0; i < categories.size(); ++i) {
            auto* button = new QRadioButton(fromUtf8(categories[i]), categoryRow_);
            categories_->addButton(button, static_cast<int>(i));
            row->insertWidget(static_cast<int>(i), button);
        }
    }
    categoryRow_->setVisible(categories.size() > 1);
    if (QAbstractButton* chosen = categories_->button(list.category())) chosen->setChecked(true);

    const std::vector<std::string> pages = list.pageNames();
    if (pages != shownPages_) {
        shownPages_ = pages;
        while (pages_->count() > 0) pages_->removeTab(0);
        for (const std::string& page : pages) pages_->addTab(fromUtf8(page));
    }
    pages_->setVisible(!pages.empty());
    if (!pages.empty()) pages_->setCurrentIndex(list.page());

    std::vector<std::pair<std::string, std::string>> rows;
    for (int row = 0; row < list.rowCount(); ++row) rows.emplace_back(list.symbolText(row), list.nameText(row));
    if (rows != shownRows_) {
        shownRows_ = rows;
        table_->setRowCount(static_cast<int>(rows.size()));
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            auto* symbol = new QTableWidgetItem(fromUtf8(rows[static_cast<std::size_t>(row)].first));
            symbol->setTextAlignment(Qt::AlignCenter);
            table_->setItem(row, 0, symbol);
            table_->setItem(row, 1, new QTableWidgetItem(fromUtf8(rows[static_cast<std::size_t>(row)].second)));
        }
    }
    const int chosen = list.chosenRow();
    if (chosen >= 0 && chosen < table_->rowCount()) {
        table_->setCurrentCell(chosen, 0);
        table_->selectRow(chosen);
    } else {
        table_->setCurrentCell(-1, -1);
        table_->clearSelection();
    }
    showing_ = false;
}

}  // namespace vantrel
