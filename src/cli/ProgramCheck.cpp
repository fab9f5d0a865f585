#include "ProgramCheck.h"

#include <algorithm>
#include <map>

#include "platform/AnsiText.h"
#include "program/CommandCode.h"
#include "program/ProgramStore.h"
#include "program/StepLine.h"

namespace vantrel::cli {
namespace {

constexpr std::string_view kHeader = "\tPROG\t#";
constexpr int kRequiredProgram = 100;

std::string shown(std::string_view cp932) {
    std::string s = ansiToUtf8(cp932);
    for (auto& c : s)
        if (c == '\t') c = ' ';
    return s;
}

// Lines of the text (CR LF ends a line; the end mark and anything after it are gone).
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t eol = text.find("\r\n", pos);
        const std::size_t end = eol == std::string_view::npos ? text.size() : eol;
        lines.push_back(text.substr(pos, end - pos));
        pos = eol == std::string_view::npos ? text.size() : eol + 2;
    }
    return lines;
}

// Number of a header line, or -1 when it is not three digits.
int headerNumber(std::string_view line) {
    const std::string_view digits = line.substr(kHeader.size(), 3);
    if (digits.size() != 3 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
}

void checkRawBytes(std::string_view bytes, std::vector<ProgramFinding>& out) {
    const std::size_t endMark = bytes.find('\x1A');
    if (endMark != std::string_view::npos) {
        const auto rest = bytes.substr(endMark + 1);
        if (rest.find_first_not_of(std::string_view("\r\n \t\0", 5)) != std::string_view::npos)
            out.push_back({0, 0, "text after the end mark (0x1A) at byte " + std::to_string(endMark) + " is not read"});
        bytes = bytes.substr(0, endMark);
    }
    const auto nuls = std::count(bytes.begin(), bytes.end(), '\0');
    if (nuls > 0) out.push_back({0, 0, std::to_string(nuls) + " NUL bytes are dropped"});
    std::size_t loneCr = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) ++loneCr;
    if (loneCr > 0)
        out.push_back({0, 0, std::to_string(loneCr) + " CR bytes not followed by LF become blanks or line ends"});
}

void checkSection(int number, const std::vector<std::string_view>& lines, std::size_t first, std::size_t last,
                  std::vector<ProgramFinding>& out) {
    int step = 0;
    for (std::size_t i = first; i < last; ++i) {
        const std::string_view line = lines[i];
        if (line.substr(0, 1) == ";" || line.substr(0, 2) == "//") {
            out.push_back({number, step, "comment line \"" + shown(line) + "\" is dropped"});
            continue;
        }
        ++step;
        if (step > CurrentProgram::kMaxSteps) {
            out.push_back({number, step, "step beyond the 255 a program holds: kept in the text but not editable"});
            continue;
        }
        const StepRecord record = parseStepLine(line);
        if (record.code == kCodeEmpty) {
            out.push_back({number, step, "blank line: an empty step, dropped at the next change"});
            continue;
        }
        if (record.code == kCodeUndefined) {
            const auto tab = line.find('\t');
            const auto keywordEnd = tab == std::string_view::npos ? tab : line.find('\t', tab + 1);
            const auto keyword = tab == std::string_view::npos ? line : line.substr(tab + 1, keywordEnd - tab - 1);
            out.push_back({number, step, "undefined command \"" + shown(keyword) + "\" is dropped at the next change"});
            continue;
        }
        std::string rendered;
        appendStepLine(rendered, record);
        if (rendered.size() >= 2) rendered.resize(rendered.size() - 2);  // without CR LF
        if (rendered != line)
            out.push_back({number, step, "line is changed: \"" + shown(line) + "\" becomes \"" + shown(rendered) + "\""});
    }
}

}  // namespace

std::vector<ProgramFinding> checkProgramText(std::string_view fileBytes) {
    std::vector<ProgramFinding> out;
    checkRawBytes(fileBytes, out);

    ProgramStore store;
    if (!store.loadText(fileBytes)) out.push_back({0, 0, "the text does not fit into 16 MiB: lines are left out"});
    const std::string_view text = std::string_view(store.text()).substr(0, store.text().find('\x1A'));
    const auto lines = linesOf(text);  // views into the store's text

    // Sections in text order; text before the first header belongs to none.
    std::vector<std::pair<int, std::size_t>> headers;  // (number, line index)
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].substr(0, kHeader.size()) == kHeader) headers.emplace_back(headerNumber(lines[i]), i);
    const std::size_t firstHeader = headers.empty() ? lines.size() : headers.front().second;
    for (std::size_t i = 0; i < firstHeader; ++i)
        if (!lines[i].empty()) {
            out.push_back({0, 0, "text before the first program header belongs to no program"});
            break;
        }

    std::map<int, int> seen;
    for (std::size_t h = 0; h < headers.size(); ++h) {
        const auto [number, at] = headers[h];
        const std::size_t end = h + 1 < headers.size() ? headers[h + 1].second : lines.size();
        if (number < 1 || number > ProgramStore::kMaxProgramNumber) {
            out.push_back({0, 0, "header \"" + shown(lines[at]) + "\" is not a program number 001..255: its program is not listed"});
            continue;
        }
        if (++seen[number] == 2)
            out.push_back({number, 0, "program number appears more than once: the editor edits only the first section"});
        checkSection(number, lines, at + 1, end, out);
    }
    if (seen.empty())
        out.push_back({0, 0, "the file holds no program"});
    else if (!seen.count(kRequiredProgram))
        out.push_back({kRequiredProgram, 0, "program 100 is missing"});
    return out;
}

}  // namespace vantrel::cli
