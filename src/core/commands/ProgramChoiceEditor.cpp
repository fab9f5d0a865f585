#include "commands/ProgramChoiceEditor.h"

#include "commands/FieldChecks.h"
#include "program/CommandCode.h"
#include "program/TextScan.h"

namespace vantrel {

bool ProgramChoiceEditor::handles(int code) {
    return code == kCodeGosub || code == kCodeProgramOn || code == kCodeProgramOff;
}

ProgramChoiceEditor::ProgramChoiceEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                                         const ProgramDirectory& directory)
    : CommandEditor(code, record, editExisting), rows_(programRows(directory)) {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (start().point1 != 0 && rows_[i].number == start().point1) chosen_ = static_cast<int>(i);
}

std::string ProgramChoiceEditor::title() const {
    switch (code()) {
    case kCodeProgramOn: return "プログラム起動";
    case kCodeProgramOff: return "プログラム停止";
    default: return "CALL";
    }
}

void ProgramChoiceEditor::chooseRow(int row) { chosen_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1; }

EditorResult ProgramChoiceEditor::accept() {
    if (chosen_ < 0) return EditorResult::refused(editorRefusal("プログラム未選択です"));
    CommandEditRecord record = newRecord();
    record.operand = "#" + zeroPadded(rows_[static_cast<std::size_t>(chosen_)].number, 3) + " ";
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
