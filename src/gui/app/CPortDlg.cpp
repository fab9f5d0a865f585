#include "app/CPortDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

CPortDlg::CPortDlg(const std::vector<std::string>& names, const std::string& current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("通信ポート"));
    names_ = new QComboBox(this);
    for (const auto& name : names) names_->addItem(QString::fromStdString(name));
    const int at = names_->findText(QString::fromStdString(current));
    if (at >= 0) names_->setCurrentIndex(at);
    auto* form = new QFormLayout;
    form->addRow(tr("通信ポート："), names_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!names.empty());
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::string CPortDlg::chosenName() const { return names_->currentText().toStdString(); }

}  // namespace vantrel
