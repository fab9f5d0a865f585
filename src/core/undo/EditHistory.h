#pragma once

// The undo history of the user's work: the settings image and the program
// store text. Every edit made through the shared mechanisms is recorded as
// it happens (ImageEdit tells each field before it changes, the program
// store each change of its text); the edits an EditGroup spans are one
// command. Undo puts the old bytes back, redo the new ones: the fields go
// through ImageEdit, so each queues its controller write again (the same
// address, the old or the new value) and image and controller never drift.
//
// The history is the ControllerWriteSink the editors write through: it
// passes every write on to the real queues and is the edit recorder they
// find behind it. A change made outside any group is a command of its own.
// Replacing the work whole (a file, the controller, the defaults) empties
// the history. At most 200 commands or 64 MiB of recorded bytes are kept,
// the oldest dropped first.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "data/ControllerWriteSink.h"
#include "data/EditRecorder.h"
#include "data/SettingsImage.h"
#include "program/ProgramStore.h"
#include "undo/EditCommand.h"

namespace vantrel {

class EditHistory : public ControllerWriteSink, public EditRecorder {
public:
    struct Limits {
        std::size_t commands = 200;
        std::size_t bytes = 64u * 1024 * 1024;
    };
    // The name of a change made outside any group.
    static constexpr const char* kUngroupedName = "変更";

    // Becomes the store's edit recorder; `target` takes the controller writes
    // (null: none are queued).
    EditHistory(SettingsImage& image, ProgramStore& store, ControllerWriteSink* target);
    EditHistory(SettingsImage& image, ProgramStore& store, ControllerWriteSink* target, Limits limits);
    ~EditHistory() override;
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // --- ControllerWriteSink ------------------------------------------------
    void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override;
    void queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override;
    EditRecorder* editRecorder() override { return this; }

    // --- EditRecorder ----------------------------------------------------------
    void beginEdit(std::string name, const EditPlace& place) override;
    void endEdit() override;
    void renameEdit(std::string name) override;
    void fieldStoring(std::size_t offset, int size, std::int32_t oldValue, std::int32_t newValue) override;
    void textSplicing(std::size_t pos, std::string_view removed, std::string_view inserted) override;
    void workReplaced() override { clear(); }

    // --- Undo and redo ------------------------------------------------------------
    bool canUndo() const { return open_ == 0 && done_ > 0; }
    bool canRedo() const { return open_ == 0 && done_ < commands_.size(); }
    // The name of the command undo (redo) would take back (do again); empty when none.
    std::string undoName() const;
    std::string redoName() const;
    // Whether undo (redo) would change the program text: programs are edited
    // only in edit-test mode, so the caller may have to refuse it.
    bool undoChangesPrograms() const { return canUndo() && !commands_[done_ - 1].splices.empty(); }
    bool redoChangesPrograms() const { return canRedo() && !commands_[done_].splices.empty(); }

    // What an undo or redo changed.
    struct Outcome {
        std::string name;
        EditPlace place;
        bool settingsChanged = false;
        bool programsChanged = false;
    };
    // Nothing while an edit is open or there is nothing to take back (do again).
    // When the program text changed, the directory is scanned anew and the
    // program of the edit's place (else the one selected, else the first)
    // is loaded.
    std::optional<Outcome> undo();
    std::optional<Outcome> redo();

    // Forgets every command.
    void clear();
    std::size_t commandCount() const { return commands_.size(); }
    std::size_t recordedBytes() const { return bytes_; }

    enum class Change { Recorded, Undone, Redone, Cleared };
    // Told after each change of what can be undone or redone; Cleared only
    // when something was forgotten.
    void setListener(std::function<void(Change)> listener) { listener_ = std::move(listener); }

private:
    void push(EditCommand command);
    Outcome replay(const EditCommand& command, bool forward);
    void reloadProgram(const EditPlace& place);
    void tell(Change change);

    SettingsImage& image_;
    ProgramStore& store_;
    ControllerWriteSink* target_;
    Limits limits_;
    std::deque<EditCommand> commands_;
    std::size_t done_ = 0;   // commands_[0, done_) are in effect
    std::size_t bytes_ = 0;  // held by commands_
    int open_ = 0;           // groups open
    EditCommand openCommand_;
    bool replaying_ = false;
    std::function<void(Change)> listener_;
};

}  // namespace vantrel
