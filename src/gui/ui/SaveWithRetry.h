#pragma once

#include <functional>

#include <QString>

#include "platform/AtomicFile.h"

class QWidget;

namespace vantrel::ui {

// A save the user asked for (settings file, program file): `choosePath` asks
// where (the save dialog; empty = cancelled) and `write` writes there. When
// the write fails the user is told which file and why and may choose another
// place (the dialog again) or give up. Returns the path written, or an empty
// string when nothing was written.
QString saveWithRetry(QWidget* parent, const std::function<QString()>& choosePath,
                      const std::function<FileWriteResult(const QString& path)>& write);

// The same with a save dialog that starts in the last folder of the user
// profile; the folder of each file chosen becomes the last folder.
QString saveWithRetryFromLastFolder(QWidget* parent,
                                    const std::function<QString(QWidget*, const QString& startFolder)>& dialog,
                                    const std::function<FileWriteResult(const std::string& path)>& write);

}  // namespace vantrel::ui
