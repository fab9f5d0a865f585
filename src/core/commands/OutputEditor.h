#pragma once

// The output forms: external output "外部出力" (10), internal output
// "内部出力" (9) and remote I/O write "リモートI/O書込" (52). A list of terms
// "symbol ON" / "symbol OFF" joined by ",", at most ten, built with "AND" and
// "DELETE" from the symbol list:
//  - external output: the pages "汎用出力" and "ドライバ出力";
//  - internal output: the timer pages "T1～T20" .. "T81～T100";
//  - remote I/O write: the remote outputs of one network driver. The driver is
//    chosen in "軸No.：" ("001" .. "016") and fixed with "軸確定"; until then the
//    list, "ON" / "OFF", "AND" and "DELETE" are locked. Every symbol added
//    carries the driver as the hexadecimal digit of its third character. The
//    driver can be chosen again only while the list of terms is empty, and
//    choosing another one locks the list until it is fixed again, so one step
//    addresses one driver.
// A symbol already in the list is refused ("出力 <symbol> は既に指定済みです").

#include <string>

#include "commands/ChoiceList.h"
#include "commands/CommandEditor.h"
#include "commands/IoSymbolList.h"
#include "commands/TermText.h"

namespace vantrel {

class OutputEditor : public CommandEditor {
public:
    static bool handles(int code);
    OutputEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const IoNames& names);

    std::string title() const override;
    // An empty list: "条件が未設定です。" (outputs) / "出力が未設定です。" (remote I/O).
    EditorResult accept() override;

    IoSymbolList& list() { return list_; }
    const IoSymbolList& list() const { return list_; }
    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }

    // "AND": "項目が未選択です" without a row, the duplicate message for a
    // symbol already listed; nothing beyond ten terms or while locked.
    MaybeRefusal addTerm();
    // "DELETE"; nothing while locked.
    void deleteTerm();
    const TermText& outputs() const { return outputs_; }
    std::string outputText() const { return outputs_.displayText(); }

    // Remote I/O write only.
    bool hasAxisChoice() const;
    const ChoiceList& axisChoices() const { return axes_; }
    bool axisChoiceEnabled() const { return hasAxisChoice() && outputs_.empty(); }
    void chooseAxis(int index);
    // "軸確定": usable while the chosen driver can still change and is not fixed yet.
    void fixAxis();
    bool fixAxisEnabled() const { return axisChoiceEnabled() && !axisFixed_; }
    bool axisFixed() const { return axisFixed_; }
    // The list, "ON" / "OFF", "AND" and "DELETE".
    bool termControlsEnabled() const { return !hasAxisChoice() || axisFixed_; }

private:
    IoSymbolList list_;
    ChoiceList axes_;
    TermText outputs_;
    bool on_ = true;
    bool axisFixed_ = false;
};

}  // namespace vantrel
