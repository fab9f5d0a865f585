#pragma once

// Byte-level helpers for program text (CP932 bytes in std::string).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// A text fit for one field of a program line: TAB, CR, LF, NUL and 0x1A become
// blanks (they would break the line structure), then cut to `maxBytes` without
// splitting a double-byte character.
std::string fieldText(std::string_view text, std::size_t maxBytes);

// `n` in decimal, padded with leading zeros to at least `width` characters
// ("%0*d": 7 and 3 give "007", 1234 and 3 give "1234").
std::string zeroPadded(long long n, int width);

// Appends the last three decimal digits of `n` (0 or more), always three:
// program numbers and labels in program text ("#007", "L012").
void appendThreeDigits(std::string& out, int n);

// The decimal value at `pos` as the C library reads it: leading blanks and TABs
// skipped, an optional sign, then digits; 0 when there are none. Saturates at
// the int32 range instead of overflowing; a `pos` past the end reads 0.
std::int32_t decimalAt(std::string_view text, std::size_t pos);

// The decimal value right after the first occurrence of `marker` from `from`;
// nothing found reads as 0 with `found` false.
std::int32_t decimalAfter(std::string_view text, std::string_view marker, std::size_t from = 0, bool* found = nullptr);

// Whether `count` decimal digits start at `pos`.
bool digitsAt(std::string_view text, std::size_t pos, std::size_t count);

// Whether the pulse axis token "A1".."A4" of axis `axis` (0..3) occurs in the
// text as a whole token (delimited by the text's ends, blanks or commas).
bool hasAxisToken(std::string_view text, int axis);
// Position of that token, or npos.
std::size_t findAxisToken(std::string_view text, int axis);

// Splits at blanks and commas, skipping empty pieces; calls f(token) for each
// until f returns false.
template <class F>
void forEachToken(std::string_view text, F f) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == ',')) ++i;
        if (i >= text.size()) break;
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != ',') ++j;
        if (!f(text.substr(i, j - i))) return;
        i = j;
    }
}

}  // namespace vantrel
