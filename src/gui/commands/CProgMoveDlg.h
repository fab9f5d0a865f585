#pragma once

#include <array>

#include "commands/CommandEditorDialog.h"
#include "commands/MoveEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vantrel {

// The moves with positions: axis move "軸移動", point move "軸移動(ポイント指定)",
// linear "直線補間"/"直線補間C" and arc "円弧補間"/"円弧補間C" interpolation.
// Per axis a box "軸1" .. "軸4", its position field(s) with the axis's unit
// beside them, and a speed in "％" per axis or one "補間速度"; "絶対"/"相対";
// the point move also has the drop-down "ポイントNo.：".
class CProgMoveDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgMoveDlg(MoveEditor model, QWidget* parent = nullptr);

    const MoveEditor& model() const { return model_; }
    QCheckBox* axisBox(int axis) const { return boxes_[static_cast<std::size_t>(axis)]; }
    QLineEdit* positionField(int row, int axis) const { return positions_[static_cast<std::size_t>(row)][static_cast<std::size_t>(axis)]; }
    QLabel* unitLabel(int row, int axis) const { return units_[static_cast<std::size_t>(row)][static_cast<std::size_t>(axis)]; }
    QLineEdit* speedField(int field) const { return speeds_[static_cast<std::size_t>(field)]; }
    QComboBox* pointList() const { return points_; }  // point move only
    QRadioButton* absoluteButton() const { return absolute_; }
    QRadioButton* relativeButton() const { return relative_; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    MoveEditor model_;
    std::array<QCheckBox*, kPulseAxisCount> boxes_{};
    std::array<std::array<QLineEdit*, kPulseAxisCount>, 2> positions_{};
    std::array<std::array<QLabel*, kPulseAxisCount>, 2> units_{};
    std::array<QLineEdit*, kPulseAxisCount> speeds_{};
    QComboBox* points_ = nullptr;
    QRadioButton* absolute_ = nullptr;
    QRadioButton* relative_ = nullptr;
};

}  // namespace vantrel
