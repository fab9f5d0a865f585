#pragma once

#include <array>

#include "commands/CommandEditorDialog.h"
#include "commands/ShiftEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vantrel {

// Shift "シフト演算": "シフト1"/"シフト2", "ON"/"OFF", the shift point
// "ポイントNo.：" and its positions "軸1：" .. "軸4：" with each axis's unit.
class CProgShiftDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgShiftDlg(ShiftEditor model, QWidget* parent = nullptr);

    QRadioButton* firstShiftButton() const { return first_; }
    QRadioButton* secondShiftButton() const { return second_; }
    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }
    QComboBox* pointList() const { return points_; }
    QLineEdit* positionField(int axis) const { return positions_[static_cast<std::size_t>(axis)]; }
    QLabel* unitLabel(int axis) const { return units_[static_cast<std::size_t>(axis)]; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    ShiftEditor model_;
    QRadioButton* first_ = nullptr;
    QRadioButton* second_ = nullptr;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
    QComboBox* points_ = nullptr;
    QLabel* pointLabel_ = nullptr;
    std::array<QLabel*, kPulseAxisCount> axisLabels_{};
    std::array<QLineEdit*, kPulseAxisCount> positions_{};
    std::array<QLabel*, kPulseAxisCount> units_{};
};

}  // namespace vantrel
