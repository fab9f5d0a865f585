#include "program/StepLine.h"

#include <array>
#include <optional>
#include <utility>

#include "platform/AnsiText.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

constexpr std::size_t kMaxKeywordBytes = 10;

void fixUpByOperand(StepRecord& step) {
    const std::string_view operand = step.operand;
    if (step.code == kCodeIfGoto) {
        if (operand.find("GOSUB") != std::string_view::npos) step.code = kCodeIfGosub;
        if (operand.find("THEN") != std::string_view::npos) step.code = kCodeIfThen;
    } else if (step.code == kCodeOutInternal) {
        if (operand.empty() || operand[0] != 'T') step.code = kCodeOutExternal;
    } else if (step.code == kCodeMove || step.code == kCodeMoveP) {
        const std::int32_t point = decimalAfter(operand, "P");
        if (point >= 301 && point <= 1000) step.code = step.code == kCodeMove ? kCodeMoveD : kCodeMovePD;
    }
}

std::size_t firstNonBlank(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    return i;
}

struct Keyword {
    std::array<char, kMaxKeywordBytes> bytes{};
    std::size_t size = 0;
    std::string_view text() const { return {bytes.data(), size}; }
};

// The keyword after the line's first TAB: up to 10 bytes, ending at NUL, TAB
// or 0x1A, blanks inside skipped. `end` is left where it ended (npos when the
// line has no TAB).
Keyword keywordOf(std::string_view line, std::size_t& end) {
    Keyword keyword;
    const std::size_t tab = line.find('\t', firstNonBlank(line));
    if (tab == std::string_view::npos) {
        end = std::string_view::npos;
        return keyword;
    }
    std::size_t p = tab + 1;
    while (p < line.size() && line[p] != '\t' && line[p] != '\0' && line[p] != '\x1A') {
        if (line[p] != ' ' && keyword.size < kMaxKeywordBytes) keyword.bytes[keyword.size++] = line[p];
        ++p;
    }
    end = p;
    return keyword;
}


// Reads the code of the line's keyword and its operand (up to ";") into
// `step`. Returns the rest of the line after the TAB that ends the keyword,
// or nothing when no such TAB follows (no operand).
std::optional<std::string_view> readCommand(std::string_view line, StepRecord& step) {
    std::size_t p = 0;
    const Keyword keyword = keywordOf(line, p);
    if (p == std::string_view::npos) return std::nullopt;  // no TAB, no keyword: an empty record
    step.code = codeOfKeyword(keyword.text());
    if (p >= line.size() || line[p] != '\t') return std::nullopt;
    const std::string_view rest = line.substr(p + 1);
    step.operand = fieldText(rest.substr(0, rest.find(';')), StepRecord::kMaxOperandBytes);
    return rest;
}

}  // namespace

std::string_view writtenOperand(const StepRecord& step) {
    const std::string_view operand = step.operand;
    if (!step.separatorBlank || operand.empty() || operand.back() != ' ') return operand;
    const std::string_view rest = operand.substr(0, operand.size() - 1);
    // Without a comment the line ends after the operand. When that TAB was read
    // as the second byte of a double-byte character (only in a broken text),
    // the blank stays: the line would end in half a character, which the next
    // read drops.
    if (step.comment.empty() && ansiPrefix(rest, rest.size()).size() != rest.size()) return operand;
    return rest;
}

StepRecord parseStepCommand(std::string_view line) {
    StepRecord step;
    readCommand(line, step);
    return step;
}

std::uint8_t stepLineKeywordCode(std::string_view line) {
    std::size_t end = 0;
    const Keyword keyword = keywordOf(line, end);
    if (end == std::string_view::npos) return kCodeEmpty;
    return codeOfKeyword(keyword.text());
}

std::uint16_t stepLineLabel(std::string_view line) {
    // A line that does not start with its TAB starts with a label "L" + three digits.
    const std::size_t i = firstNonBlank(line);
    if (i < line.size() && line[i] == '\t') return 0;
    if (!digitsAt(line, i + 1, 3)) return 0;
    return static_cast<std::uint16_t>((line[i + 1] - '0') * 100 + (line[i + 2] - '0') * 10 + (line[i + 3] - '0'));
}

bool isCommentLine(std::string_view line) {
    return (!line.empty() && line[0] == ';') || line.substr(0, 2) == "//";
}

StepRecord parseStepLine(std::string_view line) {
    StepRecord step;
    step.label = stepLineLabel(line);
    const std::optional<std::string_view> rest = readCommand(line, step);
    if (!rest) return step;
    const std::size_t semicolon = rest->find(';');
    if (semicolon != std::string_view::npos) {
        step.comment = fieldText(rest->substr(semicolon + 1), StepRecord::kMaxCommentBytes);
        step.separatorBlank = semicolon > 0 && (*rest)[semicolon - 1] == '\t' && step.operand.size() == semicolon;
    }
    fixUpByOperand(step);
    return step;
}

void appendStepLine(std::string& out, const StepRecord& step) {
    if (step.code == kCodeEmpty || step.code == kCodeUndefined) return;
    if (step.label != 0) {
        out.push_back('L');
        appendThreeDigits(out, step.label);
    }
    out.push_back('\t');
    out.append(commandKeyword(step.code));
    out.push_back('\t');
    // The TAB before ";" reads back as a blank at the operand's end; that blank
    // is left out here, so reading and writing a line again gives the same text
    // instead of one more blank on every round, and a comment that is empty or
    // removed takes its TAB along. An operand built by an editor ("A1 P0301 ")
    // keeps its own trailing blank.
    out.append(writtenOperand(step));
    if (!step.comment.empty()) {
        out.append("\t;");
        out.append(step.comment);
    }
    out.append("\r\n");
}

void setComment(StepRecord& step, std::string comment) {
    step.comment = std::move(comment);
    if (!step.comment.empty() || !step.separatorBlank) return;
    step.operand = std::string(writtenOperand(step));
    step.separatorBlank = false;
}

}  // namespace vantrel
