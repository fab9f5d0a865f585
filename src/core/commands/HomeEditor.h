#pragma once

// Home "原点復帰" (2 wait, 3 no wait): the axis boxes and, per axis, the
// homing speed "速度" in percent, which is the speed of the axis's homing
// record (position index 252), shown as it is stored. OK takes the typed
// speed of each checked axis (1..100); an unchecked axis keeps its homing
// speed, so OK never changes the speed of an axis the step does not home.

#include <array>
#include <string>

#include "commands/PulseAxisEditor.h"

namespace vantrel {

class HomeEditor : public PulseAxisEditor {
public:
    static bool handles(int code);
    HomeEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    std::string title() const override;
    // Axes, then the speeds of the checked axes.
    EditorResult accept() override;

    const std::string& speedText(int axis) const;
    void setSpeedText(int axis, std::string text);

private:
    std::int32_t storedSpeed(int axis) const;
    std::array<std::string, kPulseAxisCount> speeds_;
};

}  // namespace vantrel
