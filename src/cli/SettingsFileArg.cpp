#include "SettingsFileArg.h"

#include <filesystem>

#include "CliOutput.h"
#include "data/SettingsFile.h"

namespace vantrel::cli {

std::optional<SettingsImage> readWholeSettingsFile(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        fileFailed("cannot open " + path);
        return std::nullopt;
    }
    if (size != SettingsImage::kSize) {
        fileFailed(path + " is " + std::to_string(size) + " bytes, not a settings file of 172828 bytes");
        return std::nullopt;
    }
    SettingsImage image;
    if (loadSettingsFile(image, path).value_or(0) != SettingsImage::kSize) {
        fileFailed("cannot read " + path);
        return std::nullopt;
    }
    return image;
}

}  // namespace vantrel::cli
