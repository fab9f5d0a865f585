#pragma once

// What changed from one set of programs to another, as a unified diff shows
// two texts: programs added, removed or renamed, and per program the steps
// removed and added in hunks with unchanged steps around them.
//
// Programs are matched by number (other programs call them by it); a program
// of both sets whose name differs is renamed. Steps are matched by content:
// the longest common subsequence of the two programs' steps, so one inserted
// step is one added step and not every later step changed. A changed step is
// its old step removed and its new step added at the same place. Two step
// lines are the same step when the editor reads them as the same step and
// would write them back alike (blanks before the line, control bytes, bytes
// beyond 254 make no difference); a line the editor would not write back (a
// blank line, an undefined command) is compared as it stands.

#include <cstdint>
#include <vector>

#include "program/ProgramStore.h"

namespace vantrel {

struct StepDiffLine {
    enum class Kind : std::uint8_t { Same, Removed, Added };
    Kind kind = Kind::Same;
    int oldStep = -1;  // step index in the old program; -1 for an added step
    int newStep = -1;  // step index in the new program; -1 for a removed step
};

// Changed steps with up to `context` unchanged steps before and after them.
// A start is the index of the hunk's first step in that program or, when the
// hunk has no step of it, the index where its steps would go.
struct StepHunk {
    int oldStart = 0;
    int oldCount = 0;
    int newStart = 0;
    int newCount = 0;
    std::vector<StepDiffLine> lines;  // removed steps before added ones at each place
};

struct ProgramChange {
    enum class Kind : std::uint8_t { Added, Removed, Changed };
    int number = 0;
    Kind kind = Kind::Changed;
    bool renamed = false;  // in both sets, with another name
    // The steps of an added or removed program are all added or removed.
    std::vector<StepHunk> hunks;
};

// The programs that differ from `from` to `to`, by ascending number; empty
// when both hold the same programs. Both directories must be scanned. The
// steps compared are those the editor reads (at most 255 per program).
std::vector<ProgramChange> diffPrograms(const ProgramStore& from, const ProgramStore& to, int context);

}  // namespace vantrel
