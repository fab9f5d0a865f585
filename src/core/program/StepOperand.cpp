#include "program/StepOperand.h"

#include <algorithm>
#include <limits>

#include "data/CellInput.h"
#include "data/ValueText.h"
#include "program/CommandCode.h"
#include "program/StepLine.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

constexpr int kPulseAxes = 4;

// "A1" .. "A4" of axis 0..3.
std::string axisToken(int axis) { return {'A', static_cast<char>('1' + axis)}; }

// "A1,A3 " for the selected axes 1..4 of the first point; " " when none.
std::string axisList(const CommandEditRecord& record) {
    std::string out;
    for (int axis = 0; axis < kPulseAxes; ++axis) {
        if (!record.axes[static_cast<std::size_t>(axis)].selected) continue;
        if (!out.empty()) out.push_back(',');
        out += axisToken(axis);
    }
    out.push_back(' ');
    return out;
}

std::string moveOperand(const CommandEditRecord& record) {
    std::string out = record.incremental ? "I " : "";
    out += axisList(record);
    out += "P" + zeroPadded(record.point1, 4) + " ";
    if (hasSecondPoint(record.code)) out += "P" + zeroPadded(record.point2, 4) + " ";
    return out;
}

// "ON,A1 <value>,A3 <value>" of the selected axes, or "OFF" when switched off.
template <class ValueText>
std::string onAxesOperand(const CommandEditRecord& record, ValueText valueText) {
    if (!record.onOff) return "OFF";
    std::string out = "ON";
    for (int axis = 0; axis < kPulseAxes; ++axis) {
        const auto& entry = record.axes[static_cast<std::size_t>(axis)];
        if (!entry.selected) continue;
        out += ',';
        out += axisToken(axis);
        out += ' ';
        out += valueText(entry);
    }
    return out;
}

std::string pathOperand(const CommandEditRecord& record) {
    return onAxesOperand(record, [](const auto& entry) { return twoDecimalText(entry.position); }) + " ";
}

std::string accOperand(const CommandEditRecord& record) {
    return onAxesOperand(record, [](const auto& entry) { return std::to_string(entry.speedRate); });
}

std::string shiftOperand(const CommandEditRecord& record) {
    std::string out = record.onOff ? "OFF " : "ON ";
    out += record.incremental ? "2 " : "1 ";
    if (!record.onOff) {
        // At least three digits: 999 is "P999", 1000 "P1000".
        out += "P" + zeroPadded(record.point1 + 1, 3) + " ";
    }
    return out;
}

