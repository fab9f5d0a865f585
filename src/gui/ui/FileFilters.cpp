#include "ui/FileFilters.h"

#include <QFileDialog>
#include <QStringList>

namespace vantrel::ui {

void setFileFilters(QFileDialog& dialog, const QList<FileFilter>& filters) {
    // Qt takes the patterns from the last parenthesised part of a filter and,
    // with the details hidden, shows what comes before it.
    QStringList names;
    for (const FileFilter& filter : filters) names << filter.text + QStringLiteral(" (") + filter.patterns + QLatin1Char(')');
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(names);
}

}  // namespace vantrel::ui
