#pragma once

// Shift "シフト演算" (47): "シフト1" / "シフト2", "ON" / "OFF", a drop-down
// "ポイントNo.：" of the shift points "081" .. "095" and per axis a position
// field "軸1：" .. "軸4：" showing the chosen point's positions. ON writes the
// four positions into the point; OFF names no point and writes nothing, so the
// point and position fields are only enabled (and only checked) for ON.

#include <array>
#include <string>

#include "commands/ChoiceList.h"
#include "commands/CommandEditor.h"
#include "commands/PulseAxisEditor.h"
#include "data/SettingsImage.h"

namespace vantrel {

class ShiftEditor : public CommandEditor {
public:
    ShiftEditor(const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    std::string title() const override;
    // ON: the four positions, checked as positions of their axes.
    EditorResult accept() override;

    bool secondShift() const { return secondShift_; }
    void setSecondShift(bool second) { secondShift_ = second; }
    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }
    bool pointControlsEnabled() const { return on_; }

    const ChoiceList& pointChoices() const { return points_; }
    void choosePoint(int index);

    static std::string axisLabel(int axis);  // "軸1：" .. "軸4："
    const std::string& positionText(int axis) const;
    void setPositionText(int axis, std::string text);
    std::string unitText(int axis) const { return pulseAxisUnitText(image_, axis); }
    std::string positionHint(int axis) const;

private:
    std::uint8_t positionUnit(int axis) const;
    void showPoint();

    const SettingsImage& image_;
    bool secondShift_ = false;
    bool on_ = true;
    ChoiceList points_;
    std::array<std::string, kPulseAxisCount> positions_;
};

}  // namespace vantrel
