#pragma once

// The expression form "演算" (49). The text is a row of tokens, each followed
// by one blank, alternating operand and operator: "変数名" appends the name
// typed beside it (checked as a variable name), "数値入力" a number 0 ..
// 2147483647, "＋" "－" "×" "÷" "＝" append "+ ", "- ", "* ", "/ ", "= ", and
// "クリア" empties the text. An operand is taken only at the start or after an
// operator, an operator only after an operand; other presses do nothing. A
// token that would make the text longer than a step's operand (254 bytes) is
// refused with a message. The
// text is stored as built, complete expression or not. An existing step shows
// its text and expects an operator next.

#include <string>
#include <string_view>

#include "commands/CommandEditor.h"

namespace vantrel {

enum class ExpressionOperator { Plus, Minus, Times, Divide, Equals };

class ExpressionEditor : public CommandEditor {
public:
    ExpressionEditor(const CommandEditRecord& record, bool editExisting);

    std::string title() const override;
    // "演算式が未設定です。" for an empty text.
    EditorResult accept() override;

    // The text as stored (CP932) and for the form (UTF-8).
    const std::string& text() const { return text_; }
    std::string displayText() const;
    bool expectsOperand() const { return expectsOperand_; }

    // "変数名": the name's own message when it is no variable name.
    MaybeRefusal addVariable(std::string_view name);
    // "数値入力": "入力値は範囲外です。" when the text is no number 0 .. 2147483647.
    MaybeRefusal addNumber(std::string_view number);
    // Each of the three: the length message when the token does not fit.
    MaybeRefusal addOperator(ExpressionOperator op);
    // "クリア".
    void clear();

    // The buttons' captions "＋", "－", "×", "÷", "＝".
    static std::string_view operatorCaption(ExpressionOperator op);
    static std::string numberHint();
    // The note beside "変数名" that states what a variable name may be.
    static std::string variableNameNote();

private:
    // Appends "token " and flips the expectation; refuses a token that does not fit.
    MaybeRefusal append(std::string_view token);

    std::string text_;
    bool expectsOperand_ = true;
};

}  // namespace vantrel
