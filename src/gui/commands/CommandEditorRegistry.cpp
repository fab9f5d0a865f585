#include "commands/CommandEditorRegistry.h"

namespace vantrel {

CommandEditorRegistry::Key CommandEditorRegistry::keyOf(const PaletteButton& button) {
    return {std::string(button.page), std::string(button.group), std::string(button.button)};
}

void CommandEditorRegistry::add(const PaletteButton& button, CommandEditor editor) {
    editors_[keyOf(button)] = std::move(editor);
}

bool CommandEditorRegistry::contains(const PaletteButton& button) const { return find(button) != nullptr; }

const CommandEditor* CommandEditorRegistry::find(const PaletteButton& button) const {
    const auto found = editors_.find(keyOf(button));
    return found == editors_.end() || !found->second ? nullptr : &found->second;
}

}  // namespace vantrel
