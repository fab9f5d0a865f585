#pragma once

#include <string>

#include <QObject>
#include <QString>

#include "app/RecoveryKeeper.h"
#include "platform/BackgroundFileWriter.h"

class QTimer;
class QWidget;

namespace vantrel {

struct AppState;

// Keeps a recovery copy of the work of this run (the settings image and the
// program store) in the per-user data folder while it holds unsaved changes
// (AppState::unsaved), and offers it back at the next start when the run did
// not end cleanly. A timer looks at the work now and then (RecoveryKeeper
// decides); the copy is written on a thread of its own, so neither an edit
// nor the disk ever holds up the window.
class CWorkRecovery : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::string path;                // the recovery copy
        RecoveryKeeper::Timing timing;
        int pollMs = 500;
    };
    // recovery.dat in the per-user data folder.
    static Options defaults();

    CWorkRecovery(AppState& state, Options options, QObject* parent = nullptr);
    // Leaves the copy where it is: only cleanExit() removes it.
    ~CWorkRecovery() override;

    // At start, before any connection: when the previous run left a copy,
    // asks whether to restore it. Yes loads both as if opened from files (the
    // store not clean, the unsaved-FLASH flag set) and returns true; no
    // discards the copy. A copy that cannot be read is set aside under
    // another name, not deleted, and the user is told where.
    bool offerRestore(QWidget* parent);
    // Starts looking at the work.
    void start();
    // The program ends: the copy is removed when nothing is unsaved (saved,
    // or given up at the exit's questions); otherwise it is brought up to
    // date and kept for the next start.
    void cleanExit();
    // Writes the copy of the unsaved work now and waits for it (an error is
    // about to be reported). True when it is on the disk; false also when
    // nothing was unsaved.
    bool writeNow();

    // One look at the work (the timer's; public for tests).
    void poll();
    const std::string& path() const { return writer_.path(); }

signals:
    // The recovery copy cannot be written (the text says why), or can again
    // (empty text). Said once each time it changes, for the status bar.
    void noteChanged(const QString& text);

private:
    void setAsideDamagedCopy(QWidget* parent);
    // Takes the outcome of the writes finished since the last look.
    void takeWriteResult();

    AppState& state_;
    RecoveryKeeper keeper_;
    BackgroundFileWriter writer_;
    QTimer* timer_ = nullptr;
    bool writeFailing_ = false;
};

}  // namespace vantrel
