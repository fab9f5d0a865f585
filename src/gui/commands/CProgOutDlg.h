#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/OutputEditor.h"

class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace vantrel {

class CIoSymbolPicker;

// The output editors "外部出力" and "内部出力": a row of the symbol list with
// "ON" or "OFF" becomes a term with "AND" (or a double-click on the row);
// "DELETE" removes the last term.
class CProgOutDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgOutDlg(OutputEditor editor, QWidget* parent = nullptr);

    CIoSymbolPicker* picker() const { return picker_; }
    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }
    QPushButton* andButton() const { return and_; }
    QPushButton* deleteButton() const { return delete_; }
    QPlainTextEdit* outputField() const { return outputs_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;
    // Puts a row above the list (the remote I/O write's driver choice).
    void addTopRow(QLayout* row);

    OutputEditor editor_;

private:
    void addTerm();

    QVBoxLayout* layout_ = nullptr;
    CIoSymbolPicker* picker_ = nullptr;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
    QPushButton* and_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPlainTextEdit* outputs_ = nullptr;
};

}  // namespace vantrel
