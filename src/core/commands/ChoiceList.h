#pragma once

// A drop-down of numbered entries ("001" .. "016", "1001" .. "2000", "0" ..
// "25"): the texts to show, the number each stands for and the one chosen.

#include <string>
#include <vector>

namespace vantrel {

class ChoiceList {
public:
    // Entries first..last, each zero-padded to `width` digits; the first is chosen.
    static ChoiceList numbers(int first, int last, int width);

    const std::vector<std::string>& texts() const { return texts_; }
    int size() const { return static_cast<int>(numbers_.size()); }
    int chosenIndex() const { return chosen_; }
    int chosenNumber() const { return numbers_.empty() ? 0 : numbers_[static_cast<std::size_t>(chosen_)]; }
    // Chooses entry `index`; false (nothing changed) outside the list.
    bool choose(int index);
    // Chooses the entry of `number`; false (nothing changed) when none has it.
    bool chooseNumber(int number);
    // Chooses the entry of `number`. A number the list does not offer (a step
    // read from a program file may name one) is put in front and chosen, so a
    // re-opened step keeps its target unless the user picks another.
    void chooseOrKeep(int number);

private:
    int width_ = 0;
    std::vector<std::string> texts_;
    std::vector<int> numbers_;
    int chosen_ = 0;
};

}  // namespace vantrel
