#pragma once

// The comparison form "条件分岐" (IF … THEN, 55): "変数名：" (a variable), an
// operator drop-down ("＝", "≠(#)", "＜", "＞") and "変数名または定数：" (a
// variable or a constant). The operand is "<left> <op> <right> THEN" with
// the operator written "==", "#", "<" or ">". The palette adds the ENDIF that
// follows a new IF (StepEditor::storeEndIf).

#include <string>

#include "commands/CommandEditor.h"
#include "commands/TermText.h"

namespace vantrel {

class ComparisonEditor : public CommandEditor {
public:
    ComparisonEditor(const CommandEditRecord& record, bool editExisting);

    std::string title() const override;
    // "条件が設定されていません" unless all three are set; then the left side
    // as a variable name and the right side as a variable or constant, with
    // their own messages.
    EditorResult accept() override;

    // Texts as typed (UTF-8).
    const std::string& left() const { return left_; }
    void setLeft(std::string text) { left_ = std::move(text); }
    const std::string& right() const { return right_; }
    void setRight(std::string text) { right_ = std::move(text); }
    // Index into comparisonOperatorChoices(), -1 for none (a new step).
    int operatorIndex() const { return operator_; }
    void chooseOperator(int index);

private:
    std::string left_;
    std::string right_;
    int operator_ = -1;
};

}  // namespace vantrel
