#include "platform/AnsiText.h"

#include "platform/Win32Support.h"

namespace vantrel {

namespace {

constexpr UINT kCp932 = 932;

// The whole text in UTF-16 when every byte of it is valid in `codePage`.
bool toWide(UINT codePage, std::string_view text, std::wstring& wide)
{
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.assign(static_cast<std::size_t>(length), L'\0');
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length) == length;
}

// The text in CP932 when every character of it has a CP932 form (no best
// fit: a character is never replaced by a look-alike).
bool toCp932(std::wstring_view wide, std::string& ansi)
{
    const int size = static_cast<int>(wide.size());
    BOOL replaced = FALSE;
    const int length =
        ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &replaced);
    if (length <= 0 || replaced) {
        return false;
    }
    ansi.assign(static_cast<std::size_t>(length), '\0');
    return ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length, nullptr,
                                 &replaced) == length &&
           !replaced;
}

}  // namespace

std::string ansiToUtf8(std::string_view cp932)
{
    std::wstring wide;
    if (cp932.empty() || toWide(kCp932, cp932, wide)) {
        return win32::utf8(wide);
    }
    // Character by character: an invalid byte becomes U+FFFD and the next
    // byte starts afresh.
    std::string output;
    output.reserve(cp932.size() * 3 / 2);
    std::size_t at = 0;
    while (at < cp932.size()) {
        const bool pair = isAnsiLeadByte(static_cast<unsigned char>(cp932[at])) && at + 1 < cp932.size();
        const std::size_t width = pair ? 2 : 1;
        if (toWide(kCp932, cp932.substr(at, width), wide)) {
            output += win32::utf8(wide);
            at += width;
        } else {
            output += kReplacementUtf8;
            ++at;
        }
    }
    return output;
}

std::string utf8ToAnsi(std::string_view utf8)
{
    std::wstring wide;
    std::string ansi;
    if (utf8.empty() || (toWide(CP_UTF8, utf8, wide) && toCp932(wide, ansi))) {
        return ansi;
    }
    // Character by character: one '?' for a character without a CP932 form
    // and for each byte that is not UTF-8.
    std::string output;
    output.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t width = utf8SequenceLength(utf8.substr(at));
        const bool valid = width > 1 || static_cast<unsigned char>(utf8[at]) < 0x80;
        if (valid && toWide(CP_UTF8, utf8.substr(at, width), wide) && toCp932(wide, ansi)) {
            output += ansi;
        } else {
            output += kReplacementAnsi;
        }
        at += width;
    }
    return output;
}

}  // namespace vantrel
