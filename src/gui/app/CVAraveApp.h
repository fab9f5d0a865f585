#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "app/AppState.h"
#include "app/ViewFactory.h"

namespace vantrel {

class ControllerSim;
class PtyServer;
class SingleInstance;

// The application object: owns the run's long-lived state and runs start-up
// and exit in order: state, single-instance lock (a second start ends at
// once, silently), splash, main window, per-user folder, initial.bin, the
// offer to restore work a crash left behind; at exit the main window stops the
// link thread and closes the port, the recovery copy is removed, then the lock
// is released.
class CVAraveApp {
public:
    struct Options {
        bool splash = true;      // --no-splash skips the splash and its wait
        bool demo = false;       // --demo: a simulated controller inside the program
        QString screenshotDir;   // --screenshot-dir DIR: demo tour saving screenshots
        int quitAfterMs = -1;    // --quit-after MS: end MS after the main window is up (measurements)
        bool testDriver = false; // --test-driver: commands on the standard input (end-to-end tests)
    };
    static Options parseOptions(const QStringList& arguments);

    CVAraveApp();
    ~CVAraveApp();

    // The whole run. Returns the process exit code.
    int run(int& argc, char** argv);

private:
    std::unique_ptr<AppState> state_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<ControllerSim> sim_;
    std::unique_ptr<PtyServer> simServer_;
};

// The views the navigation tree can show in this build.
ViewFactory makeViewFactory();

}  // namespace vantrel
