#include "commands/RegisterCommandEditors.h"

#include "commands/CommandEditorRegistry.h"

namespace vantrel {

void registerCommandEditors(CommandEditorRegistry& registry) {
    registerLabelEditor(registry);
    registerConditionEditor(registry);
    registerOutputEditors(registry);
    registerTimerCounterEditor(registry);
    registerProgramChoiceEditor(registry);
    registerComparisonEditor(registry);
    registerExpressionEditor(registry);
    registerVariableDeclarationEditor(registry);
    registerUserAlarmEditor(registry);
    registerPauseEditor(registry);
    registerMoveEditors(registry);
    registerHomeEditor(registry);
    registerAccelerationEditor(registry);
    registerPassEditor(registry);
    registerAxisSelectionEditors(registry);
    registerNetworkMoveEditor(registry);
    registerNetworkAxisCommandEditor(registry);
    registerShiftEditor(registry);
}

const CommandEditorRegistry& commandEditors() {
    static const CommandEditorRegistry registry = [] {
        CommandEditorRegistry filled;
        registerCommandEditors(filled);
        return filled;
    }();
    return registry;
}

}  // namespace vantrel
