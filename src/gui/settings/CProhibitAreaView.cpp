#include "settings/CProhibitAreaView.h"

#include <memory>

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/NavigationEntries.h"
#include "data/EditGroup.h"
#include "ui/CGridView.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {

CProhibitAreaView::CProhibitAreaView(SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : QWidget(parent), recorder_(sink ? sink->editRecorder() : nullptr) {
    movable_ = new ui::CGridView(std::make_unique<ProhibitAreaModel>(image, sink, Page::MovableRange), this);
    auto prohibited = std::make_unique<ProhibitAreaModel>(image, sink, Page::ProhibitedAreas);
    prohibitedModel_ = prohibited.get();
    prohibited_ = new ui::CGridView(std::move(prohibited), this);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(movable_);
    pages_->addWidget(prohibited_);
    // The page may also be chosen from outside (an undone edit shows its cell).
    connect(pages_, &QStackedWidget::currentChanged, this, [this] { pageButton(currentPage())->setChecked(true); });

    auto* buttons = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    movableButton_ = new QPushButton(ui::coreText(ProhibitAreaModel::pageButtonText(Page::MovableRange)), this);
    prohibitedButton_ = new QPushButton(ui::coreText(ProhibitAreaModel::pageButtonText(Page::ProhibitedAreas)), this);
    for (QPushButton* button : {movableButton_, prohibitedButton_}) {
        button->setCheckable(true);
        group->addButton(button);
        buttons->addWidget(button);
    }
    connect(movableButton_, &QPushButton::clicked, this, [this] { showPage(Page::MovableRange); });
    connect(prohibitedButton_, &QPushButton::clicked, this, [this] { showPage(Page::ProhibitedAreas); });
    buttons->addSpacing(24);
    for (int area = 1; area <= layout::kProhibitedAreaCount; ++area) {
        auto* button = new QPushButton(ui::coreText(ProhibitAreaModel::clearButtonText(area)), this);
        connect(button, &QPushButton::clicked, this, [this, area] { clearArea(area); });
        clearButtons_[area - 1] = button;
        buttons->addWidget(button);
    }
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(pages_, 1);
    showPage(Page::MovableRange);
}

void CProhibitAreaView::showPage(Page page) {
    pages_->setCurrentWidget(grid(page));
    pageButton(page)->setChecked(true);
}

CProhibitAreaView::Page CProhibitAreaView::currentPage() const {
    return pages_->currentWidget() == movable_ ? Page::MovableRange : Page::ProhibitedAreas;
}

void CProhibitAreaView::clearArea(int area) {
    // Undone, the area's first cell on the prohibited-areas page (the second table) is shown.
    EditGroup group(recorder_, {}, EditPlace::cell(static_cast<int>(ViewKind::MovableRangeAndAreas), 1, 1, area));
    const bool cleared = prohibitedModel_->clearArea(area, [this](const Refusal& question) { return ui::askYesNo(this, question); });
    if (cleared) prohibited_->refresh();
}

}  // namespace vantrel
