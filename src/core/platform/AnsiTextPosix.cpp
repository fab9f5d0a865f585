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

std::string ansiToUtf8(std::string_view cp932)
{
    std::string output;
    output.reserve(cp932.size() * 3 / 2);
    Converter converter("UTF-8", "CP932");
    const char* input = cp932.data();
    std::size_t left = cp932.size();
    while (left > 0) {
        if (converter.valid() && converter.convert(input, left, output)) {
            break;
        }
        // Without iconv at all, ASCII still passes through.
        if (!converter.valid() && static_cast<unsigned char>(*input) < 0x80) {
            output += *input;
        } else {
            output += kReplacementUtf8;
        }
        ++input;
        --left;
    }
    return output;
}

std::string utf8ToAnsi(std::string_view utf8)
{
    std::string output;
    output.reserve(utf8.size());
    Converter converter("CP932", "UTF-8");
    const char* input = utf8.data();
    std::size_t left = utf8.size();
    while (left > 0) {
        if (converter.valid() && converter.convert(input, left, output)) {
            break;
        }
        const std::size_t skip = utf8SequenceLength(std::string_view(input, left));
        if (!converter.valid() && static_cast<unsigned char>(*input) < 0x80) {
            output += *input;
        } else {
            output += kReplacementAnsi;
        }
        input += skip;
        left -= skip;
    }
    return output;
}

}  // namespace vantrel
