#include "platform/AnsiText.h"

namespace vantrel {

bool isAnsiLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t utf8SequenceLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 1;
    }
    if (text.size() < length) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::size_t ansiByteCount(std::string_view utf8)
{
    return utf8ToAnsi(utf8).size();
}

std::string_view ansiPrefix(std::string_view cp932, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < cp932.size()) {
        const std::size_t width = isAnsiLeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
        if (end + width > maxBytes || end + width > cp932.size()) {
            break;
        }
        end += width;
    }
    return cp932.substr(0, end);
}

}  // namespace vantrel
