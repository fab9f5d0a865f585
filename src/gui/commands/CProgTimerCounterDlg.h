#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/TimerCounterMemoryEditor.h"

class QLabel;
class QLineEdit;

namespace vantrel {

class CIoSymbolPicker;

// The timer, counter and memory editor in its seven modes ("時間待ち",
// "Counter＋", "Counter－", "CounterSet", "CounterClr", "Memory＋",
// "Memory－"): a row of the list is the operand; time wait and counter set
// add the value "設定値". A time wait says when other steps wait on the chosen
// timer, since its time is theirs too.
class CProgTimerCounterDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgTimerCounterDlg(TimerCounterMemoryEditor editor, QWidget* parent = nullptr);

    CIoSymbolPicker* picker() const { return picker_; }
    QLineEdit* operandField() const { return operand_; }
    QLineEdit* valueField() const { return value_; }
    QLabel* valueCaption() const { return valueCaption_; }
    QLabel* valueUnit() const { return unit_; }
    // Time wait: the line that says which other steps the chosen timer changes.
    QLabel* timerNote() const { return timerNote_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    TimerCounterMemoryEditor editor_;
    CIoSymbolPicker* picker_ = nullptr;
    QLineEdit* operand_ = nullptr;
    QLabel* valueCaption_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLabel* unit_ = nullptr;
    QLabel* timerNote_ = nullptr;
};

}  // namespace vantrel
