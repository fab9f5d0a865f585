#include "platform/AnsiText.h"

#include <iconv.h>

#include <cerrno>

namespace vantrel {

namespace {

// One iconv conversion descriptor for the duration of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false on an invalid or incomplete
    // sequence, with input pointing at it. Output is appended.
    bool convert(const char*& input, std::size_t& left, std::string& output)
    {
        char buffer[1024];
        while (left > 0) {
            char* in = const_cast<char*>(input);
            char* out = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t result = iconv(cd_, &in, &left, &out, &room);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            input = in;
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

namespace {

// Converts the whole text. Where the converter stops at a sequence it cannot
// convert, that sequence (`skipOf` bytes of what is left) becomes
// `replacement` and the conversion goes on after it; without iconv at all,
// ASCII still passes through.
template <typename SkipOf>
std::string convertAll(const char* to, const char* from, std::string_view text, std::string_view replacement,
                       std::size_t reserve, SkipOf skipOf)
{
    std::string output;
    output.reserve(reserve);
    Converter converter(to, from);
    const char* input = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        if (converter.valid() && converter.convert(input, left, output)) {
            break;
        }
        const std::size_t skip = skipOf(std::string_view(input, left));
        if (!converter.valid() && static_cast<unsigned char>(*input) < 0x80) {
            output += *input;
        } else {
            output += replacement;
        }
        input += skip;
        left -= skip;
    }
    return output;
}

}  // namespace

std::string ansiToUtf8(std::string_view cp932)
{
    return convertAll("UTF-8", "CP932", cp932, kReplacementUtf8, cp932.size() * 3 / 2,
                      [](std::string_view) { return std::size_t{1}; });
}

std::string utf8ToAnsi(std::string_view utf8)
{
    return convertAll("CP932", "UTF-8", utf8, std::string_view(&kReplacementAnsi, 1), utf8.size(),
                      utf8SequenceLength);
}

}  // namespace vantrel
