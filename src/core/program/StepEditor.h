#pragma once

// Editing the steps of the current program: storing commands from the command
// editors, inserting and deleting steps, labels, comments, copy and paste, and
// the automatically assigned points 301..1000 of commands that carry their own
// positions. Every change is committed to the program store at once; a change
// that does not fit into the store is refused and undone.
//
// Point and timer changes go into the settings image through ImageEdit, which
// also queues them for the controller. Texts in and out are CP932 bytes, as in
// the program text; messages are Refusal values (UTF-8).
//
// All operations are inert (nothing done, no message) unless the controller
// mode passed in with setControllerMode is the edit-test mode (0).

#include <array>
#include <string_view>
#include <vector>

#include "data/ControllerWriteSink.h"
#include "data/ImageEdit.h"
#include "data/SettingsImage.h"
#include "program/AskQuestion.h"
#include "program/AutoPoints.h"
#include "program/CommandEditRecord.h"
#include "program/EditOutcome.h"
#include "program/ProgramStore.h"

namespace vantrel {

class StepEditor {
public:
    enum class StoreMode { Insert, Overwrite };
    static constexpr int kFirstAutoPointIndex = AutoPoints::kFirstIndex;  // point 301
    static constexpr int kLastAutoPointIndex = AutoPoints::kLastIndex;    // point 1000
    static constexpr int kHomingRecordIndex = 252;
    static constexpr std::size_t kMaxCommentBytes = 100;
    using LabelSet = std::array<bool, 1000>;  // indexed by label number 1..999

    StepEditor(ProgramStore& store, SettingsImage& image, ControllerWriteSink* sink);

    // --- Mode gate and table state ---------------------------------------------
    void setControllerMode(int mode) { controllerMode_ = mode; }
    bool editable() const { return controllerMode_ == 0; }
    int selectedRow() const { return selectedRow_; }  // -1: no row selected
    void setSelectedRow(int row) { selectedRow_ = row; }
    int lastStoredRow() const { return lastStoredRow_; }  // -1: none (the green row)
    void resetLastStoredRow() { lastStoredRow_ = -1; }
    StoreMode storeMode() const { return storeMode_; }
    void setStoreMode(StoreMode mode) { storeMode_ = mode; }
    int stepsInUse() const { return store_.current().stepsInUse(); }

    // --- Palette -----------------------------------------------------------------
    // Before an editor opens for a new step: a row must be selected and there
    // must be room for one step (two for IF/ENDIF).
    MaybeRefusal checkCanAdd(bool needsTwoSteps = false) const;
    // Stores a confirmed editor's record at the selected row (inserted, or in
    // place in overwrite mode), writes its points, homing speeds or timer, and
    // selects the next row. Refuses codes with points when point1 (point2 for
    // ARC/ARCC) is 0 or above 2000, and any record whose positions would go
    // into the movable range, a prohibited area or the homing record (a point
    // a step from a file names).
    EditOutcome storeCommand(const CommandEditRecord& record);
    // ELSE, RETURN, END: the palette checks, then the step with an empty operand.
    EditOutcome storeSimpleCommand(std::uint8_t code);
    // The ENDIF that follows a stored IF … THEN, at the row after it.
    EditOutcome storeEndIf();

    // --- Steps -------------------------------------------------------------------
    EditOutcome insertEmptyStep(int index);
    EditOutcome deleteStep(int index);
    // The palette's delete of the selected rows: checks, asks "本当に削除しますか？",
    // deletes highest first; the lowest deleted index becomes the selected row.
    EditOutcome deleteSelectedRows(std::vector<int> rows, const AskQuestion& ask);

    // --- Labels and comments -------------------------------------------------------
    // Before the label editor opens (and for "LABEL削除").
    MaybeRefusal checkLabelRow() const;
    // Sets the selected step's label (1..999) from record.label.
    EditOutcome setStepLabel(const CommandEditRecord& record);
    EditOutcome deleteStepLabel();
    // Labels of every program of the data set (for setting a label).
    LabelSet labelsInUseAll() const;
    // Labels of the current program (for choosing a jump target).
    LabelSet labelsInUseCurrent() const;
    // Before the comment editor opens.
    MaybeRefusal checkCommentRow() const;
    // Sets the selected step's comment; refuses more than 100 bytes.
    EditOutcome setStepComment(std::string_view commentCp932);

    // --- Editing an existing step -------------------------------------------------
    // Fills the last edit record from step `index`; false for an empty row.
    bool loadStepForEdit(int index);
    const CommandEditRecord& lastEditRecord() const { return lastEditRecord_; }
    // Double-click: loads the step for edit and switches to overwrite mode;
    // false (nothing opens) for an empty row, a code without editor or a run mode.
    bool beginEditExisting(int row);
    void endEditExisting() { storeMode_ = StoreMode::Insert; }

    // --- Points ----------------------------------------------------------------------
    // Index (300..999) of the (k+1)-th point 301..1000 that neither the store
    // text nor the current program refers to; -1 when there is none.
    int allocateAutoPoint(int k) const;
    // Clears the points of step `index` (a position command naming an axis).
    void freeStepPoints(int index);
    static void freeStepPoints(const StepRecord& step, ImageEdit& edit);

    // --- Clipboard ---------------------------------------------------------------------
    EditOutcome copySteps(std::vector<int> rows);
    EditOutcome pasteSteps(int row);
    int clipboardCount() const { return static_cast<int>(clipboard_.size()); }
    const std::vector<StepRecord>& clipboard() const { return clipboard_; }

private:
    struct PositionWrite {
        int axis;
        int index;
        std::int32_t position;
        int speed;  // -1: position only
    };
    struct PointCopy {
        int fromIndex;
        int toIndex;
    };

    CurrentProgram& program() { return store_.current(); }
    const CurrentProgram& program() const { return store_.current(); }
    bool insertRecords(int index, int count);
    void removeRecords(int index, int count);
    // Commits the current program; on refusal restores `before`.
    bool commitOrRestore(const CurrentProgram& before);
    std::vector<PositionWrite> positionWrites(const CommandEditRecord& record) const;
    // Copies positions and speed rates of every axis from old to new points.
    void copyPoints(const std::vector<PointCopy>& copies);

    ProgramStore& store_;
    ImageEdit edit_;
    int controllerMode_ = 0;
    int selectedRow_ = 0;
    int lastStoredRow_ = -1;
    StoreMode storeMode_ = StoreMode::Insert;
    CommandEditRecord lastEditRecord_;
    std::vector<StepRecord> clipboard_;
};

}  // namespace vantrel
