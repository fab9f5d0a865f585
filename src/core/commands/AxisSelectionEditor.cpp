#include "commands/AxisSelectionEditor.h"

#include "program/CommandCode.h"

namespace vantrel {

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

bool AxisSelectionEditor::handles(int code) { return code == kCodeBreak || code == kCodeSav || code == kCodePrst; }

AxisSelectionEditor::AxisSelectionEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                                         const SettingsImage& image)
    : PulseAxisEditor(code, record, editExisting, image) {
    if (code == kCodePrst) {
        for (int axis = 0; axis < kPulseAxisCount; ++axis)
            checked_[at(axis)] = start().operand.find(std::string{'A', static_cast<char>('1' + axis)}) != std::string::npos;
    }
    if (exclusive()) {
        // A step from a file may name several axes: keep the first.
        bool seen = false;
        for (bool& checked : checked_) {
            checked = checked && !seen;
            seen = seen || checked;
        }
    }
    on_ = start().onOff == 0;  // SAV: 1 = OFF, both ways
}

std::string AxisSelectionEditor::title() const {
    switch (code()) {
    case kCodeSav: return "励磁ON/OFF";
    case kCodePrst: return "位置プリセット";
    default: return "軸停止";
    }
}

bool AxisSelectionEditor::exclusive() const { return code() == kCodeSav; }

bool AxisSelectionEditor::hasOnOff() const { return code() == kCodeSav; }

void AxisSelectionEditor::setAxisChecked(int axis, bool checked) {
    if (axis < 0 || axis >= kPulseAxisCount) return;
    if (checked && exclusive()) checked_.fill(false);
    checked_[at(axis)] = checked;
}

EditorResult AxisSelectionEditor::accept() {
    if (auto refusal = checkAnyAxis()) return EditorResult::refused(*refusal);
    CommandEditRecord record = newRecord();
    copyChecks(record);
    if (hasOnOff()) record.onOff = on_ ? 0 : 1;
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
