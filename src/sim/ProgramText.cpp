#include "sim/ProgramText.h"

namespace vantrel {

namespace {

constexpr std::string_view kHeader = "\tPROG\t#";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t') out.push_back(c);
    return out;
}

// The number of a header line: exactly three digits after "#".
int headerNumber(std::string_view line) {
    const std::string_view rest = line.substr(kHeader.size());
    if (rest.size() < 3 || !isDigit(rest[0]) || !isDigit(rest[1]) || !isDigit(rest[2])) return -1;
    if (rest.size() > 3 && rest[3] != '\t' && rest[3] != ' ') return -1;
    return (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
}

SourceStep parseStep(std::string_view line) {
    SourceStep step;
    const std::size_t firstTab = line.find('\t');
    step.hasTab = firstTab != std::string_view::npos;
    step.blank = line.find_first_not_of(" \t") == std::string_view::npos;
    if (!step.hasTab) {
        step.label = withoutBlanks(line);  // all of it: a line without the keyword's TAB
        return step;
    }
    step.label = withoutBlanks(line.substr(0, firstTab));
    const std::string_view rest = line.substr(firstTab + 1);
    const std::size_t keywordEnd = rest.find('\t');
    step.keyword = withoutBlanks(rest.substr(0, keywordEnd));
    if (keywordEnd == std::string_view::npos) return step;
    std::string_view operand = rest.substr(keywordEnd + 1);
    operand = operand.substr(0, operand.find(';'));
    step.operand.assign(operand);
    for (char& c : step.operand)
        if (c == '\t') c = ' ';
    return step;
}

}  // namespace

std::vector<SourceProgram> splitProgramText(std::string_view text) {
    const std::size_t end = text.find_first_of(std::string_view("\x1A\0", 2));
    if (end != std::string_view::npos) text = text.substr(0, end);

    std::vector<SourceProgram> programs;
    int commentLines = 0;
    int offset = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t next = text.find('\n', at);
        std::string_view line = text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
        at = next == std::string_view::npos ? text.size() : next + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (line.substr(0, kHeader.size()) == kHeader) {
            programs.push_back(SourceProgram{headerNumber(line), {}});
            commentLines = 0;
            offset = 0;
            continue;
        }
        if (programs.empty()) continue;  // before the first program
        ++offset;
        if (line.substr(0, 1) == ";" || line.substr(0, 2) == "//") {
            ++commentLines;
            continue;
        }
        SourceStep step = parseStep(line);
        step.lineOffset = offset;
        step.commentsBefore = commentLines;
        programs.back().steps.push_back(std::move(step));
    }
    return programs;
}

}  // namespace vantrel
