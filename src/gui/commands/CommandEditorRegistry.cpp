#include "commands/CommandEditorRegistry.h"

namespace vantrel {

void CommandEditorRegistry::add(CommandEditorKind kind, CommandEditorOpener opener) {
    if (kind == CommandEditorKind::None) return;
    openers_[kind] = std::move(opener);
}

const CommandEditorOpener* CommandEditorRegistry::find(CommandEditorKind kind) const {
    const auto found = openers_.find(kind);
    return found == openers_.end() || !found->second ? nullptr : &found->second;
}

}  // namespace vantrel
