#pragma once

#include <array>

#include "commands/AxisSelectionEditor.h"
#include "commands/CommandEditorDialog.h"

class QCheckBox;
class QRadioButton;

namespace vantrel {

// The forms of axis boxes only: axis stop "軸停止", excitation "励磁ON/OFF"
// (with "ON"/"OFF"; one axis at a time) and position preset "位置プリセット".
class CProgAxisDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgAxisDlg(AxisSelectionEditor model, QWidget* parent = nullptr);

    QCheckBox* axisBox(int axis) const { return boxes_[static_cast<std::size_t>(axis)]; }
    // Null when the form has no "ON"/"OFF".
    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    AxisSelectionEditor model_;
    std::array<QCheckBox*, kPulseAxisCount> boxes_{};
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
};

}  // namespace vantrel
