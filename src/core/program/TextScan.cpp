#include "program/TextScan.h"

#include <cstdio>
#include <limits>

#include "platform/AnsiText.h"

namespace vantrel {

namespace {

bool plainAscii(std::string_view text) {
    unsigned char bits = 0;
    for (const char c : text) bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}

}  // namespace

std::string fieldText(std::string_view text, std::size_t maxBytes) {
    // Only a text with double-byte characters needs the character walk to be
    // cut; every step of a loaded program goes through here.
    const std::string_view head = text.substr(0, maxBytes);
    std::string out(plainAscii(head) ? head : ansiPrefix(text, maxBytes));
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && (c == '\t' || c == '\r' || c == '\n' || c == '\0' || c == '\x1A')) c = ' ';
    }
    return out;
}

std::string zeroPadded(long long n, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, n);
    return buffer;
}

void appendThreeDigits(std::string& out, int n) {
    out.push_back(static_cast<char>('0' + n / 100 % 10));
    out.push_back(static_cast<char>('0' + n / 10 % 10));
    out.push_back(static_cast<char>('0' + n % 10));
}

std::int32_t decimalAt(std::string_view text, std::size_t pos) {
    std::size_t i = pos;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit + 1;  // stays saturated
    }
    if (negative) return value > limit ? std::numeric_limits<std::int32_t>::min() : static_cast<std::int32_t>(-value);
    return value > limit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
}

std::int32_t decimalAfter(std::string_view text, std::string_view marker, std::size_t from, bool* found) {
    const std::size_t p = from <= text.size() ? text.find(marker, from) : std::string_view::npos;
    if (found) *found = p != std::string_view::npos;
    if (p == std::string_view::npos) return 0;
    return decimalAt(text, p + marker.size());
}

bool digitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos > text.size() || text.size() - pos < count) return false;
    for (std::size_t i = 0; i < count; ++i)
        if (text[pos + i] < '0' || text[pos + i] > '9') return false;
    return true;
}

std::size_t findAxisToken(std::string_view text, int axis) {
    const char token[2] = {'A', static_cast<char>('1' + axis)};
    for (std::size_t p = text.find(std::string_view(token, 2)); p != std::string_view::npos;
         p = text.find(std::string_view(token, 2), p + 1)) {
        const bool startsToken = p == 0 || text[p - 1] == ' ' || text[p - 1] == ',';
        const bool endsToken = p + 2 == text.size() || text[p + 2] == ' ' || text[p + 2] == ',';
        if (startsToken && endsToken) return p;
    }
    return std::string_view::npos;
}

bool hasAxisToken(std::string_view text, int axis) { return findAxisToken(text, axis) != std::string_view::npos; }

}  // namespace vantrel
