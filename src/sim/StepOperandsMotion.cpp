// The operand forms of the motion commands: pulse axes, network drivers and
// the point shift.

#include <optional>

#include "sim/StepOperandReading.h"

namespace vantrel::simprog::operands {

namespace {

using namespace compileError;

constexpr int kPulseAxes = 4;
constexpr int kNetworkDrivers = 16;
constexpr int kMaxPoint = 2000;
constexpr int kMaxNetworkPoint = 100;
constexpr int kMaxAccelEntry = 25;
constexpr int kMaxPassHundredths = 99999;

// "A1,A3": pulse axes 1..4, each once.
std::optional<std::uint8_t> axisList(std::string_view token) {
    std::uint8_t mask = 0;
    std::size_t at = 0;
    while (true) {
        const std::size_t comma = token.find(',', at);
        const auto axis = prefixed(token.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at),
                                   'A', 1, kPulseAxes);
        if (!axis) return std::nullopt;
        const auto bit = static_cast<std::uint8_t>(1u << (*axis - 1));
        if (mask & bit) return std::nullopt;
        mask |= bit;
        if (comma == std::string_view::npos) return mask;
        at = comma + 1;
    }
}

int axisCount(std::uint8_t mask) {
    int n = 0;
    for (int a = 0; a < kPulseAxes; ++a) n += (mask >> a) & 1;
    return n;
}

// "1.50" or "3": hundredths.
std::optional<int> hundredths(std::string_view s) {
    const std::size_t dot = s.find('.');
    const auto whole = digits(s.substr(0, dot));
    if (!whole || *whole > 999) return std::nullopt;
    int fraction = 0;
    if (dot != std::string_view::npos) {
        const std::string_view f = s.substr(dot + 1);
        const auto n = digits(f);
        if (!n || f.size() > 2) return std::nullopt;
        fraction = f.size() == 1 ? *n * 10 : *n;
    }
    return *whole * 100 + fraction;
}

}  // namespace

// MOVE, MOVEP, LINE, LINEC ([I] axes point) and ARC, ARCC ([I] axes via end).
ParsedStep motion(Op op, bool wait, std::string_view operand) {
    std::vector<std::string_view> w = words(operand);
    ParsedStep p;
    Instruction& in = p.instruction;
    in.op = op;
    in.wait = wait;
    if (!w.empty() && w[0] == "I") {
        in.incremental = true;
        w.erase(w.begin());
    }
    const std::size_t points = op == Op::Arc ? 2 : 1;
    if (w.size() != 1 + points) return failed(kSyntax);
    const auto axes = axisList(w[0]);
    const auto point = prefixed(w[1], 'P', 1, kMaxPoint);
    if (!axes || !point || (op == Op::Arc && axisCount(*axes) != 2)) return failed(kSyntax);
    in.axes = *axes;
    in.point = *point;
    if (op == Op::Arc) {
        const auto end = prefixed(w[2], 'P', 1, kMaxPoint);
        if (!end) return failed(kSyntax);
        in.point2 = *end;
    }
    return p;
}

// HOME, HOMEP, BREAK, PRST: an axis list.
ParsedStep axesOnly(Op op, bool wait, std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    const auto axes = w.size() == 1 ? axisList(w[0]) : std::nullopt;
    if (!axes) return failed(kSyntax);
    ParsedStep p;
    p.instruction.op = op;
    p.instruction.wait = wait;
    p.instruction.axes = *axes;
    return p;
}

// PATH "ON,A1 1.50,A2 0.25" / ACC "ON,A1 3" or "OFF".
ParsedStep axisValues(Op op, std::string_view operand) {
    std::string text(trimmed(operand));
    ParsedStep p;
    Instruction& in = p.instruction;
    in.op = op;
    if (text == "OFF") return p;
    for (char& c : text)
        if (c == ',') c = ' ';
    const std::vector<std::string_view> w = words(text);
    if (w.size() < 3 || w.size() % 2 == 0 || w[0] != "ON") return failed(kSyntax);
    in.on = true;
    for (std::size_t i = 1; i < w.size(); i += 2) {
        const auto axis = prefixed(w[i], 'A', 1, kPulseAxes);
        const std::optional<int> value = op == Op::Path ? hundredths(w[i + 1]) : digits(w[i + 1]);
        const int max = op == Op::Path ? kMaxPassHundredths : kMaxAccelEntry;
        const auto bit = axis ? static_cast<std::uint8_t>(1u << (*axis - 1)) : 0;
        if (!axis || !value || *value > max || (in.axes & bit)) return failed(kSyntax);
        in.axes |= bit;
        in.perAxis[static_cast<std::size_t>(*axis - 1)] = *value;
    }
    return p;
}

// SAV "A1 ON"; SAV2 "A3 OFF".
ParsedStep excitation(Op op, std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    if (w.size() != 2) return failed(kSyntax);
    const auto on = onOff(w[1]);
    ParsedStep p;
    Instruction& in = p.instruction;
    in.op = op;
    if (op == Op::Sav) {
        const auto axes = axisList(w[0]);
        if (!axes || !on) return failed(kSyntax);
        in.axes = *axes;
    } else {
        const auto driver = prefixed(w[0], 'A', 1, kNetworkDrivers);
        if (!driver || !on) return failed(kSyntax);
        in.number = *driver - 1;
    }
    in.on = *on;
    return p;
}

// MOVE2, MOVE2P "A3 P005"; HOME2, HOME2P, BREAK2, NIORD "A3".
ParsedStep network(Op op, bool wait, std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    const std::size_t count = op == Op::NetMove ? 2 : 1;
    if (w.size() != count) return failed(kSyntax);
    const auto driver = prefixed(w[0], 'A', 1, kNetworkDrivers);
    if (!driver) return failed(kSyntax);
    ParsedStep p;
    p.instruction.op = op;
    p.instruction.wait = wait;
    p.instruction.number = *driver - 1;
    if (op == Op::NetMove) {
        const auto point = prefixed(w[1], 'P', 1, kMaxNetworkPoint);
        if (!point) return failed(kSyntax);
        p.instruction.point = *point;
    }
    return p;
}

// "ON 1 P081" / "OFF 2".
ParsedStep shift(std::string_view operand) {
    const std::vector<std::string_view> w = words(operand);
    if (w.size() < 2) return failed(kSyntax);
    const auto on = onOff(w[0]);
    const auto slot = digits(w[1]);
    if (!on || !slot || *slot < 1 || *slot > 2 || w.size() != (*on ? 3u : 2u)) return failed(kSyntax);
    ParsedStep p;
    Instruction& in = p.instruction;
    in.op = Op::Shift;
    in.on = *on;
    in.number = *slot - 1;
    if (*on) {
        const auto point = prefixed(w[2], 'P', 1, kMaxPoint);
        if (!point) return failed(kSyntax);
        in.point = *point;
    }
    return p;
}

}  // namespace vantrel::simprog::operands
