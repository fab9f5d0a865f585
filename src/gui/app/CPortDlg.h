#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QComboBox;

namespace vantrel {

// The port choice: the names of the serial devices that opened, the
// configured one preselected.
class CPortDlg : public QDialog {
    Q_OBJECT
public:
    CPortDlg(const std::vector<std::string>& names, const std::string& current, QWidget* parent = nullptr);
    std::string chosenName() const;

private:
    QComboBox* names_ = nullptr;
};

}  // namespace vantrel
