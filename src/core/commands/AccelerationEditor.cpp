#include "commands/AccelerationEditor.h"

#include "commands/FieldChecks.h"
#include "data/ValueText.h"
#include "program/CommandCode.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
bool validAxis(int axis) { return axis >= 0 && axis < kPulseAxisCount; }
}  // namespace

AccelerationEditor::AccelerationEditor(const CommandEditRecord& record, bool editExisting, const SettingsImage& image)
    : PulseAxisEditor(kCodeAcc, record, editExisting, image) {
    // A step read back carries onOff = 1 for OFF and, per selected axis, its
    // entry index in `position` (an index outside 0..25 stays shown, and OK
    // asks for a valid one); a new step starts ON.
    on_ = start().onOff == 0;
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        entries_[at(axis)] = ChoiceList::numbers(0, kEntryCount - 1, 1);
        const auto& entry = start().axes[at(axis)];
        if (entry.selected) entries_[at(axis)].chooseOrKeep(entry.position, ChoiceList::Kept::Refused);
    }
}

std::string AccelerationEditor::title() const { return "軸加速度"; }

const ChoiceList& AccelerationEditor::entryChoices(int axis) const { return entries_[at(validAxis(axis) ? axis : 0)]; }

void AccelerationEditor::chooseEntry(int axis, int index) {
    if (validAxis(axis)) entries_[at(axis)].choose(index);
}

std::string AccelerationEditor::timeText(int axis) const {
    const int entry = validAxis(axis) ? entries_[at(axis)].chosenNumber() : -1;
    if (entry < 0 || entry >= kEntryCount) return {};
    return twoDecimalText(ConstPulseAxisRecord(image(), axis).accelTime(entry));
}

EditorResult AccelerationEditor::accept() {
    if (on_) {
        if (auto refusal = checkAnyAxis()) return EditorResult::refused(*refusal);
        for (int axis = 0; axis < kPulseAxisCount; ++axis)
            if (checked_[at(axis)])
                if (auto refusal = entries_[at(axis)].checkChosen(pulseAxisName(axis) + "の加速度"))
                    return EditorResult::refused(*refusal);
    }
    CommandEditRecord record = newRecord();
    record.onOff = on_ ? 1 : 0;
    copyChecks(record);
    for (int axis = 0; axis < kPulseAxisCount; ++axis)
        if (checked_[at(axis)]) record.axes[at(axis)].speedRate = entries_[at(axis)].chosenNumber();
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
