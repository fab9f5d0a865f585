#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QList>
#include <QString>

#include "app/EthernetAddressEdit.h"
#include "app/InitialiseChoice.h"
#include "ui/FileFilters.h"

class QWidget;

namespace vantrel {

// The file types of the settings file dialogs: "設定ファイル(*.bin)" and
// "全てのファイル(*.*)", the second matching every file.
QList<ui::FileFilter> settingsFileFilters();

// The dialogs the main window's commands open, other than message boxes.
// Each member has a default that shows the real dialog; tests and the
// screenshot tour replace members to answer without a user.
struct MainFramePrompts {
    enum class Direction { Cancel, ControllerToPc, PcToController };

    // Port choice: the chosen name, or nothing on cancel.
    std::function<std::optional<std::string>(QWidget*, const std::vector<std::string>& names,
                                             const std::string& current)>
        choosePort;
    // The "接続" dialog.
    std::function<Direction(QWidget*)> connectDirection;
    // The initialise dialog: the choice on OK, nothing on cancel.
    std::function<std::optional<InitialiseChoice>(QWidget*)> chooseInitialise;
    // The Ethernet address dialog: the new values on OK.
    std::function<std::optional<EthernetAddressValues>(QWidget*, const EthernetAddressValues&)> editEthernet;
    // Settings file dialogs: the path, or empty on cancel.
    std::function<QString(QWidget*, const QString& startFolder)> openSettingsFile;
    std::function<QString(QWidget*, const QString& startFolder)> saveSettingsFile;
    // The program file save dialog (saving unsaved programs at exit).
    std::function<QString(QWidget*, const QString& startFolder)> saveProgramFile;

    // The real dialogs.
    static MainFramePrompts dialogs();
};

}  // namespace vantrel
