#pragma once

#include <QList>
#include <QString>

class QFileDialog;

namespace vantrel::ui {

// A file type offered by a file dialog: the text the user sees and the
// patterns it matches, separated by blanks.
struct FileFilter {
    QString text;
    QString patterns;
};

// Offers the file types in this order, each shown by its text alone and
// matched by its own patterns. So "全てのファイル(*.*)" can match every file
// with "*", files without an extension included, which the "*.*" of its text
// would hide on Linux.
void setFileFilters(QFileDialog& dialog, const QList<FileFilter>& filters);

}  // namespace vantrel::ui
