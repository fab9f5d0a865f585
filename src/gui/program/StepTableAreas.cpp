#include "program/StepTableAreas.h"

#include <QHeaderView>
#include <QTableView>

#include "ui/CWindowPlacer.h"

namespace vantrel {

namespace {
constexpr int kCommandColumn = 2;
constexpr int kOperandColumn = 3;
}  // namespace

std::vector<QRect> stepTableAreas(const QTableView& table) {
    const QRect whole(table.mapToGlobal(QPoint(0, 0)), table.size());
    const QHeaderView& header = *table.horizontalHeader();
    const int left = header.sectionViewportPosition(kCommandColumn);
    const int right = header.sectionViewportPosition(kOperandColumn) + header.sectionSize(kOperandColumn);
    const QPoint origin = table.viewport()->mapToGlobal(QPoint(0, 0));
    // The columns as far as they are on the table, over its whole height.
    const QRect columns = QRect(origin.x() + left, whole.top(), right - left, whole.height()).intersected(whole);
    return {whole, columns};
}

void keepWindowsClearOfStepTable(QTableView* table) {
    CWindowPlacer::keepWindowsClearOf(table, [table] { return stepTableAreas(*table); });
}

}  // namespace vantrel
