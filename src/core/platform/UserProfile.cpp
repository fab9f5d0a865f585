#include "platform/UserProfile.h"

#include "platform/AppFolders.h"
#include "platform/IniFile.h"
#include "platform/PathText.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

constexpr const char* kDataSection = "data";
constexpr const char* kPathEntry = "path";
constexpr const char* kApplicationSection = "Settings";
constexpr const char* kApplicationLookEntry = "ApplicationLook";
constexpr const char* kLanguageEntry = "Language";
constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kWindowsSection = "Windows";
constexpr const char* kTreeWidthEntry = "TreeWidth";
// Beyond what any desktop holds: a larger number is a damaged entry.
constexpr int kMaxCoordinate = 32767;

std::string recentEntry(int index)
{
    return "File" + std::to_string(index + 1);
}

bool isFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(pathFromUtf8(path), error);
}

// "x,y,width,height": four integers, the size at least one pixel.
std::optional<UserProfile::WindowFrame> parseWindowFrame(std::string_view text)
{
    int values[4] = {};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (p == end || *p != ',') {
                return std::nullopt;
            }
            ++p;
        }
        const auto [next, error] = std::from_chars(p, end, values[i]);
        if (error != std::errc() || values[i] < -kMaxCoordinate || values[i] > kMaxCoordinate) {
            return std::nullopt;
        }
        p = next;
    }
    if (p != end || values[2] <= 0 || values[3] <= 0) {
        return std::nullopt;
    }
    return UserProfile::WindowFrame{values[0], values[1], values[2], values[3]};
}

}  // namespace

UserProfile::UserProfile() : path_(profileFilePath()) {}

UserProfile::UserProfile(std::string iniPath) : path_(std::move(iniPath)) {}

std::string UserProfile::lastFolder() const
{
    return IniFile(path_).readString(kDataSection, kPathEntry, "");
}

bool UserProfile::setLastFolder(std::string_view folder) const
{
    return IniFile(path_).writeString(kDataSection, kPathEntry, folder);
}

std::string UserProfile::dialogStartFolder() const
{
    const std::string last = lastFolder();
    if (isFolder(last)) {
        return last;
    }
    const char* home = std::getenv("HOME");
    const std::string homeFolder = (home != nullptr && home[0] == '/') ? home : "/";
    const std::string documents = homeFolder + "/Documents";
    return isFolder(documents) ? documents : homeFolder;
}

int UserProfile::applicationLook(int defaultLook) const
{
    return IniFile(path_).readInt(kApplicationSection, kApplicationLookEntry, defaultLook);
}

bool UserProfile::setApplicationLook(int look) const
{
    return IniFile(path_).writeInt(kApplicationSection, kApplicationLookEntry, look);
}

std::string UserProfile::language() const
{
    return IniFile(path_).readString(kApplicationSection, kLanguageEntry, "");
}

bool UserProfile::setLanguage(std::string_view name) const
{
    return IniFile(path_).writeString(kApplicationSection, kLanguageEntry, name);
}

std::vector<std::string> UserProfile::recentFiles() const
{
    const IniFile file(path_);
    std::vector<std::string> files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string entry = file.readString(kRecentSection, recentEntry(i), "");
        if (!entry.empty()) {
            files.push_back(std::move(entry));
        }
    }
    return files;
}

bool UserProfile::setRecentFiles(const std::vector<std::string>& files) const
{
    const IniFile file(path_);
    bool ok = true;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string value = static_cast<std::size_t>(i) < files.size() ? files[static_cast<std::size_t>(i)] : "";
        ok = file.writeString(kRecentSection, recentEntry(i), value) && ok;
    }
    return ok;
}

std::optional<UserProfile::WindowFrame> UserProfile::windowFrame(std::string_view window) const
{
    return parseWindowFrame(IniFile(path_).readString(kWindowsSection, window, ""));
}

bool UserProfile::setWindowFrame(std::string_view window, const WindowFrame& frame) const
{
    const std::string value = std::to_string(frame.x) + "," + std::to_string(frame.y) + "," +
                              std::to_string(frame.width) + "," + std::to_string(frame.height);
    return IniFile(path_).writeString(kWindowsSection, window, value);
}

int UserProfile::treeWidth() const
{
    const int width = IniFile(path_).readInt(kWindowsSection, kTreeWidthEntry, 0);
    return width > 0 && width <= kMaxCoordinate ? width : 0;
}

bool UserProfile::setTreeWidth(int width) const
{
    return IniFile(path_).writeInt(kWindowsSection, kTreeWidthEntry, width);
}

}  // namespace vantrel
