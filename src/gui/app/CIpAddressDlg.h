#pragma once

#include <array>

#include <QDialog>

#include "app/EthernetAddressEdit.h"

class QLineEdit;
class QSpinBox;

namespace vantrel {

// The controller's Ethernet address: three IPv4 addresses and the port
// number. OK is refused, with its message, while the port number is out of
// range.
class CIpAddressDlg : public QDialog {
    Q_OBJECT
public:
    CIpAddressDlg(const EthernetAddressValues& values, QWidget* parent = nullptr);
    EthernetAddressValues values() const { return values_; }
    QLineEdit* portField() const { return port_; }

    void accept() override;

private:
    using AddressFields = std::array<QSpinBox*, 4>;
    QWidget* addressRow(AddressFields& fields, const EthernetAddressValues::Address& value);
    static EthernetAddressValues::Address read(const AddressFields& fields);

    EthernetAddressValues values_;
    AddressFields ip_{}, mask_{}, gateway_{};
    QLineEdit* port_ = nullptr;
};

}  // namespace vantrel
