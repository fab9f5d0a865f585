#include "platform/AppFolders.h"

#include <filesystem>
#include <system_error>

#include "platform/PathText.h"

namespace vantrel {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string joined(const std::string& folder, std::string_view fileName)
{
    std::string path = folder;
    path += kSeparator;
    path += fileName;
    return path;
}

}  // namespace

std::string dataFolderPath(std::string_view fileName)
{
    return joined(dataFolder(), fileName);
}

bool ensureDataFolder()
{
    std::error_code error;
    const std::filesystem::path folder = pathFromUtf8(dataFolder());
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::string exeFolderPath(std::string_view fileName)
{
    return installedFilePath(exeFolder(), fileName);
}

std::string installedFilePath(const std::string& exeDir, std::string_view fileName)
{
    std::error_code error;
    std::string beside = joined(exeDir, fileName);
    if (std::filesystem::exists(beside, error)) {
        return beside;
    }
    const std::filesystem::path shared =
        std::filesystem::path(joined(exeDir + "/../share/vantrel", fileName)).lexically_normal();
    if (std::filesystem::exists(shared, error)) {
        return shared.string();
    }
    return beside;
}

}  // namespace vantrel
