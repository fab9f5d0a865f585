#include "app/MainFramePrompts.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "app/CConnectDlg.h"
#include "app/CIpAddressDlg.h"
#include "app/CPortDlg.h"
#include "app/CSettingInitialDlg.h"
#include "program/ProgramViewPrompts.h"
#include "ui/FileFilters.h"

namespace vantrel {

QList<ui::FileFilter> settingsFileFilters() {
    return {{QCoreApplication::translate("MainFramePrompts", "設定ファイル(*.bin)"), QStringLiteral("*.bin")},
            {QCoreApplication::translate("MainFramePrompts", "全てのファイル(*.*)"), QStringLiteral("*")}};
}

MainFramePrompts MainFramePrompts::dialogs() {
    MainFramePrompts prompts;
    prompts.choosePort = [](QWidget* parent, const std::vector<std::string>& names,
                            const std::string& current) -> std::optional<std::string> {
        CPortDlg dialog(names, current, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.chosenName();
    };
    prompts.connectDirection = [](QWidget* parent) {
        CConnectDlg dialog(parent);
        switch (dialog.exec()) {
        case CConnectDlg::ControllerToPc: return Direction::ControllerToPc;
        case CConnectDlg::PcToController: return Direction::PcToController;
        default: return Direction::Cancel;
        }
    };
    prompts.chooseInitialise = [](QWidget* parent) -> std::optional<InitialiseChoice> {
        CSettingInitialDlg dialog(parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.choice();
    };
    prompts.editEthernet = [](QWidget* parent,
                              const EthernetAddressValues& values) -> std::optional<EthernetAddressValues> {
        CIpAddressDlg dialog(values, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.values();
    };
    prompts.openSettingsFile = [](QWidget* parent, const QString& startFolder) {
        QFileDialog dialog(parent, QString(), startFolder);
        ui::setFileFilters(dialog, settingsFileFilters());
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("bin"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    prompts.saveSettingsFile = [](QWidget* parent, const QString& startFolder) {
        QFileDialog dialog(parent, QString(), startFolder);
        ui::setFileFilters(dialog, settingsFileFilters());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("bin"));
        // QFileDialog asks before replacing an existing file.
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    prompts.saveProgramFile = ProgramViewPrompts::dialogs().saveProgramFile;
    return prompts;
}

}  // namespace vantrel
