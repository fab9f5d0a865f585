#pragma once

#include <QDialog>

#include "commands/LabelEditor.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace vantrel {

// The label editor: "Label入力" gives the selected step a label, "JUMP" makes
// a jump to a label of the program. The number is typed ("番号直接入力") or
// chosen ("番号選択"); only the field of the chosen way is shown.
class CLabelDlg : public QDialog {
    Q_OBJECT
public:
    CLabelDlg(LabelEditor editor, QWidget* parent = nullptr);

    // The record confirmed by OK.
    const CommandEditRecord& record() const { return record_; }

    QRadioButton* typedButton() const { return typed_; }
    QRadioButton* chosenButton() const { return chosen_; }
    QLineEdit* numberField() const { return number_; }
    QComboBox* choiceList() const { return choices_; }

public slots:
    void accept() override;

private:
    void showChosenField();

    LabelEditor editor_;
    CommandEditRecord record_;
    QRadioButton* typed_ = nullptr;
    QRadioButton* chosen_ = nullptr;
    QLineEdit* number_ = nullptr;
    QComboBox* choices_ = nullptr;
};

}  // namespace vantrel
