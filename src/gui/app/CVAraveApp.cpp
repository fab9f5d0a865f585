#include "app/CVAraveApp.h"

#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include "app/CGuardedApplication.h"
#include "app/CMainFrame.h"
#include "app/CSplashWnd.h"
#include "app/CWorkRecovery.h"
#include "app/ProcessMessages.h"
#include "app/ScreenshotTour.h"
#include "app/TestDriver.h"
#include "data/SettingsFile.h"
#include "platform/AppFolders.h"
#include "platform/SingleInstance.h"
#include "platform/UserProfile.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {

ViewFactory makeViewFactory() {
    ViewFactory factory;
    registerSettingsViews(factory);
    registerProgramView(factory);
    return factory;
}

namespace {

// Qt's own command-line options, left to QApplication: those that take the
// next word as their value, and those that stand alone. Qt also takes them
// with two dashes and some as "-style=NAME".
const char* const kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                       "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "session", "display",
                                       "style", "stylesheet"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "testability"};
const char* const kQtAssignedOptions[] = {"style=", "stylesheet=", "qmljsdebugger="};

template <std::size_t N>
bool listed(const char* const (&names)[N], const QString& name) {
    for (const char* candidate : names)
        if (name == QLatin1String(candidate)) return true;
    return false;
}

template <std::size_t N>
bool prefixListed(const char* const (&prefixes)[N], const QString& name) {
    for (const char* prefix : prefixes)
        if (name.startsWith(QLatin1String(prefix))) return true;
    return false;
}

// The name of a Qt option without its dashes ("-platform", "--platform"), or empty.
QString qtOptionName(const QString& argument) {
    QString name = argument.mid(1);
    if (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
    return name;
}

// How long a second start waits for the first instance to answer: far longer
// than any pause of a working instance (its modal windows answer too).
constexpr std::chrono::milliseconds kFirstInstancePatience{5000};

CVAraveApp::Options refused(const QString& why) {
    CVAraveApp::Options options;
    options.action = CVAraveApp::Options::Action::Refuse;
    options.refusal = why;
    return options;
}

}  // namespace

CVAraveApp::Options CVAraveApp::parseOptions(const QStringList& arguments) {
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.action = Options::Action::ShowHelp;
            return options;
        } else if (argument == QLatin1String("--version")) {
            options.action = Options::Action::ShowVersion;
            return options;
        } else if (argument == QLatin1String("--no-splash")) {
            options.splash = false;
        } else if (argument == QLatin1String("--demo")) {
            options.demo = true;
        } else if (argument == QLatin1String("--screenshot-dir")) {
            if (!hasValue) return refused(QStringLiteral("option --screenshot-dir needs a folder"));
            options.screenshotDir = arguments[++i];
            options.demo = true;
            options.splash = false;
        } else if (argument == QLatin1String("--test-driver")) {
            options.testDriver = true;
            options.splash = false;
        } else if (argument == QLatin1String("--lang")) {
            const auto language = hasValue ? languageNamed(arguments[i + 1].toStdString()) : std::nullopt;
            if (!language) return refused(QStringLiteral("option --lang takes ja or en"));
            options.language = language;
            ++i;
        } else if (argument == QLatin1String("--quit-after")) {
            bool number = false;
            const int ms = hasValue ? arguments[i + 1].toInt(&number) : 0;
            if (!number || ms < 0) return refused(QStringLiteral("option --quit-after needs a number of milliseconds"));
            options.quitAfterMs = ms;
            ++i;
        } else if (argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            const QString name = qtOptionName(argument);
            if (listed(kQtValueOptions, name)) {
                if (!hasValue) return refused(QStringLiteral("option %1 needs a value").arg(argument));
                ++i;
            } else if (!listed(kQtFlags, name) && !prefixListed(kQtAssignedOptions, name)) {
                return refused(QStringLiteral("unknown option %1").arg(argument));
            }
        }
        // Anything else is a document argument of the standard command line, unused.
    }
    return options;
}

QString CVAraveApp::usageLine() {
    return QStringLiteral("usage: vantrel [--lang ja|en] [--demo] [--no-splash] [--screenshot-dir DIR] "
                          "[--quit-after MS] "
                          "(vantrel --help for more)");
}

QString CVAraveApp::helpText() {
    return QStringLiteral(
        "usage: vantrel [options]\n"
        "\n"
        "The desktop support software of the motion controller (settings, programs, online\n"
        "operation over its USB serial port). No connection is made at start.\n"
        "\n"
        "options:\n"
        "  --lang ja|en           the windows in Japanese or English (default: the language last\n"
        "                         chosen in the window, else the locale's: Japanese for ja*)\n"
        "  --demo                 run against a simulated controller inside the program\n"
        "  --no-splash            start without the splash picture and its wait\n"
        "  --screenshot-dir DIR   demo tour: connect to the simulated controller, save pictures\n"
        "                         of the windows into DIR and end\n"
        "  --quit-after MS        end MS milliseconds after the main window is up\n"
        "  --test-driver          take commands on the standard input (end-to-end tests)\n"
        "  --version              print the version and end\n"
        "  --help, -h             print this help and end\n"
        "\n"
        "Qt's own options (-platform NAME, -style NAME, ...) are passed to Qt.\n"
        "vantrel-cli runs the same controller operations from a script.\n");
}

