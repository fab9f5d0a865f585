#pragma once

// The programs as the controller runs them after a compile: one instruction
// per step, with every operand resolved (axes, points, symbols, jump targets,
// variables). In a namespace of their own: the names are short and the
// simulator's headers reach the desktop program's sources.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/IoSymbols.h"

namespace vantrel::simprog {

enum class Op : std::uint8_t {
    Nop,         // an empty line
    Move,        // MOVE, MOVEP: each axis at its point's own speed
    Line,        // LINE, LINEC: the axes together, arriving at once
    Arc,         // ARC, ARCC: two axes through the via point to the end point
    Home, Break, Path, Acc, Sav, Preset, Shift,
    NetMove, NetHome, NetBreak, NetSav, NetRead, NetWrite,
    Out, In, Wait, Counter, Memory,
    Goto, Gosub, Return, End, ProgramOn, ProgramOff,
    IfGoto, IfGosub, IfThen, Else, EndIf,
    Pause, Alarm, Declare, Calc,
};

enum class CompareOp : std::uint8_t { Equal, NotEqual, Less, Greater };

// One term of a condition: a symbol ON or OFF, or compared with a number.
struct ConditionTerm {
    enum class Kind : std::uint8_t { On, Off, Compare };
    IoSymbol symbol;
    Kind kind = Kind::On;
    CompareOp op = CompareOp::Equal;
    std::int32_t value = 0;
};

// Terms joined by "," (and) and "or": true when every term of one group holds
// ("," binds closer than "or").
struct Condition {
    std::vector<std::vector<ConditionTerm>> anyOf;
};

// A value in an expression or comparison.
struct ValueRef {
    enum class Kind : std::uint8_t { Constant, Variable, System };
    Kind kind = Kind::Constant;
    std::int32_t value = 0;  // the constant, the variable's slot, or the system variable's number (100 for MR100)
};

// Operands and operators evaluated left to right.
struct Expression {
    ValueRef first;
    std::vector<std::pair<char, ValueRef>> rest;  // '+', '-', '*', '/'
};

struct Instruction {
    Op op = Op::Nop;
    std::uint8_t axes = 0;    // pulse axes, bit 0 = axis 1
    int point = 0;            // 1-based point (via point of an arc; network point)
    int point2 = 0;           // end point of an arc
    bool incremental = false;
    bool wait = true;         // the step ends when the motion does
    bool on = false;          // ON / OFF operands
    int number = 0;           // 0-based timer, counter, memory, driver or shift slot; program; alarm code
    int kind = 0;             // counter: 0 +1, 1 -1, 2 clear, 3 set; memory: 0 +1, 1 -1
    int target = -1;          // step of a jump; for IF … THEN the step after ELSE (or ENDIF), for ELSE the ENDIF
    std::int32_t value = 0;   // counter set value
    std::array<std::int32_t, 4> perAxis{};  // PATH distances (0.01 units), ACC entries
    std::vector<std::pair<IoSymbol, bool>> outputs;
    Condition condition;
    ValueRef left;            // IF … THEN
    CompareOp compare = CompareOp::Equal;
    ValueRef right;
    int assignTo = -1;        // CALC: the variable's slot
    Expression expression;
};

struct ProgramSet {
    std::map<int, std::vector<Instruction>> programs;  // by program number
    std::vector<std::string> variables;                 // declared names, by slot
};

}  // namespace vantrel::simprog
