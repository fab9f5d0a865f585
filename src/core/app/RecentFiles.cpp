#include "app/RecentFiles.h"

#include <algorithm>

#include "app/MainWindowTitle.h"
#include "platform/UserProfile.h"
#include "program/ProgramFiles.h"

namespace vantrel {

std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& path) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > static_cast<std::size_t>(UserProfile::kRecentFileCount))
        list.resize(static_cast<std::size_t>(UserProfile::kRecentFileCount));
    return list;
}

RecentFileKind recentFileKind(const std::string& path) {
    return ProgramFiles::hasProgramExtension(path) ? RecentFileKind::Programs : RecentFileKind::Settings;
}

std::string recentFileMenuText(int index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (const char c : fileNameOf(path)) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

}  // namespace vantrel
