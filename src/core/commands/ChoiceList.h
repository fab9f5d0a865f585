#pragma once

// A drop-down of numbered entries ("001" .. "016", "1001" .. "2000", "0" ..
// "25", or numbers with a text of their own such as a program and its name):
// the texts to show, the number each stands for and the one chosen.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/Refusal.h"

namespace vantrel {

// Captions the refusals of a kept number name: the drop-downs of a point and
// of a network driver.
inline constexpr std::string_view kPointChoiceCaption = "ポイントNo.";
inline constexpr std::string_view kDriverChoiceCaption = "軸No.";

class ChoiceList {
public:
    // Entries first..last, each zero-padded to `width` digits; the first is chosen.
    static ChoiceList numbers(int first, int last, int width);
    // Entries of (number, display text) in the order given; the first is chosen.
    // A number kept by chooseOrKeep shows zero-padded to `width` digits.
    static ChoiceList entries(std::vector<std::pair<int, std::string>> entries, int width = 0);

    bool empty() const { return numbers_.empty(); }

    const std::vector<std::string>& texts() const { return texts_; }
    int size() const { return static_cast<int>(numbers_.size()); }
    int chosenIndex() const { return chosen_; }
    int chosenNumber() const { return numbers_.empty() ? 0 : numbers_[static_cast<std::size_t>(chosen_)]; }
    int number(int index) const;
    // Chooses entry `index`; false (nothing changed) outside the list.
    bool choose(int index);
    // Chooses the entry of `number`; false (nothing changed) when none has it.
    bool chooseNumber(int number);
    // Chooses the entry of `number`. A number the list does not offer (a step
    // read from a program file may name one) is put in front and chosen, so a
    // re-opened step keeps its target unless the user picks another. Refused:
    // the number is no valid choice (a label that is gone, a driver outside
    // 1..16), and checkChosen refuses OK while it stays chosen.
    enum class Kept { Accepted, Refused };
    void chooseOrKeep(int number, Kept kept = Kept::Accepted);
    // The refusal to show while a number kept as Refused is chosen:
    // "<caption>「<number>」は使用できません。" and a request to choose again.
    MaybeRefusal checkChosen(std::string_view caption) const;

private:
    int width_ = 0;
    bool keptRefused_ = false;  // entry 0 is a number kept as Refused
    std::vector<std::string> texts_;
    std::vector<int> numbers_;
    int chosen_ = 0;
};

}  // namespace vantrel
