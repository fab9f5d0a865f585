#include "ShotSupport.h"

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "ui/MessageBox.h"
#include "ui/TitledPicture.h"

namespace vantrel::bench {
namespace {
QString shotFolder = QStringLiteral(".");
bool allSaved = true;
}  // namespace

void setShotFolder(const QString& folder) {
    shotFolder = folder;
    QDir().mkpath(folder);
}

void saveShot(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(shotFolder).filePath(name);
    const bool saved = ui::saveTitledPicture(widget, path);
    allSaved = allSaved && saved;
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
}

bool allShotsSaved() { return allSaved; }
void markShotFailed() { allSaved = false; }

void when(const std::function<bool()>& done, const std::function<void()>& then, int periodMs) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, done, then] {
        if (!done()) return;
        timer->stop();
        timer->deleteLater();
        then();
    });
    timer->start(periodMs);
}

int runConnected(ControllerSim& sim, AppState& state, int width, int height, const char* name,
                 const std::function<void(CMainFrame&)>& afterRead) {
    PtyServer server(sim);
    if (!server.start()) {
        std::fprintf(stderr, "%s: the simulated controller could not be started\n", name);
        return 1;
    }
    state.portOverride = server.portName();
    bool readDone = false;
    ui::setMessageHandler([&readDone](QWidget*, const Refusal& message, ui::MessageButtons buttons) {
        std::printf("message \"%s\" (%s)\n", message.text.c_str(), message.title.c_str());
        if (message.text == "読込完了しました。") readDone = true;
        return buttons == ui::MessageButtons::Ok ? ui::MessageAnswer::Ok : ui::MessageAnswer::No;
    });
    int exitCode = 1;
    {
        CMainFrame frame(state, makeViewFactory());
        MainFramePrompts prompts = MainFramePrompts::dialogs();
        prompts.connectDirection = [](QWidget*) { return MainFramePrompts::Direction::ControllerToPc; };
        frame.setPrompts(prompts);
        frame.resize(width, height);
        frame.show();
        QTimer::singleShot(300, &frame, [&frame] { frame.connectController(); });
        when([&readDone] { return readDone; }, [&frame, afterRead] { afterRead(frame); });
        QTimer::singleShot(60000, &frame, [name] {
            std::fprintf(stderr, "%s: gave up waiting\n", name);
            qApp->exit(1);
        });
        exitCode = QApplication::exec();
        frame.shutdownLink();
    }
    ui::setMessageHandler({});
    server.stop();
    return exitCode;
}

}  // namespace vantrel::bench
