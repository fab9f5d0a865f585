#pragma once

#include "commands/CCommandDlg.h"
#include "commands/VariableDeclarationEditor.h"

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace vantrel {

// The variable declaration "変数宣言": a name typed freely
// ("変数名任意指定") or a system variable picked from the list
// ("変数名一覧から指定").
class CProgRegIntDlg : public CCommandDlg {
    Q_OBJECT
public:
    CProgRegIntDlg(VariableDeclarationEditor editor, QWidget* parent = nullptr);

    QRadioButton* typedButton() const { return typed_; }
    QRadioButton* listButton() const { return fromList_; }
    QLineEdit* nameField() const { return name_; }
    QTableWidget* variableList() const { return list_; }

protected:
    CommandEditor& model() override { return editor_; }
    void showModel() override;

private:
    VariableDeclarationEditor editor_;
    QRadioButton* typed_ = nullptr;
    QRadioButton* fromList_ = nullptr;
    QLineEdit* name_ = nullptr;
    QTableWidget* list_ = nullptr;
};

}  // namespace vantrel
