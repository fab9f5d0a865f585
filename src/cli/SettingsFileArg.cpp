#include "SettingsFileArg.h"

#include <algorithm>
#include <cerrno>

#include "CliOutput.h"
#include "platform/FileRead.h"

namespace vantrel::cli {

std::optional<SettingsImage> readWholeSettingsFile(const std::string& path) {
    const FileContent content = readFile(path, SettingsImage::kSize);
    const std::string notASettingsFile = ", not a settings file of 172828 bytes";
    if (content.result.error == EFBIG) {
        fileFailed(path + " is larger" + notASettingsFile);
        return std::nullopt;
    }
    if (!content) {
        readFailed(path, content.result);
        return std::nullopt;
    }
    if (content.bytes.size() != SettingsImage::kSize) {
        fileFailed(path + " is " + std::to_string(content.bytes.size()) + " bytes" + notASettingsFile);
        return std::nullopt;
    }
    SettingsImage image;
    std::copy(content.bytes.begin(), content.bytes.end(), reinterpret_cast<char*>(image.data()));
    return image;
}

}  // namespace vantrel::cli
