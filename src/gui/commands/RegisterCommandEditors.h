#pragma once

namespace vantrel {

class CommandEditorRegistry;

// Registers every command editor of this build (see CommandEditorRegistry.h).
void registerCommandEditors(CommandEditorRegistry& registry);

// The registry of this build, filled on first use.
const CommandEditorRegistry& commandEditors();

// One registration function per editor dialog, called by registerCommandEditors.
void registerLabelEditor(CommandEditorRegistry& registry);  // CLabelDlg: "LABEL", "JUMP"
void registerConditionEditor(CommandEditorRegistry& registry);  // CProgIfDlg: "入力待ち", "条件JUMP", "条件CALL"
void registerOutputEditors(CommandEditorRegistry& registry);  // CProgOutDlg, CProgRioOutDlg: outputs, "リモートI/O書込"
void registerTimerCounterEditor(CommandEditorRegistry& registry);  // CProgTimerCounterDlg: "時間待ち", counters, memories
void registerProgramChoiceEditor(CommandEditorRegistry& registry);  // CProgCallDlg: "CALL", "プログラム起動", "プログラム停止"
void registerComparisonEditor(CommandEditorRegistry& registry);  // CProgIfThenDlg: "条件分岐(IF/ENDIF)"
void registerExpressionEditor(CommandEditorRegistry& registry);  // CProgCalcDlg: "演算"
void registerVariableDeclarationEditor(CommandEditorRegistry& registry);  // CProgRegIntDlg: "変数宣言"
void registerUserAlarmEditor(CommandEditorRegistry& registry);  // CProgAlarmDlg: "ALARM"
void registerPauseEditor(CommandEditorRegistry& registry);  // CProgPauseDlg: "PAUSE"
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
