#pragma once

// The program file as the controller reads it: program sections, each a
// header line "<TAB>PROG<TAB>#nnn" (optionally "<TAB>;name") followed by one
// step line per step. Lines end with CR LF (a lone LF is taken too); a 0x1A
// or a NUL byte ends the text. Inside a section, lines that begin with ";" or
// "//" are comments and are not steps; every other line is a step, a line of
// blanks and TABs included (it does nothing). Text before the first header is
// not part of any program and is passed over.
//
// A step line: an optional label before the first TAB, the keyword up to the
// next TAB, then the operand up to ";" (the comment) or the line's end. TABs
// inside the operand count as blanks.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct SourceStep {
    int lineOffset = 0;      // lines from the program's header line (the first step is 1)
    int commentsBefore = 0;  // comment lines between the header and this step
    std::string label;       // the text before the first TAB, blanks removed; empty: no label
    std::string keyword;     // blanks removed
    std::string operand;     // TABs as blanks
    bool hasTab = false;     // a line of text without any TAB has no keyword field
    bool blank = false;      // only blanks and TABs (or nothing)
};

struct SourceProgram {
    int number = -1;         // 1..999 as written; -1 when the header's number is not three digits
    std::vector<SourceStep> steps;
};

// Splits the program file into its sections, in file order.
std::vector<SourceProgram> splitProgramText(std::string_view text);

}  // namespace vantrel
