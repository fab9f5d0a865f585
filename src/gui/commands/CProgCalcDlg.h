#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/ExpressionEditor.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vantrel {

// The expression "演算": "変数名" and "数値入力" append the name or number
// typed beside them, "＋" "－" "×" "÷" "＝" an operator, "クリア" empties the
// expression.
class CProgCalcDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgCalcDlg(ExpressionEditor editor, QWidget* parent = nullptr);

    QPlainTextEdit* expressionField() const { return expression_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* numberField() const { return number_; }
    QPushButton* variableButton() const { return variable_; }
    QPushButton* numberButton() const { return numberButton_; }
    QPushButton* operatorButton(ExpressionOperator op) const;
    QPushButton* clearButton() const { return clear_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    ExpressionEditor editor_;
    QPlainTextEdit* expression_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* number_ = nullptr;
    QPushButton* variable_ = nullptr;
    QPushButton* numberButton_ = nullptr;
    QPushButton* operators_[5] = {};
    QPushButton* clear_ = nullptr;
};

}  // namespace vantrel
