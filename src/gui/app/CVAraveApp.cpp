#include "app/CVAraveApp.h"

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CSplashWnd.h"
#include "app/ScreenshotTour.h"
#include "data/SettingsFile.h"
#include "platform/AppFolders.h"
#include "platform/SingleInstance.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace vantrel {

ViewFactory makeViewFactory() {
    ViewFactory factory;
    registerSettingsViews(factory);
    return factory;
}

CVAraveApp::Options CVAraveApp::parseOptions(const QStringList& arguments) {
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--no-splash")) {
            options.splash = false;
        } else if (argument == QLatin1String("--demo")) {
            options.demo = true;
        } else if (argument == QLatin1String("--screenshot-dir") && i + 1 < arguments.size()) {
            options.screenshotDir = arguments[++i];
            options.demo = true;
            options.splash = false;
        } else if (argument == QLatin1String("--quit-after") && i + 1 < arguments.size()) {
            options.quitAfterMs = arguments[++i].toInt();
        }
        // Anything else is a document argument of the standard command line, unused.
    }
    return options;
}

CVAraveApp::CVAraveApp() : state_(std::make_unique<AppState>()) {}

CVAraveApp::~CVAraveApp() {
    // The port is closed before the simulated controller behind it goes away.
    state_->linkThread.stop();
    state_->link.close();
    if (simServer_) simServer_->stop();
}

int CVAraveApp::run(int& argc, char** argv) {
    instance_ = std::make_unique<SingleInstance>();
    if (instance_->anotherInstanceRuns()) return 0;  // silently, before any window

    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("VANTREL"));
    application.setOrganizationName(QStringLiteral("KESSLAND"));
    const Options options = parseOptions(application.arguments());

    if (options.demo) {
        sim_ = std::make_unique<ControllerSim>();
        sim_->useStandAloneMachine();  // as vantrel-sim: timed motion, OUTn wired to INn
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
        loadSettingsFile(state_->image, exeFolderPath("initial.bin"));
        frame.refreshStatusPane();

        std::unique_ptr<ScreenshotTour> tour;
        if (!options.screenshotDir.isEmpty()) {
            tour = std::make_unique<ScreenshotTour>(frame, options.screenshotDir);
            tour->start();
        }
        if (options.quitAfterMs >= 0) QTimer::singleShot(options.quitAfterMs, &application, &QApplication::quit);
        exitCode = application.exec();
        frame.shutdownLink();
    }
    if (simServer_) simServer_->stop();
    return exitCode;
}

}  // namespace vantrel
