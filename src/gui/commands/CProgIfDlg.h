#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/ConditionEditor.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vantrel {

class CIoSymbolPicker;

// The condition editor: wait for input "入力待ち", conditional jump
// "条件JUMP" and conditional call "条件CALL". A row of the symbol list and a
// relation ("ON", "OFF" or "数値比較") become a term with "AND" or "OR" (a
// double-click on a row is "AND"); "DELETE" removes the last term;
// "入力条件確定" locks the terms and unlocks the target of the group "出力".
class CProgIfDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgIfDlg(ConditionEditor editor, QWidget* parent = nullptr);

    CIoSymbolPicker* picker() const { return picker_; }
    QComboBox* networkAxisList() const { return axis_; }
    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }
    QRadioButton* compareButton() const { return compare_; }
    QComboBox* operatorList() const { return operator_; }
    QLineEdit* valueField() const { return value_; }
    QPushButton* andButton() const { return and_; }
    QPushButton* orButton() const { return or_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPlainTextEdit* conditionField() const { return condition_; }
    QGroupBox* targetGroup() const { return targetGroup_; }
    QLabel* targetCaption() const { return targetCaption_; }
    QComboBox* targetList() const { return target_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    void addTerm(TermJoiner joiner);

    ConditionEditor editor_;
    CIoSymbolPicker* picker_ = nullptr;
    QLabel* axisCaption_ = nullptr;
    QComboBox* axis_ = nullptr;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
    QRadioButton* compare_ = nullptr;
    QComboBox* operator_ = nullptr;
    QLineEdit* value_ = nullptr;
    QPushButton* and_ = nullptr;
    QPushButton* or_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPlainTextEdit* condition_ = nullptr;
    QGroupBox* targetGroup_ = nullptr;
    QLabel* targetCaption_ = nullptr;
    QComboBox* target_ = nullptr;
};

}  // namespace vantrel
