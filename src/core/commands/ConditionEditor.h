#pragma once

// The condition form "入力条件" in three modes: wait for input "入力待ち" (11),
// conditional jump "条件JUMP" (24) and conditional call "条件CALL" (25).
//
// The condition is built term by term (TermText): choose a category and
// sub-page of the symbol list and a row, a relation ("ON", "OFF", or
// "数値比較" with an operator and a value 0..255), then "AND" or "OR";
// "DELETE" removes the last term. "入力条件確定" confirms the condition: the
// term buttons lock, the button reads "入力条件訂正", and pressing it again
// unlocks them. The branching modes have a target drop-down in the group
// "出力", usable only while the condition is confirmed: the labels in use in
// the current program ("LABEL") or the programs ("プログラムNo."). OK appends
// " GOTO L%03d " or " GOSUB #%03d " to the condition.
//
// On an existing step the stored condition is the starting text (its terms
// count against the ten) and the stored target is chosen; a target that no
// longer exists is shown all the same, and OK is refused until another is
// chosen.

#include <string>

#include "commands/ChoiceList.h"
#include "commands/CommandEditor.h"
#include "commands/IoSymbolList.h"
#include "commands/TermText.h"

namespace vantrel {

class ConditionEditor : public CommandEditor {
public:
    enum class Relation { On, Off, Compare };

    static bool handles(int code);
    // `targets`: labelChoices(labelsInUseCurrent) for 24, programChoices for
    // 25, unused for 11.
    ConditionEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const IoNames& names,
                    ChoiceList targets = {});

    std::string title() const override;
    // "条件が設定されていません" without a condition; "出力未選択です" for a
    // branch without a target; the target's refusal while it is one that no
    // longer exists.
    EditorResult accept() override;

    // The symbol list: categories "外部入力" .. "軸制御" with their sub-pages.
    IoSymbolList& list() { return list_; }
    const IoSymbolList& list() const { return list_; }
    // "軸No.：" "1" .. "16", shown with the remote I/O page.
    bool networkAxisShown() const { return list_.currentPage().networkAxis; }
    const ChoiceList& networkAxisChoices() const { return networkAxes_; }
    void chooseNetworkAxis(int index) { networkAxes_.choose(index); }

    Relation relation() const { return relation_; }
    void setRelation(Relation relation) { relation_ = relation; }
    ComparisonOperator comparisonOperator() const { return operator_; }
    void setComparisonOperator(ComparisonOperator op) { operator_ = op; }
    // The value of a numeric comparison, as typed.
    const std::string& valueText() const { return value_; }
    void setValueText(std::string text) { value_ = std::move(text); }
    bool comparisonEnabled() const { return relation_ == Relation::Compare; }

    // "AND" / "OR": appends the chosen row as a term. "項目が未選択です"
    // without a row; for a comparison "整数を入力してください。" or
    // "0 から 255 までの整数を入力してください。". Nothing (and no message)
    // beyond ten terms or while confirmed.
    MaybeRefusal addTerm(TermJoiner joiner);
    // "DELETE"; nothing while confirmed.
    void deleteTerm();
    const TermText& condition() const { return condition_; }
    std::string conditionText() const { return condition_.displayText(); }

    // "入力条件確定" / "入力条件訂正": "条件が設定されていません" when confirming
    // an empty condition.
    MaybeRefusal toggleConfirmed();
    bool confirmed() const { return confirmed_; }
    std::string confirmButtonText() const;
    bool termButtonsEnabled() const { return !confirmed_; }

    // The target drop-down (branching modes only).
    bool hasTarget() const;
    std::string targetCaption() const;
    bool targetEnabled() const { return hasTarget() && confirmed_; }
    const ChoiceList& targetChoices() const { return targets_; }
    void chooseTarget(int index) { targets_.choose(index); }

private:
    IoSymbolList list_;
    ChoiceList networkAxes_;
    ChoiceList targets_;
    TermText condition_;
    Relation relation_ = Relation::On;
    ComparisonOperator operator_ = ComparisonOperator::Equal;
    std::string value_;
    bool confirmed_ = false;
};

}  // namespace vantrel
