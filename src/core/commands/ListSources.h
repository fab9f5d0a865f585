#pragma once

// What the flow-control and variable editors offer to choose from: the labels
// in use, the programs with their names and the system variables.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/ChoiceList.h"
#include "program/ProgramDirectory.h"
#include "program/StepEditor.h"

namespace vantrel {

// Labels in use (StepEditor::labelsInUseCurrent / labelsInUseAll) as a
// drop-down of "%03d " ("007 "), ascending.
ChoiceList labelChoices(const StepEditor::LabelSet& labels);

// The programs of the directory as a drop-down of "%03d  " and the name
// ("001  Pick"), ascending.
ChoiceList programChoices(const ProgramDirectory& directory);

// One row of a program list with the columns "プログラムNo." and "プログラム名称".
struct ProgramRow {
    int number;
    std::string numberText;  // "P%03d"
    std::string name;        // display (UTF-8)
};
inline constexpr std::string_view kProgramNumberColumn = "プログラムNo.";
inline constexpr std::string_view kProgramNameColumn = "プログラム名称";
std::vector<ProgramRow> programRows(const ProgramDirectory& directory);

// The system variables a declaration may name, in the order of their list.
struct SystemVariable {
    std::string_view symbol;
    std::string_view name;
};
std::span<const SystemVariable> systemVariables();

}  // namespace vantrel
