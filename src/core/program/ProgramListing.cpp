#include "program/ProgramListing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/Units.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"
#include "program/TextScan.h"

namespace vantrel {

const std::array<std::string_view, kStepColumnCount> kStepColumnHeaders = {"Step", "Label", "command", "operand",
                                                                           "comment"};
const std::array<int, kStepColumnCount> kStepColumnWidths = {45, 45, 110, 420, 150};

namespace {

constexpr int kHomingRecordIndex = 252;
constexpr int kPulseAxes = 4;

const std::array<std::string_view, 11> kCompileErrorTexts = {
    "ﾕｰｻﾞｰﾌﾟﾛｸﾞﾗﾑｺﾝﾊﾟｲﾙｴﾗｰ",  // 0
    "文法ｴﾗｰ",  // 1
    "I/Oｼﾝﾎﾞﾙｴﾗｰ",  // 2
    "ｺﾏﾝﾄﾞｴﾗｰ",  // 3
    "ｺﾏﾝﾄﾞ数ｴﾗｰ",  // 4
    "ﾗﾍﾞﾙｴﾗｰ",  // 5
    "ﾗﾍﾞﾙ数ｴﾗｰ",  // 6
    "ｼﾞｬﾝﾌﾟｴﾗｰ",  // 7
    "ｺｰﾄﾞｻｲｽﾞｴﾗｰ",  // 8
    "PROG番号ｴﾗｰ",  // 9
    "PROG100ｴﾗｰ",  // 10
};

}  // namespace

ListingWords listingWordsIn(Language language) {
    const ListingWords system;
    if (language == Language::Japanese) return system;
    return {inLanguage(language, system.axis) + " ", inLanguage(language, system.relative),
            inLanguage(language, system.absolute)};
}

namespace {

std::string axisName(const ListingWords& words, int axis) { return words.axis + std::to_string(axis); }

// 1..16 for the tokens "A1".."A16", else 0.
int axisTokenNumber(std::string_view token) {
    if (token.size() < 2 || token.size() > 3 || token[0] != 'A' || token[1] == '0') return 0;
    if (!digitsAt(token, 1, token.size() - 1)) return 0;
    const int n = decimalAt(token, 1);
    return n >= 1 && n <= 16 ? n : 0;
}

// A real number as written in an operand ("1.5", "-2"); 0 when there is none.
double realAt(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos < text.size() && text[pos] == '+') ++pos;
    double value = 0;
    if (pos < text.size()) std::from_chars(text.data() + pos, text.data() + text.size(), value);
    return value;
}

long long roundHalfAway(double v) {
    if (!std::isfinite(v)) return 0;
    v = std::clamp(v, -1e15, 1e15);
    return static_cast<long long>(v < 0 ? v - 0.5 : v + 0.5);
}

using AxisMarks = std::array<bool, 17>;  // index 1..16

// Axis names of the leading "A…" tokens, then one blank.
void appendAxisList(std::string& out, std::string_view text, AxisMarks& marks, const ListingWords& words) {
    bool any = false;
    forEachToken(text, [&](std::string_view token) {
        if (token[0] != 'A') return false;
        if (const int n = axisTokenNumber(token)) {
            if (any) out.push_back(',');
            out += axisName(words, n);
            marks[static_cast<std::size_t>(n)] = true;
            any = true;
        }
        return true;
    });
    out.push_back(' ');
}

std::uint8_t unitOf(const SettingsImage& image, int axis) { return ConstPulseAxisRecord(image, axis).positionUnit(); }

std::string listedPosition(const SettingsImage& image, int axis, int index, bool secondPoint) {
    const std::int32_t v = image.readPosition(axis, index);
    const std::uint8_t unit = unitOf(image, axis);
    if (unit == kPositionUnitStep) {
        if (v == NOT_SET_POSITION) return secondPoint ? "-" : "---";
        return std::to_string(v) + "step";
    }
    if (v == NOT_SET_POSITION) return "-.--";
    return twoDecimalText(v, unit == kPositionUnitDeg ? "deg" : "mm");
}

// "P" and three or four digits, then the positions of the marked axes 1..4.
// Returns the point number, or 0 when the text names no point.
int appendPoint(std::string& out, std::string_view text, const SettingsImage& image, const AxisMarks& marks,
                bool secondPoint) {
    if (text.empty() || text[0] != 'P' || !digitsAt(text, 1, 3)) {
        out.push_back(' ');
        return 0;
    }
    const int point = decimalAt(text, 1);
    out.append(text.substr(0, digitsAt(text, 4, 1) ? 5 : 4));
    out.push_back('(');
    bool first = true;
    for (int axis = 1; axis <= kPulseAxes; ++axis) {
        if (!marks[static_cast<std::size_t>(axis)]) continue;
        if (!first) out.append(", ");
        out += listedPosition(image, axis - 1, point - 1, secondPoint);
        first = false;
    }
    out.append(") ");
    return point;
}


// Point listing of a move: first point, the second point of an arc, then the
// speed rates of the first point (only the first axis's for interpolations).
void appendPointListing(std::string& out, std::string_view text, int code, const SettingsImage& image,
                        const AxisMarks& marks) {
    const int point = appendPoint(out, text, image, marks, false);
    if (point == 0) return;
    if (hasSecondPoint(code)) appendPoint(out, text.size() > 6 ? text.substr(6) : std::string_view(), image, marks, true);
    if (code == kCodeShift) return;
    const bool firstAxisOnly = code == kCodeLine || code == kCodeArc || code == kCodeLineC || code == kCodeArcC;
    bool first = true;
    for (int axis = 1; axis <= kPulseAxes; ++axis) {
        if (!marks[static_cast<std::size_t>(axis)]) continue;
        if (!first) out.append(", ");
        out += std::to_string(ConstPositionRecord(image, axis - 1, point - 1).speed()) + "%";
        first = false;
        if (firstAxisOnly) break;
    }
    out.push_back(' ');
}

std::string moveListing(int code, std::string_view operand, const SettingsImage& image, const ListingWords& words) {
    std::string out;
    std::string_view rest = operand;
    if (rest.substr(0, 2) == "I ") {
        out += words.relative;
        rest.remove_prefix(2);
    } else {
        out += words.absolute;
    }
    AxisMarks marks{};
    appendAxisList(out, rest, marks, words);
    const std::size_t blank = rest.find(' ');
    if (blank != std::string_view::npos) appendPointListing(out, rest.substr(blank + 1), code, image, marks);
    return out;
}

std::string homeListing(std::string_view operand, const SettingsImage& image, const ListingWords& words) {
    std::string out;
    forEachToken(operand, [&](std::string_view token) {
        const int n = axisTokenNumber(token);
        if (n >= 1 && n <= kPulseAxes) {
            if (!out.empty()) out.push_back(',');
            out += axisName(words, n);
            out += "(" + std::to_string(ConstPositionRecord(image, n - 1, kHomingRecordIndex).speed()) + "%)";
        }
        return true;
    });
    out.push_back(' ');
    return out;
}

std::string pathAccListing(int code, std::string_view operand, const SettingsImage& image,
                           const ListingWords& words) {
    if (operand.find("OFF") != std::string_view::npos) return std::string(operand);
    std::string out;
    for (int axis = 1; axis <= 5; ++axis) {
        std::string token = "A";
        token += std::to_string(axis);
        const std::size_t p = operand.find(token);
        if (p == std::string_view::npos) continue;
        if (!out.empty()) out.push_back(',');
        out += axisName(words, axis);
        const double v = realAt(operand, p + token.size() + 1);
        if (code == kCodePath) {
            out.push_back(' ');
            out += twoDecimalText(roundHalfAway(v * 100));
        } else {
            const long long entry = roundHalfAway(v);
            out += " " + std::to_string(entry);
            if (axis <= kPulseAxes && entry >= 0 && entry < ConstPulseAxisRecord::kAccelTimeCount) {
                const std::uint32_t time = ConstPulseAxisRecord(image, axis - 1).accelTime(static_cast<int>(entry));
                out += "(";
                out += twoDecimalText(time);
                out += "sec)";
            }
        }
    }
    return out;
}

std::string waitListing(std::string_view operand, const SettingsImage& image) {
    std::string out(operand);
    if (operand.empty() || operand[0] != 'T') return out;
    const std::int32_t timer = decimalAt(operand, 1);
    if (timer < 1 || timer > layout::kTimerCount) return out;
    out += "(";
    out += twoDecimalText(ConstTimerTable(image).timer(timer - 1));
    out += "sec)";
    return out;
}

std::string programName(const ProgramDirectory& directory, std::string_view digits) {
    const std::int32_t number = decimalAt(digits, 0);
    return ansiToUtf8(directory.name(number >= 0 && number <= 256 ? number : -1));
}

// The program reference followed by "(name)".
std::string withProgramName(std::string_view reference, const ProgramDirectory& directory, std::string_view digits) {
    std::string out(reference);
    out += '(';
    out += programName(directory, digits);
    out += ')';
    return out;
}

// GOSUB, ON, OFF: "…#nnn" and the program's name.
std::string programCallListing(std::string_view operand, const ProgramDirectory& directory) {
    const std::size_t hash = operand.find('#');
    if (hash == std::string_view::npos) return {};
    const std::string_view digits = operand.substr(hash + 1, 3);
    return withProgramName(operand.substr(0, hash + 1 + digits.size()), directory, digits);
}

// IF … GOSUB #nnn and the program's name.
std::string conditionalCallListing(std::string_view operand, const ProgramDirectory& directory) {
    const std::size_t gosub = operand.find("GOSUB");
    if (gosub == std::string_view::npos) return {};
    const std::string_view head = operand.substr(0, gosub + 5 + 5);
    const std::size_t hash = head.find('#', gosub);
    const std::string_view digits = hash == std::string_view::npos ? std::string_view() : head.substr(hash + 1);
    return withProgramName(head, directory, digits);
}

std::string networkListing(int code, std::string_view operand, const ListingWords& words) {
    std::string out;
    AxisMarks marks{};
    appendAxisList(out, operand, marks, words);
    const std::size_t blank = operand.find(' ');
    if (blank == std::string_view::npos) return out;
    out.append(operand.substr(code == kCodeMove2P || code == kCodeMove2 ? blank : blank + 1));
    return out;
}

std::string shiftListing(std::string_view operand, const SettingsImage& image) {
    const std::size_t p = operand.find('P');
    if (p == std::string_view::npos) return std::string(operand);
    std::string out(operand.substr(0, p));
    AxisMarks all{};
    for (int axis = 1; axis <= kPulseAxes; ++axis) all[static_cast<std::size_t>(axis)] = true;
    appendPointListing(out, operand.substr(p), kCodeShift, image, all);
    return out;
}

}  // namespace

