#include "commands/ShiftEditor.h"

#include "commands/FieldChecks.h"
#include "program/CommandCode.h"
#include "program/ValueTexts.h"

namespace vantrel {

namespace {
constexpr int kFirstShiftPoint = 81;
constexpr int kLastShiftPoint = 95;
const std::string kNoText;
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

ShiftEditor::ShiftEditor(const CommandEditRecord& record, bool editExisting, const SettingsImage& image)
    : CommandEditor(kCodeShift, record, editExisting), image_(image),
      points_(ChoiceList::numbers(kFirstShiftPoint, kLastShiftPoint, 3)) {
    // A step read back carries the shift choice as 1 or 2 and the point number
    // (0 for OFF, which names none); onOff is 1 for OFF both ways. An ON step
    // naming point 0 shows it, and OK asks for a valid point.
    secondShift_ = start().incremental == 2;
    on_ = start().onOff == 0;
    if (start().point1 != 0 || (editExisting && on_))
        points_.chooseOrKeep(start().point1, start().point1 == 0 ? ChoiceList::Kept::Refused : ChoiceList::Kept::Accepted);
    showPoint();
}

std::string ShiftEditor::title() const { return "シフト演算"; }

std::string ShiftEditor::axisLabel(int axis) { return pulseAxisName(axis) + "："; }

std::uint8_t ShiftEditor::positionUnit(int axis) const { return ConstPulseAxisRecord(image_, axis).positionUnit(); }

std::string ShiftEditor::positionHint(int axis) const { return vantrel::positionHint(image_, axis); }

void ShiftEditor::showPoint() {
    for (int axis = 0; axis < kPulseAxisCount; ++axis)
        positions_[at(axis)] = formatPosition(positionUnit(axis), image_.readPosition(axis, points_.chosenNumber() - 1));
}

void ShiftEditor::choosePoint(int index) {
    if (points_.choose(index)) showPoint();
}

const std::string& ShiftEditor::positionText(int axis) const {
    if (axis < 0 || axis >= kPulseAxisCount) return kNoText;
    return positions_[at(axis)];
}

void ShiftEditor::setPositionText(int axis, std::string text) {
    if (axis >= 0 && axis < kPulseAxisCount) positions_[at(axis)] = std::move(text);
}

EditorResult ShiftEditor::accept() {
    CommandEditRecord record = newRecord();
    record.incremental = secondShift_ ? 1 : 0;
    record.onOff = on_ ? 0 : 1;
    // The store takes the point as an index (point number - 1).
    record.point1 = static_cast<std::uint16_t>(points_.chosenNumber() - 1);
    if (!on_) return EditorResult::filled(std::move(record));
    if (auto refusal = points_.checkChosen(kPointChoiceCaption)) return EditorResult::refused(*refusal);

    std::array<std::int32_t, kPulseAxisCount> positions{};
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        const auto position = checkPositionField(positionUnit(axis), positions_[at(axis)]);
        if (!position) return EditorResult::refused(*position.refusal);
        positions[at(axis)] = position.value;
    }
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        record.axes[at(axis)].selected = 1;
        record.axes[at(axis)].position = positions[at(axis)];
        positions_[at(axis)] = formatPosition(positionUnit(axis), positions[at(axis)]);
    }
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
