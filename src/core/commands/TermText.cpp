#include "commands/TermText.h"

#include <array>

#include "platform/AnsiText.h"

namespace vantrel {

namespace {

constexpr std::string_view kAnd = ",";
constexpr std::string_view kOr = "or";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The symbol of a term: up to its blank or comparison operator.
std::string_view termSymbol(std::string_view term) {
    const std::size_t end = term.find_first_of(" =#<>");
    return end == std::string_view::npos ? term : term.substr(0, end);
}

}  // namespace

std::span<const std::string_view> comparisonOperatorChoices() {
    static constexpr std::array<std::string_view, 4> choices = {"＝", "≠(#)", "＜", "＞"};
    return choices;
}

std::string_view comparisonOperatorText(ComparisonOperator op) {
    switch (op) {
    case ComparisonOperator::Equal: return "==";
    case ComparisonOperator::NotEqual: return "#";
    case ComparisonOperator::Less: return "<";
    case ComparisonOperator::Greater: return ">";
    }
    return "==";
}

std::string onOffTerm(std::string_view symbol, bool on) { return std::string(symbol) + (on ? " ON" : " OFF"); }

std::string comparisonTerm(std::string_view symbol, ComparisonOperator op, int value) {
    return std::string(symbol) + std::string(comparisonOperatorText(op)) + std::to_string(value);
}

std::string remoteIoSymbol(std::string_view symbol, int axisIndex) {
    std::string out(symbol);
    if (out.size() >= 3 && axisIndex >= 0 && axisIndex < 16) out[2] = "0123456789ABCDEF"[axisIndex];
    return out;
}

TermText::TermText(std::string_view cp932) : text_(cp932) {
    // "or" is a joiner where a term can end: after "ON", "OFF" or a number.
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == ',') {
            joiners_.push_back({i, kAnd.size()});
        } else if (text_.compare(i, kOr.size(), kOr) == 0 && i > 0 &&
                   (text_[i - 1] == 'N' || text_[i - 1] == 'F' || isDigit(text_[i - 1]))) {
            joiners_.push_back({i, kOr.size()});
            ++i;
        }
    }
}

std::string TermText::displayText() const { return ansiToUtf8(text_); }

bool TermText::endsInJoiner() const {
    return !joiners_.empty() && joiners_.back().at + joiners_.back().length == text_.size();
}

int TermText::termCount() const {
    if (text_.empty()) return 0;
    return static_cast<int>(joiners_.size()) + (endsInJoiner() ? 0 : 1);
}

bool TermText::append(TermJoiner joiner, std::string_view term) {
    if (full()) return false;
    if (!text_.empty() && !endsInJoiner()) {
        const std::string_view j = joiner == TermJoiner::And ? kAnd : kOr;
        joiners_.push_back({text_.size(), j.size()});
        text_ += j;
    }
    text_ += term;
    return true;
}

void TermText::deleteLast() {
    if (joiners_.empty()) {
        text_.clear();
        return;
    }
    text_.resize(joiners_.back().at);
    joiners_.pop_back();
}

void TermText::clear() {
    text_.clear();
    joiners_.clear();
}

bool TermText::hasSymbol(std::string_view symbol) const {
    const std::string_view text = text_;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= joiners_.size(); ++i) {
        const std::size_t end = i < joiners_.size() ? joiners_[i].at : text.size();
        if (termSymbol(text.substr(start, end - start)) == symbol) return true;
        if (i < joiners_.size()) start = joiners_[i].at + joiners_[i].length;
    }
    return false;
}

}  // namespace vantrel
