#include "commands/HomeEditor.h"

#include "commands/FieldChecks.h"
#include "program/CommandCode.h"
#include "program/StepEditor.h"

namespace vantrel {

namespace {
const std::string kNoText;
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

bool HomeEditor::handles(int code) { return code == kCodeHome || code == kCodeHomeP; }

HomeEditor::HomeEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const SettingsImage& image)
    : PulseAxisEditor(code, record, editExisting, image) {
    for (int axis = 0; axis < kPulseAxisCount; ++axis) speeds_[at(axis)] = std::to_string(storedSpeed(axis));
}

std::int32_t HomeEditor::storedSpeed(int axis) const {
    return ConstPositionRecord(image(), axis, StepEditor::kHomingRecordIndex).speed();
}

std::string HomeEditor::title() const { return "原点復帰"; }

const std::string& HomeEditor::speedText(int axis) const {
    if (axis < 0 || axis >= kPulseAxisCount) return kNoText;
    return speeds_[at(axis)];
}

void HomeEditor::setSpeedText(int axis, std::string text) {
    if (axis >= 0 && axis < kPulseAxisCount) speeds_[at(axis)] = std::move(text);
}

EditorResult HomeEditor::accept() {
    if (auto refusal = checkAnyAxis()) return EditorResult::refused(*refusal);
    std::array<std::int32_t, kPulseAxisCount> speeds{};
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        if (!checked_[at(axis)]) {
            speeds[at(axis)] = storedSpeed(axis);
            continue;
        }
        const auto speed = checkSpeedRateField(speeds_[at(axis)]);
        if (!speed) return EditorResult::refused(*speed.refusal);
        speeds[at(axis)] = speed.value;
    }
    CommandEditRecord record = newRecord();
    copyChecks(record);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        record.axes[at(axis)].speedRate = speeds[at(axis)];
        if (checked_[at(axis)]) speeds_[at(axis)] = speedRateFieldText(speeds[at(axis)]);
    }
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
