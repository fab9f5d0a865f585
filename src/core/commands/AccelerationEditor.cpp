#include "commands/AccelerationEditor.h"

#include <algorithm>

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
    // entry index in `position`; a new step starts ON.
    on_ = start().onOff == 0;
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        entries_[at(axis)] = ChoiceList::numbers(0, kEntryCount - 1, 1);
        const auto& entry = start().axes[at(axis)];
        if (entry.selected) entries_[at(axis)].choose(std::clamp<std::int32_t>(entry.position, 0, kEntryCount - 1));
    }
}

std::string AccelerationEditor::title() const { return "軸加速度"; }

const ChoiceList& AccelerationEditor::entryChoices(int axis) const { return entries_[at(validAxis(axis) ? axis : 0)]; }

void AccelerationEditor::chooseEntry(int axis, int index) {
    if (validAxis(axis)) entries_[at(axis)].choose(index);
}

std::string AccelerationEditor::timeText(int axis) const {
    if (!validAxis(axis)) return {};
    return twoDecimalText(ConstPulseAxisRecord(image(), axis).accelTime(entries_[at(axis)].chosenNumber()));
}

EditorResult AccelerationEditor::accept() {
    if (on_) {
        if (auto refusal = checkAnyAxis()) return EditorResult::refused(*refusal);
    }
    CommandEditRecord record = newRecord();
    record.onOff = on_ ? 1 : 0;
    copyChecks(record);
    for (int axis = 0; axis < kPulseAxisCount; ++axis)
        if (checked_[at(axis)]) record.axes[at(axis)].speedRate = entries_[at(axis)].chosenNumber();
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
