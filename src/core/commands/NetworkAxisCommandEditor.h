#pragma once

// The network axis commands, one form "原点復帰（RIVO）" titled by its mode:
// home "原点復帰(RIVO)" (41 in mode 1, 54 in mode 0), stop "軸停止(RIVO)" (42),
// excitation "励磁ON/OFF(RIVO)" (44, with "ON" / "OFF") and remote I/O read
// "ﾘﾓｰﾄI/O読出" (51). A drop-down "軸No.：" ("001" .. "016"); OK writes "A%d "
// into the operand. A re-opened step that names a driver outside 1..16 shows
// it, and OK is refused until a valid one is chosen.

#include <string>

#include "commands/ChoiceList.h"
#include "commands/CommandEditor.h"

namespace vantrel {

class NetworkAxisCommandEditor : public CommandEditor {
public:
    static bool handles(int code);
    NetworkAxisCommandEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting);

    std::string title() const override;
    EditorResult accept() override;

    const ChoiceList& axisChoices() const { return axes_; }
    void chooseAxis(int index) { axes_.choose(index); }

    // Excitation only.
    bool hasOnOff() const;
    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }

private:
    ChoiceList axes_;
    bool on_ = true;
};

}  // namespace vantrel
