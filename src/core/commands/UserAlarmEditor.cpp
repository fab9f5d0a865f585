#include "commands/UserAlarmEditor.h"

#include "program/CommandCode.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {
constexpr int kUserAlarms = 55;
}

UserAlarmEditor::UserAlarmEditor(const CommandEditRecord& record, bool editExisting)
    : CommandEditor(kCodeAlarm, record, editExisting), alarms_(ChoiceList::numbers(1, kUserAlarms, 2)) {
    // A number the drop-down does not offer (from a program file) is kept.
    if (start().number != 0) alarms_.chooseOrKeep(start().number);
}

std::string UserAlarmEditor::title() const { return "ALARM"; }

EditorResult UserAlarmEditor::accept() {
    CommandEditRecord record = newRecord();
    record.number = static_cast<std::uint8_t>(alarms_.chosenNumber());
    record.operand = zeroPadded(alarms_.chosenNumber(), 2) + " ";
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
