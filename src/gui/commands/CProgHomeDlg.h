#pragma once

#include <array>

#include "commands/CommandEditorDialog.h"
#include "commands/HomeEditor.h"

class QCheckBox;
class QLineEdit;

namespace vantrel {

// Home "原点復帰": per axis a box and the homing speed "速度" in "％".
class CProgHomeDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgHomeDlg(HomeEditor model, QWidget* parent = nullptr);

    QCheckBox* axisBox(int axis) const { return boxes_[static_cast<std::size_t>(axis)]; }
    QLineEdit* speedField(int axis) const { return speeds_[static_cast<std::size_t>(axis)]; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    HomeEditor model_;
    std::array<QCheckBox*, kPulseAxisCount> boxes_{};
    std::array<QLineEdit*, kPulseAxisCount> speeds_{};
};

}  // namespace vantrel
