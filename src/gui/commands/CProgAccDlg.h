#pragma once

#include <array>

#include "commands/AccelerationEditor.h"
#include "commands/CommandEditorDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace vantrel {

// Acceleration "軸加速度": "ON"/"OFF" and per axis a box, the drop-down of the
// entries "0" .. "25" and beside it the entry's time in "sec".
class CProgAccDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgAccDlg(AccelerationEditor model, QWidget* parent = nullptr);

    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }
    QCheckBox* axisBox(int axis) const { return boxes_[static_cast<std::size_t>(axis)]; }
    QComboBox* entryList(int axis) const { return entries_[static_cast<std::size_t>(axis)]; }
    QLabel* timeLabel(int axis) const { return times_[static_cast<std::size_t>(axis)]; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    AccelerationEditor model_;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
    std::array<QCheckBox*, kPulseAxisCount> boxes_{};
    std::array<QComboBox*, kPulseAxisCount> entries_{};
    std::array<QLabel*, kPulseAxisCount> times_{};
    std::array<QLabel*, kPulseAxisCount> seconds_{};
};

}  // namespace vantrel
