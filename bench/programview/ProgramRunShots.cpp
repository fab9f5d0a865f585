// Saves a picture of the default programs running on the simulated controller
// the demo runs: the program editor in automatic-run mode with the running
// step in yellow, beside the pulse-train status monitor while the axes move.
// Run under a virtual X display (scripts/screenshots.sh).
//
//   program_run_shots [FOLDER]   (default "program-shots")

#include <cstdio>
#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "online/CStatusMonitorDlg.h"
#include "platform/AppFolders.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/StepTableItemModel.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "ui/MessageBox.h"

using namespace vantrel;

namespace {

// A window's picture with a plain title bar (there is no window manager to draw one).
QPixmap titled(QWidget& widget) {
    const QPixmap content = widget.grab();
    const int titleHeight = widget.fontMetrics().height() + 10;
    QPixmap picture(content.width(), content.height() + titleHeight);
    picture.fill(QColor(0x3C, 0x3C, 0x46));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, content.width() - 16, titleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     widget.window()->windowTitle());
    painter.drawPixmap(0, titleHeight, content);
    return picture;
}

// Calls `then` once `done` holds, checking every 50 ms.
void when(const std::function<bool()>& done, const std::function<void()>& then) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, done, then] {
        if (!done()) return;
        timer->stop();
        timer->deleteLater();
        then();
    });
    timer->start(50);
}

bool yellowRow(const CProgramView& view) {
    for (int row = 0; row < view.model()->rowCount(); ++row)
        if (view.model()->index(row, 0).data(Qt::BackgroundRole).value<QBrush>().color() == QColor(255, 255, 0))
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("program-shots");
    QDir().mkpath(folder);
    ensureDataFolder();

    // As `vantrel --demo`: the stand-alone machine holding the default programs.
    ControllerSim sim;
    sim.useStandAloneMachine();
    if (!sim.loadDefaultPrograms()) {
        std::fprintf(stderr, "program_run_shots: no default programs beside the program\n");
        return 1;
    }
    PtyServer server(sim);
    if (!server.start()) {
        std::fprintf(stderr, "program_run_shots: the simulated controller could not be started\n");
        return 1;
    }
    AppState state;
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
        frame.resize(1180, 760);
        frame.show();
        CStatusMonitorDlg* monitor = nullptr;
        QTimer::singleShot(300, &frame, [&frame] { frame.connectController(); });
        when([&readDone] { return readDone; }, [&] {
            frame.chooseView(ViewKind::ProgramEditor);
            auto* view = qobject_cast<CProgramView*>(frame.currentView());
            if (!view) {
                std::fprintf(stderr, "program_run_shots: no program view\n");
                qApp->exit(1);
                return;
            }
            // Program 100 shown, no row selected: the running row is the only coloured one.
            // (as a choice in the number list: the list shows it, the view loads it).
            const int main100 = view->numberList()->findText(QStringLiteral("100"));
            view->numberList()->setCurrentIndex(main100);
            view->chooseProgram(main100);
            frame.setRequestedMode(2);
            when([view] { return view->modeField()->text() == QStringLiteral("自動実行モード"); }, [&frame, &state, &monitor, view] {
                view->table()->clearSelection();
                frame.startProgram();
                monitor = new CStatusMonitorDlg(state, &frame);
                monitor->setAttribute(Qt::WA_DeleteOnClose);
                monitor->show();
            });
            // Past the home return, with both axes on their way and the task on a move step.
            when([&sim, view] {
                     const SimStatus s = sim.status();
                     return s.runFlags[0] == 100 && s.stepValues[0] == 6 && s.pulseAxes[0].commandSpeed != 0 &&
                            s.pulseAxes[1].commandSpeed != 0 && s.pulseAxes[0].commandPosition > 10000 && yellowRow(*view);
                 },
                 [&frame, &monitor, folder] {
                     QTimer::singleShot(120, &frame, [&frame, &monitor, folder] {  // one more refresh of both windows
                         const QPixmap left = titled(frame);
                         const QPixmap right = titled(*monitor);
                         QPixmap picture(left.width() + 12 + right.width(), std::max(left.height(), right.height()));
                         picture.fill(QColor(0x20, 0x20, 0x28));
                         QPainter painter(&picture);
                         painter.drawPixmap(0, 0, left);
                         painter.drawPixmap(left.width() + 12, 0, right);
                         painter.end();
                         const QString path = QDir(folder).filePath(QStringLiteral("program-auto-run.png"));
                         const bool saved = picture.save(path);
                         std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
                         frame.stopProgram();
                         qApp->exit(saved ? 0 : 1);
                     });
                 });
        });
        QTimer::singleShot(60000, &app, [] {
            std::fprintf(stderr, "program_run_shots: gave up waiting\n");
            qApp->exit(1);
        });
        exitCode = app.exec();
        frame.shutdownLink();
    }
    ui::setMessageHandler({});
    server.stop();
    return exitCode;
}
