#pragma once

// Network move "軸移動(RIVO)" (40 in mode 1, 53 in mode 0): drop-downs
// "軸No.：" ("001" .. "016") and "ポイントNo.：" ("001" .. "064") and, read-only,
// the chosen point's data from the network point table, shown again after
// every choice. OK writes "A%d P%03d " into the operand. A re-opened step that
// names a driver outside 1..16 or point 0 shows it, and OK is refused until a
// valid one is chosen.

#include <optional>
#include <string>

#include "commands/ChoiceList.h"
#include "commands/CommandEditor.h"
#include "data/SettingsImage.h"

namespace vantrel {

class NetworkMoveEditor : public CommandEditor {
public:
    static bool handles(int code);
    NetworkMoveEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const SettingsImage& image);

    std::string title() const override;
    EditorResult accept() override;

    const ChoiceList& axisChoices() const { return axes_; }
    void chooseAxis(int index) { axes_.choose(index); }
    const ChoiceList& pointChoices() const { return points_; }
    void choosePoint(int index) { points_.choose(index); }

    // The chosen point of the chosen driver:
    // "INC/ABS": "abs" when its operation mode is 1, else "inc";
    std::string modeText() const;
    // "位置", "速度": steps (Hz) "%d" for a step driver, else through the
    // driver's ratio words "%d.%02d" (mm, mm/s);
    std::string positionText() const;
    std::string speedText() const;
    std::string positionUnit() const;
    std::string speedUnit() const;
    // "加速時間([sec])", "減速時間([sec])": milliseconds as "%d.%03d" seconds.
    std::string accelTimeText() const;
    std::string decelTimeText() const;

private:
    // The chosen driver; nothing for a number outside 1..16 kept from a step.
    std::optional<ConstNetworkDriverRecord> driver() const;
    std::optional<ConstNetworkPointRecord> chosenPoint() const;
    bool showsMillimetres() const;
    std::string scaledText(std::int32_t raw) const;

    const SettingsImage& image_;
    ChoiceList axes_;
    ChoiceList points_;
};

}  // namespace vantrel
