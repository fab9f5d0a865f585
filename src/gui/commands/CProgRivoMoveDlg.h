#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/NetworkMoveEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace vantrel {

// Network move "軸移動(RIVO)": the drop-downs "軸No.：" and "ポイントNo.：" and,
// read-only, the chosen point's data from the network point table.
class CProgRivoMoveDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgRivoMoveDlg(NetworkMoveEditor model, QWidget* parent = nullptr);

    QComboBox* axisList() const { return axes_; }
    QComboBox* pointList() const { return points_; }
    QLineEdit* modeField() const { return mode_; }
    QLineEdit* positionField() const { return position_; }
    QLineEdit* speedField() const { return speed_; }
    QLineEdit* accelTimeField() const { return accel_; }
    QLineEdit* decelTimeField() const { return decel_; }
    QLabel* positionUnitLabel() const { return positionUnit_; }
    QLabel* speedUnitLabel() const { return speedUnit_; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    NetworkMoveEditor model_;
    QComboBox* axes_ = nullptr;
    QComboBox* points_ = nullptr;
    QLineEdit* mode_ = nullptr;
    QLineEdit* position_ = nullptr;
    QLineEdit* speed_ = nullptr;
    QLineEdit* accel_ = nullptr;
    QLineEdit* decel_ = nullptr;
    QLabel* positionUnit_ = nullptr;
    QLabel* speedUnit_ = nullptr;
};

}  // namespace vantrel
