#pragma once

#include <string>

#include <QObject>

#include "app/RecoveryKeeper.h"
#include "platform/BackgroundFileWriter.h"

class QTimer;
class QWidget;

namespace vantrel {

struct AppState;

// Keeps a recovery copy of the work of this run (the settings image and the
// program store) in the per-user data folder while it differs from what was
// last saved or read, and offers it back at the next start when the run did
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

    // Takes the work as it is now (the files loaded at start) as saved.
    CWorkRecovery(AppState& state, Options options, QObject* parent = nullptr);
    // Leaves the copy where it is: only cleanExit() removes it.
    ~CWorkRecovery() override;

    // At start, before any connection: when the previous run left a copy,
    // asks whether to restore it. Yes loads both as if opened from files (the
    // store not clean, the unsaved-FLASH flag set) and returns true; no
    // discards the copy. A damaged copy is discarded without a question.
    bool offerRestore(QWidget* parent);
    // Starts looking at the work.
    void start();
    // The program ends normally: the copy is removed.
    void cleanExit();

    // The settings image has just been saved to or read from a file or the
    // controller.
    void imageSavedOrRead();
    // One look at the work (the timer's; public for tests).
    void poll();
    const std::string& path() const { return writer_.path(); }

private:
    AppState& state_;
    RecoveryKeeper keeper_;
    BackgroundFileWriter writer_;
    QTimer* timer_ = nullptr;
};

}  // namespace vantrel
