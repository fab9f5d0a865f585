#include "commands/PickList.h"

#include <QHeaderView>
#include <QTableWidget>

namespace vantrel {

QTableWidget* newPickList(QWidget* parent, const QString& firstHeader, const QString& secondHeader) {
    auto* list = new QTableWidget(0, 2, parent);
    list->setHorizontalHeaderLabels({firstHeader, secondHeader});
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

void fillPickList(QTableWidget* list, const std::vector<std::pair<QString, QString>>& rows) {
    list->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        auto* first = new QTableWidgetItem(rows[static_cast<std::size_t>(row)].first);
        first->setTextAlignment(Qt::AlignCenter);
        list->setItem(row, 0, first);
        list->setItem(row, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(row)].second));
    }
}

void showPickedRow(QTableWidget* list, int row) {
    if (row >= 0 && row < list->rowCount()) {
        list->setCurrentCell(row, 0);
        list->selectRow(row);
    } else {
        list->setCurrentCell(-1, -1);
        list->clearSelection();
    }
}

}  // namespace vantrel
