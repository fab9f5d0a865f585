#pragma once

#include <QString>

class QStatusBar;

namespace vantrel::ui {

// One line in the main window's status bar that says what just happened
// ("保存しました: line3.bin", a clamped value, why a row is locked). It sits
// beside the status pane instead of replacing it, and goes after a while.
// Any window may call showStatusNote; before a status bar is installed (or in
// a test without a main window) the note is only kept for lastStatusNote.

// The status bar the notes go to (the main window installs its own; nullptr
// takes it away again).
void installStatusNote(QStatusBar* bar);
// Shows `text` for `milliseconds` (0: until the next note).
void showStatusNote(const QString& text, int milliseconds = 8000);
// The last note shown, for tests.
QString lastStatusNote();

}  // namespace vantrel::ui
