#include "program/ProgramList.h"

#include <algorithm>
#include <cstdio>

#include "data/EditGroup.h"
#include "data/ProgramTitle.h"
#include "program/StepEditor.h"
#include "program/StepLine.h"
#include "program/TextScan.h"

namespace vantrel {

ProgramList::ProgramList(ProgramStore& store) : store_(store) {
    store_.scanDirectory();
    rememberedProgram_ = store_.selectedProgram();
    numbers_ = store_.directory().numbers;
}

std::string ProgramList::numberText(int row) const {
    if (row < 0 || row >= static_cast<int>(numbers_.size())) return {};
    return "P" + zeroPadded(numbers_[static_cast<std::size_t>(row)], 3);
}

std::string ProgramList::name(int row) const {
    if (row < 0 || row >= static_cast<int>(numbers_.size())) return {};
    const int number = numbers_[static_cast<std::size_t>(row)];
    return store_.directory().contains(number) ? store_.directory().name(number) : std::string();
}

MaybeRefusal ProgramList::add(std::string_view text) {
    if (text.empty()) return Refusal{"整数を入力してください。", kProgramTitle, MessageIcon::Warning};
    const std::int32_t number = decimalAt(text, 0);
    if (number <= 0 || number >= 256) {
        char message[128];
        std::snprintf(message, sizeof message, "%d から %d までの整数を入力してください。", 1, 255);
        return Refusal{message, kProgramTitle, MessageIcon::Warning};
    }
    const auto at = std::lower_bound(numbers_.begin(), numbers_.end(), number);
    if (at != numbers_.end() && *at == number) return Refusal{"既に存在するプログラム番号です", kProgramTitle, MessageIcon::Warning};
    numbers_.insert(at, static_cast<std::uint8_t>(number));
    return std::nullopt;
}

MaybeRefusal ProgramList::remove(int row) {
    if (row < 0 || row >= static_cast<int>(numbers_.size()))
        return Refusal{"ﾌﾟﾛｸﾞﾗﾑが選択されていません", kProgramTitle, MessageIcon::Warning};
    if (numbers_[static_cast<std::size_t>(row)] == kUndeletableProgram)
        return Refusal{"プログラム100番は削除できません", kProgramTitle, MessageIcon::Warning};
    numbers_.erase(numbers_.begin() + row);
    return std::nullopt;
}

int ProgramList::apply(ImageEdit& edit) {
    // Undone, the list comes back with the program that was shown.
    EditGroup group(store_.editRecorder(), "プログラム一覧", EditPlace::step(rememberedProgram_, 0));
    const std::vector<std::uint8_t> present = store_.directory().numbers;
    const auto inSet = [](const std::vector<std::uint8_t>& set, int n) { return std::binary_search(set.begin(), set.end(), n); };

    for (const std::uint8_t number : numbers_)
        if (!inSet(present, number)) store_.addProgram(number);

    // Highest first: the points of each deleted program's steps are cleared
    // (only steps with positions need their operand read), then all sections
    // go in one rebuild of the text.
    std::vector<std::uint8_t> deleted;
    for (auto it = present.rbegin(); it != present.rend(); ++it)
        if (!inSet(numbers_, *it)) deleted.push_back(*it);
    if (!deleted.empty()) {
        const ProgramStore::SectionTable sections = store_.findAllPrograms();
        for (const std::uint8_t number : deleted) {
            ProgramStore::StepLines steps = store_.stepLines(sections[number]);
            for (std::string_view line; steps.next(line);)
                if (isPositionCommand(stepLineKeywordCode(line))) StepEditor::freeStepPoints(parseStepCommand(line), edit);
        }
        store_.deletePrograms(deleted);
    }

    int selected = 1;
    if (!numbers_.empty()) {
        const auto above = std::upper_bound(numbers_.begin(), numbers_.end(), rememberedProgram_);
        selected = above == numbers_.begin() ? numbers_.front() : *(above - 1);
    }
    store_.scanDirectory();
    store_.selectProgram(selected);
    return selected;
}

MaybeRefusal ProgramList::renameProgram(ProgramStore& store, std::string_view name) {
    if (name.size() > kMaxNameBytes) return Refusal{"最大文字数を超えています", kProgramTitle, MessageIcon::Warning};
    EditGroup group(store.editRecorder(), "プログラム名称", EditPlace::step(store.current().number, 0));
    const std::string oldName = store.current().name;
    store.setProgramName(name);
    if (!store.commitProgram(store.current().number)) {
        store.setProgramName(oldName);
        return ProgramStore::storeFullRefusal();
    }
    store.scanDirectory();
    return std::nullopt;
}

std::vector<std::string> ProgramList::numberListTexts(const ProgramDirectory& directory) {
    std::vector<std::string> texts;
    for (const std::uint8_t number : directory.numbers) texts.push_back(zeroPadded(number, 3));
    return texts;
}

}  // namespace vantrel
