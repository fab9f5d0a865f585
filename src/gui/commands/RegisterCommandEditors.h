#pragma once

namespace vantrel {

class CommandEditorRegistry;

// Registers every command editor of this build (see CommandEditorRegistry.h).
void registerCommandEditors(CommandEditorRegistry& registry);

// The registry of this build, filled on first use.
const CommandEditorRegistry& commandEditors();

// One registration function per editor dialog, called by registerCommandEditors.
void registerLabelEditor(CommandEditorRegistry& registry);  // CLabelDlg: "LABEL", "JUMP"

}  // namespace vantrel