std::string listOperand(int code, std::string_view operandCp932, const SettingsImage& image,
                        const ProgramDirectory& directory, const ListingWords& words) {
    // Converted first: every token looked for is ASCII, and in UTF-8 no ASCII
    // byte can be the second half of a double-byte character.
    const std::string operand = ansiToUtf8(operandCp932);
    switch (code) {
    case kCodeMove: case kCodeMoveP: case kCodeLine: case kCodeArc:
    case kCodeMoveD: case kCodeMovePD: case kCodeLineC: case kCodeArcC:
        return moveListing(code, operand, image, words);
    case kCodeHome: case kCodeHomeP:
        return homeListing(operand, image, words);
    case kCodeBreak: case kCodeHome2P: case kCodeBreak2: case kCodeNioRd: case kCodeHome2: case kCodePrst: {
        std::string out;
        AxisMarks marks{};
        appendAxisList(out, operand, marks, words);
        return out;
    }
    case kCodePath: case kCodeAcc:
        return pathAccListing(code, operand, image, words);
    case kCodeWait:
        return waitListing(operand, image);
    case kCodeGosub: case kCodeProgramOn: case kCodeProgramOff:
        return programCallListing(operand, directory);
    case kCodeIfGosub:
        return conditionalCallListing(operand, directory);
    case kCodeMove2P: case kCodeMove2: case kCodeSav2: case kCodeSav:
        return networkListing(code, operand, words);
    case kCodeShift:
        return shiftListing(operand, image);
    default:
        return operand;
    }
}

