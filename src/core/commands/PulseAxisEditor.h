#pragma once

// What the pulse-train axis forms share: the check boxes "軸1" .. "軸4" (axis
// index 0..3), each axis's position unit from the settings image with the unit
// label and tool tip of its position fields, and the speed tool tip.

#include <array>
#include <string>

#include "commands/CommandEditor.h"
#include "data/SettingsImage.h"

namespace vantrel {

inline constexpr int kPulseAxisCount = 4;

// "軸1" .. "軸4".
std::string pulseAxisName(int axis);
// The unit label beside a position field of the axis: "mm", "deg" or "step".
std::string pulseAxisUnitText(const SettingsImage& image, int axis);

class PulseAxisEditor : public CommandEditor {
public:
    bool axisChecked(int axis) const;
    virtual void setAxisChecked(int axis, bool checked);
    int checkedCount() const;

    std::string unitText(int axis) const { return pulseAxisUnitText(image_, axis); }
    // Tool tips of a position field and of a speed field.
    std::string positionHint(int axis) const;
    static std::string speedHint();

protected:
    // The boxes start from the record's `selected` bytes of axes 1..4.
    PulseAxisEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    const SettingsImage& image() const { return image_; }
    std::uint8_t positionUnit(int axis) const;
    // "軸を選択してください" when no box is checked.
    MaybeRefusal checkAnyAxis() const;
    // Copies the boxes into `selected` of entries 0..3.
    void copyChecks(CommandEditRecord& record) const;

    std::array<bool, kPulseAxisCount> checked_{};

private:
    const SettingsImage& image_;
};

}  // namespace vantrel
