#include "program/ProgramViewPrompts.h"

#include <QFileDialog>

#include "program/ProgramFiles.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {

// The program file filter "DODファイル(*.ncp)|*.ncp|" in the form of a Qt file
// dialog: its description, which already names the pattern in parentheses.
QString programFileFilter() {
    const QString filter = ui::coreText(ProgramFiles::kFileFilter);
    return filter.section(QLatin1Char('|'), 0, 0);
}

QString runDialog(QWidget* parent, const QString& startFolder, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString(), startFolder, programFileFilter());
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromUtf8(ProgramFiles::kDefaultExtension));
    // A save dialog asks before it replaces an existing file.
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

ProgramViewPrompts ProgramViewPrompts::dialogs() {
    ProgramViewPrompts prompts;
    prompts.openProgramFile = [](QWidget* parent, const QString& folder) {
        return runDialog(parent, folder, QFileDialog::AcceptOpen);
    };
    prompts.saveProgramFile = [](QWidget* parent, const QString& folder) {
        return runDialog(parent, folder, QFileDialog::AcceptSave);
    };
    return prompts;
}

}  // namespace vantrel
