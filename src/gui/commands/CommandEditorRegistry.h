#pragma once

// The command editors that the palette "コマンドテーブル" and a double-click
// on a step open. The palette catalogue (program/PaletteButton.h) names for
// every button the kind of editor it opens (PaletteEntry::editor) and the
// mode, which is the code the editor stores (PaletteEntry::code); this
// registry holds one dialog per kind. A palette button whose editor is not
// registered is disabled, and a double-click on a step whose editor is not
// registered opens nothing.
//
// Adding an editor
// ----------------
// Write the dialog over its model in src/core/commands, and a function that
// registers it, for example in src/gui/commands/CProgTimerCounterDlg.cpp:
//
//     void registerTimerCounterEditor(CommandEditorRegistry& registry) {
//         registry.add(CommandEditorKind::TimerCounterMemory, [](const CommandEditorRequest& request) {
//             TimerCounterMemoryEditor model(request.mode, request.start, request.editExisting,
//                                            request.context.ioNames, request.context.image);
//             CProgTimerCounterDlg dialog(std::move(model), request.parent);
//             return runEditorDialog(dialog);
//         });
//     }
//
// (CommandEditorDialog.h holds the forms' common base and runEditorDialog.)
// then declare it in RegisterCommandEditors.h and call it from
// registerCommandEditors() in RegisterCommandEditors.cpp. The one dialog
// serves every button of its kind: the request's `mode` is the code to store
// ("Counter＋" 13, "CounterSet" 46, ...) and `entry` the button pressed.
//
// The editor starts from `start`: an all-zero record for a new step, or, with
// `editExisting` set, the step's record (StepEditor::lastEditRecord). It
// returns the confirmed record; the palette stores it at the selected row
// (StepEditor::storeCommand, which may still refuse, for instance when no
// automatic point is free), adds the ENDIF behind an IF … THEN, and refreshes
// the table. An editor that changed the program itself through the context
// returns stored(); the palette then only refreshes. Checks that fail show
// their message and keep the dialog open; nothing is stored before OK.

#include <functional>
#include <map>

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
    // Units of the axes, point positions and speeds, timer presets,
    // acceleration times, network point tables.
    SettingsImage& image;
    // The program being edited: free automatic points (allocateAutoPoint,
    // autoPointsOf), labels in use (labelsInUseAll / labelsInUseCurrent).
    StepEditor& steps;
    // Program numbers and names (programs.directory()), the current program.
    const ProgramStore& programs;
    // I/O symbols and names of the condition, output and timer lists.
    const IoNames& ioNames;
    // Where a change an editor makes to the settings image beyond the stored
    // command goes to the controller (ImageEdit(image, sink)).
    ControllerWriteSink* sink = nullptr;
    // Tells the views that show the point table or the timers that an editor
    // changed them (the step table lists them anew too).
    std::function<void()> settingsChanged;
};

struct CommandEditorRequest {
    QWidget* parent = nullptr;       // parent of the modal dialog
    const PaletteEntry& entry;       // the button (page, group, text) and its editor kind
    int mode = kNoStepCode;          // the code to store: entry.code, or a re-opened step's own code
    const CommandEditRecord& start;  // the record the editor starts from
    bool editExisting = false;       // editing the step under the cursor (overwrite)
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

// Opens the dialog of one editor kind and returns what the user confirmed.
using CommandEditorOpener = std::function<CommandEditorResult(const CommandEditorRequest& request)>;

class CommandEditorRegistry {
public:
    // Registers (or replaces) the editor of a kind.
    void add(CommandEditorKind kind, CommandEditorOpener opener);
    bool contains(CommandEditorKind kind) const { return find(kind) != nullptr; }
    // The opener of a kind; null when none is registered.
    const CommandEditorOpener* find(CommandEditorKind kind) const;

private:
    std::map<CommandEditorKind, CommandEditorOpener> openers_;
};

}  // namespace vantrel
