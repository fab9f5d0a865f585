#include "app/CStatusPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "ui/GuiLanguage.h"

namespace vantrel {

CStatusPane::CStatusPane(QWidget* parent) : QWidget(parent) {
    const int em = fontMetrics().horizontalAdvance(QStringLiteral("国"));
    link_ = field(em * 5);
    mode_ = field(em * 9);
    down_ = new QToolButton(this);
    down_->setText(QStringLiteral("↓"));
    speed_ = field(em * 3);
    speed_->setAlignment(Qt::AlignCenter);
    up_ = new QToolButton(this);
    up_->setText(QStringLiteral("↑"));
    controller_ = field(em * 8);
    runState_ = field(em * 4);
    alarm_ = field(em * 6);
    connect(down_, &QToolButton::clicked, this, &CStatusPane::speedDownClicked);
    connect(up_, &QToolButton::clicked, this, &CStatusPane::speedUpClicked);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(link_);
    layout->addWidget(mode_);
    layout->addWidget(down_);
    layout->addWidget(speed_);
    layout->addWidget(up_);
    layout->addWidget(controller_);
    layout->addWidget(runState_);
    layout->addWidget(alarm_);
    layout->addStretch(1);
}

QLabel* CStatusPane::field(int minimumWidth) {
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    return label;
}

void CStatusPane::showTexts(const StatusPaneTexts& texts) {
    texts_ = texts;
    link_->setText(ui::coreText(texts.link));
    mode_->setText(ui::coreText(texts.mode));
    speed_->setText(ui::coreText(texts.speed));
    controller_->setText(ui::coreText(texts.controller));
    runState_->setText(ui::coreText(texts.runState));
    alarm_->setText(ui::coreText(texts.alarm));
}

}  // namespace vantrel
