#pragma once

#include <string>

#include "app/UnsavedWork.h"
#include "text/Language.h"

namespace vantrel {

// The main window's title names the settings and the programs in use and
// marks each that holds changes in no file, with the same "unsaved" state the
// exit's questions use: "VANTREL - line3.bin * / main.ncp *". A file shows
// its name; work that is in no file the user chose shows where it came from:
// "初期設定" (the defaults of initial.bin), "Ncstepini.sys" (the default
// programs), "コントローラの設定" / "コントローラのプログラム" (read from the
// controller), "復元した設定" / "復元したプログラム" (the recovery copy);
// work from nowhere is left out until it is changed ("無題 *").
struct MainWindowTitleInput {
    UnsavedWork::Origin settings;
    bool settingsUnsaved = false;
    UnsavedWork::Origin programs;
    bool programsUnsaved = false;
    Language language = Language::Japanese;  // of the names of work in no file; file names stay as they are
};

std::string mainWindowTitle(const MainWindowTitleInput& input);

// The name of a file without its folder ("line3.bin").
std::string fileNameOf(const std::string& path);

}  // namespace vantrel
