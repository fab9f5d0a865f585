#pragma once

// The model behind one command editor form. A dialog binds to it directly:
//
//  - construction = the form opens: on an existing step from a copy of the
//    step's CommandEditRecord (StepEditor::lastEditRecord after
//    beginEditExisting), on a new step from an all-zero record, whatever record
//    is passed; the model computes every start text, choice and flag;
//  - getters give the field texts (UTF-8; numbers are ASCII), check states,
//    choice lists and enabled flags; setters take what the user typed or chose.
//    A setter may change other fields (choosing a point refills its positions,
//    checking one excitation axis clears the others), so after any setter the
//    dialog reads every field again;
//  - accept() = OK: the checks in the form's order. A refusal carries the
//    message to show and changes nothing, so the form stays open with the
//    user's input; on success the record to hand to StepEditor::storeCommand
//    (which may still refuse, e.g. when no automatic point was free) and the
//    checked fields rewritten in their stored form;
//  - Cancel needs nothing: the model stores nothing itself.
//
// The mode of an editor is the command code it stores (PaletteEntry::code).

#include <cstdint>
#include <string>

#include "data/Refusal.h"
#include "program/CommandEditRecord.h"

namespace vantrel {

// What OK gives: the refusal to show, or the filled record.
struct EditorResult {
    MaybeRefusal refusal;
    CommandEditRecord record;

    bool accepted() const { return !refusal; }
    explicit operator bool() const { return accepted(); }
    static EditorResult refused(Refusal r) { return {std::move(r), {}}; }
    static EditorResult filled(CommandEditRecord r) { return {std::nullopt, std::move(r)}; }
};

class CommandEditor {
public:
    virtual ~CommandEditor() = default;

    // The code OK stores.
    std::uint8_t code() const { return code_; }
    bool editsExisting() const { return editExisting_; }
    virtual std::string title() const = 0;
    virtual EditorResult accept() = 0;

protected:
    CommandEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting);

    // The record the form started from (all zero for a new step).
    const CommandEditRecord& start() const { return start_; }
    // A record for OK: the code, with the step's label and comment kept.
    CommandEditRecord newRecord() const;

private:
    std::uint8_t code_;
    bool editExisting_;
    CommandEditRecord start_;
};

}  // namespace vantrel
