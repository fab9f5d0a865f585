#include "commands/OutputEditor.h"

#include "commands/FieldChecks.h"
#include "data/SettingsImage.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"

namespace vantrel {

namespace {

constexpr int kRemoteIoRows = 16;

std::vector<IoSymbolCategory> outputCategories(int code) {
    if (code == kCodeOutInternal) return {{"", timerPages(14)}};
    if (code == kCodeNioWr) return {{"", {{"", 27, 0, kRemoteIoRows, true}}}};
    return {{"", {{"汎用出力", 10}, {"ドライバ出力", 12}}}};
}

}  // namespace

bool OutputEditor::handles(int code) {
    return code == kCodeOutExternal || code == kCodeOutInternal || code == kCodeNioWr;
}

OutputEditor::OutputEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const IoNames& names)
    : CommandEditor(code, record, editExisting), list_(names, outputCategories(code)), outputs_(start().operand) {
    if (!hasAxisChoice()) return;
    axes_ = ChoiceList::numbers(1, layout::kNetworkDriverCount, 3);
    // A stored step names its driver in its symbols ("NO" and the digit).
    if (!outputs_.empty()) {
        axes_.choose(start().networkAxis);
        axisFixed_ = true;
    }
}

std::string OutputEditor::title() const {
    switch (code()) {
    case kCodeOutInternal: return "内部出力";
    case kCodeNioWr: return "リモートI/O書込";
    default: return "外部出力";
    }
}

bool OutputEditor::hasAxisChoice() const { return code() == kCodeNioWr; }

void OutputEditor::chooseAxis(int index) {
    if (!axisChoiceEnabled() || index == axes_.chosenIndex()) return;
    if (axes_.choose(index)) axisFixed_ = false;
}

void OutputEditor::fixAxis() {
    if (fixAxisEnabled()) axisFixed_ = true;
}

MaybeRefusal OutputEditor::addTerm() {
    if (!termControlsEnabled() || outputs_.full()) return std::nullopt;
    const std::string_view chosen = list_.chosenSymbol();
    if (chosen.empty()) return editorRefusal("項目が未選択です");
    const std::string symbol = hasAxisChoice() ? remoteIoSymbol(chosen, axes_.chosenIndex()) : std::string(chosen);
    if (outputs_.hasSymbol(symbol)) return editorRefusal("出力 " + ansiToUtf8(symbol) + " は既に指定済みです");
    outputs_.append(TermJoiner::And, onOffTerm(symbol, on_));
    return std::nullopt;
}

void OutputEditor::deleteTerm() {
    if (termControlsEnabled()) outputs_.deleteLast();
}

EditorResult OutputEditor::accept() {
    if (outputs_.empty())
        return EditorResult::refused(editorRefusal(hasAxisChoice() ? "出力が未設定です。" : "条件が未設定です。"));
    CommandEditRecord record = newRecord();
    record.operand = outputs_.text();
    if (hasAxisChoice()) record.networkAxis = static_cast<std::uint8_t>(axes_.chosenIndex());
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
