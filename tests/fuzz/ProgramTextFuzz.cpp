// Any bytes as a program file: read into the store, every program unpacked,
// listed, written back and edited. Checks that nothing crashes or overflows,
// that the store keeps its shape, that writing programs back settles after
// one round (reading and writing again changes nothing), and that the
// operations that read all programs in one walk of the text agree with
// straightforward readers that take one program at a time.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "data/SettingsImage.h"
#include "program/ProgramListing.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"

using namespace vantrel;

namespace {

// A failed check names its line before aborting, so a crash input tells
// which property it broke.
void requireAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "check failed at ProgramTextFuzz.cpp:%d\n", line);
    std::abort();
}
#define require(condition) requireAt((condition), __LINE__)

void checkStoreShape(const ProgramStore& store) {
    const std::string& text = store.text();
    require(text.size() <= ProgramStore::kMaxTextLength);
    require(text.find('\0') == std::string::npos);
    const std::size_t sub = text.find('\x1A');
    require(sub == std::string::npos || sub + 1 == text.size());
}

void checkProgram(const CurrentProgram& p) {
    require(p.stepCount <= CurrentProgram::kMaxSteps);
    for (int i = 0; i < CurrentProgram::kMaxSteps; ++i) {
        const StepRecord& s = p.step(i);
        require(s.operand.size() <= StepRecord::kMaxOperandBytes);
        require(s.comment.size() <= StepRecord::kMaxCommentBytes);
        require(s.label <= 999);
        require(s.operand.find_first_of(std::string_view("\t\r\n\0\x1A", 5)) == std::string::npos);
        if (i >= p.stepCount) require(s.empty());
    }
}

// The section of program n as a plain search from the top finds it.
ProgramStore::Section plainFind(const ProgramStore& store, int n) {
    const std::string_view text = store.readableText();
    ProgramStore::Section section;
    section.start = section.end = store.length();
    const std::string pattern = "\tPROG\t#" + std::to_string(1000 + n).substr(1);
    const std::size_t p = text.find(pattern);
    if (p == std::string_view::npos) return section;
    const std::size_t q = text.find("\tPROG\t#", p + pattern.size());
    return {true, p, q == std::string_view::npos ? store.length() : q, q != std::string_view::npos};
}

bool sameSection(const ProgramStore::Section& a, const ProgramStore::Section& b) {
    return a.found == b.found && a.start == b.start && a.end == b.end && a.more == b.more;
}

void checkOneWalkReaders(ProgramStore& store) {
    store.scanDirectory();
    const std::vector<std::uint8_t> numbers = store.directory().numbers;

    // The numbers after the header marks that a plain search finds: the
    // directory lists them, and each is found where a plain search finds it.
    const std::string_view text = store.readableText();
    std::array<bool, 256> headed{};
    for (std::size_t p = text.find("\tPROG\t#"); p != std::string_view::npos; p = text.find("\tPROG\t#", p + 1)) {
        const std::string_view digits = text.substr(p + 7, 3);
        if (digits.size() == 3 && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            const int n = std::stoi(std::string(digits));
            if (n >= 1 && n <= 255) headed[static_cast<std::size_t>(n)] = true;
        }
    }
    std::vector<std::uint8_t> plain;
    for (int n = 1; n <= ProgramStore::kMaxProgramNumber; ++n)
        if (headed[static_cast<std::size_t>(n)]) plain.push_back(static_cast<std::uint8_t>(n));
    require(plain == numbers);

    const ProgramStore::SectionTable table = store.findAllPrograms();
    for (int n = 1; n <= ProgramStore::kMaxProgramNumber; ++n) {
        const ProgramStore::Section& walked = table[static_cast<std::size_t>(n)];
        if (!headed[static_cast<std::size_t>(n)] && n != 1 && n != 255) {
            require(!walked.found);
            continue;
        }
        const ProgramStore::Section one = store.findProgram(n);
        require(sameSection(one, plainFind(store, n)));
        require(sameSection(walked, one));
    }

    // Labels of all programs: every program loaded in turn.
    static SettingsImage image;
    StepEditor editor(store, image, nullptr);
    StepEditor::LabelSet labels{};
    static CurrentProgram program;  // reused: readProgram empties it
    for (const std::uint8_t n : numbers) {
        store.readProgram(n, program);
        for (int i = 0; i < program.stepCount; ++i)
            if (program.step(i).label >= 1 && program.step(i).label <= 999) labels[program.step(i).label] = true;
    }
    require(editor.labelsInUseAll() == labels);  // no program is being edited here
}

