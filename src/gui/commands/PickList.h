#pragma once

#include <utility>
#include <vector>

#include <QString>

class QTableWidget;
class QWidget;

namespace vantrel {

// The two-column lists of the command editors (symbols, programs, system
// variables): headers and the first column centred, rows one line high, one
// whole row picked at a time, nothing edited in place.
QTableWidget* newPickList(QWidget* parent, const QString& firstHeader, const QString& secondHeader);
// Replaces the rows with `rows` (first column, second column).
void fillPickList(QTableWidget* list, const std::vector<std::pair<QString, QString>>& rows);
// Shows `row` as the picked one; a row out of the list picks none.
void showPickedRow(QTableWidget* list, int row);

}  // namespace vantrel
