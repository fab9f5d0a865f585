#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/ProgramChoiceEditor.h"

class QTableWidget;

namespace vantrel {

// The program choice of "CALL", "プログラム起動" and "プログラム停止": the
// programs with their names in the columns "プログラムNo." and
// "プログラム名称".
class CProgCallDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgCallDlg(ProgramChoiceEditor editor, QWidget* parent = nullptr);

    QTableWidget* programList() const { return list_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    ProgramChoiceEditor editor_;
    QTableWidget* list_ = nullptr;
};

}  // namespace vantrel
