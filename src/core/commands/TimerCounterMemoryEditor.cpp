#include "commands/TimerCounterMemoryEditor.h"

#include "commands/FieldChecks.h"
#include "data/CellInput.h"
#include "data/ValueText.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"

namespace vantrel {

namespace {

constexpr int kTimerGroup = 20;
constexpr int kMemoryGroup = 25;
constexpr double kMaxSeconds = 99.99;
constexpr double kMaxCount = 1000000;
constexpr const char* kOutOfRangeMessage = "設定が範囲外です。";

int counterGroup(int code) {
    if (code == kCodeCounterDec) return 22;
    if (code == kCodeCounterClear) return 23;
    return 21;  // Counter＋ and CounterSet
}

std::vector<IoSymbolCategory> categoriesOf(int code) {
    if (code == kCodeWait) return {{"", timerPages(kTimerGroup)}};
    if (code == kCodeMemoryInc || code == kCodeMemoryDec) return {{"", memoryPages(kMemoryGroup)}};
    return {{"", {{"", counterGroup(code)}}}};
}

}  // namespace

bool TimerCounterMemoryEditor::handles(int code) {
    switch (code) {
    case kCodeWait: case kCodeMemoryInc: case kCodeMemoryDec:
    case kCodeCounterInc: case kCodeCounterDec: case kCodeCounterSet: case kCodeCounterClear:
        return true;
    default:
        return false;
    }
}

TimerCounterMemoryEditor::TimerCounterMemoryEditor(std::uint8_t code, const CommandEditRecord& record,
                                                   bool editExisting, const IoNames& names, const SettingsImage& image,
                                                   TimerUsage usage)
    : CommandEditor(code, record, editExisting), image_(image), list_(names, categoriesOf(code)), usage_(usage) {
    if (start().number != 0) list_.chooseEntry(start().number - 1);
    if (code == kCodeWait) value_ = twoDecimalText(start().value);
    if (code == kCodeCounterSet) value_ = std::to_string(start().value);
    if (code == kCodeWait && !editExisting) showTimerPreset();
}

std::string TimerCounterMemoryEditor::title() const {
    switch (code()) {
    case kCodeWait: return "時間待ち";
    case kCodeMemoryInc: return "Memory＋";
    case kCodeMemoryDec: return "Memory－";
    case kCodeCounterInc: return "Counter＋";
    case kCodeCounterDec: return "Counter－";
    case kCodeCounterSet: return "CounterSet";
    default: return "CounterClr";
    }
}

void TimerCounterMemoryEditor::showTimerPreset() {
    const int timer = list_.chosenEntry();
    if (code() == kCodeWait && timer >= 0 && timer < layout::kTimerCount)
        value_ = twoDecimalText(ConstTimerTable(image_).timer(timer));
}

void TimerCounterMemoryEditor::chooseRow(int row) {
    list_.chooseRow(row);
    showTimerPreset();
}

void TimerCounterMemoryEditor::choosePage(int index) { list_.choosePage(index); }

std::string TimerCounterMemoryEditor::operandText() const { return ansiToUtf8(list_.chosenSymbol()); }

bool TimerCounterMemoryEditor::hasValue() const { return code() == kCodeWait || code() == kCodeCounterSet; }

std::string TimerCounterMemoryEditor::valueLabel() const { return hasValue() ? "設定値" : ""; }

std::string TimerCounterMemoryEditor::valueUnit() const { return code() == kCodeWait ? "sec" : ""; }

std::string TimerCounterMemoryEditor::valueHint() const {
    if (code() == kCodeWait) return "設定単位:0.01[sec] \n設定範囲:0.00～99.99[sec]";
    if (code() == kCodeCounterSet) return "設定範囲:0～1000000";
    return {};
}

std::string TimerCounterMemoryEditor::timerNote() const {
    return code() == kCodeWait ? usage_.note(list_.chosenEntry() + 1) : std::string();
}

EditorResult TimerCounterMemoryEditor::accept() {
    if (list_.chosenRow() < 0) return EditorResult::refused(editorRefusal("設定項目を選択してください。"));
    const std::string_view symbol = list_.chosenSymbol();
    if (symbol.empty()) return EditorResult::refused(editorRefusal("設定項目を選択してください"));

    CommandEditRecord record = newRecord();
    record.operand = symbol;
    if (code() == kCodeWait) {
        static const NumberFieldRule rule{0, kMaxSeconds, NumberFieldRule::Range::OfNumber, kEnterNumberMessage,
                                          kOutOfRangeMessage};
        const Checked<double> seconds = checkNumberField(value_, rule);
        if (!seconds) return EditorResult::refused(withHintRange(*seconds.refusal, valueHint()));
        record.value = roundHalfAwayFromZero(readScaledNumber(value_, 2));
        record.number = static_cast<std::uint8_t>(list_.chosenEntry());
        value_ = twoDecimalText(record.value);
    } else if (code() == kCodeCounterSet) {
        static const NumberFieldRule rule{0, kMaxCount, NumberFieldRule::Range::OfNumber, kEnterNumberMessage,
                                          kOutOfRangeMessage};
        const Checked<double> count = checkNumberField(value_, rule);
        if (!count) return EditorResult::refused(withHintRange(*count.refusal, valueHint()));
        record.value = roundHalfAwayFromZero(count.value);
        record.operand += "=" + std::to_string(record.value);
        value_ = std::to_string(record.value);
    }
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
