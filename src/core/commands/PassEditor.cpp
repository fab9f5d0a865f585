#include "commands/PassEditor.h"

#include <algorithm>

#include "commands/FieldChecks.h"
#include "data/CellInput.h"
#include "data/ValueText.h"
#include "program/CommandCode.h"

namespace vantrel {

namespace {

constexpr double kMaxHundredths = 99999;  // 999.99 mm
const std::string kNoText;
std::size_t at(int i) { return static_cast<std::size_t>(i); }

}  // namespace

PassEditor::PassEditor(const CommandEditRecord& record, bool editExisting, const SettingsImage& image)
    : PulseAxisEditor(kCodePath, record, editExisting, image) {
    // A step read back carries onOff = 1 for OFF and each selected axis's
    // distance x 100 in `position`; a new step starts ON.
    on_ = start().onOff == 0;
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        const auto& entry = start().axes[at(axis)];
        distances_[at(axis)] = twoDecimalText(entry.selected ? std::clamp<std::int32_t>(entry.position, 0, 99999) : 0);
    }
}

std::string PassEditor::title() const { return "軸PASS"; }

const std::string& PassEditor::distanceText(int axis) const {
    if (axis < 0 || axis >= kPulseAxisCount) return kNoText;
    return distances_[at(axis)];
}

void PassEditor::setDistanceText(int axis, std::string text) {
    if (axis >= 0 && axis < kPulseAxisCount) distances_[at(axis)] = std::move(text);
}

EditorResult PassEditor::accept() {
    CommandEditRecord record = newRecord();
    record.onOff = on_ ? 1 : 0;
    if (!on_) return EditorResult::filled(std::move(record));
    if (auto refusal = checkAnyAxis()) return EditorResult::refused(*refusal);

    std::array<std::int32_t, kPulseAxisCount> hundredths{};
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        if (!checked_[at(axis)]) continue;
        const std::string& text = distances_[at(axis)];
        if (!isHalfWidthNumber(text)) return EditorResult::refused(editorRefusal(kEnterNumberMessage));
        // From the digits, so 0.125 is exactly 12.5 and rounds to 13.
        hundredths[at(axis)] = roundHalfAwayFromZero(std::clamp(readScaledNumber(text, 2), 0.0, kMaxHundredths));
    }
    copyChecks(record);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        if (!checked_[at(axis)]) continue;
        record.axes[at(axis)].position = hundredths[at(axis)];
        distances_[at(axis)] = twoDecimalText(hundredths[at(axis)]);
    }
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
