#include "commands/TimerUsage.h"

#include "program/CommandCode.h"
#include "program/StepLine.h"
#include "program/TextScan.h"

namespace vantrel {

TimerUsage::TimerUsage(const ProgramStore& store, int exceptStep) {
    const CurrentProgram& current = store.current();
    const ProgramStore::SectionTable sections = store.findAllPrograms();
    for (const std::uint8_t number : store.directory().numbers) {
        if (number == current.number) continue;  // counted from the steps being edited
        ProgramStore::StepLines lines = store.stepLines(sections[number]);
        for (std::string_view line; lines.next(line);)
            if (stepLineKeywordCode(line) == kCodeWait) count(parseStepCommand(line).operand);
    }
    for (int i = 0; i < current.stepsInUse(); ++i)
        if (i != exceptStep && current.step(i).code == kCodeWait) count(current.step(i).operand);
}

void TimerUsage::count(std::string_view operand) {
    // The timer is the number after the "T", as the step table reads it.
    if (operand.empty() || operand[0] != 'T') return;
    const std::int32_t timer = decimalAt(operand, 1);
    if (timer >= 1 && timer <= layout::kTimerCount) ++steps_[static_cast<std::size_t>(timer)];
}

int TimerUsage::stepsOn(int timer) const {
    return timer >= 1 && timer <= layout::kTimerCount ? steps_[static_cast<std::size_t>(timer)] : 0;
}

std::string TimerUsage::note(int timer) const {
    const int steps = stepsOn(timer);
    if (steps == 0) return {};
    return "T" + std::to_string(timer) + " は他の " + std::to_string(steps) + " ステップでも使われています";
}

}  // namespace vantrel
