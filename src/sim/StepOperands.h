#pragma once

// How the controller reads the operand of each command: one step's keyword
// and operand text into an instruction, or the compile error the text gives
// (1 syntax, 2 I/O symbol, 3 command). Jump targets and variable names are
// left for the compile to resolve once every program has been read.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/CompiledProgram.h"

namespace vantrel::simprog {

namespace compileError {
inline constexpr std::uint16_t kSyntax = 1;
inline constexpr std::uint16_t kIoSymbol = 2;
inline constexpr std::uint16_t kCommand = 3;
inline constexpr std::uint16_t kCommandCount = 4;
inline constexpr std::uint16_t kLabel = 5;
inline constexpr std::uint16_t kLabelCount = 6;
inline constexpr std::uint16_t kJump = 7;
inline constexpr std::uint16_t kCodeSize = 8;
inline constexpr std::uint16_t kProgramNumber = 9;
inline constexpr std::uint16_t kProgram100 = 10;
}  // namespace compileError

struct ParsedStep {
    Instruction instruction;
    std::uint16_t error = 0;  // 0: read
    int labelRef = 0;         // GOTO, IF … GOTO: the label jumped to
    int programRef = 0;       // GOSUB, ON, OFF, IF … GOSUB: the program named
    // Variables named, in order; the instruction's variable ValueRefs (and
    // CALC's assignTo) hold indexes into this list until the compile
    // resolves them into slots.
    std::vector<std::string> names;
    std::string declares;     // REGINT
};

// `keyword` without blanks; an empty keyword is a step that does nothing
// (when its operand is empty too).
ParsedStep parseStep(std::string_view keyword, std::string_view operand);

// Whether a variable name has the form the controller takes: up to ten
// half-width letters, digits and "_", beginning with a letter.
bool validVariableName(std::string_view name);
// A system variable (MR100..MR107, MR110..MR113, MR040): its number, else -1.
int systemVariable(std::string_view name);

}  // namespace vantrel::simprog
