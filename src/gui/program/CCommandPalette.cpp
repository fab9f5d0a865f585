#include "program/CCommandPalette.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/CWindowPlacer.h"
#include "ui/GuiLanguage.h"
#include "ui/Utf8Text.h"

namespace vantrel {

namespace {

template <class Page>
CProgramCmdPage* makePage(const CProgramCmdPage::Available& available, QWidget* parent) {
    return new Page(available, parent);
}

}  // namespace

CCommandPalette::CCommandPalette(const CProgramCmdPage::Available& available, QWidget* parent)
    : QWidget(parent, CWindowPlacer::frameFlags(Qt::Tool)) {
    setWindowTitle(tr("コマンドテーブル"));
    // Its own place is x = 1024 - its width, y = 50 on the screen; where that
    // would cover the step table, the nearest place that does not.
    new CWindowPlacer(this, [](const QRect& screen, const QSize& frame) {
        return screen.topLeft() + QPoint(1024 - frame.width(), 50);
    });
    controls_ = new QWidget(this);
    auto* pageRow = new QHBoxLayout;
    auto* pageGroup = new QButtonGroup(this);
    stack_ = new QStackedWidget(controls_);
    pages_ = {makePage<CProgramCmdT1>(available, stack_), makePage<CProgramCmdT2>(available, stack_),
              makePage<CProgramCmdT3>(available, stack_), makePage<CProgramCmdT4>(available, stack_),
              makePage<CProgramCmdT5>(available, stack_)};
    for (int i = 0; i < kPageCount; ++i) {
        auto* button = new QPushButton(ui::coreText(palettePages()[static_cast<std::size_t>(i)]), controls_);
        button->setCheckable(true);
        pageGroup->addButton(button, i);
        pageRow->addWidget(button);
        pageButtons_[static_cast<std::size_t>(i)] = button;
        stack_->addWidget(pages_[static_cast<std::size_t>(i)]);
        connect(pages_[static_cast<std::size_t>(i)], &CProgramCmdPage::entryPressed, this, &CCommandPalette::entryPressed);
    }
    connect(pageGroup, &QButtonGroup::idClicked, this, &CCommandPalette::showPage);

    delete_ = new QPushButton(tr("削除"), controls_);
    comment_ = new QPushButton(tr("コメント入力"), controls_);
    connect(delete_, &QPushButton::clicked, this, &CCommandPalette::deletePressed);
    connect(comment_, &QPushButton::clicked, this, &CCommandPalette::commentPressed);
    auto* editRow = new QHBoxLayout;
    editRow->addStretch(1);
    editRow->addWidget(delete_);
    editRow->addWidget(comment_);

    auto* controlsLayout = new QVBoxLayout(controls_);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->addLayout(pageRow);
    controlsLayout->addWidget(stack_, 1);
    controlsLayout->addLayout(editRow);
    // While the controller runs, the buttons are hidden; an empty window would
    // look broken, so it says why.
    notEditing_ =
        new QLabel(tr("実行中はコマンドを入力できません。\n編集テストモードに切り替えると入力できます。"), this);
    notEditing_->setAlignment(Qt::AlignCenter);
    notEditing_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls_);
    layout->addWidget(notEditing_);
    showPage(0);
}

void CCommandPalette::open() {
    if (!isVisible()) showPage(0);
    CWindowPlacer::showInFront(this);
}

void CCommandPalette::setEditing(bool editing) {
    controls_->setVisible(editing);
    notEditing_->setVisible(!editing);
}

void CCommandPalette::showPage(int page) {
    if (page < 0 || page >= kPageCount) return;
    stack_->setCurrentIndex(page);
    pageButtons_[static_cast<std::size_t>(page)]->setChecked(true);
}

int CCommandPalette::currentPage() const { return stack_->currentIndex(); }

CProgramCmdPage* CCommandPalette::page(int index) const {
    return index >= 0 && index < kPageCount ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

CProgramCmdPage* CCommandPalette::page(std::string_view name) const {
    for (CProgramCmdPage* candidate : pages_)
        if (candidate->page() == name) return candidate;
    return nullptr;
}

QPushButton* CCommandPalette::pageButton(int index) const {
    return index >= 0 && index < kPageCount ? pageButtons_[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace vantrel
