#include "app/MainWindowTitle.h"

#include <filesystem>

#include "platform/PathText.h"

namespace vantrel {

namespace {

using Kind = UnsavedWork::Origin::Kind;

std::string settingsName(const UnsavedWork::Origin& origin, Language language) {
    switch (origin.kind) {
    case Kind::None: return {};
    case Kind::Defaults: return inLanguage(language, "初期設定");
    case Kind::File: return fileNameOf(origin.path);
    case Kind::Controller: return inLanguage(language, "コントローラの設定");
    case Kind::Recovered: return inLanguage(language, "復元した設定");
    }
    return {};
}

std::string programsName(const UnsavedWork::Origin& origin, Language language) {
    switch (origin.kind) {
    case Kind::None: return {};
    case Kind::Defaults:
    case Kind::File: return fileNameOf(origin.path);
    case Kind::Controller: return inLanguage(language, "コントローラのプログラム");
    case Kind::Recovered: return inLanguage(language, "復元したプログラム");
    }
    return {};
}

void addPart(std::string& title, std::string name, bool unsaved, Language language) {
    // Work from nowhere is named only once it holds changes.
    if (name.empty() && !unsaved) return;
    if (name.empty()) name = inLanguage(language, "無題");
    title += title.empty() ? " - " : " / ";
    title += name;
    if (unsaved) title += " *";
}

}  // namespace

std::string fileNameOf(const std::string& path) { return utf8FromPath(pathFromUtf8(path).filename()); }

std::string mainWindowTitle(const MainWindowTitleInput& input) {
    std::string parts;
    addPart(parts, settingsName(input.settings, input.language), input.settingsUnsaved, input.language);
    addPart(parts, programsName(input.programs, input.language), input.programsUnsaved, input.language);
    return "VANTREL" + parts;
}

}  // namespace vantrel
