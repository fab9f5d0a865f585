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

#include "commands/PickList.h"
#include "ui/GuiLanguage.h"
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

    table_ = newPickList(this, ui::coreText(kSymbolColumn), ui::coreText(kNameColumn));
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
            auto* button = new QRadioButton(ui::coreText(categories[i]), categoryRow_);
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
        for (const std::string& page : pages) pages_->addTab(ui::coreText(page));
    }
    pages_->setVisible(!pages.empty());
    if (!pages.empty()) pages_->setCurrentIndex(list.page());

    std::vector<std::pair<std::string, std::string>> rows;
    for (int row = 0; row < list.rowCount(); ++row) rows.emplace_back(list.symbolText(row), list.nameText(row));
    if (rows != shownRows_) {
        shownRows_ = rows;
        std::vector<std::pair<QString, QString>> texts;
        for (const auto& [symbol, name] : rows) texts.emplace_back(fromUtf8(symbol), fromUtf8(name));
        fillPickList(table_, texts);
    }
    showPickedRow(table_, list.chosenRow());
    showing_ = false;
}

}  // namespace vantrel
