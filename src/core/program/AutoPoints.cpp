#include "program/AutoPoints.h"

#include "program/TextScan.h"

namespace vantrel {

AutoPoints::AutoPoints(std::string_view text, const CurrentProgram& program) {
    // " P" and three or more digits anywhere in the stored programs: the
    // editor writes four digits, a program from a file may name "P301".
    for (std::size_t p = text.find('P', 1); p != std::string_view::npos; p = text.find('P', p + 1))
        if (text[p - 1] == ' ' && digitsAt(text, p + 1, 3)) mark(decimalAt(text, p + 1));
    for (const StepRecord& step : program.steps) markStep(step);
}

void AutoPoints::mark(std::int32_t point) {
    if (point >= kFirstIndex + 1 && point <= kLastIndex + 1) used_[static_cast<std::size_t>(point)] = true;
}

void AutoPoints::markStep(const StepRecord& step) {
    if (step.empty()) return;
    const std::string_view operand = step.operand;
    const std::size_t first = operand.find(" P");
    if (first == std::string_view::npos) return;
    if (digitsAt(operand, first + 2, 3)) mark(decimalAt(operand, first + 2));
    const std::size_t second = operand.find(" P", first + 3);
    if (second != std::string_view::npos && digitsAt(operand, second + 2, 3)) mark(decimalAt(operand, second + 2));
}

int AutoPoints::freeIndex(int k) const {
    int free = 0;
    for (int index = kFirstIndex; index <= kLastIndex; ++index) {
        if (used_[static_cast<std::size_t>(index + 1)]) continue;
        if (free == k) return index;
        ++free;
    }
    return -1;
}

}  // namespace vantrel
