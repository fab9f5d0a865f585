#include "commands/ComparisonEditor.h"

#include <vector>

#include "commands/FieldChecks.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"
#include "program/TextScan.h"
#include "program/ValueTexts.h"

namespace vantrel {

namespace {
constexpr int kOperators = 4;
ComparisonOperator operatorAt(int index) { return static_cast<ComparisonOperator>(index); }
}  // namespace

ComparisonEditor::ComparisonEditor(const CommandEditRecord& record, bool editExisting)
    : CommandEditor(kCodeIfThen, record, editExisting) {
    std::vector<std::string_view> tokens;
    forEachToken(start().operand, [&](std::string_view token) {
        if (token == "THEN") return false;
        tokens.push_back(token);
        return true;
    });
    if (tokens.size() > 0) left_ = ansiToUtf8(tokens[0]);
    if (tokens.size() > 1)
        for (int i = 0; i < kOperators; ++i)
            if (comparisonOperatorText(operatorAt(i)) == tokens[1]) operator_ = i;
    if (tokens.size() > 2) right_ = ansiToUtf8(tokens[2]);
}

std::string ComparisonEditor::title() const { return "条件分岐"; }

void ComparisonEditor::chooseOperator(int index) { operator_ = index >= 0 && index < kOperators ? index : -1; }

EditorResult ComparisonEditor::accept() {
    if (left_.empty() || right_.empty() || operator_ < 0)
        return EditorResult::refused(editorRefusal("条件が設定されていません"));
    if (auto refusal = checkVariableName(left_)) return EditorResult::refused(*refusal);
    if (auto refusal = checkVariableOrConstant(right_)) return EditorResult::refused(*refusal);
    CommandEditRecord record = newRecord();
    // Both sides passed the checks, so they are ASCII and the same in CP932.
    record.operand = left_ + " " + std::string(comparisonOperatorText(operatorAt(operator_))) + " " + right_ + " THEN";
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
