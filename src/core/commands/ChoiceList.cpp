#include "commands/ChoiceList.h"

#include <algorithm>

#include "commands/FieldChecks.h"
#include "program/TextScan.h"

namespace vantrel {

ChoiceList ChoiceList::numbers(int first, int last, int width) {
    ChoiceList list;
    list.width_ = width;
    for (int n = first; n <= last; ++n) {
        list.texts_.push_back(zeroPadded(n, width));
        list.numbers_.push_back(n);
    }
    return list;
}

ChoiceList ChoiceList::entries(std::vector<std::pair<int, std::string>> entries, int width) {
    ChoiceList list;
    list.width_ = width;
    for (auto& [number, text] : entries) {
        list.numbers_.push_back(number);
        list.texts_.push_back(std::move(text));
    }
    return list;
}

int ChoiceList::number(int index) const {
    return index >= 0 && index < size() ? numbers_[static_cast<std::size_t>(index)] : 0;
}

bool ChoiceList::choose(int index) {
    if (index < 0 || index >= size()) return false;
    chosen_ = index;
    return true;
}

bool ChoiceList::chooseNumber(int number) {
    const auto it = std::find(numbers_.begin(), numbers_.end(), number);
    if (it == numbers_.end()) return false;
    chosen_ = static_cast<int>(it - numbers_.begin());
    return true;
}

void ChoiceList::chooseOrKeep(int number, Kept kept) {
    if (chooseNumber(number)) return;
    texts_.insert(texts_.begin(), zeroPadded(number, width_));
    numbers_.insert(numbers_.begin(), number);
    chosen_ = 0;
    keptRefused_ = kept == Kept::Refused;
}

MaybeRefusal ChoiceList::checkChosen(std::string_view caption) const {
    if (!keptRefused_ || chosen_ != 0) return std::nullopt;
    return editorRefusal(std::string(caption) + "「" + texts_.front() + "」は使用できません。\n一覧から選び直してください。");
}

}  // namespace vantrel
