// The program view's commands that move programs between the store, program
// files and the controller: compile, program list, open, save, read from the
// controller, reset to the defaults, and the program name.

#include <QFileInfo>
#include <QPushButton>

#include "app/AppState.h"
#include "app/TransactionMessages.h"
#include "commands/CCommentDlg.h"
#include "platform/UserProfile.h"
#include "program/CProgManage.h"
#include "program/CProgramView.h"
#include "program/ProgramList.h"
#include "program/StepTableItemModel.h"
#include "ui/MessageBox.h"
#include "ui/SaveWithRetry.h"

namespace vantrel {

namespace {

// A file dialog's choice: its folder becomes the last folder.
void rememberFolder(const QString& path) {
    UserProfile().setLastFolder(QFileInfo(path).absolutePath().toStdString());
}

QString startFolder() { return QString::fromStdString(UserProfile().dialogStartFolder()); }

}  // namespace

void CProgramView::compilePrograms() {
    const ProgramCompile::Preparation preparation = ProgramCompile::prepareCompile(
        state_.programFiles, [this] { return state_.link.isOpen(); },
        state_.status.modeWord.load(std::memory_order_relaxed));
    tell(preparation.message);
    if (!preparation.send) return;

    const std::string path = state_.programFiles.paths().workingFile;
    const int result =
        runOperation(ProgressKind::Compile, [this, path] { return state_.linkThread.startProgramSend(path); });
    const TransferResult sent = state_.linkThread.lastTransferResult();
    CompileResult verdict;
    verdict.status = sent.status;
    for (int i = 0; i < 4; ++i) verdict.values[i] = sent.values[i];
    tell(ProgramCompile::finishCompile(result, verdict, state_.programs, compile_));
    // The red row of an earlier error goes with an accepted or timed-out compile.
    model_->setHighlights(highlights());
    // The refresh shows the verdict and, for an error, switches to its program.
    refreshStatus();
}

void CProgramView::openProgramList() {
    CProgManage dialog(state_.programs, state_.image, &state_.history, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.changed()) programEdited();
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    state_.steps.setSelectedRow(0);
    status_.clearRunningRow();
    showProgram();
}

void CProgramView::openProgramFile() {
    if (!mayReplacePrograms()) return;
    const QString path = host_.prompts.openProgramFile(this, startFolder());
    if (path.isEmpty()) return;
    rememberFolder(path);
    loadProgramFile(path);
}

bool CProgramView::openProgramFileAt(const QString& path) { return mayReplacePrograms() && loadProgramFile(path); }

bool CProgramView::mayReplacePrograms() {
    if (!state_.unsaved.programsUnsaved(state_.programs.text())) return true;
    return ui::saveOrGiveUp(this, openUnsavedProgramsQuestion(), [this] { return saveProgramFile(); });
}

bool CProgramView::loadProgramFile(const QString& path) {
    const EditOutcome outcome = state_.programFiles.openProgramFile(path.toStdString());
    tell(outcome.refusal);
    if (!outcome) return false;
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    state_.steps.setSelectedRow(0);
    showProgram();
    return true;
}

bool CProgramView::saveProgramFile() {
    // A file that cannot be written is reported, and another place may be chosen.
    const auto write = [this](const std::string& path) { return state_.programFiles.saveProgramFile(path); };
    return !ui::saveWithRetryFromLastFolder(this, host_.prompts.saveProgramFile, write).isEmpty();
}

void CProgramView::readProgramsFromController() {
    if (!state_.link.isOpen()) {
        tell(ProgramFiles::notConnectedRefusal());
        return;
    }
    // Its Cancel does not stop the read.
    if (ui::askYesNo(this, ProgramFiles::readProgramsQuestion())) saveProgramFile();
    if (!state_.link.isOpen()) {
        tell(ProgramFiles::readFailedRefusal());
        return;
    }
    readingPrograms_ = true;
    const int result = runOperation(ProgressKind::ProgramRead, [this] { return state_.linkThread.startProgramRead(); });
    readingPrograms_ = false;
    if (result != kProgressDone) tell(ProgramFiles::readFailedRefusal());
    state_.programFiles.afterProgramRead();
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    state_.steps.setSelectedRow(0);
    showProgram();
}

void CProgramView::resetPrograms() {
    if (!ui::askYesNo(this, ProgramFiles::resetProgramsQuestion())) return;
    state_.programFiles.resetPrograms();
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    state_.steps.setSelectedRow(0);
    showProgram();
}

void CProgramView::editProgramName() {
    if (!state_.steps.editable()) return;
    ProgramStore& programs = state_.programs;
    CCommentDlg dialog(tr("プログラム名称"), programs.current().name,
                       [&programs](const std::string& name) { return ProgramList::renameProgram(programs, name); },
                       this);
    if (dialog.exec() != QDialog::Accepted) return;
    programEdited();
    showProgramName();
}

}  // namespace vantrel
