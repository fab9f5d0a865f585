#pragma once

// One form in seven modes, titled by the mode: time wait "時間待ち" (12),
// "Memory＋" (16), "Memory－" (17), "Counter＋" (13), "Counter－" (14),
// "CounterSet" (46) and "CounterClr" (15). A symbol list of one group (time
// wait: the timers in pages "T1～T20" .. "T81～T100"; memory: the memories in
// pages "M1～M20" .. "M81～M96"; the counter modes their own counter group,
// without pages); choosing a row copies its symbol into the operand text.
//
// Time wait has the value field "設定値" in "sec" (0.00 .. 99.99), filled with
// the chosen timer's preset from the timer table; OK stores the value x 100 in
// `value` and the timer index (0 = T1) in `number`, and storing the step sets
// that timer's preset. Counter set has a count (0 .. 1000000) appended to the
// symbol as "=%d" and kept in `value`. The other modes store the symbol only.
//
// A time wait also says when its timer is used by other steps: changing the
// time changes their wait too.
//
// An existing step chooses the row of its `number` (the timer, counter or
// memory number, 1-based, as read from the step text) on the page that holds
// it, and shows its `value`.

#include <string>

#include "commands/CommandEditor.h"
#include "commands/IoSymbolList.h"
#include "commands/TimerUsage.h"
#include "data/SettingsImage.h"

namespace vantrel {

class TimerCounterMemoryEditor : public CommandEditor {
public:
    static bool handles(int code);
    // `usage` counts the other time-wait steps of the programs (none by default).
    TimerCounterMemoryEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                             const IoNames& names, const SettingsImage& image, TimerUsage usage = {});

    std::string title() const override;
    // "設定項目を選択してください。" without a row, "設定項目を選択してください"
    // for a row without symbol; for the value "数字を入力してください" and
    // "設定が範囲外です。".
    EditorResult accept() override;

    // Rows and pages are chosen through the editor, which fills the fields.
    const IoSymbolList& list() const { return list_; }
    // Chooses a row and copies its symbol into the operand text; a time wait
    // shows the timer's preset.
    void chooseRow(int row);
    void choosePage(int index);
    // The operand text field (UTF-8): the chosen symbol.
    std::string operandText() const;

    // The value field: time wait and counter set only.
    bool hasValue() const;
    std::string valueLabel() const;  // "設定値"
    std::string valueUnit() const;   // "sec" for the time, empty for the count
    std::string valueHint() const;
    const std::string& valueText() const { return value_; }
    void setValueText(std::string text) { value_ = std::move(text); }
    // Time wait: "T2 は他の 3 ステップでも使われています" while other steps
    // wait on the chosen timer; empty otherwise.
    std::string timerNote() const;

private:
    void showTimerPreset();

    const SettingsImage& image_;
    IoSymbolList list_;
    TimerUsage usage_;
    std::string value_;
};

}  // namespace vantrel
