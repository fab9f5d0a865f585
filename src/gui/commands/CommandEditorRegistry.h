#pragma once

// The command editors the palette "コマンドテーブル" and a double-click on a
// step open, keyed by the palette button (PaletteButton: page, group where the
// page has the button twice, button text; see program/PaletteCatalogue.h for
// every key). A palette button whose editor is not registered is disabled, and
// a double-click on a step whose editor is not registered opens nothing.
//
// Adding an editor
// ----------------
// Write the editor as a modal dialog (its rules in src/core/commands), and a
// function that registers it, for example in src/gui/commands/CTimerCounterDlg.cpp:
//
//     void registerTimerCounterEditors(CommandEditorRegistry& registry) {
//         registry.add({"I/O等", "", "時間待ち"}, [](const CommandEditorRequest& request) {
//             CTimerCounterDlg dialog(request, CTimerCounterDlg::Mode::TimeWait);
//             if (dialog.exec() != QDialog::Accepted) return CommandEditorResult::cancelled();
//             return CommandEditorResult::confirmed(dialog.record());
//         });
//     }
//
// then declare it in RegisterCommandEditors.h and call it from
// registerCommandEditors() in RegisterCommandEditors.cpp. One function may
// register several buttons (the request names the button, so one dialog can
// take its mode from it).
//
// The editor gets the start record (all zero for a new step; the step's
// record from StepEditor::loadStepForEdit when it edits an existing step, with
// `editExisting` set) and returns the confirmed record; the palette then
// stores it at the selected row (StepEditor::storeCommand, which may still
// refuse, for instance when no automatic point is free) and refreshes the
// table. An editor that changes the program itself through the context
// returns stored(); the palette then only refreshes. Checks that fail show
// their message and keep the dialog open; nothing is stored before OK.

#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "program/CommandEditRecord.h"
#include "program/PaletteButton.h"

class QWidget;

namespace vantrel {

class ControllerWriteSink;
class IoNames;
class ProgramStore;
class SettingsImage;
class StepEditor;

// What an editor may read and use besides its record. Nothing here is owned.
struct CommandEditorContext {
    // Units and conversions of the axes, point positions and speeds, timer
    // presets, acceleration times, network point tables.
    SettingsImage& image;
    // The program being edited: free automatic points (allocateAutoPoint),
    // labels in use (labelsInUseAll / labelsInUseCurrent), the step edited.
    StepEditor& steps;
    // Program numbers and names (store.directory()), the current program.
    const ProgramStore& programs;
    // I/O symbols and names of the condition, output and timer lists.
    const IoNames& ioNames;
    // Where a change an editor makes to the settings image beyond the stored
    // command goes to the controller (ImageEdit(image, sink)).
    ControllerWriteSink* sink = nullptr;
    // Tells the views that show the point table or the timers to refresh
    // after an editor changed them.
    std::function<void()> settingsChanged;
};

struct CommandEditorRequest {
    QWidget* parent = nullptr;            // parent of the modal dialog
    const PaletteButton& button;          // the button the editor was opened for
    const CommandEditRecord& start;       // the record the editor starts from
    bool editExisting = false;            // editing the step under the cursor (overwrite)
    CommandEditorContext& context;
};

struct CommandEditorResult {
    enum class Kind {
        Cancelled,  // nothing is stored
        Confirmed,  // `record` is stored by the caller
        Stored,     // the editor changed the program itself
    };
    Kind kind = Kind::Cancelled;
    CommandEditRecord record;

    static CommandEditorResult cancelled() { return {}; }
    static CommandEditorResult confirmed(CommandEditRecord record) { return {Kind::Confirmed, std::move(record)}; }
    static CommandEditorResult stored() { return {Kind::Stored, {}}; }
};

using CommandEditor = std::function<CommandEditorResult(const CommandEditorRequest& request)>;

class CommandEditorRegistry {
public:
    // Registers (or replaces) the editor of a palette button.
    void add(const PaletteButton& button, CommandEditor editor);
    bool contains(const PaletteButton& button) const;
    // The editor of a button; null when none is registered.
    const CommandEditor* find(const PaletteButton& button) const;

private:
    using Key = std::tuple<std::string, std::string, std::string>;
    static Key keyOf(const PaletteButton& button);
    std::map<Key, CommandEditor> editors_;
};

}  // namespace vantrel
