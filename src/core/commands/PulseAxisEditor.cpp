#include "commands/PulseAxisEditor.h"

#include <algorithm>

#include "commands/FieldChecks.h"
#include "data/Units.h"
#include "program/ValueTexts.h"

namespace vantrel {

namespace {
bool validAxis(int axis) { return axis >= 0 && axis < kPulseAxisCount; }
}  // namespace

std::string pulseAxisName(int axis) { return "軸" + std::to_string(axis + 1); }

std::string pulseAxisUnitText(const SettingsImage& image, int axis) {
    return positionUnitText(ConstPulseAxisRecord(image, axis).positionUnit());
}

PulseAxisEditor::PulseAxisEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                                 const SettingsImage& image)
    : CommandEditor(code, record, editExisting), image_(image) {
    for (int axis = 0; axis < kPulseAxisCount; ++axis)
        checked_[static_cast<std::size_t>(axis)] = start().axes[static_cast<std::size_t>(axis)].selected != 0;
}

bool PulseAxisEditor::axisChecked(int axis) const { return validAxis(axis) && checked_[static_cast<std::size_t>(axis)]; }

void PulseAxisEditor::setAxisChecked(int axis, bool checked) {
    if (validAxis(axis)) checked_[static_cast<std::size_t>(axis)] = checked;
}

int PulseAxisEditor::checkedCount() const { return static_cast<int>(std::count(checked_.begin(), checked_.end(), true)); }

std::string PulseAxisEditor::positionHint(int axis) const { return vantrel::positionHint(image_, axis); }

std::string PulseAxisEditor::speedHint() { return speedRateHint(); }

std::uint8_t PulseAxisEditor::positionUnit(int axis) const { return ConstPulseAxisRecord(image_, axis).positionUnit(); }

MaybeRefusal PulseAxisEditor::checkAnyAxis() const {
    if (checkedCount() == 0) return editorRefusal(kSelectAxisMessage);
    return std::nullopt;
}

void PulseAxisEditor::copyChecks(CommandEditRecord& record) const {
    for (int axis = 0; axis < kPulseAxisCount; ++axis)
        record.axes[static_cast<std::size_t>(axis)].selected = checked_[static_cast<std::size_t>(axis)] ? 1 : 0;
}

}  // namespace vantrel
