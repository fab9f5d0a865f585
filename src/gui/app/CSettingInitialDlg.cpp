#include "app/CSettingInitialDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vantrel {

CSettingInitialDlg::CSettingInitialDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("設定初期化"));
    all_ = new QRadioButton(tr("すべて"));
    selected_ = new QRadioButton(tr("選択"));
    axisOnly_ = new QRadioButton(tr("軸設定のみ"));
    parametersOnly_ = new QRadioButton(tr("パラメータのみ"));
    // Two independent groups: the upper pair and the lower pair.
    auto* upper = new QButtonGroup(this);
    upper->addButton(all_);
    upper->addButton(selected_);
    auto* lower = new QButtonGroup(this);
    lower->addButton(axisOnly_);
    lower->addButton(parametersOnly_);

    auto* group = new QGroupBox(tr("初期化項目"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(all_);
    groupLayout->addWidget(selected_);
    auto* lowerBox = new QVBoxLayout;
    lowerBox->setContentsMargins(24, 0, 0, 0);
    lowerBox->addWidget(axisOnly_);
    lowerBox->addWidget(parametersOnly_);
    groupLayout->addLayout(lowerBox);

    connect(all_, &QRadioButton::clicked, this, [this] { choice_.chooseAll(); showChoice(); });
    connect(selected_, &QRadioButton::clicked, this, [this] { choice_.chooseSelected(); showChoice(); });
    connect(axisOnly_, &QRadioButton::clicked, this, [this] { choice_.chooseAxisSettingsOnly(); showChoice(); });
    connect(parametersOnly_, &QRadioButton::clicked, this, [this] { choice_.chooseParametersOnly(); showChoice(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("設定を初期化します"), this));
    layout->addWidget(group);
    layout->addWidget(buttons);
    showChoice();
}

void CSettingInitialDlg::showChoice() {
    all_->setChecked(choice_.isAll());
    selected_->setChecked(!choice_.isAll());
    axisOnly_->setChecked(choice_.isAxisSettingsOnly());
    parametersOnly_->setChecked(!choice_.isAxisSettingsOnly());
    axisOnly_->setEnabled(choice_.lowerButtonsEnabled());
    parametersOnly_->setEnabled(choice_.lowerButtonsEnabled());
}

}  // namespace vantrel
