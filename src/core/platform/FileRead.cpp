#include "platform/FileRead.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/RegularFileRead.h"

namespace vantrel {

std::string FileReadResult::description() const {
    switch (error) {
    case 0: return {};
    case kNotRegularFile: return "not a regular file";
    case kTooShort: return "shorter than expected";
    default: return std::strerror(error);
    }
}

FileContent readFile(const std::string& path, std::size_t limit, LongerFile longer) {
    FileContent content;
    try {
        // One byte beyond the limit tells a longer file from one of exactly the limit.
        const std::size_t most = longer == LongerFile::Cut || limit == SIZE_MAX ? limit : limit + 1;
        content.result.error = readRegularFile(path, most, content.bytes);
        if (content.result.error == 0 && content.bytes.size() > limit) content.result.error = EFBIG;
    } catch (const std::bad_alloc&) {
        content.result.error = ENOMEM;
    } catch (const std::length_error&) {
        content.result.error = ENOMEM;
    }
    if (!content) std::string().swap(content.bytes);
    return content;
}

}  // namespace vantrel