template <class T>
T clampTo(std::int64_t v) {
    return static_cast<T>(std::clamp<std::int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

void selectAxesFound(CommandEditRecord& record, std::string_view operand) {
    for (int axis = 0; axis < kPulseAxes; ++axis)
        record.axes[static_cast<std::size_t>(axis)].selected = hasAxisToken(operand, axis) ? 1 : 0;
}

// The network driver number after "A" as the step names it, 0 when none. A
// number outside 1..16 (from a file) is kept, so that the editor shows it and
// asks for a valid one instead of quietly taking driver 1.
std::uint8_t networkAxisOf(std::string_view operand) { return clampTo<std::uint8_t>(decimalAfter(operand, "A")); }

void readPathOrAcc(CommandEditRecord& record, std::string_view operand) {
    if (contains(operand, "OFF")) {
        record.onOff = 1;
        return;
    }
    record.onOff = 0;
    for (int axis = 0; axis < kPulseAxes; ++axis) {
        const std::size_t p = findAxisToken(operand, axis);
        if (p == std::string_view::npos) continue;
        auto& entry = record.axes[static_cast<std::size_t>(axis)];
        entry.selected = 1;
        const std::string_view number = p + 3 <= operand.size() ? operand.substr(p + 3) : std::string_view();
        if (record.code == kCodePath) {
            // Taken from the digits, so "1.15" is exactly 115 and truncation cannot lose a hundredth.
            const double hundredths = readScaledNumber(number, 2);
            entry.position = clampTo<std::int32_t>(static_cast<std::int64_t>(std::clamp(hundredths, -2e9, 2e9)));
        } else {
            entry.position = decimalAt(number, 0);
        }
    }
}

}  // namespace

std::string buildStepOperand(const CommandEditRecord& record) {
    std::string operand;
    switch (record.code) {
    case kCodeMove: case kCodeMoveP: case kCodeLine: case kCodeArc:
    case kCodeMoveD: case kCodeMovePD: case kCodeLineC: case kCodeArcC:
        operand = moveOperand(record);
        break;
    case kCodeHome: case kCodeHomeP: case kCodeBreak: case kCodePrst:
        operand = axisList(record);
        break;
    case kCodePath:
        operand = pathOperand(record);
        break;
    case kCodeAcc:
        operand = accOperand(record);
        break;
    case kCodeSav2:
        operand = record.operand + (record.onOff ? "OFF" : "ON");
        break;
    case kCodeShift:
        operand = shiftOperand(record);
        break;
    case kCodeSav:
        operand = axisList(record) + (record.onOff ? "OFF" : "ON");
        break;
    default:
        operand = record.operand;
        break;
    }
    return fieldText(operand, StepRecord::kMaxOperandBytes);
}

CommandEditRecord editRecordFromStep(const StepRecord& step, const SettingsImage& image) {
    CommandEditRecord record;
    record.label = step.label;
    record.code = step.code;
    // The blank the TAB before a comment became is not part of the operand: a
    // text-built command (OUT, CALC, …) would carry it into its next term, and
    // storing the step unchanged would write one more blank on every round.
    const std::string_view operand = writtenOperand(step);
    record.operand = operand;
    const auto numberFrom = [&](std::size_t pos) { return decimalAt(operand, pos); };

    switch (step.code) {
    case kCodeMove: case kCodeMoveP: case kCodeLine: case kCodeArc:
    case kCodeMoveD: case kCodeMovePD: case kCodeLineC: case kCodeArcC: {
        record.incremental = operand.substr(0, 2) == "I " ? 1 : 0;
        selectAxesFound(record, operand);
        const std::size_t first = operand.find(" P");
        if (first != std::string_view::npos) {
            record.point1 = clampTo<std::uint16_t>(decimalAt(operand, first + 2));
            if (hasSecondPoint(step.code)) record.point2 = clampTo<std::uint16_t>(decimalAfter(operand, " P", first + 4));
        }
        break;
    }
    case kCodeHome: case kCodeHomeP: case kCodeBreak:
        record.incremental = operand.substr(0, 2) == "I " ? 1 : 0;
        selectAxesFound(record, operand);
        break;
    case kCodePath: case kCodeAcc:
        readPathOrAcc(record, operand);
        break;
    case kCodeWait: {
        const std::int32_t timer = numberFrom(1);
        record.number = clampTo<std::uint8_t>(timer);
        if (timer >= 1 && timer <= layout::kTimerCount) record.value = ConstTimerTable(image).timer(timer - 1);
        break;
    }
    case kCodeCounterInc: case kCodeCounterDec: case kCodeCounterClear: case kCodeCounterSet:
        record.number = clampTo<std::uint8_t>(numberFrom(4));
        record.value = step.code == kCodeCounterSet ? numberFrom(6) : 0;
        break;
    case kCodeMemoryInc: case kCodeMemoryDec:
        record.number = clampTo<std::uint8_t>(numberFrom(1));
        break;
    case kCodeGoto: case kCodeJmp: case kCodeGosub: case kCodeProgramOn: case kCodeProgramOff:
        record.point1 = clampTo<std::uint16_t>(numberFrom(1));
        break;
    case kCodePause:
        record.onOff = contains(operand, "OFF") ? 1 : 0;
        break;
    case kCodeAlarm:
        record.number = clampTo<std::uint8_t>(numberFrom(0));
        break;
    case kCodeMove2P: case kCodeMove2:
        record.networkAxis = networkAxisOf(operand);
        record.point1 = clampTo<std::uint16_t>(decimalAfter(operand, " P"));
        break;
    case kCodeHome2P: case kCodeBreak2: case kCodeNioRd: case kCodeHome2:
        record.networkAxis = networkAxisOf(operand);
        break;
    case kCodeSav2:
        record.networkAxis = networkAxisOf(operand);
        record.onOff = contains(operand, "OFF") ? 1 : 0;
        break;
    case kCodeShift: case kCodePrst: {
        record.onOff = contains(operand, "OFF") ? 1 : 0;
        const std::size_t skip = record.onOff ? 4 : 3;
        record.incremental = clampTo<std::uint8_t>(numberFrom(skip));
        record.point1 = clampTo<std::uint16_t>(numberFrom(skip + 3));
        break;
    }
    case kCodeSav:
        selectAxesFound(record, operand);
        record.onOff = contains(operand, "OFF") ? 1 : 0;
        break;
    case kCodeNioWr: {
        const std::size_t no = operand.find("NO");
        if (no != std::string_view::npos && no + 2 < operand.size()) {
            const char c = operand[no + 2];
            if (c >= '0' && c <= '9') record.networkAxis = static_cast<std::uint8_t>(c - '0');
            else if (c >= 'A' && c <= 'F') record.networkAxis = static_cast<std::uint8_t>(c - 'A' + 10);
            else if (c >= 'a' && c <= 'f') record.networkAxis = static_cast<std::uint8_t>(c - 'a' + 10);
        }
        break;
    }
    default:
        break;
    }
    return record;
}

}  // namespace vantrel
