#pragma once

// What the undo history is told about the user's work: every settings field
// an ImageEdit stores, every change of the program text, and the edits that
// group them. ImageEdit finds the recorder through its ControllerWriteSink,
// the program store holds its own (ProgramStore::setEditRecorder); without
// one nothing is kept.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// Where an edit was made, so that undoing it can show the place again.
struct EditPlace {
    enum class Where { Nowhere, Step, Cell };
    Where where = Where::Nowhere;
    int program = 0;  // Step: the program number
    int view = 0;     // Cell: the view (its ViewKind number)...
    int page = 0;     // ...and its table, for a view with more than one
    int row = -1;     // the step's row, or the cell's table row
    int column = -1;  // the cell's table column

    static EditPlace step(int program, int row) { return {Where::Step, program, 0, 0, row, -1}; }
    static EditPlace cell(int view, int page, int row, int column) { return {Where::Cell, 0, view, page, row, column}; }
    bool operator==(const EditPlace&) const = default;
};

class EditRecorder {
public:
    virtual ~EditRecorder() = default;

    // An edit begins and ends (EditGroup does both). An edit begun inside
    // another one is part of it: the outer one's name and place count, or
    // the first inner ones where the outer has none.
    virtual void beginEdit(std::string name, const EditPlace& place) = 0;
    virtual void endEdit() = 0;
    // Names the open edit anew, when called from its outermost group (a
    // paste knows how many steps it pasted only at its end).
    virtual void renameEdit(std::string name) = 0;

    // A field of `size` bytes (3: a position) at image offset `offset` is
    // about to change from `oldValue` to `newValue`.
    virtual void fieldStoring(std::size_t offset, int size, std::int32_t oldValue, std::int32_t newValue) = 0;
    // Bytes [pos, pos + removed.size()) of the program text are about to
    // become `inserted`.
    virtual void textSplicing(std::size_t pos, std::string_view removed, std::string_view inserted) = 0;
    // The settings image or the program text was replaced whole (a file, the
    // controller, the defaults): nothing recorded before fits it any more.
    virtual void workReplaced() = 0;
};

}  // namespace vantrel
