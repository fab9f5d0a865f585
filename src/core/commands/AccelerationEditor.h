#pragma once

// Acceleration "軸加速度" (6): "ON" / "OFF" and, per axis, a box and a
// drop-down of the acceleration entries "0" .. "25" with, beside it in "sec",
// the time the axis parameters hold for the chosen entry. OFF disables the
// axis controls. The chosen entry index goes into the entry's speedRate slot.

#include <array>
#include <string>

#include "commands/ChoiceList.h"
#include "commands/PulseAxisEditor.h"

namespace vantrel {

class AccelerationEditor : public PulseAxisEditor {
public:
    static constexpr int kEntryCount = 26;

    AccelerationEditor(const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    std::string title() const override;
    // ON needs an axis ("軸を選択してください") and a valid entry for each
    // checked axis.
    EditorResult accept() override;

    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }
    bool axisControlsEnabled() const { return on_; }

    // The entries "0" .. "25" and the one chosen for an axis.
    const ChoiceList& entryChoices(int axis) const;
    void chooseEntry(int axis, int index);
    // "%d.%02d" of the axis's acceleration time of its chosen entry (0.01 s);
    // empty for an entry outside 0..25.
    std::string timeText(int axis) const;

private:
    bool on_ = true;
    std::array<ChoiceList, kPulseAxisCount> entries_;
};

}  // namespace vantrel
