#pragma once

#include <array>

#include "commands/CommandEditorDialog.h"
#include "commands/PassEditor.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vantrel {

// Pass "軸PASS": "ON"/"OFF" and per axis a box and the pass distance in "mm".
class CProgPassDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgPassDlg(PassEditor model, QWidget* parent = nullptr);

    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }
    QCheckBox* axisBox(int axis) const { return boxes_[static_cast<std::size_t>(axis)]; }
    QLineEdit* distanceField(int axis) const { return distances_[static_cast<std::size_t>(axis)]; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    PassEditor model_;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
    std::array<QCheckBox*, kPulseAxisCount> boxes_{};
    std::array<QLineEdit*, kPulseAxisCount> distances_{};
    std::array<QLabel*, kPulseAxisCount> units_{};
};

}  // namespace vantrel
