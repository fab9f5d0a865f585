#pragma once

// The text of a condition (IN, IF … GOTO, IF … GOSUB) or of an output list
// (OUT, NIOWR), built term by term with buttons:
//  - a term is a symbol followed by " ON" or " OFF", or a symbol, an operator
//    and a number with no blanks ("X1>7");
//  - "AND" joins with ",", "OR" with "or", without blanks: "a ON,b OFF",
//    "a ONorb OFF";
//  - at most ten terms; further terms are ignored without a message;
//  - "DELETE" cuts the text back to the last joiner, joiner included.
// The text is CP932 bytes like the program text (symbols come from the I/O
// names tables). A text taken from a stored step counts its terms against the
// ten.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

enum class TermJoiner { And, Or };

// Operators of a numeric comparison, in the order of their drop-down.
enum class ComparisonOperator { Equal, NotEqual, Less, Greater };
// The drop-down's texts: "＝", "≠(#)", "＜", "＞".
std::span<const std::string_view> comparisonOperatorChoices();
// What goes into the text: "==", "#", "<", ">".
std::string_view comparisonOperatorText(ComparisonOperator op);

// "X1 ON" / "X1 OFF".
std::string onOffTerm(std::string_view symbol, bool on);
// "X1>7".
std::string comparisonTerm(std::string_view symbol, ComparisonOperator op, int value);
// A remote I/O symbol of network axis `axisIndex` (0..15): its third character
// becomes the axis written as one hexadecimal digit ("0" .. "9", "A" .. "F").
// A symbol of fewer than three characters stays as it is.
std::string remoteIoSymbol(std::string_view symbol, int axisIndex);

class TermText {
public:
    static constexpr int kMaxTerms = 10;

    TermText() = default;
    // A stored condition or output list; its joiners are found again.
    explicit TermText(std::string_view cp932);

    const std::string& text() const { return text_; }
    // For the form (UTF-8).
    std::string displayText() const;
    bool empty() const { return text_.empty(); }
    int termCount() const;
    bool full() const { return termCount() >= kMaxTerms; }

    // Appends the term, after the joiner unless the text is empty or already
    // ends in one; false (and nothing changed) when it holds ten terms.
    bool append(TermJoiner joiner, std::string_view term);
    // Removes the last term and the joiner before it.
    void deleteLast();
    void clear();

    // Whether a term of the text has this symbol (compared whole: "OUT1" is
    // not in "OUT10 ON").
    bool hasSymbol(std::string_view symbol) const;

private:
    bool endsInJoiner() const;

    struct Joiner {
        std::size_t at;
        std::size_t length;
    };
    std::string text_;
    std::vector<Joiner> joiners_;
};

}  // namespace vantrel
