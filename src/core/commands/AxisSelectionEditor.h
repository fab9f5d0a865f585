#pragma once

// The forms of axis boxes only, at least one axis:
//  - axis stop "軸停止" (4), its "ON" / "OFF" pair hidden;
//  - excitation "励磁ON/OFF" (50): the same form with "ON" / "OFF" shown; its
//    boxes are exclusive, so a step always holds exactly one axis;
//  - position preset "位置プリセット" (60): re-opened with the axes whose names
//    "A1" .. "A4" occur in the step's operand.

#include <string>

#include "commands/PulseAxisEditor.h"

namespace vantrel {

class AxisSelectionEditor : public PulseAxisEditor {
public:
    static bool handles(int code);
    AxisSelectionEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    std::string title() const override;
    // "軸を選択してください" without an axis.
    EditorResult accept() override;

    // Excitation: checking an axis clears the other three.
    void setAxisChecked(int axis, bool checked) override;

    bool hasOnOff() const;
    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }

private:
    bool exclusive() const;
    bool on_ = true;
};

}  // namespace vantrel
