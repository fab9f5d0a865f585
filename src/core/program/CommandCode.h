#pragma once

// Command codes of program steps and their two name tables. The code of a step
// is its index into CommandKeywordTable (the keyword written in program text)
// and CommandDisplayNameTable (the name the step table shows).
//
// Keywords are ASCII and go into the program text as they are. Display names
// are UTF-8 display strings (they never go into the program text).

#include <array>
#include <cstdint>
#include <string_view>

namespace vantrel {

enum CommandCode : std::uint8_t {
    kCodeMove = 0,          // MOVE to a point of the point table (1001..2000)
    kCodeMoveP = 1,         // MOVEP, as kCodeMove without waiting
    kCodeHome = 2,
    kCodeHomeP = 3,
    kCodeBreak = 4,
    kCodePath = 5,
    kCodeAcc = 6,
    kCodeLine = 7,          // one auto-assigned point
    kCodeArc = 8,           // two auto-assigned points
    kCodeOutInternal = 9,   // OUT with an operand beginning with "T"
    kCodeOutExternal = 10,  // any other OUT
    kCodeIn = 11,
    kCodeWait = 12,
    kCodeCounterInc = 13,
    kCodeCounterDec = 14,
    kCodeCounterClear = 15,
    kCodeMemoryInc = 16,
    kCodeMemoryDec = 17,
    kCodeGoto = 18,
    kCodeGosub = 19,
    kCodeReturn = 20,
    kCodeEnd = 21,
    kCodeProgramOn = 22,
    kCodeProgramOff = 23,
    kCodeIfGoto = 24,
    kCodeIfGosub = 25,      // IF whose operand contains "GOSUB"
    kCodePause = 26,
    kCodeAlarm = 27,
    kCodeMoveD = 28,        // MOVE with its own positions in an auto point 301..1000
    kCodeMovePD = 29,
    kCodeSpeed = 30,
    kCodeJmp = 31,
    kCodeIfCompare = 32,
    kCodeLineC = 33,
    kCodeArcC = 34,
    kCodeCLine = 35,
    kCodeCArc = 36,
    kCodeCLineC = 37,
    kCodeCArcC = 38,
    kCodeIntp = 39,
    kCodeMove2P = 40,       // network driver move
    kCodeHome2P = 41,
    kCodeBreak2 = 42,
    kCodeJog2 = 43,
    kCodeSav2 = 44,
    kCodeCmd485 = 45,
    kCodeCounterSet = 46,
    kCodeShift = 47,
    kCodeRegInt = 48,
    kCodeCalc = 49,
    kCodeSav = 50,
    kCodeNioRd = 51,
    kCodeNioWr = 52,
    kCodeMove2 = 53,
    kCodeHome2 = 54,
    kCodeIfThen = 55,       // IF whose operand contains "THEN"
    kCodeElse = 56,
    kCodeEndIf = 57,
    kCodePrst = 60,
    kCodeUndefined = 254,   // the line named a keyword that is not in the table
    kCodeEmpty = 255,       // empty row, no command
};

inline constexpr int kCommandCodeCount = 61;

extern const std::array<std::string_view, kCommandCodeCount> CommandKeywordTable;
extern const std::array<std::string_view, kCommandCodeCount> CommandDisplayNameTable;

// Shown in the command column for a step of code kCodeUndefined.
inline constexpr std::string_view kUndefinedCommandName = "未定義コマンド";

// Keyword written for `code` (empty for codes without one).
std::string_view commandKeyword(int code);
// Display name of `code` for the step table: the table entry, "未定義コマンド"
// for kCodeUndefined, empty for an empty row or an unknown code.
std::string_view commandDisplayName(int code);
// Code of a keyword read from program text: the first table entry with the same
// bytes, kCodeEmpty for an empty keyword, kCodeUndefined when none matches.
std::uint8_t codeOfKeyword(std::string_view keyword);

// Codes whose steps carry positions in points of the point table.
bool isPositionCommand(int code);
// Codes whose positions live in automatically assigned points 301..1000.
bool usesAutoPoints(int code);
// Codes with two points (arc interpolation).
bool hasSecondPoint(int code);

}  // namespace vantrel
