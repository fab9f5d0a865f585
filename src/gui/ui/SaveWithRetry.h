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

}  // namespace vantrel::ui
