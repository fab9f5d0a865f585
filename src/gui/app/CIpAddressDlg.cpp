#include "app/CIpAddressDlg.h"

#include <variant>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/MessageBox.h"

namespace vantrel {

CIpAddressDlg::CIpAddressDlg(const EthernetAddressValues& values, QWidget* parent) : QDialog(parent), values_(values) {
    setWindowTitle(tr("Ethernet IPアドレス"));
    port_ = new QLineEdit(QString::number(values.port), this);
    port_->setMaxLength(6);
    auto* form = new QFormLayout;
    form->addRow(tr("IPアドレス："), addressRow(ip_, values.ipAddress));
    form->addRow(tr("サブネットマスク："), addressRow(mask_, values.subnetMask));
    form->addRow(tr("デフォルトゲートウェイ："), addressRow(gateway_, values.gateway));
    form->addRow(tr("ポート番号："), port_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CIpAddressDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QWidget* CIpAddressDlg::addressRow(AddressFields& fields, const EthernetAddressValues::Address& value) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) layout->addWidget(new QLabel(QStringLiteral("."), row));
        fields[i] = new QSpinBox(row);
        fields[i]->setRange(0, 255);
        fields[i]->setButtonSymbols(QAbstractSpinBox::NoButtons);
        fields[i]->setValue(value[i]);
        layout->addWidget(fields[i]);
    }
    return row;
}

EthernetAddressValues::Address CIpAddressDlg::read(const AddressFields& fields) {
    EthernetAddressValues::Address address{};
    for (std::size_t i = 0; i < fields.size(); ++i) address[i] = static_cast<std::uint8_t>(fields[i]->value());
    return address;
}

void CIpAddressDlg::accept() {
    const auto port = parseEthernetPort(port_->text().trimmed().toStdString());
    if (const auto* refusal = std::get_if<Refusal>(&port)) {
        ui::showMessage(this, *refusal);
        port_->setFocus();
        return;
    }
    values_ = {read(ip_), read(mask_), read(gateway_), std::get<std::uint16_t>(port)};
    QDialog::accept();
}

}  // namespace vantrel
