#include "program/CommandCode.h"

namespace vantrel {

const std::array<std::string_view, kCommandCodeCount> CommandKeywordTable = {
    "MOVE",  // 0
    "MOVEP",  // 1
    "HOME",  // 2
    "HOMEP",  // 3
    "BREAK",  // 4
    "PATH",  // 5
    "ACC",  // 6
    "LINE",  // 7
    "ARC",  // 8
    "OUT",  // 9
    "OUT",  // 10
    "IN",  // 11
    "WAIT",  // 12
    "CINC",  // 13
    "CDEC",  // 14
    "CCLR",  // 15
    "INC",  // 16
    "DEC",  // 17
    "GOTO",  // 18
    "GOSUB",  // 19
    "RET",  // 20
    "END",  // 21
    "ON",  // 22
    "OFF",  // 23
    "IF",  // 24
    "IF",  // 25
    "PAUSE",  // 26
    "ALM",  // 27
    "MOVE",  // 28
    "MOVEP",  // 29
    "SPEED",  // 30
    "JMP",  // 31
    "IF",  // 32
    "LINEC",  // 33
    "ARCC",  // 34
    "CLINE",  // 35
    "CARC",  // 36
    "CLINEC",  // 37
    "CARCC",  // 38
    "INTP",  // 39
    "MOVE2P",  // 40
    "HOME2P",  // 41
    "BREAK2",  // 42
    "JOG2",  // 43
    "SAV2",  // 44
    "CMD485",  // 45
    "CSET",  // 46
    "SHIFT",  // 47
    "REGINT",  // 48
    "CALC",  // 49
    "SAV",  // 50
    "NIORD",  // 51
    "NIOWR",  // 52
    "MOVE2",  // 53
    "HOME2",  // 54
    "IF",  // 55
    "ELSE",  // 56
    "ENDIF",  // 57
    "",  // 58
    "",  // 59
    "PRST",  // 60
};

const std::array<std::string_view, kCommandCodeCount> CommandDisplayNameTable = {
    "軸移動",  // 0
    "軸移動P",  // 1
    "原点復帰",  // 2
    "原点復帰P",  // 3
    "軸停止",  // 4
    "軸PASS",  // 5
    "軸加速度",  // 6
    "直線補間",  // 7
    "円弧補間",  // 8
    "内部出力",  // 9
    "外部出力",  // 10
    "入力待ち",  // 11
    "時間待ち",  // 12
    "Counter+1",  // 13
    "Counter-1",  // 14
    "CounterRST",  // 15
    "Memory+1",  // 16
    "Memory-1",  // 17
    "jump",  // 18
    "call",  // 19
    "return",  // 20
    "end",  // 21
    "Program起動",  // 22
    "Program停止",  // 23
    "条件jump",  // 24
    "条件call",  // 25
    "Pause",  // 26
    "Alarm",  // 27
    "軸移動D",  // 28
    "軸移動PD",  // 29
    "SPEED",  // 30
    "JUMP",  // 31
    "現在値比較",  // 32
    "直線補間C",  // 33
    "円弧補間C",  // 34
    "C直線補間",  // 35
    "C円弧補間",  // 36
    "C直線補間C",  // 37
    "C円弧補間C",  // 38
    "INTP",  // 39
    "軸移動P(RIVO)",  // 40
    "原点復帰P(RIVO)",  // 41
    "軸停止(RIVO)",  // 42
    "JOG2",  // 43
    "励磁制御2",  // 44
    "CMD485",  // 45
    "CounterSET",  // 46
    "SHIFT",  // 47
    "変数宣言",  // 48
    "演算",  // 49
    "励磁制御",  // 50
    "ﾘﾓｰﾄI/O読出",  // 51
    "ﾘﾓｰﾄI/O書込",  // 52
    "軸移動(RIVO)",  // 53
    "原点復帰(RIVO)",  // 54
    "条件分岐(IF)",  // 55
    "条件分岐(ELSE)",  // 56
    "条件分岐(ENDIF)",  // 57
    "",  // 58
    "",  // 59
    "位置ﾌﾟﾘｾｯﾄ",  // 60
};

std::string_view commandKeyword(int code) {
    if (code < 0 || code >= kCommandCodeCount) return {};
    return CommandKeywordTable[static_cast<std::size_t>(code)];
}

std::string_view commandDisplayName(int code) {
    if (code == kCodeUndefined) return kUndefinedCommandName;
    if (code < 0 || code >= kCommandCodeCount) return {};
    return CommandDisplayNameTable[static_cast<std::size_t>(code)];
}

namespace {

// Keywords of up to eight bytes packed into one integer, zero-padded: every
// keyword of the table fits, so two keywords of the same length are equal
// exactly when their packed values are. Every step line of a loaded program
// is looked up here.
constexpr std::size_t kPackedBytes = sizeof(std::uint64_t);

std::uint64_t packKeyword(std::string_view keyword) {
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < keyword.size() && i < kPackedBytes; ++i)
        packed |= static_cast<std::uint64_t>(static_cast<unsigned char>(keyword[i])) << (8 * i);
    return packed;
}

const std::array<std::uint64_t, kCommandCodeCount>& packedKeywords() {
    static const auto table = [] {
        std::array<std::uint64_t, kCommandCodeCount> packed{};
        for (std::size_t code = 0; code < packed.size(); ++code) packed[code] = packKeyword(CommandKeywordTable[code]);
        return packed;
    }();
    return table;
}

}  // namespace

std::uint8_t codeOfKeyword(std::string_view keyword) {
    if (keyword.empty()) return kCodeEmpty;
    if (keyword.size() > kPackedBytes) return kCodeUndefined;
    const std::uint64_t packed = packKeyword(keyword);
    const auto& table = packedKeywords();
    for (std::size_t code = 0; code < table.size(); ++code)
        if (table[code] == packed && CommandKeywordTable[code].size() == keyword.size())
            return static_cast<std::uint8_t>(code);
    return kCodeUndefined;
}

bool isPositionCommand(int code) {
    switch (code) {
    case kCodeMove: case kCodeMoveP: case kCodeLine: case kCodeArc:
    case kCodeMoveD: case kCodeMovePD: case kCodeLineC: case kCodeArcC:
        return true;
    default:
        return false;
    }
}

bool usesAutoPoints(int code) {
    return isPositionCommand(code) && code != kCodeMove && code != kCodeMoveP;
}

bool hasSecondPoint(int code) { return code == kCodeArc || code == kCodeArcC; }

}  // namespace vantrel
