#include "commands/PauseEditor.h"

#include "program/CommandCode.h"

namespace vantrel {

PauseEditor::PauseEditor(const CommandEditRecord& record, bool editExisting)
    : CommandEditor(kCodePause, record, editExisting), on_(start().onOff == 0) {}

std::string PauseEditor::title() const { return "PAUSE"; }

EditorResult PauseEditor::accept() {
    CommandEditRecord record = newRecord();
    record.onOff = on_ ? 0 : 1;
    record.operand = on_ ? "ON" : "OFF";
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
