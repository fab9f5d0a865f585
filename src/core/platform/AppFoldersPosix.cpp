#include "platform/AppFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

constexpr const char* kCompanyFolder = "KESSLAND";
constexpr const char* kProductFolder = "VANTREL";

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/tmp";
}

// An XDG base folder: the variable when it holds an absolute path, else the
// fallback below the home folder.
std::string xdgFolder(const char* variable, const char* homeRelativeFallback)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    return homeFolder() + "/" + homeRelativeFallback;
}

}  // namespace

std::string dataFolder()
{
    return xdgFolder("XDG_DATA_HOME", ".local/share") + "/" + kCompanyFolder + "/" + kProductFolder;
}

std::string exeFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
        return ".";
    }
    return exe.parent_path().string();
}

std::string profileFilePath()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config") + "/" + kCompanyFolder + "/" + kProductFolder + ".ini";
}

}  // namespace vantrel
