#include "program/ProgramStore.h"

#include <algorithm>
#include <array>
#include <functional>

#include "data/ProgramTitle.h"
#include "program/StepLine.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

constexpr std::string_view kHeaderMark = "\tPROG\t#";
constexpr std::size_t kHeaderPatternLength = 10;  // mark + three digits
constexpr char kEndOfText = '\x1A';

std::string headerPattern(int number) {
    std::string pattern(kHeaderMark);
    appendThreeDigits(pattern, number);
    return pattern;
}

bool validNumber(int number) { return number >= 1 && number <= ProgramStore::kMaxProgramNumber; }

// Position of `pattern` in `text` from `from`, or npos. Header marks begin
// with a TAB, which nearly every line holds, so a skipping search is used
// rather than one that stops at every TAB.
std::size_t findIn(std::string_view text, std::string_view pattern, std::size_t from) {
    if (from > text.size()) return std::string_view::npos;
    const auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
    return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

bool isCommentLine(std::string_view line) {
    return (!line.empty() && line[0] == ';') || line.substr(0, 2) == "//";
}

}  // namespace

Refusal ProgramStore::storeFullRefusal() {
    return {"これ以上コマンドを追加できません。", kProgramTitle, MessageIcon::Warning};
}

bool ProgramStore::loadText(std::string_view bytes) {
    const std::size_t end = std::min(bytes.find(kEndOfText), bytes.size());
    std::string loaded;
    loaded.reserve(end + end / 16);
    std::size_t pos = 0;
    while (pos < end) {
        std::size_t lf = bytes.find('\n', pos);
        if (lf == std::string_view::npos || lf > end) lf = end;
        std::size_t contentEnd = lf;
        if (lf < end && contentEnd > pos && bytes[contentEnd - 1] == '\r') --contentEnd;
        for (std::size_t i = pos; i < contentEnd; ++i)
            if (bytes[i] != '\0') loaded.push_back(bytes[i]);
        loaded.append("\r\n");
        if (!fits(loaded.size())) return false;
        pos = lf + 1;
    }
    text_.swap(loaded);
    storeClean_ = true;
    return true;
}

void ProgramStore::clear() {
    text_.clear();
    text_.shrink_to_fit();
}

void ProgramStore::blankLoneCarriageReturns() {
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')) text_[i] = ' ';
}

std::size_t ProgramStore::readableEnd() const {
    return !text_.empty() && text_.back() == kEndOfText ? text_.size() - 1 : text_.size();
}

std::size_t ProgramStore::find(std::string_view pattern, std::size_t from) const {
    const std::size_t end = readableEnd();
    if (from >= end) return std::string::npos;
    return findIn(std::string_view(text_).substr(0, end), pattern, from);
}

std::size_t ProgramStore::appendPosition() const { return readableEnd(); }

ProgramStore::Section ProgramStore::findProgram(int number) const {
    Section section;
    section.start = section.end = text_.size();
    if (!validNumber(number)) return section;
    const std::size_t p = find(headerPattern(number), 0);
    if (p == std::string::npos) return section;
    section.found = true;
    section.start = p;
    const std::size_t q = find(kHeaderMark, p + kHeaderPatternLength);
    section.more = q != std::string::npos;
    section.end = section.more ? q : text_.size();
    return section;
}

int ProgramStore::scanDirectory() {
    directory_.clear();
    std::array<bool, 256> present{};
    const std::string_view text(text_.data(), readableEnd());
    for (std::size_t p = findIn(text, kHeaderMark, 0); p != std::string_view::npos;
         p = findIn(text, kHeaderMark, p + kHeaderMark.size())) {
        if (!digitsAt(text, p + kHeaderMark.size(), 3)) continue;
        const int number = decimalAt(text.substr(p + kHeaderMark.size(), 3), 0);
        if (!validNumber(number)) continue;
        present[static_cast<std::size_t>(number)] = true;

        const std::size_t after = p + kHeaderPatternLength;
        std::size_t lineEnd = text.find('\n', after);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        lineEnd = std::min(lineEnd, findIn(text.substr(0, lineEnd), kHeaderMark, after));
        std::string_view line = text.substr(after, lineEnd - after);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t semicolon = line.find(';');
        directory_.names[static_cast<std::size_t>(number)] =
            semicolon == std::string_view::npos ? std::string()
                                                : fieldText(line.substr(semicolon + 1), ProgramDirectory::kMaxNameBytes);
    }
    for (int n = 1; n <= kMaxProgramNumber; ++n)
        if (present[static_cast<std::size_t>(n)]) directory_.numbers.push_back(static_cast<std::uint8_t>(n));
    return directory_.count();
}

