#pragma once

// One step line of the program text and its StepRecord.
//
//   [L999]\tKEYWORD\toperand[\t;comment]\r\n

#include <cstdint>
#include <string>
#include <string_view>

#include "program/StepRecord.h"

namespace vantrel {

// Fills a StepRecord from one step line given without its line end. The whole
// line is read: operand and comment are kept up to 254 bytes each, TABs and
// other control bytes inside them become blanks. The keyword picks the code
// ("CLINE" is 35, "CARC" 36), then the operand fixes up shared keywords:
// IF with "GOSUB" is 25, then IF with "THEN" is 55; OUT not beginning with "T"
// is 10; MOVE/MOVEP naming a point 301..1000 after the first "P" is 28/29.
StepRecord parseStepLine(std::string_view line);
// The code and operand parseStepLine reads from a line, without label and
// comment, and before the operand tells shared keywords apart (MOVE is 0
// here whatever its point): enough to find the points a step names.
StepRecord parseStepCommand(std::string_view line);
// The label parseStepLine reads from a line (0 for none), without the rest.
std::uint16_t stepLineLabel(std::string_view line);
// The code of the line's keyword, before the operand tells shared keywords
// apart (MOVE is 0 here whatever its point), without reading the rest.
std::uint8_t stepLineKeywordCode(std::string_view line);

// Lines of a section that begin with ";" or "//" are skipped when it is read.
bool isCommentLine(std::string_view line);

// Appends the step line of `step` (with its CR LF). Empty and undefined steps
// write nothing. A step read from text with a TAB before its comment is
// written without the trailing operand blank that TAB became when read (also
// when its comment is empty).
void appendStepLine(std::string& out, const StepRecord& step);

// The operand as the step line writes it: without the blank that the TAB
// before the comment became when the line was read. This is also the operand
// an editor re-opens the step with, so that storing it unchanged writes the
// same line again.
std::string_view writtenOperand(const StepRecord& step);

// Replaces the comment of a step. A step left without comment also loses the
// blank that the TAB before its old comment became, so it is what its written
// line reads back as.
void setComment(StepRecord& step, std::string comment);

}  // namespace vantrel
