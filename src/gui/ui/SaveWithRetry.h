#pragma once

#include <functional>

#include <QString>

#include "data/Refusal.h"
#include "platform/AtomicFile.h"

class QWidget;

namespace vantrel::ui {

// A save the user asked for (settings file, program file): `choosePath` asks
// where (the save dialog; empty = cancelled) and `write` writes there. When
// the write fails the user is told which file and why and may choose another
// place (the dialog again) or give up. A save made says so in the status bar
// with the file's name. Returns the path written, or an empty string when
// nothing was written.
QString saveWithRetry(QWidget* parent, const std::function<QString()>& choosePath,
                      const std::function<FileWriteResult(const QString& path)>& write);

// The same with a save dialog that starts in the last folder of the user
// profile; the folder of each file chosen becomes the last folder. With a
// `firstPath` (an overwriting save) that file is written without the dialog,
// which comes only when that write fails and another place is wanted.
QString saveWithRetryFromLastFolder(QWidget* parent,
                                    const std::function<QString(QWidget*, const QString& startFolder)>& dialog,
                                    const std::function<FileWriteResult(const std::string& path)>& write,
                                    const QString& firstPath = {});

// Work that is in no file is about to be replaced or dropped: `question`
// (Yes / No / Cancel) asks to save it first. Yes runs `save`; true when the
// caller may go on (saved, or given up with No), false to stop.
bool saveOrGiveUp(QWidget* parent, const Refusal& question, const std::function<bool()>& save);

}  // namespace vantrel::ui
