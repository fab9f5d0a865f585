#include "program/StepTableModel.h"

namespace vantrel {

void StepTableModel::fill(const CurrentProgram& program, const SettingsImage& image,
                          const ProgramDirectory& directory) {
    const int count = stepTableRowCount(program);
    rows_.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rows_[static_cast<std::size_t>(i)] = stepTableRow(program, i, image, directory, words_);
}

const std::string& StepTableModel::text(int row, int column) const {
    static const std::string none;
    if (row < 0 || row >= rowCount() || column < 0 || column >= kStepColumnCount) return none;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

std::string_view StepTableModel::header(int column) {
    return column >= 0 && column < kStepColumnCount ? kStepColumnHeaders[static_cast<std::size_t>(column)]
                                                    : std::string_view();
}

int StepTableModel::width(int column) {
    return column >= 0 && column < kStepColumnCount ? kStepColumnWidths[static_cast<std::size_t>(column)] : 0;
}

StepTableModel::Alignment StepTableModel::alignment(int column) {
    // Step, label and command are centred; operand and comment read from the left.
    return column <= 2 ? Alignment::Centre : Alignment::Left;
}

}  // namespace vantrel