void ProgramStore::readProgram(int number, CurrentProgram& out) const {
    out = CurrentProgram{};
    if (!validNumber(number)) return;
    out.number = static_cast<std::uint8_t>(number);
    out.name = directory_.name(number);
    const Section section = findProgram(number);
    if (!section.found) return;

    const std::size_t end = std::min(section.end, readableEnd());
    const std::string_view text(text_);
    std::size_t pos = text.find('\n', section.start);
    pos = pos == std::string_view::npos || pos >= end ? end : pos + 1;
    while (pos < end) {
        const std::size_t lf = text.find('\n', pos);
        const bool hasLineEnd = lf != std::string_view::npos && lf < end;
        std::size_t lineEnd = hasLineEnd ? lf : end;
        const std::size_t next = hasLineEnd ? lf + 1 : end;
        if (hasLineEnd && lineEnd > pos && text[lineEnd - 1] == '\r') --lineEnd;
        const std::string_view line = text.substr(pos, lineEnd - pos);
        pos = next;
        if (out.stepCount == CurrentProgram::kMaxSteps) {
            out.excessLines.append(line);
            out.excessLines.append("\r\n");
            continue;
        }
        if (isCommentLine(line)) continue;
        out.steps[out.stepCount] = parseStepLine(line);
        ++out.stepCount;
    }
}

void ProgramStore::loadProgram(int number) { readProgram(number, current_); }

std::string ProgramStore::renderProgram() const {
    std::string out;
    out.reserve(64 + static_cast<std::size_t>(current_.stepCount) * 48 + current_.excessLines.size());
    out.append(kHeaderMark);
    appendThreeDigits(out, current_.number);
    const std::string& name = directory_.name(current_.number);
    if (!name.empty()) {
        out.append("\t;");
        out.append(name);
    }
    out.append("\r\n");
    for (int i = 0; i < current_.stepCount; ++i) appendStepLine(out, current_.step(i));
    out.append(current_.excessLines);
    return out;
}

std::optional<std::size_t> ProgramStore::commitProgram(int number) {
    if (!validNumber(number)) return std::nullopt;
    const std::uint8_t shownNumber = current_.number;
    current_.number = static_cast<std::uint8_t>(number);
    const std::string rendered = renderProgram();
    current_.number = shownNumber;

    const Section section = findProgram(number);
    if (!section.found) {
        const std::size_t pos = appendPosition();
        if (!fits(pos + rendered.size() + 1)) return std::nullopt;
        text_.resize(pos);
        text_.append(rendered);
        text_.push_back(kEndOfText);
    } else if (section.more) {
        if (!fits(text_.size() - (section.end - section.start) + rendered.size())) return std::nullopt;
        text_.replace(section.start, section.end - section.start, rendered);
    } else {
        if (!fits(section.start + rendered.size())) return std::nullopt;
        text_.resize(section.start);
        text_.append(rendered);
    }
    storeClean_ = false;
    return text_.size();
}

bool ProgramStore::addProgram(int number) {
    if (!validNumber(number)) return false;
    std::string header(kHeaderMark);
    appendThreeDigits(header, number);
    header.append("\r\n");
    const std::size_t pos = appendPosition();
    if (!fits(pos + header.size() + 1)) return false;
    text_.resize(pos);
    text_.append(header);
    text_.push_back(kEndOfText);
    storeClean_ = false;
    return true;
}

void ProgramStore::deleteProgramText(int number) {
    const Section section = findProgram(number);
    if (section.found) {
        text_.erase(section.start, section.end - section.start);
        if (!section.more) text_.push_back(kEndOfText);
    } else if ((text_.empty() || text_.back() != kEndOfText) && fits(text_.size() + 1)) {
        text_.push_back(kEndOfText);
    }
    storeClean_ = false;
}

void ProgramStore::setProgramName(std::string_view name) {
    current_.name = fieldText(name, ProgramDirectory::kMaxNameBytes);
    if (validNumber(current_.number)) directory_.names[current_.number] = current_.name;
}

void ProgramStore::selectProgram(int number) {
    selectedProgram_ = number;
    loadProgram(number);
}

int ProgramStore::firstProgramNumber() const {
    return directory_.numbers.empty() ? 1 : directory_.numbers.front();
}

}  // namespace vantrel
