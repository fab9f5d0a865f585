#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The per-user profile values the main window keeps between runs, in the INI
// file of the company key "KESSLAND" (profileFilePath()):
// section "data" entry "path" (folder of the last settings or program file
// chosen in a file dialog), "ApplicationLook" (visual theme) and "Language" in the
// application's section, the recent-file list of four entries, and in section
// "Windows" where each window was left and the width of the main window's tree.
class UserProfile {
public:
    static constexpr int kRecentFileCount = 4;

    UserProfile();                        // the user's profile file
    explicit UserProfile(std::string iniPath);

    const std::string& path() const { return path_; }

    // Last folder chosen; empty when none was saved.
    std::string lastFolder() const;
    bool setLastFolder(std::string_view folder) const;

    // Where file dialogs start: the last folder when it still exists, else
    // the user's documents folder ($HOME/Documents), else the home folder.
    std::string dialogStartFolder() const;

    int applicationLook(int defaultLook) const;
    bool setApplicationLook(int look) const;

    // The language the user chose in the window ("ja", "en"); empty when never chosen.
    std::string language() const;
    bool setLanguage(std::string_view name) const;

    // Recent files, most recent first, at most four, empty entries left out.
    std::vector<std::string> recentFiles() const;
    bool setRecentFiles(const std::vector<std::string>& files) const;

    // A window's place and size as it was left: the frame's top-left corner
    // and the size inside the frame.
    struct WindowFrame {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool operator==(const WindowFrame&) const = default;
    };
    // None when the window was never kept or the entry is damaged.
    std::optional<WindowFrame> windowFrame(std::string_view window) const;
    bool setWindowFrame(std::string_view window, const WindowFrame& frame) const;

    // Width of the main window's navigation tree; 0 when never kept.
    int treeWidth() const;
    bool setTreeWidth(int width) const;

private:
    std::string path_;
};

}  // namespace vantrel
