#include "commands/VariableDeclarationEditor.h"

#include "commands/FieldChecks.h"
#include "commands/ListSources.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"
#include "program/ValueTexts.h"

namespace vantrel {

VariableDeclarationEditor::VariableDeclarationEditor(const CommandEditRecord& record, bool editExisting)
    : CommandEditor(kCodeRegInt, record, editExisting) {
    std::string_view stored = start().operand;
    while (!stored.empty() && stored.back() == ' ') stored.remove_suffix(1);
    const auto variables = systemVariables();
    for (std::size_t i = 0; i < variables.size(); ++i)
        if (!stored.empty() && variables[i].symbol == stored) {
            fromList_ = true;
            chosen_ = static_cast<int>(i);
            return;
        }
    name_ = ansiToUtf8(stored);
}

std::string VariableDeclarationEditor::title() const { return "変数宣言"; }

void VariableDeclarationEditor::chooseVariable(int row) {
    chosen_ = row >= 0 && row < static_cast<int>(systemVariables().size()) ? row : -1;
}

EditorResult VariableDeclarationEditor::accept() {
    CommandEditRecord record = newRecord();
    if (fromList_) {
        if (chosen_ < 0) return EditorResult::refused(editorRefusal("変数名が未選択です。"));
        record.operand = systemVariables()[static_cast<std::size_t>(chosen_)].symbol;
    } else {
        if (name_.empty()) return EditorResult::refused(editorRefusal("変数名が未設定です。"));
        if (auto refusal = checkVariableName(name_)) return EditorResult::refused(*refusal);
        record.operand = name_;  // ASCII only, the same in CP932
    }
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
