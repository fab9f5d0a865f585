#pragma once

#include "commands/CProgOutDlg.h"

class QComboBox;
class QPushButton;

namespace vantrel {

// The remote I/O write "リモートI/O書込": the output editor over the remote
// outputs of one network driver, chosen in "軸No.：" and fixed with "軸確定"
// before the list and the term buttons unlock.
class CProgRioOutDlg : public CProgOutDlg {
    Q_OBJECT
public:
    CProgRioOutDlg(OutputEditor editor, QWidget* parent = nullptr);

    QComboBox* axisList() const { return axis_; }
    QPushButton* fixAxisButton() const { return fix_; }

protected:
    void showModel() override;

private:
    QComboBox* axis_ = nullptr;
    QPushButton* fix_ = nullptr;
};

}  // namespace vantrel
