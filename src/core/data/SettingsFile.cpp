#include "data/SettingsFile.h"

#include <algorithm>

namespace vantrel {

FileWriteResult saveSettingsFile(const SettingsImage& image, const std::string& path) {
    return writeFileAtomically(path, image.data(), SettingsImage::kSize);
}

SettingsFileRead loadSettingsFilePrefix(SettingsImage& image, const std::string& path) {
    const FileContent content = readFile(path, SettingsImage::kSize, LongerFile::Cut);
    if (!content) return {content.result, 0};
    std::copy(content.bytes.begin(), content.bytes.end(), reinterpret_cast<char*>(image.data()));
    return {content.result, content.bytes.size()};
}

SettingsFileRead loadSettingsFile(SettingsImage& image, const std::string& path) {
    SettingsImage read = image;
    SettingsFileRead outcome = loadSettingsFilePrefix(read, path);
    if (outcome && outcome.bytes < SettingsImage::kSize) outcome.result.error = FileReadResult::kTooShort;
    if (outcome) image = read;
    return outcome;
}

}  // namespace vantrel
