#include "app/MainWindowTitle.h"

#include <filesystem>

namespace vantrel {

namespace {

using Kind = UnsavedWork::Origin::Kind;

std::string settingsName(const UnsavedWork::Origin& origin) {
    switch (origin.kind) {
    case Kind::None: return {};
    case Kind::Defaults: return "初期設定";
    case Kind::File: return fileNameOf(origin.path);
    case Kind::Controller: return "コントローラの設定";
    case Kind::Recovered: return "復元した設定";
    }
    return {};
}

std::string programsName(const UnsavedWork::Origin& origin) {
    switch (origin.kind) {
    case Kind::None: return {};
    case Kind::Defaults:
    case Kind::File: return fileNameOf(origin.path);
    case Kind::Controller: return "コントローラのプログラム";
    case Kind::Recovered: return "復元したプログラム";
    }
    return {};
}

void addPart(std::string& title, std::string name, bool unsaved) {
    // Work from nowhere is named only once it holds changes.
    if (name.empty() && !unsaved) return;
    if (name.empty()) name = "無題";
    title += title.empty() ? " - " : " / ";
    title += name;
    if (unsaved) title += " *";
}

}  // namespace

std::string fileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string mainWindowTitle(const MainWindowTitleInput& input) {
    std::string parts;
    addPart(parts, settingsName(input.settings), input.settingsUnsaved);
    addPart(parts, programsName(input.programs), input.programsUnsaved);
    return "VANTREL" + parts;
}

}  // namespace vantrel
