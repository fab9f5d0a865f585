#pragma once

#include <QDialog>

namespace vantrel {

// The "接続" dialog after a controller in edit-test mode was found: which way
// the settings go.
class CConnectDlg : public QDialog {
    Q_OBJECT
public:
    enum Direction { Cancelled = 0, ControllerToPc = 10, PcToController = 11 };
    explicit CConnectDlg(QWidget* parent = nullptr);
};

}  // namespace vantrel
