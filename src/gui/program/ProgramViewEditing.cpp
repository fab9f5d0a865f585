// The program view's step editing: palette buttons, delete, labels, comments,
// double-click, copy and paste. Every operation goes through the StepEditor,
// which is inert outside the edit-test mode.

#include <QPushButton>

#include "app/AppState.h"
#include "data/EditGroup.h"
#include "commands/CCommentDlg.h"
#include "program/CCommandPalette.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/CommandCode.h"
#include "ui/MessageBox.h"

namespace vantrel {

CommandEditorResult CProgramView::runEditor(const PaletteEntry& entry, int mode, const CommandEditRecord& start,
                                            bool editExisting) {
    const CommandEditorOpener* opener = editors_.find(entry.editor);
    if (!opener) return CommandEditorResult::cancelled();
    const CommandEditorRequest request{this, entry, mode, start, editExisting, context_};
    return (*opener)(request);
}

void CProgramView::afterStore(int row) {
    errorHighlight_ = false;
    lastStoredRow_ = row;
    programEdited();
    fillTable(Scroll::Keep);
}

void CProgramView::pressPaletteEntry(int index) {
    StepEditor& steps = state_.steps;
    const auto catalogue = paletteCatalogue();
    if (!steps.editable() || index < 0 || index >= static_cast<int>(catalogue.size())) return;
    const PaletteEntry& entry = catalogue[static_cast<std::size_t>(index)];
    const int row = steps.selectedRow();

    switch (entry.action) {
    case PaletteAction::Nothing: return;
    case PaletteAction::StoreStep: {
        const EditOutcome outcome = steps.storeSimpleCommand(static_cast<std::uint8_t>(entry.code));
        tell(outcome.refusal);
        if (outcome) afterStore(steps.lastStoredRow());
        return;
    }
    case PaletteAction::ClearLabel: {
        const EditOutcome outcome = steps.deleteStepLabel();
        tell(outcome.refusal);
        if (!outcome) return;
        steps.setSelectedRow(std::min(row + 1, CurrentProgram::kMaxSteps - 1));
        afterStore(row);
        return;
    }
    case PaletteAction::OpenEditor: break;
    }

    // "LABEL": the label editor gives the selected step a label; it stores no command.
    if (entry.code == kNoStepCode) {
        if (tell(steps.checkLabelRow())) return;
        const CommandEditorResult result = runEditor(entry, entry.code, CommandEditRecord{}, false);
        if (result.kind == CommandEditorResult::Kind::Cancelled) return;
        if (result.kind == CommandEditorResult::Kind::Confirmed) {
            const EditOutcome outcome = steps.setStepLabel(result.record);
            tell(outcome.refusal);
            if (!outcome) return;
        }
        steps.setSelectedRow(std::min(row + 1, CurrentProgram::kMaxSteps - 1));
        afterStore(row);
        return;
    }

    const bool withEndIf = addsEndIf(entry);
    if (tell(steps.checkCanAdd(withEndIf))) return;
    const CommandEditorResult result = runEditor(entry, entry.code, CommandEditRecord{}, false);
    if (result.kind == CommandEditorResult::Kind::Cancelled) return;
    if (result.kind == CommandEditorResult::Kind::Stored) {
        afterStore(row);
        return;
    }
    // The IF and its ENDIF are one edit, named after the button.
    EditGroup pair(withEndIf ? &state_.history : nullptr, "追加 " + std::string(entry.button.button),
                   EditPlace::step(state_.programs.current().number, row));
    const EditOutcome stored = steps.storeCommand(result.record);
    tell(stored.refusal);
    if (!stored) return;
    afterStore(steps.lastStoredRow());
    // IF … THEN is closed by an ENDIF on the row below it.
    if (withEndIf) {
        const EditOutcome endIf = steps.storeEndIf();
        tell(endIf.refusal);
        if (endIf) afterStore(steps.lastStoredRow());
    }
}

void CProgramView::deleteSelectedSteps() {
    StepEditor& steps = state_.steps;
    if (!steps.editable()) return;
    const std::vector<int> rows = table_->selectedRowNumbers();
    const CurrentProgram& program = state_.programs.current();
    const int stepCount = program.stepCount;
    const EditOutcome outcome =
        steps.deleteSelectedRows(rows, [this](const Refusal& question) { return ui::askYesNo(this, question); });
    tell(outcome.refusal);
    if (!outcome) return;
    // The red row stays on the step the controller named, or goes with it.
    ProgramCompile::followDeletedSteps(compile_, program.number, rows, stepCount);
    programEdited();
    fillTable(Scroll::Keep);
}

void CProgramView::editComment() {
    StepEditor& steps = state_.steps;
    if (!steps.editable()) return;
    if (tell(steps.checkCommentRow())) return;
    const std::string comment = state_.programs.current().step(steps.selectedRow()).comment;
    CCommentDlg dialog(tr("コメント入力"), comment,
                       [&steps](const std::string& text) { return steps.setStepComment(text).refusal; }, this);
    if (dialog.exec() != QDialog::Accepted) return;
    programEdited();
    fillTable(Scroll::Keep);
}

void CProgramView::editStep(int row) {
    StepEditor& steps = state_.steps;
    if (!steps.editable()) return;
    palette_->open();
    if (!steps.beginEditExisting(row)) return;
    const int code = steps.lastEditRecord().code;
    const PaletteEntry* entry = doubleClickEntry(code);
    CommandEditorResult result = CommandEditorResult::cancelled();
    // The record is copied: storing replaces the editor's last edit record.
    if (entry) result = runEditor(*entry, doubleClickMode(code), CommandEditRecord(steps.lastEditRecord()), true);
    if (result.kind == CommandEditorResult::Kind::Confirmed) {
        const EditOutcome stored = steps.storeCommand(result.record);
        tell(stored.refusal);
        if (stored) afterStore(steps.lastStoredRow());
    } else if (result.kind == CommandEditorResult::Kind::Stored) {
        afterStore(row);
    }
    steps.endEditExisting();
}

void CProgramView::copy() {
    if (!state_.steps.editable()) return;
    tell(state_.steps.copySteps(table_->selectedRowNumbers()).refusal);
}

void CProgramView::paste() {
    StepEditor& steps = state_.steps;
    if (!steps.editable()) return;
    const int row = steps.selectedRow();
    const EditOutcome outcome = steps.pasteSteps(row);
    // A paste that stopped early keeps what it pasted and still tells why.
    tell(outcome.refusal);
    if (outcome) afterStore(row);
}

}  // namespace vantrel
