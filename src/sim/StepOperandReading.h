#pragma once

// What the two halves of the operand reader share: the small token readers
// (StepOperands.cpp) and the operand forms of the motion commands
// (StepOperandsMotion.cpp) that parseStep dispatches to.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/StepOperands.h"

namespace vantrel::simprog::operands {

std::string_view trimmed(std::string_view s);
// Blank-separated words.
std::vector<std::string_view> words(std::string_view s);
// Digits only (at most nine), as a number.
std::optional<int> digits(std::string_view s);
// "P1001", "L001", "#001", "A3": the prefix and a number min..max.
std::optional<int> prefixed(std::string_view token, char prefix, int min, int max);
std::optional<bool> onOff(std::string_view token);
ParsedStep failed(std::uint16_t error);

// MOVE, MOVEP, LINE, LINEC ([I] axes point) and ARC, ARCC ([I] axes via end).
ParsedStep motion(Op op, bool wait, std::string_view operand);
// HOME, HOMEP, BREAK, PRST: an axis list.
ParsedStep axesOnly(Op op, bool wait, std::string_view operand);
// PATH "ON,A1 1.50,A2 0.25" / ACC "ON,A1 3" or "OFF".
ParsedStep axisValues(Op op, std::string_view operand);
// SAV "A1 ON"; SAV2 "A3 OFF".
ParsedStep excitation(Op op, std::string_view operand);
// MOVE2, MOVE2P "A3 P005"; HOME2, HOME2P, BREAK2, NIORD "A3".
ParsedStep network(Op op, bool wait, std::string_view operand);
// SHIFT "ON 1 P081" / "OFF 2".
ParsedStep shift(std::string_view operand);

}  // namespace vantrel::simprog::operands
