#pragma once

// How many time-wait steps wait on each timer. A time wait names its timer in
// its operand ("T2"), and the step table lists the timer's preset beside it;
// storing a time wait sets that preset, so it changes the wait of every other
// step on the same timer, in every program.

#include <array>
#include <string>
#include <string_view>

#include "data/SettingsImage.h"
#include "program/ProgramStore.h"

namespace vantrel {

class TimerUsage {
public:
    // No step counted.
    TimerUsage() = default;
    // Counts the steps of every program of `store`, the current program as it
    // is being edited, leaving out its step `exceptStep` (the step an editor
    // re-opened; -1 for none).
    TimerUsage(const ProgramStore& store, int exceptStep);

    // Time-wait steps on timer 1..100; 0 for any other number.
    int stepsOn(int timer) const;
    // "T2 は他の 3 ステップでも使われています" while other steps wait on the
    // timer; empty when none does.
    std::string note(int timer) const;

private:
    void count(std::string_view operand);

    std::array<int, layout::kTimerCount + 1> steps_{};  // by timer number
};

}  // namespace vantrel
