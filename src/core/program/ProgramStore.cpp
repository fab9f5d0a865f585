#include "program/ProgramStore.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "data/ProgramTitle.h"
#include "program/StepLine.h"
#include "program/TextScan.h"

namespace vantrel {

namespace {

constexpr std::string_view kHeaderMark = "\tPROG\t#";
constexpr std::size_t kHashOffset = kHeaderMark.size() - 1;  // where the '#' of a mark is
constexpr std::size_t kHeaderPatternLength = 10;             // mark + three digits
constexpr char kEndOfText = '\x1A';
constexpr std::size_t npos = std::string_view::npos;

bool validNumber(int number) { return number >= 1 && number <= ProgramStore::kMaxProgramNumber; }

// Position of the first header mark "\tPROG\t#" at or after `from`, or npos.
// The mark is found through its '#', which is rare in program text, so the
// search runs at the speed of memchr instead of stopping at every TAB. Two
// marks never overlap (a mark cannot begin inside another one).
std::size_t findMark(std::string_view text, std::size_t from) {
    if (from > text.size()) return npos;
    for (std::size_t hash = text.find('#', from + kHashOffset); hash != npos; hash = text.find('#', hash + 1))
        if (text.compare(hash - kHashOffset, kHashOffset, kHeaderMark.substr(0, kHashOffset)) == 0)
            return hash - kHashOffset;
    return npos;
}

// The program number of the header whose mark is at `p`: the three digits
// after the mark when they give 1..255, else 0.
int headerNumber(std::string_view text, std::size_t p) {
    if (!digitsAt(text, p + kHeaderMark.size(), 3)) return 0;
    const int number = decimalAt(text.substr(p + kHeaderMark.size(), 3), 0);
    return validNumber(number) ? number : 0;
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
    textReplaced();
    return true;
}

void ProgramStore::clear() {
    text_.clear();
    text_.shrink_to_fit();
    textReplaced();
}

void ProgramStore::restoreText(std::string text) {
    text_ = std::move(text);
    storeClean_ = false;
}

void ProgramStore::splice(std::size_t pos, std::size_t length, std::string_view inserted) {
    if (recorder_.recorder)
        recorder_.recorder->textSplicing(pos, std::string_view(text_).substr(pos, length), inserted);
    text_.replace(pos, length, inserted);
}

void ProgramStore::textReplaced() {
    if (recorder_.recorder) recorder_.recorder->workReplaced();
}

void ProgramStore::blankLoneCarriageReturns() {
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')) text_[i] = ' ';
}

std::size_t ProgramStore::readableEnd() const {
    return !text_.empty() && text_.back() == kEndOfText ? text_.size() - 1 : text_.size();
}

std::size_t ProgramStore::appendPosition() const { return readableEnd(); }

ProgramStore::Section ProgramStore::findProgram(int number) const {
    Section section;
    section.start = section.end = text_.size();
    if (!validNumber(number)) return section;
    const std::string_view text(text_.data(), readableEnd());
    std::size_t p = findMark(text, 0);
    while (p != npos && headerNumber(text, p) != number) p = findMark(text, p + 1);
    if (p == npos) return section;
    section.found = true;
    section.start = p;
    const std::size_t q = findMark(text, p + kHeaderPatternLength);
    section.more = q != npos;
    section.end = section.more ? q : text_.size();
    return section;
}

ProgramStore::SectionTable ProgramStore::findAllPrograms() const {
    SectionTable table;
    for (Section& section : table) section.start = section.end = text_.size();
    const std::string_view text(text_.data(), readableEnd());
    for (std::size_t p = findMark(text, 0); p != npos;) {
        // For a valid header the next mark lies past its three digits, where
        // findProgram looks for the end of the section.
        const std::size_t q = findMark(text, p + 1);
        Section& section = table[static_cast<std::size_t>(headerNumber(text, p))];
        if (&section != &table[0] && !section.found) {
            section.found = true;
            section.start = p;
            section.more = q != npos;
            section.end = section.more ? q : text_.size();
        }
        p = q;
    }
    return table;
}

bool ProgramStore::SectionLines::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t lf = text_.find('\n', pos_);
    const bool hasLineEnd = lf != npos;
    std::size_t lineEnd = hasLineEnd ? lf : text_.size();
    if (hasLineEnd && lineEnd > pos_ && text_[lineEnd - 1] == '\r') --lineEnd;
    line = text_.substr(pos_, lineEnd - pos_);
    pos_ = hasLineEnd ? lf + 1 : text_.size();
    return true;
}

ProgramStore::SectionLines ProgramStore::sectionLines(const Section& section) const {
    if (!section.found) return SectionLines({}, 0);
    const std::string_view text(text_.data(), std::min(section.end, readableEnd()));
    const std::size_t headerEnd = text.find('\n', section.start);
    return SectionLines(text, headerEnd == npos ? text.size() : headerEnd + 1);
}

bool ProgramStore::StepLines::next(std::string_view& line) {
    if (count_ == CurrentProgram::kMaxSteps) return false;
    while (lines_.next(line)) {
        if (isCommentLine(line)) continue;
        ++count_;
        return true;
    }
    return false;
}

int ProgramStore::scanDirectory() {
    directory_.clear();
    std::array<bool, 256> present{};
    const std::string_view text(text_.data(), readableEnd());
    for (std::size_t p = findMark(text, 0); p != npos; p = findMark(text, p + kHeaderMark.size())) {
        const int number = headerNumber(text, p);
        if (number == 0) continue;
        present[static_cast<std::size_t>(number)] = true;

        const std::size_t after = p + kHeaderPatternLength;
        std::size_t lineEnd = text.find('\n', after);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        lineEnd = std::min(lineEnd, findMark(text.substr(0, lineEnd), after));
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
    readProgram(number, validNumber(number) ? findProgram(number) : Section{}, out);
}

void ProgramStore::readProgram(int number, const Section& section, CurrentProgram& out) const {
    out.clear();
    if (!validNumber(number)) return;
    out.number = static_cast<std::uint8_t>(number);
    out.name = directory_.name(number);
    if (!section.found) return;

    StepLines steps = stepLines(section);
    for (std::string_view line; steps.next(line);) {
        out.steps[out.stepCount] = parseStepLine(line);
        ++out.stepCount;
    }
    for (std::string_view line; steps.rest().next(line);) {
        out.excessLines.append(line);
        out.excessLines.append("\r\n");
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
    std::string rendered = renderProgram();
    current_.number = shownNumber;

    const Section section = findProgram(number);
    if (!section.found) {
        const std::size_t pos = appendPosition();
        if (!fits(pos + rendered.size() + 1)) return std::nullopt;
        rendered.push_back(kEndOfText);
        splice(pos, text_.size() - pos, rendered);
    } else if (section.more) {
        if (!fits(text_.size() - (section.end - section.start) + rendered.size())) return std::nullopt;
        splice(section.start, section.end - section.start, rendered);
    } else {
        if (!fits(section.start + rendered.size())) return std::nullopt;
        splice(section.start, text_.size() - section.start, rendered);
    }
    storeClean_ = false;
    return text_.size();
}

bool ProgramStore::addProgram(int number) {
    if (!validNumber(number)) return false;
    std::string header(kHeaderMark);
    appendThreeDigits(header, number);
    header.append("\r\n");
    header.push_back(kEndOfText);
    const std::size_t pos = appendPosition();
    if (!fits(pos + header.size())) return false;
    splice(pos, text_.size() - pos, header);
    storeClean_ = false;
    return true;
}

void ProgramStore::deleteProgramText(int number) {
    const Section section = findProgram(number);
    if (section.found && section.more) {
        splice(section.start, section.end - section.start, {});
    } else if (section.found) {
        splice(section.start, text_.size() - section.start, std::string_view(&kEndOfText, 1));
    } else if ((text_.empty() || text_.back() != kEndOfText) && fits(text_.size() + 1)) {
        splice(text_.size(), 0, std::string_view(&kEndOfText, 1));
    }
    storeClean_ = false;
}

void ProgramStore::deletePrograms(const std::vector<std::uint8_t>& numbers) {
    if (numbers.empty()) return;
    const SectionTable sections = findAllPrograms();
    const std::size_t readable = readableEnd();
    // Walk the deletions in their order only to learn whether the text ends
    // with 0x1A afterwards: deleting the last section leaves one, and so does
    // deleting a program that has no section when the text has room for it.
    bool endsWithSub = readable < text_.size();
    std::size_t length = readable;
    std::array<bool, kMaxProgramNumber + 1> deleted{};
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (const std::uint8_t number : numbers) {
        if (deleted[number]) continue;
        deleted[number] = true;
        const Section& section = sections[number];
        if (!section.found) {
            if (!endsWithSub && fits(length + 1)) endsWithSub = true;
            continue;
        }
        const std::size_t end = std::min(section.end, readable);
        ranges.emplace_back(section.start, end);
        length -= end - section.start;
        if (!section.more) endsWithSub = true;
    }
    // The sections do not overlap: each runs from its header to the next one.
    std::sort(ranges.begin(), ranges.end());
    if (recorder_.recorder) {
        // Told as the removals one after another would make them, then the end.
        std::size_t removed = 0;
        for (const auto& [start, end] : ranges) {
            recorder_.recorder->textSplicing(start - removed, std::string_view(text_).substr(start, end - start), {});
            removed += end - start;
        }
        const std::string_view oldEnd = std::string_view(text_).substr(readable);
        const std::string_view newEnd = endsWithSub ? std::string_view(&kEndOfText, 1) : std::string_view();
        if (oldEnd != newEnd) recorder_.recorder->textSplicing(readable - removed, oldEnd, newEnd);
    }
    std::size_t out = 0;
    std::size_t in = 0;
    const auto keep = [&](std::size_t end) {
        if (out != in && end > in) std::memmove(text_.data() + out, text_.data() + in, end - in);
        out += end - in;
    };
    for (const auto& [start, end] : ranges) {
        keep(start);
        in = end;
    }
    keep(readable);
    text_.resize(out);
    if (endsWithSub) text_.push_back(kEndOfText);
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