// Deleting every other program (and one that is missing) at once and in
// turn; `store` itself is deleted from in turn, so this check comes last.
void checkDeletingAtOnce(ProgramStore& store) {
    store.scanDirectory();
    const std::vector<std::uint8_t>& numbers = store.directory().numbers;
    std::vector<std::uint8_t> doomed;
    for (std::size_t i = numbers.size(); i-- > 0;)
        if (i % 2 == 0) doomed.push_back(numbers[i]);
    doomed.insert(doomed.begin() + static_cast<std::ptrdiff_t>(doomed.size() / 2), 0);
    ProgramStore atOnce = store;
    atOnce.deletePrograms(doomed);
    for (const std::uint8_t n : doomed) store.deleteProgramText(n);
    require(atOnce.text() == store.text());
}

std::string writeEveryProgram(ProgramStore& store, const SettingsImage& image, bool& overlong) {
    store.scanDirectory();
    for (const std::uint8_t number : store.directory().numbers) {
        store.loadProgram(number);
        checkProgram(store.current());
        overlong = overlong || !store.current().excessLines.empty();
        for (int i = 0; i < store.current().stepCount; ++i) {
            const StepRecord& s = store.current().step(i);
            (void)listOperand(s.code, s.operand, image, store.directory());
        }
        if (!store.commitProgram(number)) return {};  // refused: the text must be unchanged
        checkStoreShape(store);
    }
    return store.text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SettingsImage image;
    ProgramStore store;
    if (!store.loadText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    checkStoreShape(store);
    checkOneWalkReaders(store);

    bool overlong = false;
    const std::string once = writeEveryProgram(store, image, overlong);
    if (once.empty()) return 0;
    const std::string twice = writeEveryProgram(store, image, overlong);
    // Lines beyond the 255th step move up when empty or undefined steps before
    // them are dropped, so such a section settles only over several rounds.
    if (!overlong) require(twice == once);

    // Edit the first program with what its own steps read back as.
    static SettingsImage scratch;
    StepEditor editor(store, scratch, nullptr);
    const int point = editor.allocateAutoPoint(0);
    require(point == -1 || (point >= 300 && point <= 999));
    if (!store.directory().numbers.empty()) {
        store.selectProgram(store.directory().numbers.front());
        const int steps = store.current().stepCount;
        std::vector<int> rows;
        for (int i = 0; i < steps && i < 8; ++i) {
            if (!editor.loadStepForEdit(i)) continue;
            rows.push_back(i);
            editor.freeStepPoints(i);
            CommandEditRecord record = editor.lastEditRecord();
            editor.setSelectedRow(i);
            editor.setStoreMode(StepEditor::StoreMode::Overwrite);
            (void)editor.storeCommand(record);
            editor.endEditExisting();
        }
        if (editor.copySteps(rows)) (void)editor.pasteSteps(store.current().stepCount);
        checkProgram(store.current());
        checkStoreShape(store);
        store.loadProgram(0);
        checkOneWalkReaders(store);
    }

    store.blankLoneCarriageReturns();
    for (std::size_t i = 0; i < store.text().size(); ++i)
        if (store.text()[i] == '\r') require(i + 1 < store.text().size() && store.text()[i + 1] == '\n');

    checkDeletingAtOnce(store);
    return 0;
}
