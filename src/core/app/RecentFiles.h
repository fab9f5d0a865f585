#pragma once

// The recent-file list of the File menu: the settings and program files last
// opened or saved, most recent first, at most four (kept in the user profile).

#include <string>
#include <vector>

namespace vantrel {

enum class RecentFileKind { Settings, Programs };

// The list with `path` first and nowhere else, cut to four entries.
std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& path);
// A program file has the program files' extension; anything else is a
// settings file (their dialog takes every name).
RecentFileKind recentFileKind(const std::string& path);
// The menu item of entry `index` (0-based): "&1 line3.bin", with an "&" of
// the name doubled so that it is shown, not taken as the item's key.
std::string recentFileMenuText(int index, const std::string& path);

}  // namespace vantrel
