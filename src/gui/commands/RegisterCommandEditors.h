#pragma once

namespace vantrel {

class CommandEditorRegistry;

// Registers every command editor of this build (see CommandEditorRegistry.h).
void registerCommandEditors(CommandEditorRegistry& registry);

// The registry of this build, filled on first use.
const CommandEditorRegistry& commandEditors();

// One registration function per editor dialog, called by registerCommandEditors.
void registerLabelEditor(CommandEditorRegistry& registry);  // CLabelDlg: "LABEL", "JUMP"
// The motion editors.
void registerMoveEditors(CommandEditorRegistry& registry);               // CProgMoveDlg: moves, interpolations
void registerHomeEditor(CommandEditorRegistry& registry);                // CProgHomeDlg
void registerAccelerationEditor(CommandEditorRegistry& registry);        // CProgAccDlg
void registerPassEditor(CommandEditorRegistry& registry);                // CProgPassDlg
void registerAxisSelectionEditors(CommandEditorRegistry& registry);      // CProgAxisDlg: stop, excitation, preset
void registerNetworkMoveEditor(CommandEditorRegistry& registry);         // CProgRivoMoveDlg
void registerNetworkAxisCommandEditor(CommandEditorRegistry& registry);  // CProgRivoAxisDlg
void registerShiftEditor(CommandEditorRegistry& registry);               // CProgShiftDlg

}  // namespace vantrel
