#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "program/StepRecord.h"

namespace vantrel {

// The one program unpacked from the store for editing.
struct CurrentProgram {
    static constexpr int kMaxSteps = 255;

    std::uint8_t number = 0;  // 1..255
    std::string name;         // CP932, at most 100 bytes
    // Steps 0..stepCount-1 are in use; all later records are empty.
    std::uint8_t stepCount = 0;
    std::array<StepRecord, kMaxSteps> steps{};
    // Step lines of the section beyond the 255th step. They cannot be edited
    // but are written back unchanged, so loading and committing a program made
    // elsewhere never loses its text.
    std::string excessLines;

    // Number of leading records that hold a command (0..255).
    int stepsInUse() const {
        int n = 0;
        while (n < kMaxSteps && !steps[static_cast<std::size_t>(n)].empty()) ++n;
        return n;
    }
    // Empties the program in place: no steps, no number, no name.
    void clear() {
        number = 0;
        name.clear();
        stepCount = 0;
        for (StepRecord& s : steps) s.clear();
        excessLines.clear();
    }
    StepRecord& step(int i) { return steps[static_cast<std::size_t>(i)]; }
    const StepRecord& step(int i) const { return steps[static_cast<std::size_t>(i)]; }
};

}  // namespace vantrel
