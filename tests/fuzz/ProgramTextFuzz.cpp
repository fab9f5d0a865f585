// Any bytes as a program file: read into the store, every program unpacked,
// listed, written back and edited. Checks that nothing crashes or overflows,
// that the store keeps its shape, and that writing programs back settles after
// one round (reading and writing again changes nothing).

#include <cstdint>
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

void require(bool condition) {
    if (!condition) std::abort();
}

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
    }

    store.blankLoneCarriageReturns();
    for (std::size_t i = 0; i < store.text().size(); ++i)
        if (store.text()[i] == '\r') require(i + 1 < store.text().size() && store.text()[i + 1] == '\n');
    return 0;
}
