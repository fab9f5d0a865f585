#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/ComparisonEditor.h"

class QComboBox;
class QLineEdit;

namespace vantrel {

// The comparison "条件分岐" (IF … THEN): "変数名：", an operator and
// "変数名または定数：". The palette adds the ENDIF behind a new one.
class CProgIfThenDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgIfThenDlg(ComparisonEditor editor, QWidget* parent = nullptr);

    QLineEdit* leftField() const { return left_; }
    QComboBox* operatorList() const { return operator_; }
    QLineEdit* rightField() const { return right_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    ComparisonEditor editor_;
    QLineEdit* left_ = nullptr;
    QComboBox* operator_ = nullptr;
    QLineEdit* right_ = nullptr;
};

}  // namespace vantrel
