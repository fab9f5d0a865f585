#pragma once

#include <vector>

#include <QRect>

class QTableView;

namespace vantrel {

// The parts of the step table that windows opening beside it keep clear, in
// desktop coordinates: the whole table, then its command and operand columns
// (what the user reads and edits; the step, label and comment columns may be
// covered when the screen has no room for more).
std::vector<QRect> stepTableAreas(const QTableView& table);

// Windows that open while the table is shown keep clear of it.
void keepWindowsClearOfStepTable(QTableView* table);

}  // namespace vantrel
