#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace vantrel {

// The file dialogs of the program view ("プログラムを開く", "プログラムの保存"),
// with the filter "DODファイル(*.ncp)" and the default extension "ncp". Each
// returns the chosen path, or an empty text on cancel. Tests replace them.
struct ProgramViewPrompts {
    std::function<QString(QWidget* parent, const QString& startFolder)> openProgramFile;
    std::function<QString(QWidget* parent, const QString& startFolder)> saveProgramFile;

    static ProgramViewPrompts dialogs();
};

}  // namespace vantrel
