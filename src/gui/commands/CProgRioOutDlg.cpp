#include "commands/CProgRioOutDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vantrel {

CProgRioOutDlg::CProgRioOutDlg(OutputEditor editor, QWidget* parent) : CProgOutDlg(std::move(editor), parent) {
    axis_ = new QComboBox(this);
    fix_ = newButton(tr("軸確定"));
    bindChoice(axis_, [this](int index) { editor_.chooseAxis(index); });
    connect(fix_, &QPushButton::clicked, this, [this] {
        editor_.fixAxis();
        modelChanged();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("軸No.："), this));
    row->addWidget(axis_);
    row->addWidget(fix_);
    row->addStretch(1);
    addTopRow(row);
    modelChanged();
}

void CProgRioOutDlg::showModel() {
    CProgOutDlg::showModel();
    showChoices(axis_, editor_.axisChoices());
    axis_->setEnabled(editor_.axisChoiceEnabled());
    fix_->setEnabled(editor_.fixAxisEnabled());
}

}  // namespace vantrel
