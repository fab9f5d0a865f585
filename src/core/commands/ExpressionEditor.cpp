#include "commands/ExpressionEditor.h"

#include "commands/FieldChecks.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"
#include "program/StepRecord.h"
#include "program/ValueTexts.h"

namespace vantrel {

namespace {

constexpr long long kMaxNumber = 2147483647;

std::string_view operatorText(ExpressionOperator op) {
    switch (op) {
    case ExpressionOperator::Plus: return "+";
    case ExpressionOperator::Minus: return "-";
    case ExpressionOperator::Times: return "*";
    case ExpressionOperator::Divide: return "/";
    case ExpressionOperator::Equals: return "=";
    }
    return "=";
}

}  // namespace

ExpressionEditor::ExpressionEditor(const CommandEditRecord& record, bool editExisting)
    : CommandEditor(kCodeCalc, record, editExisting), text_(start().operand), expectsOperand_(text_.empty()) {}

std::string ExpressionEditor::title() const { return "演算"; }

std::string ExpressionEditor::displayText() const { return ansiToUtf8(text_); }

std::string_view ExpressionEditor::operatorCaption(ExpressionOperator op) {
    switch (op) {
    case ExpressionOperator::Plus: return "＋";
    case ExpressionOperator::Minus: return "－";
    case ExpressionOperator::Times: return "×";
    case ExpressionOperator::Divide: return "÷";
    case ExpressionOperator::Equals: return "＝";
    }
    return {};
}

std::string ExpressionEditor::numberHint() { return "設定範囲:0～2147483647 "; }

std::string ExpressionEditor::variableNameNote() {
    return "※変数名は半角の英数字及び_で10文字以内、先頭文字はアルファベット";
}

MaybeRefusal ExpressionEditor::append(std::string_view token) {
    if (text_.size() + token.size() + 1 > StepRecord::kMaxOperandBytes)
        return editorRefusal("演算式が254バイトを超えるため、これ以上追加できません。");
    text_ += token;
    text_ += ' ';
    expectsOperand_ = !expectsOperand_;
    return std::nullopt;
}

MaybeRefusal ExpressionEditor::addVariable(std::string_view name) {
    if (!expectsOperand_) return std::nullopt;
    if (auto refusal = checkVariableName(name)) return refusal;
    return append(name);
}

MaybeRefusal ExpressionEditor::addNumber(std::string_view number) {
    if (!expectsOperand_) return std::nullopt;
    long long value = 0;
    const bool digitsOnly = !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
    for (const char c : number) {
        if (!digitsOnly || value > kMaxNumber) break;
        value = value * 10 + (c - '0');
    }
    if (!digitsOnly || value > kMaxNumber) return withHintRange(editorRefusal("入力値は範囲外です。"), numberHint());
    return append(std::to_string(value));
}

MaybeRefusal ExpressionEditor::addOperator(ExpressionOperator op) {
    if (expectsOperand_) return std::nullopt;
    return append(operatorText(op));
}

void ExpressionEditor::clear() {
    text_.clear();
    expectsOperand_ = true;
}

EditorResult ExpressionEditor::accept() {
    if (text_.empty()) return EditorResult::refused(editorRefusal("演算式が未設定です。"));
    CommandEditRecord record = newRecord();
    record.operand = text_;
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
