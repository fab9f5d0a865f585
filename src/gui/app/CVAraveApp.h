#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "app/AppState.h"
#include "app/ViewFactory.h"
#include "text/Language.h"

namespace vantrel {

class ControllerSim;
class PtyServer;
class SingleInstance;

// The application object: owns the run's long-lived state and runs start-up
// and exit in order: state, single-instance lock (a second start ends at
// once, silently, unless the first does not answer), splash, main window,
// per-user folder, initial.bin, the offer to restore work a crash left
// behind; at exit the main window stops the link thread and closes the port,
// the recovery copy is removed (kept while work is unsaved), then the lock is
// released. An error that reaches the event loop keeps the work in the
// recovery copy and is reported; the program goes on.
class CVAraveApp {
public:
    // The command line. Qt's own options (-platform NAME, -style NAME, ...)
    // are accepted and left to Qt; words without a leading "-" are document
    // arguments of the standard command line, unused.
    struct Options {
        enum class Action {
            Run,          // start the program
            ShowHelp,     // --help, -h: print the help and end with 0
            ShowVersion,  // --version: print the version and end with 0
            Refuse,       // an unknown option or a missing value: print why and the usage line, end with 2
        };
        Action action = Action::Run;
        QString refusal;         // why the command line was refused
        bool splash = true;      // --no-splash skips the splash and its wait
        bool demo = false;       // --demo: a simulated controller inside the program
        QString screenshotDir;   // --screenshot-dir DIR: demo tour saving screenshots
        int quitAfterMs = -1;    // --quit-after MS: end MS after the main window is up (measurements)
        bool testDriver = false; // --test-driver: commands on the standard input (end-to-end tests)
        std::optional<Language> language;  // --lang ja|en: the windows' language, over the profile and the locale
    };
    // Exit status of a refused command line, as vantrel-cli's.
    static constexpr int kExitUsage = 2;
    // Exit status of a second start while the first instance does not answer.
    static constexpr int kExitFirstInstanceHangs = 1;
    // arguments[0] is the program.
    static Options parseOptions(const QStringList& arguments);
    static QString usageLine();
    static QString helpText();
    static QString versionText();
    // The windows' language at start: --lang, else the one the user last
    // chose (profile entry "ja" or "en"), else the locale's.
    static Language startLanguage(const Options& options, const std::string& profileLanguage, Language localeLanguage);

    CVAraveApp();
    ~CVAraveApp();

    // The whole run. Returns the process exit code.
    int run(int& argc, char** argv);

private:
    // Says that the first instance does not answer; returns the exit status.
    static int firstInstanceHangs(int& argc, char** argv, const Options& options);

    std::unique_ptr<AppState> state_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<ControllerSim> sim_;
    std::unique_ptr<PtyServer> simServer_;
};

// The views the navigation tree can show in this build.
ViewFactory makeViewFactory();

}  // namespace vantrel