Language CVAraveApp::startLanguage(const Options& options, const std::string& profileLanguage,
                                   Language localeLanguage) {
    if (options.language) return *options.language;
    return languageNamed(profileLanguage).value_or(localeLanguage);
}

QString CVAraveApp::versionText() { return QStringLiteral("vantrel " VANTREL_VERSION_TEXT "\n"); }

int CVAraveApp::firstInstanceHangs(int& argc, char** argv, const Options& options) {
    const Refusal hangs = firstInstanceHangsMessage();
    std::fprintf(stderr, "vantrel: %s\n", hangs.text.c_str());
    // The test driver reads standard error; a person gets the box.
    if (!options.testDriver) {
        QApplication application(argc, argv);
        ui::setGuiLanguage(application, startLanguage(options, UserProfile().language(), languageOfEnvironment()));
        ui::showMessage(nullptr, hangs);
    }
    return kExitFirstInstanceHangs;
}

CVAraveApp::CVAraveApp() : state_(std::make_unique<AppState>()) {}

CVAraveApp::~CVAraveApp() {
    // The port is closed before the simulated controller behind it goes away.
    state_->linkThread.stop();
    state_->link.close();
    if (simServer_) simServer_->stop();
}

int CVAraveApp::run(int& argc, char** argv) {
    // The command line is read first: help, version and a refusal need no
    // display and are printed while another instance runs too.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const Options options = parseOptions(arguments);
    switch (options.action) {
    case Options::Action::ShowHelp:
        std::fputs(qPrintable(helpText()), stdout);
        return 0;
    case Options::Action::ShowVersion:
        std::fputs(qPrintable(versionText()), stdout);
        return 0;
    case Options::Action::Refuse:
        std::fprintf(stderr, "vantrel: %s\n%s\n", qPrintable(options.refusal), qPrintable(usageLine()));
        return kExitUsage;
    case Options::Action::Run:
        break;
    }

    instance_ = std::make_unique<SingleInstance>();
    if (instance_->anotherInstanceRuns()) {
        // Silently, before any window, while the first one runs; a first one
        // that hangs would otherwise leave the user with no window and no word.
        if (instance_->holderAnswers(kFirstInstancePatience)) return 0;
        return firstInstanceHangs(argc, argv, options);
    }

    CGuardedApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("VANTREL"));
    application.setOrganizationName(QStringLiteral("KESSLAND"));
    ui::setGuiLanguage(application, startLanguage(options, UserProfile().language(), languageOfEnvironment()));
    std::unique_ptr<QSocketNotifier> pings;
    if (instance_->pingSocket() >= 0) {
        pings = std::make_unique<QSocketNotifier>(instance_->pingSocket(), QSocketNotifier::Read);
        QObject::connect(pings.get(), &QSocketNotifier::activated, [this] { instance_->answerPings(); });
    }

    if (options.demo) {
        sim_ = std::make_unique<ControllerSim>();
        sim_->useStandAloneMachine();  // as vantrel-sim: timed motion, OUTn wired to INn
        sim_->loadDefaultPrograms();   // compiled, the programs the PC starts with
        simServer_ = std::make_unique<PtyServer>(*sim_);
        if (simServer_->start())
            state_->portOverride = simServer_->portName();
        else
            std::fprintf(stderr, "vantrel: the simulated controller could not be started\n");
    }

    if (options.splash) CSplashWnd::showAndWait();

    int exitCode = 0;
    {
        CMainFrame frame(*state_, makeViewFactory());
        frame.show();
        ensureDataFolder();
        // A missing or short initial.bin leaves what was read (zeros at start).
        const std::string initialImage = exeFolderPath("initial.bin");
        loadSettingsFilePrefix(state_->image, initialImage);
        state_->unsaved.settingsSavedOrRead(state_->image, {UnsavedWork::Origin::Kind::Defaults, initialImage});

        std::unique_ptr<TestDriver> driver;
        if (options.testDriver) driver = std::make_unique<TestDriver>(frame);
        // Work a crash left behind is offered back before anything can be
        // sent to a controller.
        CWorkRecovery recovery(*state_, CWorkRecovery::defaults());
        QObject::connect(&recovery, &CWorkRecovery::noteChanged, &frame, &CMainFrame::showRecoveryNote);
        // An error that reaches the event loop: the work first, then the word.
        application.setErrorHandler([&recovery, &frame](const std::string& what) {
            const bool kept = recovery.writeNow();
            ui::showMessage(&frame, internalErrorMessage(what, kept));
        });
        if (recovery.offerRestore(&frame)) frame.rebuildCurrentView();
        recovery.start();
        frame.refreshStatusPane();

        std::unique_ptr<ScreenshotTour> tour;
        if (!options.screenshotDir.isEmpty()) {
            tour = std::make_unique<ScreenshotTour>(frame, options.screenshotDir);
            tour->start();
        }
        if (options.quitAfterMs >= 0) QTimer::singleShot(options.quitAfterMs, &application, &QApplication::quit);
        if (driver) driver->start();
        exitCode = application.exec();
        application.setErrorHandler({});
        frame.shutdownLink();
        recovery.cleanExit();
    }
    if (simServer_) simServer_->stop();
    return exitCode;
}

}  // namespace vantrel