int stepTableRowCount(const CurrentProgram& program) {
    for (int i = 0; i < CurrentProgram::kMaxSteps; ++i)
        if (program.step(i).empty()) return i + 1;
    return CurrentProgram::kMaxSteps;
}

std::string stepNumberText(int index) { return zeroPadded(index + 1, 3); }

std::array<std::string, kStepColumnCount> stepTableRow(const CurrentProgram& program, int index,
                                                       const SettingsImage& image, const ProgramDirectory& directory,
                                                       const ListingWords& words) {
    std::array<std::string, kStepColumnCount> row;
    row[0] = stepNumberText(index);
    if (index < 0 || index >= CurrentProgram::kMaxSteps) return row;
    const StepRecord& step = program.step(index);
    if (step.empty()) return row;
    if (step.label != 0) row[1] = zeroPadded(step.label, 3);
    row[2] = std::string(commandDisplayName(step.code));
    row[3] = listOperand(step.code, step.operand, image, directory, words);
    row[4] = ansiToUtf8(step.comment);
    return row;
}

RowHighlight rowHighlight(const RowHighlightState& state, int row) {
    if (state.runMode) return row == state.runningStep ? RowHighlight::RunningStep : RowHighlight::None;
    if (row == state.errorStep) return RowHighlight::CompileError;
    if (row == state.lastStoredRow) return RowHighlight::LastStored;
    return RowHighlight::None;
}

std::string_view compileErrorText(int error) {
    if (error < 0 || error >= static_cast<int>(kCompileErrorTexts.size())) return {};
    return kCompileErrorTexts[static_cast<std::size_t>(error)];
}

std::string_view programStatusText(int compileError, bool storeClean) {
    if (compileError >= 1 && compileError <= 10) return compileErrorText(compileError);
    return storeClean ? std::string_view() : std::string_view("プログラム編集中");
}

}  // namespace vantrel
