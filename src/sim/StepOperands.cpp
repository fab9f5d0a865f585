#include "sim/StepOperands.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "sim/StepOperandReading.h"

namespace vantrel::simprog {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isNameChar(char c) { return isAlpha(c) || isDigit(c) || c == '_'; }

}  // namespace

namespace operands {

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < s.size()) {
        if (s[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(s.find(' ', at), s.size());
        out.push_back(s.substr(at, end - at));
        at = end;
    }
    return out;
}

// Digits only (at most nine), as a number.
std::optional<int> digits(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    int n = 0;
    for (const char c : s) {
        if (!isDigit(c)) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "P1001", "L001", "#001", "A3": the prefix and a number min..max.
std::optional<int> prefixed(std::string_view token, char prefix, int min, int max) {
    if (token.size() < 2 || token[0] != prefix) return std::nullopt;
    const auto n = digits(token.substr(1));
    if (!n || *n < min || *n > max) return std::nullopt;
    return n;
}

std::optional<bool> onOff(std::string_view token) {
    if (token == "ON") return true;
    if (token == "OFF") return false;
    return std::nullopt;
}

ParsedStep failed(std::uint16_t error) {
    ParsedStep p;
    p.error = error;
    return p;
}

}  // namespace operands

namespace {

using namespace compileError;
using namespace operands;

constexpr int kMaxLabel = 999;
constexpr int kMaxProgram = 255;
constexpr int kUserAlarms = 55;
constexpr std::int32_t kMaxCounterValue = 1000000;
constexpr std::size_t kMaxTerms = 10;

// A signed decimal integer that fits 32 bits.
std::optional<std::int32_t> integer(std::string_view s) {
    const bool negative = !s.empty() && s[0] == '-';
    const std::string_view body = negative ? s.substr(1) : s;
    if (body.empty() || body.size() > 10) return std::nullopt;
    std::int64_t n = 0;
    for (const char c : body) {
        if (!isDigit(c)) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (negative) n = -n;
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(n);
}

std::optional<CompareOp> comparison(std::string_view op) {
    if (op == "==") return CompareOp::Equal;
    if (op == "#") return CompareOp::NotEqual;
    if (op == "<") return CompareOp::Less;
    if (op == ">") return CompareOp::Greater;
    return std::nullopt;
}

// --- Conditions and output lists ------------------------------------------------

class TermScanner {
public:
    explicit TermScanner(std::string_view text) : text_(text) {}
    bool done() const { return at_ >= text_.size(); }
    std::string_view symbol() {
        const std::size_t from = at_;
        while (at_ < text_.size() && isNameChar(text_[at_])) ++at_;
        return text_.substr(from, at_ - from);
    }
    bool take(std::string_view s) {
        if (text_.substr(at_, s.size()) != s) return false;
        at_ += s.size();
        return true;
    }
    std::string_view number() {
        const std::size_t from = at_;
        while (at_ < text_.size() && isDigit(text_[at_])) ++at_;
        return text_.substr(from, at_ - from);
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// A symbol of the controller, or the error its text gives.
std::uint16_t symbolOf(std::string_view text, IoSymbol& out) {
    if (text.empty()) return kSyntax;
    const auto symbol = parseIoSymbol(text);
    if (!symbol) return kIoSymbol;
    out = *symbol;
    return 0;
}

std::uint16_t readCondition(std::string_view text, Condition& condition) {
    text = trimmed(text);
    if (text.empty()) return kSyntax;
    TermScanner scan(text);
    condition.anyOf.assign(1, {});
    std::size_t terms = 0;
    while (true) {
        ConditionTerm term;
        if (const std::uint16_t e = symbolOf(scan.symbol(), term.symbol)) return e;
        if (scan.take(" OFF")) {
            term.kind = ConditionTerm::Kind::Off;
        } else if (scan.take(" ON")) {
            term.kind = ConditionTerm::Kind::On;
        } else {
            std::optional<CompareOp> op;
            for (const std::string_view o : {"==", "#", "<", ">"})
                if (!op && scan.take(o)) op = comparison(o);
            const auto value = digits(scan.number());
            if (!op || !value) return kSyntax;
            term.kind = ConditionTerm::Kind::Compare;
            term.op = *op;
            term.value = *value;
        }
        if (++terms > kMaxTerms) return kSyntax;
        condition.anyOf.back().push_back(term);
        if (scan.done()) return 0;
        if (scan.take("or"))
            condition.anyOf.emplace_back();
        else if (!scan.take(","))
            return kSyntax;
    }
}

// "S1 ON,S2 OFF" of symbols `allowed` accepts.
template <class Allowed>
std::uint16_t readOutputs(std::string_view text, std::vector<std::pair<IoSymbol, bool>>& outputs, Allowed allowed) {
    text = trimmed(text);
    if (text.empty()) return kSyntax;
    TermScanner scan(text);
    while (true) {
        IoSymbol symbol;
        if (const std::uint16_t e = symbolOf(scan.symbol(), symbol)) return e;
        if (!allowed(symbol)) return kIoSymbol;
        bool on = false;
        if (scan.take(" OFF"))
            on = false;
        else if (scan.take(" ON"))
            on = true;
        else
            return kSyntax;
        outputs.emplace_back(symbol, on);
        if (outputs.size() > kMaxTerms) return kSyntax;
        if (scan.done()) return 0;
        if (!scan.take(",")) return kSyntax;
    }
}

// --- Variables ---------------------------------------------------------------------

// A constant, a system variable or a variable name (recorded for the compile).
std::uint16_t readValue(std::string_view token, ParsedStep& p, ValueRef& out) {
    if (!token.empty() && (isDigit(token[0]) || token[0] == '-')) {
        const auto n = integer(token);
        if (!n) return kSyntax;
        out = {ValueRef::Kind::Constant, *n};
        return 0;
    }
    if (const int system = systemVariable(token); system >= 0) {
        out = {ValueRef::Kind::System, system};
        return 0;
    }
    if (!validVariableName(token)) return kSyntax;
    out = {ValueRef::Kind::Variable, static_cast<std::int32_t>(p.names.size())};
    p.names.emplace_back(token);
    return 0;
}

// --- Commands ----------------------------------------------------------------------

ParsedStep output(Op op, std::string_view operand) {
    ParsedStep p;
    p.instruction.op = op;
    const auto allowed = [op](const IoSymbol& s) {
        if (op == Op::NetWrite) return s.family == IoFamily::RemoteOutput;
        return externalOutput(s) || s.family == IoFamily::Timer;
    };
    p.error = readOutputs(operand, p.instruction.outputs, allowed);
    return p;
}

ParsedStep waitInput(std::string_view operand) {
    ParsedStep p;
    p.instruction.op = Op::In;
    p.error = readCondition(operand, p.instruction.condition);
    return p;
}

// WAIT "T5"; CINC, CDEC, CCLR "CNTR1"; CSET "CNTR1=100"; INC, DEC "M5".
ParsedStep counting(Op op, int kind, std::string_view operand) {
    std::string_view text = trimmed(operand);
    ParsedStep p;
    Instruction& in = p.instruction;
    in.op = op;
    in.kind = kind;
    const bool set = op == Op::Counter && kind == 3;
    if (set) {
        const std::size_t eq = text.find('=');
        const auto value = eq == std::string_view::npos ? std::nullopt : digits(text.substr(eq + 1));
        if (!value || *value > kMaxCounterValue) return failed(kSyntax);
        in.value = *value;
        text = text.substr(0, eq);
    }
    IoSymbol symbol;
    if (text.empty() || text.find(' ') != std::string_view::npos) return failed(kSyntax);
    if (const std::uint16_t e = symbolOf(text, symbol)) return failed(e);
    const IoFamily wanted = op == Op::Wait ? IoFamily::Timer : op == Op::Counter ? IoFamily::Counter : IoFamily::Memory;
    if (symbol.family != wanted) return failed(kIoSymbol);
    in.number = symbol.index;
    return p;
}

// GOTO "L001"; GOSUB, ON, OFF "#001".
ParsedStep jump(Op op, std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    ParsedStep p;
    p.instruction.op = op;
    if (w.size() != 1) return failed(kSyntax);
    if (op == Op::Goto) {
        const auto label = prefixed(w[0], 'L', 1, kMaxLabel);
        if (!label) return failed(kSyntax);
        p.labelRef = *label;
    } else {
        const auto program = prefixed(w[0], '#', 1, kMaxProgram);
        if (!program) return failed(kSyntax);
        p.programRef = *program;
    }
    return p;
}

ParsedStep conditional(std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    ParsedStep p;
    Instruction& in = p.instruction;
    if (!w.empty() && w.back() == "THEN") {
        in.op = Op::IfThen;
        const auto op = w.size() == 4 ? comparison(w[1]) : std::nullopt;
        if (!op) return failed(kSyntax);
        in.compare = *op;
        if (const std::uint16_t e = readValue(w[0], p, in.left)) return failed(e);
        if (in.left.kind == ValueRef::Kind::Constant) return failed(kSyntax);
        if (const std::uint16_t e = readValue(w[2], p, in.right)) return failed(e);
        return p;
    }
    for (const auto& [marker, op] : {std::pair<std::string_view, Op>{" GOSUB ", Op::IfGosub}, {" GOTO ", Op::IfGoto}}) {
        const std::size_t at = operand.find(marker);
        if (at == std::string_view::npos) continue;
        ParsedStep target = jump(op == Op::IfGoto ? Op::Goto : Op::Gosub, operand.substr(at + marker.size()));
        if (target.error) return target;
        in.op = op;
        p.labelRef = target.labelRef;
        p.programRef = target.programRef;
        p.error = readCondition(operand.substr(0, at), in.condition);
        return p;
    }
    return failed(kSyntax);
}

ParsedStep noOperand(Op op, std::string_view operand) {
    if (!trimmed(operand).empty()) return failed(kSyntax);
    ParsedStep p;
    p.instruction.op = op;
    return p;
}

ParsedStep pause(std::string_view operand) {
    const auto on = onOff(trimmed(operand));
    if (!on) return failed(kSyntax);
    ParsedStep p;
    p.instruction.op = Op::Pause;
    p.instruction.on = *on;
    return p;
}

ParsedStep userAlarm(std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    const auto n = w.size() == 1 && w[0].size() <= 2 ? digits(w[0]) : std::nullopt;
    if (!n || *n < 1 || *n > kUserAlarms) return failed(kSyntax);
    ParsedStep p;
    p.instruction.op = Op::Alarm;
    p.instruction.number = *n;
    return p;
}

ParsedStep declare(std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    if (w.size() != 1 || (!validVariableName(w[0]) && systemVariable(w[0]) < 0)) return failed(kSyntax);
    ParsedStep p;
    p.instruction.op = Op::Declare;
    p.declares = std::string(w[0]);
    return p;
}

// "X = A + 1" (the result to the left) or "A + 1 = X" (to the right).
ParsedStep calc(std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    const std::size_t n = w.size();
    if (n < 3 || n % 2 == 0) return failed(kSyntax);
    std::size_t equals = 0;
    std::size_t equalsAt = 0;
    for (std::size_t i = 1; i < n; i += 2) {
        if (w[i].size() != 1 || std::string_view("+-*/=").find(w[i][0]) == std::string_view::npos) return failed(kSyntax);
        if (w[i] == "=") {
            ++equals;
            equalsAt = i;
        }
    }
    if (equals != 1 || (equalsAt != 1 && equalsAt != n - 2)) return failed(kSyntax);
    const std::size_t targetAt = equalsAt == 1 ? 0 : n - 1;
    const std::size_t from = equalsAt == 1 ? 2 : 0;
    const std::size_t to = equalsAt == 1 ? n : n - 2;  // the expression's words [from, to)

    ParsedStep p;
    Instruction& in = p.instruction;
    in.op = Op::Calc;
    if (systemVariable(w[targetAt]) >= 0) return failed(kCommand);  // read only
    if (!validVariableName(w[targetAt])) return failed(kSyntax);
    in.assignTo = static_cast<int>(p.names.size());
    p.names.emplace_back(w[targetAt]);
    if (const std::uint16_t e = readValue(w[from], p, in.expression.first)) return failed(e);
    for (std::size_t i = from + 1; i < to; i += 2) {
        ValueRef v;
        if (const std::uint16_t e = readValue(w[i + 1], p, v)) return failed(e);
        in.expression.rest.emplace_back(w[i][0], v);
    }
    return p;
}

}  // namespace

bool validVariableName(std::string_view name) {
    if (name.empty() || name.size() > 10 || !isAlpha(name[0])) return false;
    for (const char c : name)
        if (!isNameChar(c)) return false;
    return true;
}

int systemVariable(std::string_view name) {
    if (name.size() != 5 || name.substr(0, 2) != "MR") return -1;
    const auto n = digits(name.substr(2));
    if (!n) return -1;
    const bool known = (*n >= 100 && *n <= 107) || (*n >= 110 && *n <= 113) || *n == 40;
    return known ? *n : -1;
}

ParsedStep parseStep(std::string_view keyword, std::string_view operand) {
    const std::string_view k = keyword;
    if (k.empty()) return noOperand(Op::Nop, operand);
    if (k == "MOVE") return motion(Op::Move, true, operand);
    if (k == "MOVEP") return motion(Op::Move, false, operand);
    if (k == "LINE") return motion(Op::Line, true, operand);
    if (k == "LINEC") return motion(Op::Line, false, operand);
    if (k == "ARC") return motion(Op::Arc, true, operand);
    if (k == "ARCC") return motion(Op::Arc, false, operand);
    if (k == "HOME") return axesOnly(Op::Home, true, operand);
    if (k == "HOMEP") return axesOnly(Op::Home, false, operand);
    if (k == "BREAK") return axesOnly(Op::Break, true, operand);
    if (k == "PRST") return axesOnly(Op::Preset, true, operand);
    if (k == "PATH") return axisValues(Op::Path, operand);
    if (k == "ACC") return axisValues(Op::Acc, operand);
    if (k == "SAV") return excitation(Op::Sav, operand);
    if (k == "SAV2") return excitation(Op::NetSav, operand);
    if (k == "MOVE2") return network(Op::NetMove, true, operand);
    if (k == "MOVE2P") return network(Op::NetMove, false, operand);
    if (k == "HOME2") return network(Op::NetHome, true, operand);
    if (k == "HOME2P") return network(Op::NetHome, false, operand);
    if (k == "BREAK2") return network(Op::NetBreak, true, operand);
    if (k == "NIORD") return network(Op::NetRead, true, operand);
    if (k == "NIOWR") return output(Op::NetWrite, operand);
    if (k == "OUT") return output(Op::Out, operand);
    if (k == "IN") return waitInput(operand);
    if (k == "WAIT") return counting(Op::Wait, 0, operand);
    if (k == "CINC") return counting(Op::Counter, 0, operand);
    if (k == "CDEC") return counting(Op::Counter, 1, operand);
    if (k == "CCLR") return counting(Op::Counter, 2, operand);
    if (k == "CSET") return counting(Op::Counter, 3, operand);
    if (k == "INC") return counting(Op::Memory, 0, operand);
    if (k == "DEC") return counting(Op::Memory, 1, operand);
    if (k == "GOTO") return jump(Op::Goto, operand);
    if (k == "GOSUB") return jump(Op::Gosub, operand);
    if (k == "ON") return jump(Op::ProgramOn, operand);
    if (k == "OFF") return jump(Op::ProgramOff, operand);
    if (k == "IF") return conditional(operand);
    if (k == "RET") return noOperand(Op::Return, operand);
    if (k == "END") return noOperand(Op::End, operand);
    if (k == "ELSE") return noOperand(Op::Else, operand);
    if (k == "ENDIF") return noOperand(Op::EndIf, operand);
    if (k == "PAUSE") return pause(operand);
    if (k == "ALM") return userAlarm(operand);
    if (k == "SHIFT") return shift(operand);
    if (k == "REGINT") return declare(operand);
    if (k == "CALC") return calc(operand);
    // SPEED, JMP, CLINE, CARC, CLINEC, CARCC, INTP, JOG2, CMD485 and unknown
    // keywords: commands this controller does not run.
    return failed(kCommand);
}

}  // namespace vantrel::simprog
