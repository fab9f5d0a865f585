#pragma once

// Pause "PAUSE" (26): "ON" / "OFF"; the operand is "ON" or "OFF", no blank
// after it.

#include <string>

#include "commands/CommandEditor.h"

namespace vantrel {

class PauseEditor : public CommandEditor {
public:
    PauseEditor(const CommandEditRecord& record, bool editExisting);

    std::string title() const override;
    EditorResult accept() override;

    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }

private:
    bool on_ = true;
};

}  // namespace vantrel
