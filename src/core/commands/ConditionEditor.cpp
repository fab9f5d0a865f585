#include "commands/ConditionEditor.h"

#include "commands/FieldChecks.h"
#include "program/CommandCode.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

constexpr int kMaxCompareValue = 255;
constexpr int kRemoteIoRows = 16;
constexpr int kNetworkAxes = 16;
constexpr std::string_view kGotoMarker = " GOTO ";
constexpr std::string_view kGosubMarker = " GOSUB ";

std::vector<IoSymbolCategory> conditionCategories() {
    return {
        {"外部入力", {{"汎用入力", 0}, {"センサ入力", 2}, {"ドライバ入力", 3}, {"リモートI/O", 26, 0, kRemoteIoRows, true}}},
        {"外部出力", {{"汎用出力", 10}, {"ドライバ出力", 12}}},
        {"タイマー", timerPages(14)},
        {"カウンタ", {{"", 24}}},
        {"メモリ", memoryPages(25)},
        {"軸制御", {{"", 28}}},
    };
}

std::string_view branchMarker(int code) {
    if (code == kCodeIfGoto) return kGotoMarker;
    if (code == kCodeIfGosub) return kGosubMarker;
    return {};
}

// The condition part of a stored operand: before " GOTO " / " GOSUB ", without trailing blanks.
std::string_view storedCondition(std::string_view operand, int code) {
    const std::string_view marker = branchMarker(code);
    if (!marker.empty()) operand = operand.substr(0, operand.find(marker));
    while (!operand.empty() && operand.back() == ' ') operand.remove_suffix(1);
    return operand;
}

}  // namespace

bool ConditionEditor::handles(int code) { return code == kCodeIn || code == kCodeIfGoto || code == kCodeIfGosub; }

ConditionEditor::ConditionEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                                 const IoNames& names, ChoiceList targets)
    : CommandEditor(code, record, editExisting), list_(names, conditionCategories()),
      networkAxes_(ChoiceList::numbers(1, kNetworkAxes, 1)), targets_(std::move(targets)),
      condition_(storedCondition(start().operand, code)) {
    if (!hasTarget()) {
        targets_ = {};
        return;
    }
    if (!editExisting) return;  // a new step starts at the first entry
    // The target after "GOTO L" / "GOSUB #". One that is gone stays shown, and
    // OK asks for another rather than branching somewhere else.
    const std::string_view operand = start().operand;
    const std::string marker = std::string(branchMarker(code).substr(1)) + (code == kCodeIfGoto ? "L" : "#");
    targets_.chooseOrKeep(decimalAfter(operand, marker), ChoiceList::Kept::Refused);
}

std::string ConditionEditor::title() const {
    switch (code()) {
    case kCodeIfGoto: return "条件JUMP";
    case kCodeIfGosub: return "条件CALL";
    default: return "入力待ち";
    }
}

bool ConditionEditor::hasTarget() const { return code() == kCodeIfGoto || code() == kCodeIfGosub; }

std::string ConditionEditor::targetCaption() const {
    if (code() == kCodeIfGoto) return "LABEL";
    if (code() == kCodeIfGosub) return "プログラムNo.";
    return {};
}

MaybeRefusal ConditionEditor::addTerm(TermJoiner joiner) {
    if (confirmed_ || condition_.full()) return std::nullopt;
    const std::string_view symbol = list_.chosenSymbol();
    if (symbol.empty()) return editorRefusal("項目が未選択です");
    const std::string termSymbol = networkAxisShown() ? remoteIoSymbol(symbol, networkAxes_.chosenNumber() - 1)
                                                      : std::string(symbol);
    std::string term;
    if (relation_ == Relation::Compare) {
        const Checked<int> value = checkIntegerField(value_, 0, kMaxCompareValue);
        if (!value) return value.refusal;
        term = comparisonTerm(termSymbol, operator_, value.value);
    } else {
        term = onOffTerm(termSymbol, relation_ == Relation::On);
    }
    condition_.append(joiner, term);
    return std::nullopt;
}

void ConditionEditor::deleteTerm() {
    if (!confirmed_) condition_.deleteLast();
}

MaybeRefusal ConditionEditor::toggleConfirmed() {
    if (!confirmed_ && condition_.empty()) return editorRefusal("条件が設定されていません");
    confirmed_ = !confirmed_;
    return std::nullopt;
}

std::string ConditionEditor::confirmButtonText() const { return confirmed_ ? "入力条件訂正" : "入力条件確定"; }

EditorResult ConditionEditor::accept() {
    if (condition_.empty()) return EditorResult::refused(editorRefusal("条件が設定されていません"));
    CommandEditRecord record = newRecord();
    record.operand = condition_.text();
    if (hasTarget()) {
        if (targets_.empty()) return EditorResult::refused(editorRefusal("出力未選択です"));
        if (auto refusal = targets_.checkChosen(targetCaption())) return EditorResult::refused(*refusal);
        record.operand += branchMarker(code());
        record.operand += (code() == kCodeIfGoto ? "L" : "#") + zeroPadded(targets_.chosenNumber(), 3) + " ";
    }
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
