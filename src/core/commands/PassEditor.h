#pragma once

// Pass "軸PASS" (5): "ON" / "OFF" and, per axis, a box and a distance in "mm",
// clamped silently to 0.00 .. 999.99 and stored x 100 in the entry's
// position. OFF disables the axis controls.

#include <array>
#include <string>

#include "commands/PulseAxisEditor.h"

namespace vantrel {

class PassEditor : public PulseAxisEditor {
public:
    PassEditor(const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    std::string title() const override;
    // ON needs an axis; then the distance of each checked axis must be a
    // number ("数字を入力してください"), which is clamped without a message.
    EditorResult accept() override;

    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }
    bool axisControlsEnabled() const { return on_; }

    const std::string& distanceText(int axis) const;
    void setDistanceText(int axis, std::string text);
    static std::string distanceUnit() { return "mm"; }

private:
    bool on_ = true;
    std::array<std::string, kPulseAxisCount> distances_;
};

}  // namespace vantrel
