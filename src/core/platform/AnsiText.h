#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

// Program text, names, comments and I/O names are CP932 (Shift-JIS) bytes;
// the user interface works in UTF-8. These convert between the two.
//
// Conversion never fails and never reads past its input:
// - ansiToUtf8: a byte (or a cut double-byte pair) that is not valid CP932
//   becomes U+FFFD and reading goes on with the next byte;
// - utf8ToAnsi: a character with no CP932 form, or a byte that is not valid
//   UTF-8, becomes '?' (one '?' per character, or per invalid byte).
// Embedded NUL bytes are kept.

inline constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD
inline constexpr char kReplacementAnsi = '?';

std::string ansiToUtf8(std::string_view cp932);
std::string utf8ToAnsi(std::string_view utf8);

// Number of CP932 bytes of a UTF-8 text, as the controller's limits count
// them (a full-width character is 2 bytes, a half-width katakana 1).
std::size_t ansiByteCount(std::string_view utf8);

// Length of the UTF-8 sequence at text[0] (text not empty) when it is well
// formed, else 1, so that an invalid byte is skipped on its own.
std::size_t utf8SequenceLength(std::string_view text);

// Whether the byte starts a double-byte CP932 character.
bool isAnsiLeadByte(unsigned char byte);

// The longest beginning of a CP932 text that has at most maxBytes bytes and
// does not cut a double-byte character in two.
std::string_view ansiPrefix(std::string_view cp932, std::size_t maxBytes);

}  // namespace vantrel
