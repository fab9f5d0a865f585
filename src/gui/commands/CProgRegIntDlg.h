#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/VariableDeclarationEditor.h"

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace vantrel {

// The variable declaration "変数宣言": a name typed freely
// ("変数名任意指定") or a system variable picked from the list
// ("変数名一覧から指定").
class CProgRegIntDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgRegIntDlg(VariableDeclarationEditor editor, QWidget* parent = nullptr);

    QRadioButton* typedButton() const { return typed_; }
    QRadioButton* listButton() const { return fromList_; }
    QLineEdit* nameField() const { return name_; }
    QTableWidget* variableList() const { return list_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    VariableDeclarationEditor editor_;
    QRadioButton* typed_ = nullptr;
    QRadioButton* fromList_ = nullptr;
    QLineEdit* name_ = nullptr;
    QTableWidget* list_ = nullptr;
};

}  // namespace vantrel
