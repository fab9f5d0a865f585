#pragma once

// The points 301..1000 (indexes 300..999) that commands carrying positions of
// their own (LINE, ARC, MOVE with positions, …) are given automatically, and
// which of them are in use.
//
// A point is in use when the program text names it as " P" and three or more
// digits, or when a step of the program being edited names it after its first
// or second " P" (the steps count before they are committed). The set is built
// once per operation; an operation that places several steps marks each as it
// goes.

#include <array>
#include <string_view>

#include "program/CurrentProgram.h"

namespace vantrel {

class AutoPoints {
public:
    static constexpr int kFirstIndex = 300;  // point 301
    static constexpr int kLastIndex = 999;   // point 1000

    AutoPoints(std::string_view storeText, const CurrentProgram& program);

    // Marks the points a step of the program being edited names.
    void markStep(const StepRecord& step);
    // Index of the (k+1)-th point not in use, or -1 when there is none.
    int freeIndex(int k) const;

private:
    void mark(std::int32_t point);

    std::array<bool, kLastIndex + 2> used_{};  // by point number
};

}  // namespace vantrel
