#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

// One thing the program editor would drop or change when it reads a program
// file. `program` and `step` are 0 when the finding is not tied to one
// (step numbers count from 1, as the editor's table shows them).
struct ProgramFinding {
    int program = 0;
    int step = 0;
    std::string what;  // UTF-8
};

// Reads the bytes of a program file exactly as the editor does and lists what
// it would drop or change: undefined commands, blank and comment lines, steps
// beyond the 255 a program holds, lines that come back different (cut or
// changed bytes), text after the end mark or not fitting, headers outside
// 1..255, duplicate program numbers, a missing program 100, or no program at all.
std::vector<ProgramFinding> checkProgramText(std::string_view fileBytes);

}  // namespace vantrel::cli
