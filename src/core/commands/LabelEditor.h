#pragma once

// The label editor "ラベル入力" in its two modes: giving the selected step a
// label ("LABEL", titled "Label入力") and jumping to a label ("JUMP", code 18).
// The number is typed ("番号直接入力") or chosen from a drop-down ("番号選択")
// that offers, when setting, the numbers no program of the data set uses yet
// and, when jumping, the labels of the program being edited.

#include <string>
#include <string_view>
#include <vector>

#include "data/Refusal.h"
#include "program/CommandEditRecord.h"
#include "program/StepEditor.h"

namespace vantrel {

class LabelEditor {
public:
    enum class Mode { SetLabel, Jump };
    static constexpr int kMinLabel = 1;
    static constexpr int kMaxLabel = 999;

    // `labelsInUse`: of every program when setting (StepEditor::labelsInUseAll),
    // of the program being edited when jumping (labelsInUseCurrent). `start` is
    // the step's record when an existing jump is edited (its target is
    // pre-selected), else an all-zero record.
    LabelEditor(Mode mode, const StepEditor::LabelSet& labelsInUse, const CommandEditRecord& start);

    Mode mode() const { return mode_; }
    std::string_view title() const;
    // The drop-down: label numbers ascending, and their "%03d" texts. An
    // existing jump whose label is gone has it in front, chosen; OK refuses it
    // with "ﾗﾍﾞﾙが設定されていません".
    const std::vector<int>& choices() const { return choices_; }
    std::vector<std::string> choiceTexts() const;
    // Index of the entry chosen when the editor opens; -1 when the list is empty.
    int initialChoice() const { return initialChoice_; }

    struct Result {
        MaybeRefusal refusal;     // shown; the editor stays open
        CommandEditRecord record; // when accepted: label set (SetLabel) or code 18 with "L%03d " (Jump)
    };
    // OK with "番号直接入力": the typed text.
    Result confirmTyped(std::string_view text) const;
    // OK with "番号選択": the drop-down index (-1: nothing chosen).
    Result confirmChosen(int index) const;

private:
    Result confirm(int label) const;

    Mode mode_;
    StepEditor::LabelSet inUse_;
    CommandEditRecord start_;
    std::vector<int> choices_;
    int initialChoice_ = -1;
};

}  // namespace vantrel
