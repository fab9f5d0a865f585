#pragma once

// The controller's compile of the program file it receives. It reads the
// file in order and stops at the first error; the verdict carries the error
// number and the four result values of the reply:
//   first  = error number 1..10,
//   second = lines from the program's header line to the faulty line,
//   third  = the program number,
//   fourth = comment lines between the header and the faulty line,
// so that second - fourth - 1 is the index of the faulty step (0 for an error
// of the program as a whole). The rules, in the order they are applied:
//   - a header whose number is not three digits 001..255, or a number used by
//     an earlier header: 9 (program number); the third value is the number
//     (0 when it is not one);
//   - the 256th step of a program: 4 (number of commands); more than 16,384
//     steps in all programs together: 8 (code size);
//   - per step: text without the TAB before its keyword: 1; a label other
//     than "L" and three digits 001..999: 5; a keyword the controller does
//     not run: 3; an operand not of its command's form: 1; an I/O symbol it
//     does not know or cannot use there: 2; ELSE or ENDIF without its IF, or
//     an IF … THEN without ENDIF: 3; a result written to a system variable: 3;
//   - then, over the whole file: more than 999 labelled steps: 6 (at the
//     1000th); a label used a second time, in any program: 5 (at the second);
//     no program 100: 10 (program 100, step 0);
//   - last, in file order: a jump to a label not in the same program, or a
//     call, start or stop of a program that does not exist: 7; a variable
//     that no REGINT declares: 2.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "sim/CompiledProgram.h"

namespace vantrel {

struct CompileVerdict {
    std::uint16_t error = 0;  // 0: accepted
    std::array<std::uint16_t, 4> values{};
    std::shared_ptr<const simprog::ProgramSet> programs;  // when accepted
    bool accepted() const { return error == 0; }
};

inline constexpr int kMaxProgramSteps = 255;
inline constexpr int kCodeCapacitySteps = 16384;
inline constexpr int kLabelCapacity = 999;

CompileVerdict compileProgramFile(std::string_view text);

}  // namespace vantrel
